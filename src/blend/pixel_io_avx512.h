// The sixteen-pixel forms of the pixel I/O (pixel_io.h), for the loops built for AVX-512. The
// 8-bit and float forms work on each 64-byte register as four 16-byte quarters with the
// four-pixel shuffles of the frame, as the eight-pixel forms (pixel_io_avx2.h) work on two
// halves: the order of the pixels in the lanes follows from that, and a store puts back
// exactly what its load took. The arithmetic on the values is that of the four-pixel forms,
// lane by lane.
#pragma once

#include <immintrin.h>

#include <cstdint>

#include "blend/pixel_io.h"
#include "pixel/f16.h"

namespace avx512 {

// 8-bit: sixteen pixels in one register, lane i holding pixel i.
template <bool Video>
struct Io8bit : Depth8bit<Video> {
    using Lanes = F16;
    using Depth8bit<Video>::colour;

    static F16 channel(__m512i x, const FormatConstants<F16>& k, int c) {
        return _mm512_cvtepi32_ps(_mm512_shuffle_epi8(x, k.channelShuffle[c]));
    }

    static Group<F16> load(const uint8_t* p, const FormatConstants<F16>& k) {
        const __m512i x = _mm512_loadu_si512(p);
        return {colour(channel(x, k, 0), k), colour(channel(x, k, 1), k),
                colour(channel(x, k, 2), k), channel(x, k, 3) * k.invAlphaScale};
    }

    // Each quarter: the codes R G B A of its four pixels, as the four-pixel pack makes them.
    static __m512i pack(const Group<F16>& c, const FormatConstants<F16>& k) {
        const auto code = [&k](F16 x) {
            return _mm512_cvtps_epi32(Depth8bit<Video>::code(x, k).v);
        };
        const __m512i a = _mm512_cvtps_epi32((c.a * k.alphaScale).v);
        return _mm512_packus_epi16(_mm512_packs_epi32(code(c.r), code(c.g)),
                                   _mm512_packs_epi32(code(c.b), a));
    }

    static void store(uint8_t* p, const Group<F16>& c, const FormatConstants<F16>& k) {
        const __m512i bytes =
            _mm512_max_epu8(pack(io_detail::belowUpperBounds(c, k), k), k.codeLo[0]);
        _mm512_storeu_si512(p, _mm512_shuffle_epi8(bytes, k.storeShuffle));
    }

    static void finish() {}
};

// 2.14: sixteen pixels in two registers, lane i holding pixel i. One word permute over both
// registers gathers two channels of every pixel, and one puts the packed samples back in
// memory order: eight permutes and unpacks fewer per group than the four-pixel shuffles.
struct Io2_14 : Depth2_14 {
    using Lanes = F16;

    // The permutes of this frame's channel order. Byte 4c of the four-lane load shuffle is
    // the first byte of channel c of a pixel; the packs of a store leave, in each quarter q,
    // R or B of pixels 4q..4q + 3 in words 8q..8q + 3 and G or A in the next four.
    static void prepare(FormatConstants<F16>& k) {
        alignas(64) uint8_t shuffle[64];
        _mm512_store_si512(shuffle, k.loadShuffle);
        int word[4];
        for (int c = 0; c < 4; ++c) word[c] = shuffle[4 * c] / 2;
        alignas(64) uint16_t index[4][32];
        constexpr int kSecond = 32;  // where the second register's words begin
        for (int i = 0; i < 16; ++i) {
            for (int half = 0; half < 2; ++half) {
                index[0][2 * i + half] = static_cast<uint16_t>(4 * i + word[half]);
                index[1][2 * i + half] = static_cast<uint16_t>(4 * i + word[2 + half]);
            }
            const int packed = 8 * (i / 4) + i % 4;
            const int from[4] = {packed, packed + 4, kSecond + packed, kSecond + packed + 4};
            for (int c = 0; c < 4; ++c)
                index[2 + i / 8][4 * (i % 8) + word[c]] = static_cast<uint16_t>(from[c]);
        }
        for (int n = 0; n < 4; ++n) k.wordPermute[n] = _mm512_load_si512(index[n]);
    }

    static Group<F16> load(const uint8_t* p, const FormatConstants<F16>& k) {
        const __m512i first = _mm512_loadu_si512(p), second = _mm512_loadu_si512(p + 64);
        // Lane i: R (or B) of pixel i in its low word, G (or A) in its high word.
        const __m512i rg = _mm512_permutex2var_epi16(first, k.wordPermute[0], second);
        const __m512i ba = _mm512_permutex2var_epi16(first, k.wordPermute[1], second);
        // Each word down into a lane of its own, with its sign.
        const auto low = [](__m512i x) {
            return F16(_mm512_cvtepi32_ps(_mm512_srai_epi32(_mm512_slli_epi32(x, 16), 16)));
        };
        const auto high = [](__m512i x) {
            return F16(_mm512_cvtepi32_ps(_mm512_srai_epi32(x, 16)));
        };
        return {low(rg) * k.invScale, high(rg) * k.invScale, low(ba) * k.invScale,
                high(ba) * k.invAlphaScale};
    }

    // Truncated toward zero, then saturated, as the four-pixel store does.
    static void store(uint8_t* p, const Group<F16>& c, const FormatConstants<F16>& k) {
        const Group<F16> d = io_detail::belowUpperBounds(c, k);
        const auto samples = [](F16 x, F16 scale) { return _mm512_cvttps_epi32((x * scale).v); };
        const __m512i rg = _mm512_max_epi16(
            _mm512_packs_epi32(samples(d.r, k.scale), samples(d.g, k.scale)), k.codeLo[0]);
        const __m512i ba = _mm512_max_epi16(
            _mm512_packs_epi32(samples(d.b, k.scale), samples(d.a, k.alphaScale)), k.codeLo[1]);
        _mm512_storeu_si512(p, _mm512_permutex2var_epi16(rg, k.wordPermute[2], ba));
        _mm512_storeu_si512(p + 64, _mm512_permutex2var_epi16(rg, k.wordPermute[3], ba));
    }

    static void finish() {}
};

// Float: four pixels per register, one per quarter. Aligned frames (64 bytes here) use
// streaming loads and stores.
template <bool Aligned>
struct IoFloat : DepthFloat {
    using Lanes = F16;
    static constexpr bool kStreamingStores = Aligned;

    // Four registers of four pixels each become four of one channel each, within each quarter.
    static void transpose(__m512& a, __m512& b, __m512& c, __m512& d) {
        const __m512 t0 = _mm512_shuffle_ps(a, b, 0x44), t2 = _mm512_shuffle_ps(a, b, 0xEE);
        const __m512 t1 = _mm512_shuffle_ps(c, d, 0x44), t3 = _mm512_shuffle_ps(c, d, 0xEE);
        a = _mm512_shuffle_ps(t0, t1, 0x88);
        b = _mm512_shuffle_ps(t0, t1, 0xDD);
        c = _mm512_shuffle_ps(t2, t3, 0x88);
        d = _mm512_shuffle_ps(t2, t3, 0xDD);
    }

    static __m512 loadPixels(const uint8_t* p, const FormatConstants<F16>& k) {
        const __m512i x =
            Aligned ? _mm512_stream_load_si512(const_cast<uint8_t*>(p)) : _mm512_loadu_si512(p);
        return _mm512_castsi512_ps(_mm512_shuffle_epi8(x, k.loadShuffle));
    }

    static Group<F16> load(const uint8_t* p, const FormatConstants<F16>& k) {
        __m512 r = loadPixels(p, k), g = loadPixels(p + 64, k), b = loadPixels(p + 128, k),
               a = loadPixels(p + 192, k);
        transpose(r, g, b, a);
        return {r, g, b, a};
    }

    static void storePixels(uint8_t* p, __m512 x, const FormatConstants<F16>& k) {
        const __m512i y = _mm512_shuffle_epi8(_mm512_castps_si512(x), k.storeShuffle);
        if constexpr (Aligned)
            _mm512_stream_si512(reinterpret_cast<__m512i*>(p), y);
        else
            _mm512_storeu_si512(p, y);
    }

    static void store(uint8_t* p, const Group<F16>& c, const FormatConstants<F16>& k) {
        const Group<F16> d = clamped(c, k);
        __m512 p0 = d.r.v, p1 = d.g.v, p2 = d.b.v, p3 = d.a.v;
        transpose(p0, p1, p2, p3);
        storePixels(p, p0, k);
        storePixels(p + 64, p1, k);
        storePixels(p + 128, p2, k);
        storePixels(p + 192, p3, k);
    }

    static void finish() {
        if constexpr (Aligned) _mm_sfence();
    }
};

}  // namespace avx512
