// How a group of eight 4:2:2 pairs moves between memory and eight-lane vectors, one lane per
// pair: the eight-lane form of XmmLanes, with the same operations and the same per-lane
// results. A 256-bit register works as two 128-bit halves for shuffles and packs, so each half
// does what the four-lane register does for four pairs: the low half pairs 0 to 3, the high
// half pairs 4 to 7. Only where memory order and half order differ do whole halves move.
//
// In the "pairs" arrangement vector k holds pair k in its low half and pair k + 4 in its high
// half, which is what the per-half transpose makes of channels.
#pragma once

#include "pixel/f8.h"
#include "pixel/xmm_lanes.h"

namespace avx2 {

struct YmmLanes {
    using Float = F8;
    static constexpr int kPairs = 8;

    struct Quad {
        F8 v0, v1, v2, v3;
    };

    // The four-lane shuffles, in both halves.
    struct Order {
        __m256i byteChannel[4];
        __m256i bytePairs;
        __m256i swapWords, swapFloats;
    };

    static Order orderFor(bool lumaFirst) {
        const XmmLanes::Order narrow = XmmLanes::orderFor(lumaFirst);
        Order o;
        for (int c = 0; c < 4; ++c) o.byteChannel[c] = F8::widened(narrow.byteChannel[c]);
        o.bytePairs = F8::widened(narrow.bytePairs);
        o.swapWords = F8::widened(narrow.swapWords);
        o.swapFloats = F8::widened(narrow.swapFloats);
        return o;
    }

    // Vector k of each half becomes lane k of the four inputs' halves.
    static Quad transpose(Quad q) {
        const __m256 t0 = _mm256_unpacklo_ps(q.v0.v, q.v1.v);
        const __m256 t1 = _mm256_unpacklo_ps(q.v2.v, q.v3.v);
        const __m256 t2 = _mm256_unpackhi_ps(q.v0.v, q.v1.v);
        const __m256 t3 = _mm256_unpackhi_ps(q.v2.v, q.v3.v);
        return {_mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(1, 0, 1, 0)),
                _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(3, 2, 3, 2)),
                _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(1, 0, 1, 0)),
                _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(3, 2, 3, 2))};
    }

    // 8-bit: 32 bytes, as channels of byte codes; readBytes leaves no saved copy.
    static Quad loadBytes(const uint8_t* p, uint8_t* saved, const Order& o) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(saved), x);
        return byteChannels(x, o);
    }
    static Quad readBytes(const uint8_t* p, const Order& o) {
        return byteChannels(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), o);
    }

    struct CodeOffsets {
        __m256i v01, v23;
    };
    static CodeOffsets codeOffsets(int16_t o0, int16_t o1, int16_t o2, int16_t o3) {
        const XmmLanes::CodeOffsets narrow = XmmLanes::codeOffsets(o0, o1, o2, o3);
        return {F8::widened(narrow.v01), F8::widened(narrow.v23)};
    }

    // As XmmLanes::storeBytes, each half packing its own four pairs: 32 bytes.
    template <VectorsHold Hold>
    static void storeBytes(uint8_t* p, const Quad& q, const Order& o, const CodeOffsets& add) {
        const __m256i w01 = _mm256_adds_epi16(
            _mm256_packs_epi32(_mm256_cvtps_epi32(q.v0.v), _mm256_cvtps_epi32(q.v1.v)), add.v01);
        const __m256i w23 = _mm256_adds_epi16(
            _mm256_packs_epi32(_mm256_cvtps_epi32(q.v2.v), _mm256_cvtps_epi32(q.v3.v)), add.v23);
        __m256i bytes = _mm256_packus_epi16(w01, w23);
        if constexpr (Hold == VectorsHold::Channels)
            bytes = _mm256_shuffle_epi8(bytes, o.bytePairs);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), bytes);
    }

    // 2.14: 64 bytes. Memory holds pairs 0-3 then 4-7; the halves are regrouped so that each
    // register holds two pairs of each half's four.
    static Quad loadWords(const uint8_t* p, uint8_t* saved, const Order& o) {
        const auto* q = reinterpret_cast<const __m256i*>(p);
        const __m256i a = _mm256_loadu_si256(q), b = _mm256_loadu_si256(q + 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(saved), a);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(saved) + 1, b);
        const __m256i first = _mm256_permute2x128_si256(a, b, 0x20);   // pairs 0 1 | 4 5
        const __m256i second = _mm256_permute2x128_si256(a, b, 0x31);  // pairs 2 3 | 6 7
        const __m256 af = _mm256_castsi256_ps(_mm256_shuffle_epi8(first, o.swapWords));
        const __m256 bf = _mm256_castsi256_ps(_mm256_shuffle_epi8(second, o.swapWords));
        const __m256i cbY0 =
            _mm256_castps_si256(_mm256_shuffle_ps(af, bf, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m256i crY1 =
            _mm256_castps_si256(_mm256_shuffle_ps(af, bf, _MM_SHUFFLE(3, 1, 3, 1)));
        const auto low = [](__m256i x) {
            return toFloat(_mm256_srai_epi32(_mm256_slli_epi32(x, 16), 16));
        };
        const auto high = [](__m256i x) { return toFloat(_mm256_srai_epi32(x, 16)); };
        return {low(cbY0), high(cbY0), low(crY1), high(crY1)};
    }

    template <VectorsHold Hold>
    static void storeWords(uint8_t* p, const Quad& q, const Order& o) {
        const auto word = [](F8 x) { return _mm256_cvttps_epi32(x.v); };
        __m256i lo, hi;  // pairs 0 1 | 4 5 and 2 3 | 6 7
        if constexpr (Hold == VectorsHold::Channels) {
            const __m256i chroma = _mm256_packs_epi32(word(q.v0), word(q.v2));
            const __m256i luma = _mm256_packs_epi32(word(q.v1), word(q.v3));
            const __m256i cbY0 = _mm256_unpacklo_epi16(chroma, luma);
            const __m256i crY1 = _mm256_unpackhi_epi16(chroma, luma);
            lo = _mm256_shuffle_epi8(_mm256_unpacklo_epi32(cbY0, crY1), o.swapWords);
            hi = _mm256_shuffle_epi8(_mm256_unpackhi_epi32(cbY0, crY1), o.swapWords);
        } else {
            lo = _mm256_packs_epi32(word(q.v0), word(q.v1));
            hi = _mm256_packs_epi32(word(q.v2), word(q.v3));
        }
        auto* d = reinterpret_cast<__m256i*>(p);
        _mm256_storeu_si256(d, _mm256_permute2x128_si256(lo, hi, 0x20));
        _mm256_storeu_si256(d + 1, _mm256_permute2x128_si256(lo, hi, 0x31));
    }

    // Float: 128 bytes. Streaming accesses need a 32-byte boundary here (loads of 32 bytes).
    static bool onBoundary(const void* p) { return (reinterpret_cast<uintptr_t>(p) & 31) == 0; }

    static Quad loadFloats(const uint8_t* p, uint8_t* saved, const Order& o) {
        auto* q = reinterpret_cast<__m256i*>(const_cast<uint8_t*>(p));
        __m256i r[4];
        if (onBoundary(p)) {
            for (int k = 0; k < 4; ++k) r[k] = _mm256_stream_load_si256(q + k);
        } else {
            for (int k = 0; k < 4; ++k) r[k] = _mm256_loadu_si256(q + k);
        }
        for (int k = 0; k < 4; ++k)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(saved) + k, r[k]);
        for (int k = 0; k < 4; ++k) r[k] = _mm256_shuffle_epi8(r[k], o.swapFloats);
        // r holds pairs 0 1, 2 3, 4 5, 6 7: regrouped into pair k | pair k + 4.
        const auto low = [](__m256i a, __m256i b) {
            return F8(_mm256_castsi256_ps(_mm256_permute2x128_si256(a, b, 0x20)));
        };
        const auto high = [](__m256i a, __m256i b) {
            return F8(_mm256_castsi256_ps(_mm256_permute2x128_si256(a, b, 0x31)));
        };
        return transpose({low(r[0], r[2]), high(r[0], r[2]), low(r[1], r[3]), high(r[1], r[3])});
    }

    template <VectorsHold Hold>
    static void storeFloats(uint8_t* p, Quad q, const Order& o, bool toFrame) {
        if constexpr (Hold == VectorsHold::Channels) q = inStorageOrder(transpose(q), o);
        // Vector k holds pair k | pair k + 4: memory wants pairs 0 1, 2 3, 4 5, 6 7.
        const __m256 r[4] = {_mm256_permute2f128_ps(q.v0.v, q.v1.v, 0x20),
                             _mm256_permute2f128_ps(q.v2.v, q.v3.v, 0x20),
                             _mm256_permute2f128_ps(q.v0.v, q.v1.v, 0x31),
                             _mm256_permute2f128_ps(q.v2.v, q.v3.v, 0x31)};
        auto* d = reinterpret_cast<float*>(p);
        if (toFrame && onBoundary(p)) {
            for (int k = 0; k < 4; ++k) stream(d + 8 * k, r[k]);
        } else {
            for (int k = 0; k < 4; ++k) _mm256_storeu_ps(d + 8 * k, r[k]);
        }
    }

    static Quad inStorageOrder(Quad q, const Order& o) {
        const auto swap = [&o](F8 x) {
            return F8(
                _mm256_castsi256_ps(_mm256_shuffle_epi8(_mm256_castps_si256(x.v), o.swapFloats)));
        };
        return {swap(q.v0), swap(q.v1), swap(q.v2), swap(q.v3)};
    }

    // A saved group to a frame, as storeFloats writes one: the saved bytes are in memory
    // order already.
    static void copyFloats(uint8_t* to, const uint8_t* saved, const Order&) {
        const auto* s = reinterpret_cast<const float*>(saved);
        auto* d = reinterpret_cast<float*>(to);
        for (int k = 0; k < 4; ++k) {
            const __m256 x = _mm256_loadu_ps(s + 8 * k);
            onBoundary(to) ? stream(d + 8 * k, x) : _mm256_storeu_ps(d + 8 * k, x);
        }
    }

    static void fence() { _mm_sfence(); }

    template <int Bytes>
    static void copy(uint8_t* to, const uint8_t* from) {
        for (int i = 0; i < Bytes; i += 32)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i)));
    }

    // As XmmLanes::addRows, for eight lanes.
    static Quad addRows(const float* first, F8 positionA, const float* second, F8 positionB,
                        int last) {
        const __m256i top = _mm256_set1_epi32(last);
        const auto offsets = [&](F8 position) {
            const __m256i i = _mm256_cvttps_epi32(position.v);
            return _mm256_slli_epi32(
                _mm256_min_epi32(_mm256_max_epi32(i, _mm256_setzero_si256()), top), 4);
        };
        alignas(32) uint32_t offset[16];
        _mm256_store_si256(reinterpret_cast<__m256i*>(offset), offsets(positionA));
        _mm256_store_si256(reinterpret_cast<__m256i*>(offset) + 1, offsets(positionB));
#if defined(__GNUC__)
        __asm__("" : "+m"(offset));
#endif
        const auto* a = reinterpret_cast<const uint8_t*>(first);
        const auto* b = reinterpret_cast<const uint8_t*>(second);
        const auto sum = [&](int k) {
            return _mm_add_ps(_mm_load_ps(reinterpret_cast<const float*>(a + offset[k])),
                              _mm_load_ps(reinterpret_cast<const float*>(b + offset[k + 8])));
        };
        const auto both = [&](int k) { return F8(_mm256_set_m128(sum(k + 4), sum(k))); };
        return transpose({both(0), both(1), both(2), both(3)});
    }

private:
    static F8 toFloat(__m256i x) { return _mm256_cvtepi32_ps(x); }
    static Quad byteChannels(__m256i x, const Order& o) {
        const auto channel = [&](int c) {
            return toFloat(_mm256_shuffle_epi8(x, o.byteChannel[c]));
        };
        return {channel(0), channel(1), channel(2), channel(3)};
    }
    // As two 16-byte streaming stores: 32-byte ones ran the float pass half as slow again on
    // the processors we measured, where 16-byte ones keep pace with the four-lane pass.
    static void stream(float* d, __m256 x) {
        _mm_stream_ps(d, _mm256_castps256_ps128(x));
        _mm_stream_ps(d + 4, _mm256_extractf128_ps(x, 1));
    }
};

}  // namespace avx2
