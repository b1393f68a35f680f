// The eight-pixel forms of the pixel I/O (pixel_io.h), for the loops built for AVX2. Each
// 32-byte register works as two 16-byte halves with the four-pixel shuffles of the frame,
// which keeps every byte move within a half; only the order of the pixels in the lanes
// follows from that, and a store puts back exactly what its load took. The arithmetic on the
// values is that of the four-pixel forms, lane by lane.
#pragma once

#include <immintrin.h>

#include <cstdint>

#include "blend/pixel_io.h"
#include "pixel/f8.h"

namespace avx2 {

// 8-bit: eight pixels in one register, lane i holding pixel i.
template <bool Video>
struct Io8bit : Depth8bit<Video> {
    using Lanes = F8;
    using Depth8bit<Video>::colour;

    static F8 channel(__m256i x, const FormatConstants<F8>& k, int c) {
        return _mm256_cvtepi32_ps(_mm256_shuffle_epi8(x, k.channelShuffle[c]));
    }

    static Group<F8> load(const uint8_t* p, const FormatConstants<F8>& k) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        return {colour(channel(x, k, 0), k), colour(channel(x, k, 1), k),
                colour(channel(x, k, 2), k), channel(x, k, 3) * k.invAlphaScale};
    }

    // Each half: the codes R G B A of its four pixels, as the four-pixel pack makes them.
    static __m256i pack(const Group<F8>& c, const FormatConstants<F8>& k) {
        const auto code = [&k](F8 x) { return _mm256_cvtps_epi32(Depth8bit<Video>::code(x, k).v); };
        const __m256i a = _mm256_cvtps_epi32((c.a * k.alphaScale).v);
        return _mm256_packus_epi16(_mm256_packs_epi32(code(c.r), code(c.g)),
                                   _mm256_packs_epi32(code(c.b), a));
    }

    static void store(uint8_t* p, const Group<F8>& c, const FormatConstants<F8>& k) {
        const __m256i bytes =
            _mm256_max_epu8(pack(io_detail::belowUpperBounds(c, k), k), k.codeLo[0]);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p),
                            _mm256_shuffle_epi8(bytes, k.storeShuffle));
    }

    static void finish() {}
};

// 2.14: eight pixels in two registers. The lanes hold pixels 0 1 4 5 | 2 3 6 7.
struct Io2_14 : Depth2_14 {
    using Lanes = F8;

    static Group<F8> load(const uint8_t* p, const FormatConstants<F8>& k) {
        const auto* q = reinterpret_cast<const __m256i*>(p);
        // Each half after the shuffle: R R G G B B A A of its two pixels.
        const __m256i lo = _mm256_shuffle_epi8(_mm256_loadu_si256(q), k.loadShuffle);
        const __m256i hi = _mm256_shuffle_epi8(_mm256_loadu_si256(q + 1), k.loadShuffle);
        const __m256i rg = _mm256_unpacklo_epi32(lo, hi);  // R0 R1 R4 R5 G0 G1 G4 G5 | R2 ..
        const __m256i ba = _mm256_unpackhi_epi32(lo, hi);  // B0 B1 B4 B5 A0 A1 A4 A5 | B2 ..
        // Each sample into the top of a 32-bit lane of its own, then down with its sign.
        const auto first = [](__m256i x) {
            return F8(_mm256_cvtepi32_ps(_mm256_srai_epi32(_mm256_unpacklo_epi16(x, x), 16)));
        };
        const auto second = [](__m256i x) {
            return F8(_mm256_cvtepi32_ps(_mm256_srai_epi32(_mm256_unpackhi_epi16(x, x), 16)));
        };
        return {first(rg) * k.invScale, second(rg) * k.invScale, first(ba) * k.invScale,
                second(ba) * k.invAlphaScale};
    }

    // Truncated toward zero, then saturated, as the four-pixel store does.
    static void store(uint8_t* p, const Group<F8>& c, const FormatConstants<F8>& k) {
        const Group<F8> d = io_detail::belowUpperBounds(c, k);
        const auto samples = [](F8 x, F8 scale) { return _mm256_cvttps_epi32((x * scale).v); };
        const __m256i rg = _mm256_max_epi16(
            _mm256_packs_epi32(samples(d.r, k.scale), samples(d.g, k.scale)), k.codeLo[0]);
        const __m256i ba = _mm256_max_epi16(
            _mm256_packs_epi32(samples(d.b, k.scale), samples(d.a, k.alphaScale)), k.codeLo[1]);
        const __m256i t0 = _mm256_unpacklo_epi32(rg, ba);  // R01 B01 R45 B45 | R23 B23 R67 B67
        const __m256i t1 = _mm256_unpackhi_epi32(rg, ba);  // G01 A01 G45 A45 | G23 A23 G67 A67
        auto* q = reinterpret_cast<__m256i*>(p);
        _mm256_storeu_si256(q, _mm256_shuffle_epi8(_mm256_unpacklo_epi32(t0, t1), k.storeShuffle));
        _mm256_storeu_si256(q + 1,
                            _mm256_shuffle_epi8(_mm256_unpackhi_epi32(t0, t1), k.storeShuffle));
    }

    static void finish() {}
};

// Float: two pixels per register; the lanes hold pixels 0 2 4 6 | 1 3 5 7. Aligned frames
// (32 bytes here) use streaming loads and stores.
template <bool Aligned>
struct IoFloat : DepthFloat {
    using Lanes = F8;
    static constexpr bool kStreamingStores = Aligned;

    // Four registers of two pixels each become four of one channel each, within each half.
    static void transpose(__m256& a, __m256& b, __m256& c, __m256& d) {
        const __m256 t0 = _mm256_shuffle_ps(a, b, 0x44), t2 = _mm256_shuffle_ps(a, b, 0xEE);
        const __m256 t1 = _mm256_shuffle_ps(c, d, 0x44), t3 = _mm256_shuffle_ps(c, d, 0xEE);
        a = _mm256_shuffle_ps(t0, t1, 0x88);
        b = _mm256_shuffle_ps(t0, t1, 0xDD);
        c = _mm256_shuffle_ps(t2, t3, 0x88);
        d = _mm256_shuffle_ps(t2, t3, 0xDD);
    }

    static __m256 loadPixels(const uint8_t* p, const FormatConstants<F8>& k) {
        auto* q = reinterpret_cast<const __m256i*>(p);
        const __m256i x =
            Aligned ? _mm256_stream_load_si256(const_cast<__m256i*>(q)) : _mm256_loadu_si256(q);
        return _mm256_castsi256_ps(_mm256_shuffle_epi8(x, k.loadShuffle));
    }

    static Group<F8> load(const uint8_t* p, const FormatConstants<F8>& k) {
        __m256 r = loadPixels(p, k), g = loadPixels(p + 32, k), b = loadPixels(p + 64, k),
               a = loadPixels(p + 96, k);
        transpose(r, g, b, a);
        return {r, g, b, a};
    }

    static void storePixels(uint8_t* p, __m256 x, const FormatConstants<F8>& k) {
        const __m256i y = _mm256_shuffle_epi8(_mm256_castps_si256(x), k.storeShuffle);
        if constexpr (Aligned)
            _mm256_stream_si256(reinterpret_cast<__m256i*>(p), y);
        else
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), y);
    }

    static void store(uint8_t* p, const Group<F8>& c, const FormatConstants<F8>& k) {
        const Group<F8> d = clamped(c, k);
        __m256 p0 = d.r.v, p1 = d.g.v, p2 = d.b.v, p3 = d.a.v;
        transpose(p0, p1, p2, p3);
        storePixels(p, p0, k);
        storePixels(p + 32, p1, k);
        storePixels(p + 64, p2, k);
        storePixels(p + 96, p3, k);
    }

    static void finish() {
        if constexpr (Aligned) _mm_sfence();
    }
};

}  // namespace avx2
