// F4: four single-precision lanes in one SSE register, with the few operations the pixel
// code needs. Comparisons give lane masks (all bits set where true) for `select`. Code over a
// lane type V (F4 here, the eight-lane F8 and the sixteen-lane F16 where the processor has AVX2
// or AVX-512) reads V::all, V::zero, V::kLanes and these free functions, so one template serves
// every width.
//
// NaN rule: SSE min/max return their second operand when either is NaN. Every clamp in
// the pixel code puts the pixel first and the bound second, so a NaN lane becomes the bound.
#pragma once

#include <smmintrin.h>

// A function that the objects of both widths call: always inlined, so that no object keeps a
// copy of its own that the linker could hand to the other width's code.
#define CORVANE_BOTH_WIDTHS [[gnu::always_inline]] inline

struct F4 {
    static constexpr int kLanes = 4;
    using Bits = __m128i;  // the integer register of the same width

    __m128 v;

    F4() = default;
    constexpr F4(__m128 x) : v(x) {}
    static F4 all(float x) { return _mm_set1_ps(x); }
    static F4 zero() { return _mm_setzero_ps(); }
    // All lanes set when `on`, none otherwise: a per-frame switch as a select mask.
    static F4 mask(bool on) { return on ? F4(_mm_castsi128_ps(_mm_set1_epi32(-1))) : zero(); }

    friend F4 operator+(F4 a, F4 b) { return _mm_add_ps(a.v, b.v); }
    friend F4 operator-(F4 a, F4 b) { return _mm_sub_ps(a.v, b.v); }
    friend F4 operator*(F4 a, F4 b) { return _mm_mul_ps(a.v, b.v); }
    friend F4 operator/(F4 a, F4 b) { return _mm_div_ps(a.v, b.v); }
    F4& operator+=(F4 b) { return *this = *this + b; }
    F4& operator*=(F4 b) { return *this = *this * b; }

    // Lane masks.
    friend F4 operator<(F4 a, F4 b) { return _mm_cmplt_ps(a.v, b.v); }
    friend F4 operator<=(F4 a, F4 b) { return _mm_cmple_ps(a.v, b.v); }
    friend F4 operator>(F4 a, F4 b) { return _mm_cmpgt_ps(a.v, b.v); }
    friend F4 operator>=(F4 a, F4 b) { return _mm_cmpge_ps(a.v, b.v); }
    friend F4 operator==(F4 a, F4 b) { return _mm_cmpeq_ps(a.v, b.v); }
    friend F4 operator&(F4 a, F4 b) { return _mm_and_ps(a.v, b.v); }
    friend F4 operator|(F4 a, F4 b) { return _mm_or_ps(a.v, b.v); }
};

// min/max in SSE operand order: where either lane is NaN the result is `b`.
inline F4 min(F4 a, F4 b) { return _mm_min_ps(a.v, b.v); }
inline F4 max(F4 a, F4 b) { return _mm_max_ps(a.v, b.v); }
// Lower bound first, then upper bound; a NaN lane ends up at `lo`.
inline F4 clamp(F4 x, F4 lo, F4 hi) { return min(max(x, lo), hi); }
// `x` where `mask` is clear, 0 where it is set.
inline F4 andNot(F4 mask, F4 x) { return _mm_andnot_ps(mask.v, x.v); }
inline F4 abs(F4 x) { return _mm_andnot_ps(_mm_set1_ps(-0.0f), x.v); }
// The processor's reciprocal estimate: relative error at most 1.5 * 2^-12, infinite where x
// is 0 or a denormal.
inline F4 rcpEstimate(F4 x) { return _mm_rcp_ps(x.v); }

// The processor's reciprocal estimate (relative error at most 1.5 * 2^-12) refined by one
// Newton step to about 22 bits: as fast as a multiply chain, and 2.14 results then stay
// within a code or two of the exact quotient on every processor. Where the estimate is
// infinite (x is 0 or a denormal) it is kept: the Newton step would turn it into NaN or
// into an infinity of the wrong sign. Callers select the divided lanes by a guard.
inline F4 rcp(F4 x) {
    const __m128 r = _mm_rcp_ps(x.v);
    const __m128 refined = _mm_mul_ps(r, _mm_sub_ps(_mm_set1_ps(2.0f), _mm_mul_ps(x.v, r)));
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), r);
    const __m128 infinite = _mm_cmpeq_ps(magnitude, _mm_set1_ps(__builtin_huge_valf()));
    return _mm_blendv_ps(refined, r, infinite);
}

// The two reciprocals a formula may divide by, for any lane type: the estimate alone, or
// refined as rcp above.
struct EstimatedReciprocal {
    template <class V>
    static V of(V x) {
        return rcpEstimate(x);
    }
};
struct RefinedReciprocal {
    template <class V>
    static V of(V x) {
        return rcp(x);
    }
};

// Per lane: `ifTrue` where the mask is set, else `ifFalse`.
//
// GCC rewrites a blend whose mask feeds more than one blend into a test of the mask's sign
// and rebuilds that sign with two more instructions for every such mask; the pixel loops
// are bound by the instructions they issue, and their masks are reused. Written as the
// instruction itself, with the mask in xmm0 where the encoding wants it, the blend stays one.
inline F4 select(F4 mask, F4 ifTrue, F4 ifFalse) {
#if defined(__GNUC__) && !defined(__clang__)
    __m128 r = ifFalse.v;
    __asm__("blendvps %2, %1, %0" : "+x"(r) : "x"(ifTrue.v), "Yz"(mask.v));
    return r;
#else
    return _mm_blendv_ps(ifFalse.v, ifTrue.v, mask.v);
#endif
}
inline bool anyLane(F4 mask) { return _mm_movemask_ps(mask.v) != 0; }
inline bool allLanes(F4 mask) { return _mm_movemask_ps(mask.v) == 0xF; }
