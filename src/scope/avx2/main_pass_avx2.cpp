// The main pass over eight-lane converters: the same walk, converters and mapping as the
// four-lane pass, instantiated over YmmLanes.
#include "pixel/ycbcr_converter.h"
#include "pixel/ymm_lanes.h"
#include "scope/main_pass.h"

namespace avx2 {

// The averages of the two groups of a load, one per half.
F8 groupAverages(F8 cb, F8 y0, F8 cr, F8 y1) {
    const __m256 lumaAndCb = _mm256_hadd_ps((y0 + y1).v, cb.v);
    const __m256 crTwice = _mm256_hadd_ps(cr.v, cr.v);
    const __m256 sums = _mm256_hadd_ps(lumaAndCb, crTwice);
    return F8(sums) * F8(_mm256_setr_ps(0.125f, 0.25f, 0.25f, 0.25f, 0.125f, 0.25f, 0.25f, 0.25f));
}

// Both halves' bounds folded into one: a minimum of minima is the same in any order, and no
// bound is ever NaN.
ScopeStatistics statisticsOf(F8 lo, F8 hi, F8 seen, bool any) {
    const auto fold = [](F8 x, auto op) {
        return op(_mm256_castps256_ps128(x.v), _mm256_extractf128_ps(x.v, 1));
    };
    alignas(16) float l[4], h[4];
    _mm_store_ps(l, fold(lo, [](__m128 a, __m128 b) { return _mm_min_ps(a, b); }));
    _mm_store_ps(h, fold(hi, [](__m128 a, __m128 b) { return _mm_max_ps(a, b); }));
    const int seenLanes = _mm256_movemask_ps(seen.v);
    return ::statisticsOf(l, h, (seenLanes | seenLanes >> 4) & 15, any);
}

namespace {

template <class Converter>
uint64_t walk(Converter&& c, const MainPassJob& job, int32_t palette, float gamma,
              ScopeStatistics& stats) {
    c.falseColour.build(palette, gamma);
    GroupStatisticsOf<F8> wide;
    const uint64_t end = runMainPass(c, job, wide);
    stats = wide.result();
    return end;
}

}  // namespace

uint64_t runWideMainPass(const MainPassJob& job, const FrameFormat& frame, int32_t palette,
                         float gamma, ScopeStatistics& stats) {
    switch (frame.depth) {
        case PixelDepth::Bits8:
            return walk(PixelYCbCr_8bit<YmmLanes>(frame.range, frame.layout), job, palette, gamma,
                        stats);
        case PixelDepth::Fixed2_14:
            return walk(PixelYCbCr_214bit<YmmLanes>(frame.layout), job, palette, gamma, stats);
        // Float frames stay on four lanes: the walk is bound by memory there, and four lanes
        // kept pace with eight or beat them in every run we measured.
        default:
            return job.first;
    }
}

}  // namespace avx2
