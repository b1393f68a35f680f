// Loading four pixels into the working form and storing them back, one class per sample
// depth. A group is four vectors, one per channel (R, G, B, A), lane i holding pixel i.
// The channel order in memory is a byte shuffle chosen once per frame, so no loop branches
// on the layout.
#pragma once

#include <smmintrin.h>

#include <cstdint>

#include "pixel/f4.h"
#include "pixel/frame_format.h"

struct Group {
    F4 r, g, b, a;
};

// Per-frame constants of the conversion between stored samples and the working form.
struct FormatConstants {
    __m128i loadShuffle;   // memory order -> channel-major
    __m128i storeShuffle;  // channel-major -> memory order
    F4 offset;             // colour offset (16 at 8-bit video levels, else 0)
    F4 invScale;           // 1 / colour scale
    F4 scale;              // colour scale
    F4 invAlphaScale;
    F4 alphaScale;
};

// Byte position of R, G, B and A inside a pixel of four channels of `width` bytes each.
struct ChannelPositions {
    int r, g, b, a;
};
ChannelPositions channelPositions(PixelLayout layout);

FormatConstants makeFormatConstants(PixelDepth depth, PixelLayout layout, ValueRange range);

namespace io_detail {

inline F4 toFloat(__m128i x) { return _mm_cvtepi32_ps(x); }

inline Group toWorking(F4 r, F4 g, F4 b, F4 a, const FormatConstants& k) {
    return {(r - k.offset) * k.invScale, (g - k.offset) * k.invScale, (b - k.offset) * k.invScale,
            a * k.invAlphaScale};
}

}  // namespace io_detail

// 8-bit: four pixels in one register.
struct Io8bit {
    static constexpr uint32_t kPixelBytes = 4;

    static Group load(const uint8_t* p, const FormatConstants& k) {
        using io_detail::toFloat;
        // After the shuffle: R0 R1 R2 R3 G0 .. G3 B0 .. B3 A0 .. A3.
        const __m128i x =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), k.loadShuffle);
        return io_detail::toWorking(toFloat(_mm_cvtepu8_epi32(x)),
                                    toFloat(_mm_cvtepu8_epi32(_mm_srli_si128(x, 4))),
                                    toFloat(_mm_cvtepu8_epi32(_mm_srli_si128(x, 8))),
                                    toFloat(_mm_cvtepu8_epi32(_mm_srli_si128(x, 12))), k);
    }

    // Rounds to nearest (ties to even, the processor's default mode), then saturates: the
    // signed pack first, so a large value saturates to 255 rather than wrapping.
    static void store(uint8_t* p, const Group& c, const FormatConstants& k) {
        const __m128i r = _mm_cvtps_epi32((c.r * k.scale + k.offset).v);
        const __m128i g = _mm_cvtps_epi32((c.g * k.scale + k.offset).v);
        const __m128i b = _mm_cvtps_epi32((c.b * k.scale + k.offset).v);
        const __m128i a = _mm_cvtps_epi32((c.a * k.alphaScale).v);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(r, g), _mm_packs_epi32(b, a));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi8(bytes, k.storeShuffle));
    }

    static void finish() {}
};

// 2.14 fixed point: four pixels in two registers of two pixels each.
struct Io2_14 {
    static constexpr uint32_t kPixelBytes = 8;

    static Group load(const uint8_t* p, const FormatConstants& k) {
        using io_detail::toFloat;
        const auto* q = reinterpret_cast<const __m128i*>(p);
        // Each register after the shuffle: R R G G B B A A of its two pixels.
        const __m128i lo = _mm_shuffle_epi8(_mm_loadu_si128(q), k.loadShuffle);
        const __m128i hi = _mm_shuffle_epi8(_mm_loadu_si128(q + 1), k.loadShuffle);
        const __m128i rg = _mm_unpacklo_epi32(lo, hi);  // R0 R1 R2 R3 G0 G1 G2 G3
        const __m128i ba = _mm_unpackhi_epi32(lo, hi);  // B0 .. B3 A0 .. A3
        return io_detail::toWorking(
            toFloat(_mm_cvtepi16_epi32(rg)), toFloat(_mm_cvtepi16_epi32(_mm_srli_si128(rg, 8))),
            toFloat(_mm_cvtepi16_epi32(ba)), toFloat(_mm_cvtepi16_epi32(_mm_srli_si128(ba, 8))), k);
    }

    // Truncates toward zero, then saturates to -32768..32767.
    static void store(uint8_t* p, const Group& c, const FormatConstants& k) {
        const __m128i rg = _mm_packs_epi32(_mm_cvttps_epi32((c.r * k.scale).v),
                                           _mm_cvttps_epi32((c.g * k.scale).v));
        const __m128i ba = _mm_packs_epi32(_mm_cvttps_epi32((c.b * k.scale).v),
                                           _mm_cvttps_epi32((c.a * k.alphaScale).v));
        const __m128i t0 = _mm_unpacklo_epi32(rg, ba);  // R01 B01 R23 B23
        const __m128i t1 = _mm_unpackhi_epi32(rg, ba);  // G01 A01 G23 A23
        auto* q = reinterpret_cast<__m128i*>(p);
        _mm_storeu_si128(q, _mm_shuffle_epi8(_mm_unpacklo_epi32(t0, t1), k.storeShuffle));
        _mm_storeu_si128(q + 1, _mm_shuffle_epi8(_mm_unpackhi_epi32(t0, t1), k.storeShuffle));
    }

    static void finish() {}
};

// 32-bit float: one pixel per register. Aligned frames use streaming loads and stores,
// which need 16-byte alignment; other frames take plain unaligned accesses.
template <bool Aligned>
struct IoFloat {
    static constexpr uint32_t kPixelBytes = 16;

    static __m128 loadPixel(const uint8_t* p, const FormatConstants& k) {
        auto* q = reinterpret_cast<const __m128i*>(p);
        const __m128i x =
            Aligned ? _mm_stream_load_si128(const_cast<__m128i*>(q)) : _mm_loadu_si128(q);
        return _mm_castsi128_ps(_mm_shuffle_epi8(x, k.loadShuffle));
    }

    static Group load(const uint8_t* p, const FormatConstants& k) {
        __m128 r = loadPixel(p, k), g = loadPixel(p + 16, k), b = loadPixel(p + 32, k),
               a = loadPixel(p + 48, k);
        _MM_TRANSPOSE4_PS(r, g, b, a);
        return {r, g, b, a};  // float samples are taken as they are
    }

    static void storePixel(uint8_t* p, __m128 x, const FormatConstants& k) {
        const __m128i y = _mm_shuffle_epi8(_mm_castps_si128(x), k.storeShuffle);
        if constexpr (Aligned)
            _mm_stream_si128(reinterpret_cast<__m128i*>(p), y);
        else
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), y);
    }

    static void store(uint8_t* p, const Group& c, const FormatConstants& k) {
        __m128 p0 = c.r.v, p1 = c.g.v, p2 = c.b.v, p3 = c.a.v;
        _MM_TRANSPOSE4_PS(p0, p1, p2, p3);
        storePixel(p, p0, k);
        storePixel(p + 16, p1, k);
        storePixel(p + 32, p2, k);
        storePixel(p + 48, p3, k);
    }

    // Streaming stores are weakly ordered: fence them before the host reads the frame.
    static void finish() {
        if constexpr (Aligned) _mm_sfence();
    }
};
