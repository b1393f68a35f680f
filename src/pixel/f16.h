// F16: sixteen single-precision lanes in one AVX-512 register, with the operations of F4 and
// the same rules, so that per lane it computes exactly what F4 computes: lane masks from
// comparisons as vectors (all bits set where true), the NaN operand order of min and max, the
// same reciprocal estimate, and no multiply-add fused (the translation units that include
// this are built without contracting).
//
// Only the translation units built for AVX-512 include this header, and everything in it lives
// in namespace avx512, as does every template instantiated over it: no code of this width can
// stand in for a function of the same name in the narrower units.
#pragma once

#if !defined(__AVX512F__) || !defined(__AVX512BW__) || !defined(__AVX512DQ__)
#error "f16.h belongs to the translation units built with AVX-512 F, BW and DQ"
#endif

#include <immintrin.h>

#include "pixel/f4.h"

namespace avx512 {

struct F16 {
    static constexpr int kLanes = 16;
    using Bits = __m512i;

    __m512 v;

    F16() = default;
    constexpr F16(__m512 x) : v(x) {}
    static F16 all(float x) { return _mm512_set1_ps(x); }
    static F16 zero() { return _mm512_setzero_ps(); }
    static F16 mask(bool on) {
        return on ? F16(_mm512_castsi512_ps(_mm512_set1_epi32(-1))) : zero();
    }
    // A comparison's mask register as a vector of lane masks.
    static F16 fromMask(__mmask16 m) { return _mm512_castsi512_ps(_mm512_movm_epi32(m)); }

    friend F16 operator+(F16 a, F16 b) { return _mm512_add_ps(a.v, b.v); }
    friend F16 operator-(F16 a, F16 b) { return _mm512_sub_ps(a.v, b.v); }
    friend F16 operator*(F16 a, F16 b) { return _mm512_mul_ps(a.v, b.v); }
    friend F16 operator/(F16 a, F16 b) { return _mm512_div_ps(a.v, b.v); }
    F16& operator+=(F16 b) { return *this = *this + b; }
    F16& operator*=(F16 b) { return *this = *this * b; }

    // The ordered, quiet predicates of the SSE comparisons.
    friend F16 operator<(F16 a, F16 b) {
        return fromMask(_mm512_cmp_ps_mask(a.v, b.v, _CMP_LT_OS));
    }
    friend F16 operator<=(F16 a, F16 b) {
        return fromMask(_mm512_cmp_ps_mask(a.v, b.v, _CMP_LE_OS));
    }
    friend F16 operator>(F16 a, F16 b) {
        return fromMask(_mm512_cmp_ps_mask(a.v, b.v, _CMP_GT_OS));
    }
    friend F16 operator>=(F16 a, F16 b) {
        return fromMask(_mm512_cmp_ps_mask(a.v, b.v, _CMP_GE_OS));
    }
    friend F16 operator==(F16 a, F16 b) {
        return fromMask(_mm512_cmp_ps_mask(a.v, b.v, _CMP_EQ_OQ));
    }
    friend F16 operator&(F16 a, F16 b) { return _mm512_and_ps(a.v, b.v); }
    friend F16 operator|(F16 a, F16 b) { return _mm512_or_ps(a.v, b.v); }

    // A per-frame constant of four lanes, or a byte shuffle made for the four-lane registers,
    // in each of the four 16-byte quarters: every shuffle works within a quarter.
    static F16 widened(F4 x) { return _mm512_broadcast_f32x4(x.v); }
    static Bits widened(__m128i x) { return _mm512_broadcast_i32x4(x); }
};

// As F4: where either lane is NaN the result is `b`.
inline F16 min(F16 a, F16 b) { return _mm512_min_ps(a.v, b.v); }
inline F16 max(F16 a, F16 b) { return _mm512_max_ps(a.v, b.v); }
inline F16 clamp(F16 x, F16 lo, F16 hi) { return min(max(x, lo), hi); }
inline F16 andNot(F16 mask, F16 x) { return _mm512_andnot_ps(mask.v, x.v); }
inline F16 abs(F16 x) { return _mm512_andnot_ps(_mm512_set1_ps(-0.0f), x.v); }

// Per lane: `ifTrue` where the mask is set, else `ifFalse`; every mask is all ones or all
// zeros per lane, so the bitwise select is the blend.
inline F16 select(F16 mask, F16 ifTrue, F16 ifFalse) {
    constexpr int kMaskSelects = 0xCA;  // the truth table of mask ? ifTrue : ifFalse
    return _mm512_castsi512_ps(
        _mm512_ternarylogic_epi32(_mm512_castps_si512(mask.v), _mm512_castps_si512(ifTrue.v),
                                  _mm512_castps_si512(ifFalse.v), kMaskSelects));
}

// The estimate of the narrower paths, vrcpps, on each half: AVX-512's own estimate is more
// precise, and so would give other results than the four lanes do.
inline F16 rcpEstimate(F16 x) {
    const __m256 lo = _mm256_rcp_ps(_mm512_castps512_ps256(x.v));
    const __m256 hi = _mm256_rcp_ps(_mm512_extractf32x8_ps(x.v, 1));
    return _mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1);
}

// The estimate refined by one Newton step, the infinite estimates kept (see rcp of F4).
inline F16 rcp(F16 x) {
    const F16 r = rcpEstimate(x);
    const F16 refined = r * (F16::all(2.0f) - x * r);
    const F16 infinite = abs(r) == F16::all(__builtin_huge_valf());
    return select(infinite, r, refined);
}

inline bool anyLane(F16 mask) { return _mm512_movepi32_mask(_mm512_castps_si512(mask.v)) != 0; }
inline bool allLanes(F16 mask) {
    return _mm512_movepi32_mask(_mm512_castps_si512(mask.v)) == 0xFFFF;
}

}  // namespace avx512
