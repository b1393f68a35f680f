// The extremes of luma and chroma over a frame, taken over the averages of its 8-pixel groups
// as they were loaded, before a pass changes them.
#pragma once

#include <cmath>

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

// The statistics of two runs of groups of one frame together.
ScopeStatistics combined(const ScopeStatistics& a, const ScopeStatistics& b);

// Reduced bounds: lanes 0 luma, 1 Cb, 2 Cr; bit k of `seen` where lane k took a number.
ScopeStatistics statisticsOf(const float lo[4], const float hi[4], int seen, bool any);

// The averages of one group of four pairs: Y Cb Cr Cr, luma over eight pixels.
inline F4 groupAverages(F4 cb, F4 y0, F4 cr, F4 y1) {
    const F4 lumaAndCb = _mm_hadd_ps((y0 + y1).v, cb.v);  // Y01 Y23 Cb01 Cb23
    const F4 crTwice = _mm_hadd_ps(cr.v, cr.v);           // Cr01 Cr23 Cr01 Cr23
    const F4 sums = _mm_hadd_ps(lumaAndCb.v, crTwice.v);  // Y Cb Cr Cr
    return sums * F4(_mm_setr_ps(0.125f, 0.25f, 0.25f, 0.25f));
}
inline ScopeStatistics statisticsOf(F4 lo, F4 hi, F4 seen, bool any) {
    alignas(16) float l[4], h[4];
    _mm_store_ps(l, lo.v);
    _mm_store_ps(h, hi.v);
    return statisticsOf(l, h, _mm_movemask_ps(seen.v), any);
}

// Over groups in lanes of type V (each run of four lanes one group of four pairs). A group
// with a NaN sample is left out of the lanes it touches; infinite samples count. Kept as
// vectors and reduced once at the end.
template <class V>
class GroupStatisticsOf {
public:
    // The working vectors of one load, lane k for pair k. Samples that are never NaN (8-bit
    // codes) can skip keeping count of the lanes that took a number, and mark them all once.
    template <bool MayBeNaN = true>
    void add(V cb, V y0, V cr, V y1) {
        const V averages = groupAverages(cb, y0, cr, y1);
        // The average first: where it is NaN the bound keeps its value.
        lo_ = min(averages, lo_);
        hi_ = max(averages, hi_);
        if constexpr (MayBeNaN) seen_ = seen_ | (averages == averages);
        any_ = true;
    }
    void sawNumbers() { seen_ = V::mask(true); }

    ScopeStatistics result() const { return statisticsOf(lo_, hi_, seen_, any_); }

private:
    V lo_ = V::all(__builtin_huge_valf());
    V hi_ = V::all(-__builtin_huge_valf());
    V seen_ = V::zero();
    bool any_ = false;
};

using GroupStatistics = GroupStatisticsOf<F4>;
