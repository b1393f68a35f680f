// The part of the YCbCr converters that depends on the register width: how a group of four
// 4:2:2 pairs moves between memory and four-lane vectors, one lane per pair.
//
// A group travels as four vectors (a Quad) in one of two arrangements: "channels", the
// vectors Cb, Y0, Cr, Y1 of the four pairs, or "pairs", where vector k holds the four stored
// samples of pair k in storage order. The layout's sample order is a shuffle made once per
// converter (Order), so no group branches on it.
#pragma once

#include <smmintrin.h>

#include <cstdint>

#include "pixel/f4.h"

enum class VectorsHold { Channels, Pairs };

struct XmmLanes {
    using Float = F4;
    static constexpr int kPairs = 4;

    struct Quad {
        F4 v0, v1, v2, v3;
    };

    // Shuffles between the sample order of a stored pair and Cb Y0 Cr Y1.
    struct Order {
        // 8-bit: one channel of the 16 bytes into dword lanes, zero-extended.
        __m128i byteChannel[4];
        // 8-bit: bytes Cb0..3 Y0 0..3 Cr0..3 Y1 0..3 -> stored pairs.
        __m128i bytePairs;
        // The samples of a pair, stored <-> Cb Y0 Cr Y1, as words and as floats; each is its
        // own inverse.
        __m128i swapWords, swapFloats;
    };

    // Layout 1 stores Y0 Cb Y1 Cr; every other layout Cb Y0 Cr Y1.
    CORVANE_BOTH_WIDTHS static Order orderFor(bool lumaFirst) {
        const int at[4] = {lumaFirst ? 1 : 0, lumaFirst ? 0 : 1, lumaFirst ? 3 : 2,
                           lumaFirst ? 2 : 3};  // position of Cb, Y0, Cr, Y1 in a pair
        Order o;
        alignas(16) int8_t m[16];
        for (int c = 0; c < 4; ++c) {
            for (int i = 0; i < 16; ++i) m[i] = i % 4 == 0 ? static_cast<int8_t>(i + at[c]) : -1;
            o.byteChannel[c] = _mm_load_si128(reinterpret_cast<const __m128i*>(m));
        }
        for (int k = 0; k < 4; ++k)
            for (int c = 0; c < 4; ++c) m[4 * k + at[c]] = static_cast<int8_t>(4 * c + k);
        o.bytePairs = _mm_load_si128(reinterpret_cast<const __m128i*>(m));
        // Swapping the first two and the last two samples of a pair, as words and as floats.
        const __m128i same = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        o.swapWords =
            lumaFirst ? _mm_setr_epi8(2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13) : same;
        o.swapFloats =
            lumaFirst ? _mm_setr_epi8(4, 5, 6, 7, 0, 1, 2, 3, 12, 13, 14, 15, 8, 9, 10, 11) : same;
        return o;
    }

    // Vector k becomes lane k of the four inputs: channels <-> pairs.
    static Quad transpose(Quad q) {
        _MM_TRANSPOSE4_PS(q.v0.v, q.v1.v, q.v2.v, q.v3.v);
        return q;
    }

    // 8-bit: 16 bytes, as channels of byte codes; readBytes leaves no saved copy.
    static Quad loadBytes(const uint8_t* p, uint8_t* saved, const Order& o) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_store_si128(reinterpret_cast<__m128i*>(saved), x);
        return byteChannels(x, o);
    }
    static Quad readBytes(const uint8_t* p, const Order& o) {
        return byteChannels(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), o);
    }

    // Whole numbers added to the four vectors' values after rounding, as the packs pair them.
    struct CodeOffsets {
        __m128i v01, v23;
    };
    CORVANE_BOTH_WIDTHS static CodeOffsets codeOffsets(int16_t o0, int16_t o1, int16_t o2,
                                                       int16_t o3) {
        return {_mm_setr_epi16(o0, o0, o0, o0, o1, o1, o1, o1),
                _mm_setr_epi16(o2, o2, o2, o2, o3, o3, o3, o3)};
    }

    // Each value rounded to an integer by the processor's mode (to nearest, ties to even,
    // unless a caller changed it), its offset added, then saturated to a byte: 16 bytes.
    template <VectorsHold Hold>
    static void storeBytes(uint8_t* p, const Quad& q, const Order& o, const CodeOffsets& add) {
        const __m128i w01 = _mm_adds_epi16(
            _mm_packs_epi32(_mm_cvtps_epi32(q.v0.v), _mm_cvtps_epi32(q.v1.v)), add.v01);
        const __m128i w23 = _mm_adds_epi16(
            _mm_packs_epi32(_mm_cvtps_epi32(q.v2.v), _mm_cvtps_epi32(q.v3.v)), add.v23);
        __m128i bytes = _mm_packus_epi16(w01, w23);
        if constexpr (Hold == VectorsHold::Channels) bytes = _mm_shuffle_epi8(bytes, o.bytePairs);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), bytes);
    }

    // 2.14: 32 bytes of signed 16-bit samples, pairs 0 and 1 in the first register.
    static Quad loadWords(const uint8_t* p, uint8_t* saved, const Order& o) {
        const auto* q = reinterpret_cast<const __m128i*>(p);
        const __m128i a = _mm_loadu_si128(q), b = _mm_loadu_si128(q + 1);
        _mm_store_si128(reinterpret_cast<__m128i*>(saved), a);
        _mm_store_si128(reinterpret_cast<__m128i*>(saved) + 1, b);
        // Dwords, after the swap: Cb|Y0 and Cr|Y1 of pair 0, then of pair 1; b likewise.
        const __m128 af = _mm_castsi128_ps(_mm_shuffle_epi8(a, o.swapWords));
        const __m128 bf = _mm_castsi128_ps(_mm_shuffle_epi8(b, o.swapWords));
        const __m128i cbY0 = _mm_castps_si128(_mm_shuffle_ps(af, bf, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i crY1 = _mm_castps_si128(_mm_shuffle_ps(af, bf, _MM_SHUFFLE(3, 1, 3, 1)));
        // Arithmetic shifts sign-extend the low and the high word of each dword.
        const auto low = [](__m128i x) {
            return toFloat(_mm_srai_epi32(_mm_slli_epi32(x, 16), 16));
        };
        const auto high = [](__m128i x) { return toFloat(_mm_srai_epi32(x, 16)); };
        return {low(cbY0), high(cbY0), low(crY1), high(crY1)};
    }

    // Each value truncated toward zero, then saturated to 16 bits: 32 bytes.
    template <VectorsHold Hold>
    static void storeWords(uint8_t* p, const Quad& q, const Order& o) {
        const auto word = [](F4 x) { return _mm_cvttps_epi32(x.v); };
        __m128i lo, hi;
        if constexpr (Hold == VectorsHold::Channels) {
            const __m128i chroma = _mm_packs_epi32(word(q.v0), word(q.v2));  // Cb0..3 Cr0..3
            const __m128i luma = _mm_packs_epi32(word(q.v1), word(q.v3));    // Y0 0..3 Y1 0..3
            const __m128i cbY0 = _mm_unpacklo_epi16(chroma, luma);
            const __m128i crY1 = _mm_unpackhi_epi16(chroma, luma);
            lo = _mm_shuffle_epi8(_mm_unpacklo_epi32(cbY0, crY1), o.swapWords);
            hi = _mm_shuffle_epi8(_mm_unpackhi_epi32(cbY0, crY1), o.swapWords);
        } else {
            lo = _mm_packs_epi32(word(q.v0), word(q.v1));
            hi = _mm_packs_epi32(word(q.v2), word(q.v3));
        }
        auto* d = reinterpret_cast<__m128i*>(p);
        _mm_storeu_si128(d, lo);
        _mm_storeu_si128(d + 1, hi);
    }

    // Float: 64 bytes, one pair per register. Streaming accesses need a 16-byte boundary, so
    // a frame whose pixels start elsewhere takes plain unaligned ones; the test is per group
    // and goes the same way for every group of a frame.
    static bool onBoundary(const void* p) { return (reinterpret_cast<uintptr_t>(p) & 15) == 0; }

    static Quad loadFloats(const uint8_t* p, uint8_t* saved, const Order& o) {
        auto* q = reinterpret_cast<__m128i*>(const_cast<uint8_t*>(p));
        __m128i r[4];
        if (onBoundary(p)) {
            for (int k = 0; k < 4; ++k) r[k] = _mm_stream_load_si128(q + k);
        } else {
            for (int k = 0; k < 4; ++k) r[k] = _mm_loadu_si128(q + k);
        }
        for (int k = 0; k < 4; ++k) _mm_store_si128(reinterpret_cast<__m128i*>(saved) + k, r[k]);
        const auto pair = [&](int k) {
            return F4(_mm_castsi128_ps(_mm_shuffle_epi8(r[k], o.swapFloats)));
        };
        return transpose({pair(0), pair(1), pair(2), pair(3)});
    }

    // Streams to a frame (`toFrame`), or writes through the cache into the converter's own
    // saved group, which is read again soon.
    template <VectorsHold Hold>
    static void storeFloats(uint8_t* p, Quad q, const Order& o, bool toFrame) {
        if constexpr (Hold == VectorsHold::Channels) q = inStorageOrder(transpose(q), o);
        auto* d = reinterpret_cast<float*>(p);
        if (toFrame && onBoundary(p)) {
            _mm_stream_ps(d, q.v0.v);
            _mm_stream_ps(d + 4, q.v1.v);
            _mm_stream_ps(d + 8, q.v2.v);
            _mm_stream_ps(d + 12, q.v3.v);
        } else {
            _mm_storeu_ps(d, q.v0.v);
            _mm_storeu_ps(d + 4, q.v1.v);
            _mm_storeu_ps(d + 8, q.v2.v);
            _mm_storeu_ps(d + 12, q.v3.v);
        }
    }

    // Pairs as Cb Y0 Cr Y1 -> pairs in storage order, for floats.
    static Quad inStorageOrder(Quad q, const Order& o) {
        const auto swap = [&o](F4 x) {
            return F4(_mm_castsi128_ps(_mm_shuffle_epi8(_mm_castps_si128(x.v), o.swapFloats)));
        };
        return {swap(q.v0), swap(q.v1), swap(q.v2), swap(q.v3)};
    }

    // A saved group (16-byte aligned) to a frame, as storeFloats writes one.
    static void copyFloats(uint8_t* to, const uint8_t* saved, const Order& o) {
        const auto* s = reinterpret_cast<const float*>(saved);
        storeFloats<VectorsHold::Pairs>(
            to, {_mm_load_ps(s), _mm_load_ps(s + 4), _mm_load_ps(s + 8), _mm_load_ps(s + 12)}, o,
            true);
    }

    // Streaming stores are weakly ordered: fenced before anyone else reads the frame.
    static void fence() { _mm_sfence(); }

    // `Bytes` (a multiple of 16) copied as they are.
    template <int Bytes>
    static void copy(uint8_t* to, const uint8_t* from) {
        for (int i = 0; i < Bytes; i += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
    }

    // Two tables of 16-byte rows of four floats, 16-byte aligned, at most 2048 rows. Lane k
    // adds row a_k of `first` to row b_k of `second`, where a_k and b_k are trunc(position)
    // clamped to 0..last; field f of the four sums comes back in vector f. The clamp is on the
    // integer, so no position, NaN included, reads outside the tables.
    static Quad addRows(const float* first, F4 positionA, const float* second, F4 positionB,
                        int last) {
        // Both index vectors as eight words, clamped and turned into byte offsets at once.
        const __m128i i =
            _mm_packs_epi32(_mm_cvttps_epi32(positionA.v), _mm_cvttps_epi32(positionB.v));
        const __m128i inTable = _mm_min_epi16(_mm_max_epi16(i, _mm_setzero_si128()),
                                              _mm_set1_epi16(static_cast<int16_t>(last)));
        // Through memory: one store and eight scalar loads leave the vector units to the
        // arithmetic, where eight lane extractions would take two of their operations each.
        // The empty statement keeps the compiler from turning the loads into extractions.
        alignas(16) uint16_t offset[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(offset), _mm_slli_epi16(inTable, 4));
#if defined(__GNUC__)
        __asm__("" : "+m"(offset));
#endif
        const auto* a = reinterpret_cast<const uint8_t*>(first);
        const auto* b = reinterpret_cast<const uint8_t*>(second);
        const auto sum = [&](int k) {
            return F4(_mm_add_ps(_mm_load_ps(reinterpret_cast<const float*>(a + offset[k])),
                                 _mm_load_ps(reinterpret_cast<const float*>(b + offset[k + 4]))));
        };
        return transpose({sum(0), sum(1), sum(2), sum(3)});
    }

private:
    static F4 toFloat(__m128i x) { return _mm_cvtepi32_ps(x); }
    static Quad byteChannels(__m128i x, const Order& o) {
        const auto channel = [&](int c) { return toFloat(_mm_shuffle_epi8(x, o.byteChannel[c])); };
        return {channel(0), channel(1), channel(2), channel(3)};
    }
};
