// The extremes of luma and chroma over a frame, taken over the averages of its 8-pixel groups
// as they were loaded, before a pass changes them.
#pragma once

#include <cmath>
#include <limits>

#include "pixel/f4.h"

struct ScopeStatistics {
    bool any = false;  // a whole group was read
    float yMin = NAN, yMax = NAN;
    float cbMin = NAN, cbMax = NAN, crMin = NAN, crMax = NAN;

    // The smaller of the Cb and Cr minima and the larger of the maxima; a NaN one (no group
    // gave a number) gives way to the other.
    float cMin() const { return std::fmin(cbMin, crMin); }
    float cMax() const { return std::fmax(cbMax, crMax); }
};

// Lanes: 0 luma, 1 Cb, 2 Cr (3 repeats Cr). A group with a NaN sample is left out of the
// lanes it touches; infinite samples count. Kept as vectors and reduced once at the end.
class GroupStatistics {
public:
    // One group's working vectors, lane k for pair k.
    void add(F4 cb, F4 y0, F4 cr, F4 y1) {
        const F4 lumaAndCb = _mm_hadd_ps((y0 + y1).v, cb.v);  // Y01 Y23 Cb01 Cb23
        const F4 crTwice = _mm_hadd_ps(cr.v, cr.v);           // Cr01 Cr23 Cr01 Cr23
        const F4 sums = _mm_hadd_ps(lumaAndCb.v, crTwice.v);  // Y Cb Cr Cr
        const F4 averages = sums * F4(_mm_setr_ps(0.125f, 0.25f, 0.25f, 0.25f));
        // The average first: where it is NaN the bound keeps its value.
        lo_ = min(averages, lo_);
        hi_ = max(averages, hi_);
        seen_ = seen_ | (averages == averages);
        any_ = true;
    }

    ScopeStatistics result() const {
        alignas(16) float lo[4], hi[4];
        _mm_store_ps(lo, lo_.v);
        _mm_store_ps(hi, hi_.v);
        const int seen = _mm_movemask_ps(seen_.v);
        const auto pick = [seen](const float* v, int lane) {
            return (seen >> lane) & 1 ? v[lane] : NAN;
        };
        ScopeStatistics s;
        s.any = any_;
        s.yMin = pick(lo, 0), s.yMax = pick(hi, 0);
        s.cbMin = pick(lo, 1), s.cbMax = pick(hi, 1);
        s.crMin = pick(lo, 2), s.crMax = pick(hi, 2);
        return s;
    }

private:
    F4 lo_ = F4::all(std::numeric_limits<float>::infinity());
    F4 hi_ = F4::all(-std::numeric_limits<float>::infinity());
    F4 seen_ = F4::zero();
    bool any_ = false;
};
