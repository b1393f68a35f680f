// F8: eight single-precision lanes in one AVX register, with the operations of F4 and the
// same rules: lane masks from comparisons, the NaN operand order of min and max, the
// reciprocals. Per lane it computes exactly what F4 computes: no multiply-add is fused (the
// translation units that include this are built for AVX2 without FMA, and do not contract).
//
// Only the translation units built for AVX2 include this header, and everything in it lives
// in namespace avx2, as does every template instantiated over it: no code of this width can
// stand in for a function of the same name in the four-lane units. The scope's walk is built a
// second time with AVX-512VL, where the build renames that namespace to avx512vl (-Davx2=...),
// so neither build's code can stand in for the other's either.
#pragma once

#ifndef __AVX2__
#error "f8.h belongs to the translation units built with -mavx2"
#endif

#include <immintrin.h>

#include "pixel/f4.h"

namespace avx2 {

struct F8 {
    static constexpr int kLanes = 8;
    using Bits = __m256i;

    __m256 v;

    F8() = default;
    constexpr F8(__m256 x) : v(x) {}
    static F8 all(float x) { return _mm256_set1_ps(x); }
    static F8 zero() { return _mm256_setzero_ps(); }
    static F8 mask(bool on) { return on ? F8(_mm256_castsi256_ps(_mm256_set1_epi32(-1))) : zero(); }

    friend F8 operator+(F8 a, F8 b) { return _mm256_add_ps(a.v, b.v); }
    friend F8 operator-(F8 a, F8 b) { return _mm256_sub_ps(a.v, b.v); }
    friend F8 operator*(F8 a, F8 b) { return _mm256_mul_ps(a.v, b.v); }
    friend F8 operator/(F8 a, F8 b) { return _mm256_div_ps(a.v, b.v); }
    F8& operator+=(F8 b) { return *this = *this + b; }
    F8& operator*=(F8 b) { return *this = *this * b; }

    // Lane masks; the ordered, quiet predicates of the SSE comparisons.
    friend F8 operator<(F8 a, F8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_LT_OS); }
    friend F8 operator<=(F8 a, F8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_LE_OS); }
    friend F8 operator>(F8 a, F8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_GT_OS); }
    friend F8 operator>=(F8 a, F8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_GE_OS); }
    friend F8 operator==(F8 a, F8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_EQ_OQ); }
    friend F8 operator&(F8 a, F8 b) { return _mm256_and_ps(a.v, b.v); }
    friend F8 operator|(F8 a, F8 b) { return _mm256_or_ps(a.v, b.v); }

    // The same 128 bits in both halves: a per-frame constant of four equal lanes, or a byte
    // shuffle that works within each half, made for the four-lane registers.
    static F8 widened(F4 x) { return _mm256_set_m128(x.v, x.v); }
    static Bits widened(__m128i x) { return _mm256_set_m128i(x, x); }
};

// As F4: where either lane is NaN the result is `b`.
inline F8 min(F8 a, F8 b) { return _mm256_min_ps(a.v, b.v); }
inline F8 max(F8 a, F8 b) { return _mm256_max_ps(a.v, b.v); }
inline F8 clamp(F8 x, F8 lo, F8 hi) { return min(max(x, lo), hi); }
inline F8 andNot(F8 mask, F8 x) { return _mm256_andnot_ps(mask.v, x.v); }
inline F8 abs(F8 x) { return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), x.v); }

// Per lane: `ifTrue` where the mask is set, else `ifFalse`. Every mask is a comparison's
// (all ones or all zeros per lane), so a bitwise select is the same blend: built with
// AVX-512VL it is one instruction, where vblendvps is three micro-operations on recent
// processors. Built for AVX2 alone it is the blend, written as the instruction for GCC, as for
// F4: its own rewrite of a reused blend mask costs two instructions per mask.
inline F8 select(F8 mask, F8 ifTrue, F8 ifFalse) {
#if defined(__AVX512VL__)
    constexpr int kMaskSelects = 0xCA;  // the truth table of mask ? ifTrue : ifFalse
    return _mm256_castsi256_ps(
        _mm256_ternarylogic_epi32(_mm256_castps_si256(mask.v), _mm256_castps_si256(ifTrue.v),
                                  _mm256_castps_si256(ifFalse.v), kMaskSelects));
#elif defined(__GNUC__) && !defined(__clang__)
    __m256 r;
    __asm__("vblendvps %3, %2, %1, %0" : "=x"(r) : "x"(ifFalse.v), "x"(ifTrue.v), "x"(mask.v));
    return r;
#else
    return _mm256_blendv_ps(ifFalse.v, ifTrue.v, mask.v);
#endif
}

// vrcpps on eight lanes; per lane the same estimate as the four-lane instruction.
inline F8 rcpEstimate(F8 x) { return _mm256_rcp_ps(x.v); }

// The estimate refined by one Newton step, the infinite estimates kept (see rcp of F4).
inline F8 rcp(F8 x) {
    const __m256 r = _mm256_rcp_ps(x.v);
    const __m256 refined =
        _mm256_mul_ps(r, _mm256_sub_ps(_mm256_set1_ps(2.0f), _mm256_mul_ps(x.v, r)));
    const __m256 magnitude = _mm256_andnot_ps(_mm256_set1_ps(-0.0f), r);
    const __m256 infinite =
        _mm256_cmp_ps(magnitude, _mm256_set1_ps(__builtin_huge_valf()), _CMP_EQ_OQ);
    return select(infinite, r, refined);
}

inline bool anyLane(F8 mask) { return _mm256_movemask_ps(mask.v) != 0; }
inline bool allLanes(F8 mask) { return _mm256_movemask_ps(mask.v) == 0xFF; }

}  // namespace avx2
