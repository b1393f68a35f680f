// Loading a group of pixels into the working form and storing it back, one class per sample
// depth. A group is four vectors, one per channel (R, G, B, A), one pixel per lane: here four
// pixels in F4 lanes, lane i holding pixel i; the eight- and sixteen-pixel forms are in
// pixel_io_avx2.h and pixel_io_avx512.h.
// The channel order in memory is a byte shuffle chosen once per frame, so no loop branches
// on the layout.
#pragma once

#include <smmintrin.h>

#include <cstdint>

#include "pixel/f4.h"
#include "pixel/frame_format.h"

template <class V>
struct Group {
    V r, g, b, a;
};

// Per-frame constants of the conversion between stored samples and the working form, and of
// the clamp to the legal bounds that comes with every store. The shuffles work on the 16
// bytes of a four-lane register; the wider forms apply them to each 16-byte part of theirs.
template <class V>
struct FormatConstants {
    using Bits = typename V::Bits;
    Bits channelShuffle[4];  // 8-bit: channel c of the four pixels into the low byte of lanes
    Bits loadShuffle;        // 2.14 and float: memory order -> channel-major
    Bits storeShuffle;       // channel-major -> memory order
    V offset;                // colour offset (16 at 8-bit video levels, else 0)
    V invScale;              // 1 / colour scale
    V scale;                 // colour scale
    V invAlphaScale;
    V alphaScale;
    V lo, hi;  // legal bounds of the colours in the working form
    // The lower bounds as stored codes (colours lo, alpha 0), laid out like the registers an
    // integer store packs: 8-bit [0] R G B A bytes; 2.14 [0] R G and [1] B A samples.
    Bits codeLo[2];
    // 2.14 on sixteen lanes only: the word permutes between two registers of memory order and
    // lanes of one pixel each (load R G, load B A, store pixels 0-7, store pixels 8-15).
    Bits wordPermute[4];
};

// Byte position of R, G, B and A inside a pixel of four channels of `width` bytes each.
struct ChannelPositions {
    int r, g, b, a;
};
ChannelPositions channelPositions(PixelLayout layout);

// `lo` and `hi` are the legal bounds of the colours for this frame.
FormatConstants<F4> makeFormatConstants(PixelDepth depth, PixelLayout layout, ValueRange range,
                                        float lo, float hi);

namespace io_detail {

inline F4 toFloat(__m128i x) { return _mm_cvtepi32_ps(x); }

// The upper half of the legal clamp of an integer store, in float: the colours limited to hi
// and the alpha to 1, as values beyond the bound would overflow the conversion. The bound
// comes first, so a NaN lane passes through and converts to the lowest integer, which the
// integer lower bound then turns into lo, as the float clamp (lower bound first) would.
// Rounding and saturation never decrease, so clamping the codes gives the codes of the
// clamped values.
template <class V>
Group<V> belowUpperBounds(const Group<V>& c, const FormatConstants<V>& k) {
    return {min(k.hi, c.r), min(k.hi, c.g), min(k.hi, c.b), min(V::all(1.0f), c.a)};
}

}  // namespace io_detail

// What the forms of a depth share, whatever their width: the pixel size, whether samples are
// finite, the reciprocal the formulas divide by, and the conversions around the stored codes.
// 8-bit video levels carry the offset of 16; full range has none, and its loops do not spend
// an operation on it.
template <bool Video>
struct Depth8bit {
    static constexpr uint32_t kPixelBytes = fourChannelPixelBytes(PixelDepth::Bits8);
    static constexpr bool kFiniteSamples = true;
    // A quotient of the blend formulas is within 0.1 code of exact with the estimate alone.
    using Reciprocal = EstimatedReciprocal;

    template <class V>
    static V colour(V code, const FormatConstants<V>& k) {
        if constexpr (Video)
            return (code - k.offset) * k.invScale;
        else
            return code * k.invScale;  // (x - 0) * s is x * s exactly
    }
    // A colour as a code before rounding.
    template <class V>
    static V code(V x, const FormatConstants<V>& k) {
        if constexpr (Video)
            return x * k.scale + k.offset;
        else
            return x * k.scale;
    }
};

struct Depth2_14 {
    static constexpr uint32_t kPixelBytes = fourChannelPixelBytes(PixelDepth::Fixed2_14);
    static constexpr bool kFiniteSamples = true;
    // The estimate alone would be 4 to 6 codes off: refined to about 22 bits.
    using Reciprocal = RefinedReciprocal;
};

struct DepthFloat {
    static constexpr uint32_t kPixelBytes = fourChannelPixelBytes(PixelDepth::Float32);
    static constexpr bool kFiniteSamples = false;  // any float, infinities and NaN included
    // The estimate keeps a quotient within 4e-4 of it, relative: 12 bits, as the results of
    // the formulas carry.
    using Reciprocal = EstimatedReciprocal;

    // Clamps the colours to [lo, hi] and the alpha to [0, 1].
    template <class V>
    static Group<V> clamped(const Group<V>& c, const FormatConstants<V>& k) {
        return {clamp(c.r, k.lo, k.hi), clamp(c.g, k.lo, k.hi), clamp(c.b, k.lo, k.hi),
                clamp(c.a, V::zero(), V::all(1.0f))};
    }
};

// 8-bit: four pixels in one register.
template <bool Video>
struct Io8bit : Depth8bit<Video> {
    using Lanes = F4;
    using Depth8bit<Video>::colour;

    // Channel c of the four pixels as floats, one shuffle straight into the lanes.
    static F4 channel(__m128i x, const FormatConstants<F4>& k, int c) {
        return io_detail::toFloat(_mm_shuffle_epi8(x, k.channelShuffle[c]));
    }

    static Group<F4> load(const uint8_t* p, const FormatConstants<F4>& k) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return {colour(channel(x, k, 0), k), colour(channel(x, k, 1), k),
                colour(channel(x, k, 2), k), channel(x, k, 3) * k.invAlphaScale};
    }

    // The four channels as codes R0..R3 G0..G3 B0..B3 A0..A3: rounded to nearest (ties to
    // even, the processor's default mode), then saturated, the signed pack first, so a large
    // value saturates to 255 rather than wrapping.
    static __m128i pack(const Group<F4>& c, const FormatConstants<F4>& k) {
        const auto code = [&k](F4 x) { return _mm_cvtps_epi32(Depth8bit<Video>::code(x, k).v); };
        const __m128i a = _mm_cvtps_epi32((c.a * k.alphaScale).v);
        return _mm_packus_epi16(_mm_packs_epi32(code(c.r), code(c.g)),
                                _mm_packs_epi32(code(c.b), a));
    }

    // Clamps the colours to [lo, hi] and the alpha to [0, 1], then stores.
    static void store(uint8_t* p, const Group<F4>& c, const FormatConstants<F4>& k) {
        const __m128i bytes = _mm_max_epu8(pack(io_detail::belowUpperBounds(c, k), k), k.codeLo[0]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi8(bytes, k.storeShuffle));
    }

    static void finish() {}
};

// 2.14 fixed point: four pixels in two registers of two pixels each.
struct Io2_14 : Depth2_14 {
    using Lanes = F4;

    static Group<F4> load(const uint8_t* p, const FormatConstants<F4>& k) {
        using io_detail::toFloat;
        const auto* q = reinterpret_cast<const __m128i*>(p);
        // Each register after the shuffle: R R G G B B A A of its two pixels.
        const __m128i lo = _mm_shuffle_epi8(_mm_loadu_si128(q), k.loadShuffle);
        const __m128i hi = _mm_shuffle_epi8(_mm_loadu_si128(q + 1), k.loadShuffle);
        const __m128i rg = _mm_unpacklo_epi32(lo, hi);  // R0 R1 R2 R3 G0 G1 G2 G3
        const __m128i ba = _mm_unpackhi_epi32(lo, hi);  // B0 .. B3 A0 .. A3
        const auto colour = [&k](__m128i x) { return toFloat(_mm_cvtepi16_epi32(x)) * k.invScale; };
        return {colour(rg), colour(_mm_srli_si128(rg, 8)), colour(ba),
                toFloat(_mm_cvtepi16_epi32(_mm_srli_si128(ba, 8))) * k.invAlphaScale};
    }

    // The samples R0..R3 G0..G3 and B0..B3 A0..A3: truncated toward zero, then saturated to
    // -32768..32767.
    struct Packed {
        __m128i rg, ba;
    };
    static Packed pack(const Group<F4>& c, const FormatConstants<F4>& k) {
        return {_mm_packs_epi32(_mm_cvttps_epi32((c.r * k.scale).v),
                                _mm_cvttps_epi32((c.g * k.scale).v)),
                _mm_packs_epi32(_mm_cvttps_epi32((c.b * k.scale).v),
                                _mm_cvttps_epi32((c.a * k.alphaScale).v))};
    }

    // Clamps the colours to [lo, hi] and the alpha to [0, 1], then stores.
    static void store(uint8_t* p, const Group<F4>& c, const FormatConstants<F4>& k) {
        const Packed s = pack(io_detail::belowUpperBounds(c, k), k);
        const __m128i rg = _mm_max_epi16(s.rg, k.codeLo[0]);
        const __m128i ba = _mm_max_epi16(s.ba, k.codeLo[1]);
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
struct IoFloat : DepthFloat {
    using Lanes = F4;
    static constexpr bool kStreamingStores = Aligned;

    static __m128 loadPixel(const uint8_t* p, const FormatConstants<F4>& k) {
        auto* q = reinterpret_cast<const __m128i*>(p);
        const __m128i x =
            Aligned ? _mm_stream_load_si128(const_cast<__m128i*>(q)) : _mm_loadu_si128(q);
        return _mm_castsi128_ps(_mm_shuffle_epi8(x, k.loadShuffle));
    }

    static Group<F4> load(const uint8_t* p, const FormatConstants<F4>& k) {
        __m128 r = loadPixel(p, k), g = loadPixel(p + 16, k), b = loadPixel(p + 32, k),
               a = loadPixel(p + 48, k);
        _MM_TRANSPOSE4_PS(r, g, b, a);
        return {r, g, b, a};  // float samples are taken as they are
    }

    static void storePixel(uint8_t* p, __m128 x, const FormatConstants<F4>& k) {
        const __m128i y = _mm_shuffle_epi8(_mm_castps_si128(x), k.storeShuffle);
        if constexpr (Aligned)
            _mm_stream_si128(reinterpret_cast<__m128i*>(p), y);
        else
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), y);
    }

    // Clamps the colours to [lo, hi] and the alpha to [0, 1], then stores.
    static void store(uint8_t* p, const Group<F4>& c, const FormatConstants<F4>& k) {
        const Group<F4> d = clamped(c, k);
        __m128 p0 = d.r.v, p1 = d.g.v, p2 = d.b.v, p3 = d.a.v;
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
