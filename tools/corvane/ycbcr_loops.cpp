#include "ycbcr_loops.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "rec709_places.h"
#include "working_format.h"
#include "ycbcr_rows_avx2.h"

namespace corvane {

namespace {

using namespace rec709;

// What a working sample holds for luma 1.0 and a chroma excursion of 1.0, and where chroma
// zero sits. 8-bit samples appear in 4:2:2 only.
template <class S>
struct Unit {
    static constexpr float luma = 1.f, chroma = 1.f, chromaZero = 0.f;
};
template <>
struct Unit<int16_t> {
    static constexpr float luma = 16384.f, chroma = 16384.f, chromaZero = 0.f;
};
template <>
struct Unit<uint8_t> {
    static constexpr float luma = 255.f, chroma = 224.f, chromaZero = 128.f;
};

// v held to lo..hi, as values rather than std::min's references, which the vectoriser takes.
inline float clamp(float v, float lo, float hi) {
    v = v < lo ? lo : v;
    return v > hi ? hi : v;
}

// A working sample from a value in its units: rounded half up and held to the type's range.
// Truncating a value made positive rounds without a call, which lets the loops vectorise.
template <class S>
S store(float v) {
    if constexpr (std::is_same_v<S, float>) {
        return v;
    } else {
        constexpr float lo = std::is_signed_v<S> ? -32768.f : 0.f;
        constexpr float hi = std::is_signed_v<S> ? 32767.f : 255.f;
        return static_cast<S>(static_cast<int32_t>(clamp(v, lo, hi) - lo + 0.5f) +
                              static_cast<int32_t>(lo));
    }
}

// A planar code from a value in codes, rounded half up and held to 0..top.
template <class C>
C code(float v, float top) {
    return static_cast<C>(static_cast<int32_t>(clamp(v, 0.f, top) + 0.5f));
}

template <class C>
C* planeRow(const AVFrame& f, int plane, int y) {
    return reinterpret_cast<C*>(f.data[plane] + static_cast<ptrdiff_t>(y) * f.linesize[plane]);
}

// Chroma of every pixel of a row from the chroma of its pairs, less zero, times k: an odd
// pixel lies halfway between its pair's chroma and the next pair's; the last one repeats.
template <class C>
void upsample(const C* c, int pairs, float zero, float k, float* out) {
    for (int i = 0; i + 1 < pairs; ++i) {
        out[2 * i] = (c[i] - zero) * k;
        out[2 * i + 1] = ((c[i] + c[i + 1]) * 0.5f - zero) * k;
    }
    out[2 * pairs - 2] = out[2 * pairs - 1] = (c[pairs - 1] - zero) * k;
}

// The types the AVX2 rows take: 2.14 samples and 16-bit codes.
template <class C, class S>
constexpr bool kRowTypes = std::is_same_v<C, uint16_t>&& std::is_same_v<S, int16_t>;

template <class C, class S, class P>
void toRgb(const AVFrame& f, const YCbCrLevels& l, int32_t layout, uint8_t* out,
           std::vector<float>& scratch) {
    const int w = f.width, pairs = (w + 1) / 2;
    scratch.resize(4 * static_cast<size_t>(pairs));
    float* cbAt = scratch.data();
    float* crAt = cbAt + 2 * pairs;
    const float unit = Unit<S>::luma, ky = unit / l.lumaSpan, kc = unit / l.chromaSpan;
    const bool rows = kRowTypes<C, S> && avx2::rowsRun();
    const avx2::InScale scale{l.black, ky, l.zero, kc};
    S* px = reinterpret_cast<S*>(out);
    for (int y = 0; y < f.height; ++y, px += 4 * static_cast<size_t>(w)) {
        const C* ly = planeRow<const C>(f, 0, y);
        const C* cb = planeRow<const C>(f, 1, y);
        const C* cr = planeRow<const C>(f, 2, y);
        int x = 0;
        if constexpr (kRowTypes<C, S>)
            if (rows) x = avx2::rgbFromPlanarRow(ly, cb, cr, w, scale, layout, px);
        if (x == w) continue;
        upsample(cb, pairs, l.zero, kc, cbAt);
        upsample(cr, pairs, l.zero, kc, crAt);
        for (; x < w; ++x) {
            const float v = (ly[x] - l.black) * ky, b = cbAt[x], r = crAt[x];
            px[4 * x + P::at[0]] = store<S>(v + kCrToR * r);
            px[4 * x + P::at[1]] = store<S>(v + kCbToG * b + kCrToG * r);
            px[4 * x + P::at[2]] = store<S>(v + kCbToB * b);
            px[4 * x + P::at[3]] = store<S>(unit);
        }
    }
}

template <class C, class S, class P>
void to422(const AVFrame& f, const YCbCrLevels& l, uint8_t* out) {
    const float ky = Unit<S>::luma / l.lumaSpan, kc = Unit<S>::chroma / l.chromaSpan;
    const float zero = Unit<S>::chromaZero;
    const int pairs = f.width / 2;
    S* pair = reinterpret_cast<S*>(out);
    for (int y = 0; y < f.height; ++y, pair += 4 * static_cast<size_t>(pairs)) {
        const C* ly = planeRow<const C>(f, 0, y);
        const C* cb = planeRow<const C>(f, 1, y);
        const C* cr = planeRow<const C>(f, 2, y);
        for (int i = 0; i < pairs; ++i) {
            pair[4 * i + P::at[0]] = store<S>((ly[2 * i] - l.black) * ky);
            pair[4 * i + P::at[1]] = store<S>((cb[i] - l.zero) * kc + zero);
            pair[4 * i + P::at[2]] = store<S>((ly[2 * i + 1] - l.black) * ky);
            pair[4 * i + P::at[3]] = store<S>((cr[i] - l.zero) * kc + zero);
        }
    }
}

template <class S, class C, class P>
void fromRgb(const uint8_t* in, const YCbCrLevels& l, int32_t layout, AVFrame& f,
             std::vector<float>& scratch) {
    const int w = f.width;
    scratch.resize(3 * static_cast<size_t>(w));
    float* r = scratch.data();
    float* g = r + w;
    float* b = g + w;
    const float unit = 1.f / Unit<S>::luma;
    const float kb = l.chromaSpan / kCbToB, kr = l.chromaSpan / kCrToR;
    // Chroma of the pair at x from R, G, B filtered [1 2 1] around it.
    auto chroma = [&](int x, int p, int n, C* cb, C* cr) {
        const float rr = (r[p] + 2.f * r[x] + r[n]) * 0.25f;
        const float gg = (g[p] + 2.f * g[x] + g[n]) * 0.25f;
        const float bb = (b[p] + 2.f * b[x] + b[n]) * 0.25f;
        const float luma = kKr * rr + kKg * gg + kKb * bb;
        cb[x / 2] = code<C>(l.zero + (bb - luma) * kb, l.top);
        cr[x / 2] = code<C>(l.zero + (rr - luma) * kr, l.top);
    };
    const bool rows = kRowTypes<C, S> && avx2::rowsRun();
    const avx2::OutScale scale{unit, l.black, l.lumaSpan, l.zero, kb, kr, l.top};
    const S* px = reinterpret_cast<const S*>(in);
    for (int y = 0; y < f.height; ++y, px += 4 * static_cast<size_t>(w)) {
        C* ly = planeRow<C>(f, 0, y);
        C* cb = planeRow<C>(f, 1, y);
        C* cr = planeRow<C>(f, 2, y);
        int from = 0, pair = 1;
        if constexpr (kRowTypes<C, S>)
            if (rows) from = avx2::lumaFromRgbRow(px, w, scale, layout, r, g, b, ly);
        for (int x = from; x < w; ++x) {
            r[x] = px[4 * x + P::at[0]] * unit;
            g[x] = px[4 * x + P::at[1]] * unit;
            b[x] = px[4 * x + P::at[2]] * unit;
        }
        for (int x = from; x < w; ++x)
            ly[x] = code<C>(l.black + (kKr * r[x] + kKg * g[x] + kKb * b[x]) * l.lumaSpan, l.top);
        if constexpr (kRowTypes<C, S>)
            if (rows) pair = avx2::chromaFromRgbRow(r, g, b, w, scale, cb, cr);
        // The first and last pixels stand in for their missing neighbours.
        chroma(0, 0, std::min(1, w - 1), cb, cr);
        int x = 2 * pair;
        for (; x + 1 < w; x += 2) chroma(x, x - 1, x + 1, cb, cr);
        if (x < w) chroma(x, x - 1, x, cb, cr);
    }
}

template <class S, class C, class P>
void from422(const uint8_t* in, const YCbCrLevels& l, AVFrame& f) {
    const float ky = l.lumaSpan / Unit<S>::luma, kc = l.chromaSpan / Unit<S>::chroma;
    const float zero = Unit<S>::chromaZero;
    const int pairs = f.width / 2;
    const S* pair = reinterpret_cast<const S*>(in);
    for (int y = 0; y < f.height; ++y, pair += 4 * static_cast<size_t>(pairs)) {
        C* ly = planeRow<C>(f, 0, y);
        C* cb = planeRow<C>(f, 1, y);
        C* cr = planeRow<C>(f, 2, y);
        for (int i = 0; i < pairs; ++i) {
            ly[2 * i] = code<C>(l.black + pair[4 * i + P::at[0]] * ky, l.top);
            cb[i] = code<C>(l.zero + (pair[4 * i + P::at[1]] - zero) * kc, l.top);
            ly[2 * i + 1] = code<C>(l.black + pair[4 * i + P::at[2]] * ky, l.top);
            cr[i] = code<C>(l.zero + (pair[4 * i + P::at[3]] - zero) * kc, l.top);
        }
    }
}

// Calls `f` with null pointers of the working sample type and of the planar code type, and
// with the places of the working layout.
template <class F>
void withTypes(const WorkingFormat& working, int bits, F&& f) {
    auto withCode = [&](auto sample) {
        withPlaces(working.layout, [&](auto places) {
            if (bits > 8)
                f(sample, static_cast<uint16_t*>(nullptr), places);
            else
                f(sample, static_cast<uint8_t*>(nullptr), places);
        });
    };
    if (working.depth == code::kDepthFloat)
        withCode(static_cast<float*>(nullptr));
    else if (working.depth == code::kDepth214)
        withCode(static_cast<int16_t*>(nullptr));
    else
        withCode(static_cast<uint8_t*>(nullptr));
}

}  // namespace

YCbCrLevels ycbcrLevels(int bits, bool fullRange) {
    const float s = static_cast<float>(1 << (bits - 8));
    const float top = static_cast<float>((1 << bits) - 1);
    if (fullRange) return {0.f, top, 128.f * s, top, top};
    return {16.f * s, 219.f * s, 128.f * s, 224.f * s, top};
}

void planarToPacked(const AVFrame& from, int bits, const YCbCrLevels& levels,
                    const WorkingFormat& to, uint8_t* out, std::vector<float>& scratch) {
    withTypes(to, bits, [&](auto* sample, auto* planar, auto places) {
        using S = std::remove_pointer_t<decltype(sample)>;
        using C = std::remove_pointer_t<decltype(planar)>;
        using P = decltype(places);
        if (to.ycbcr())
            to422<C, S, P>(from, levels, out);
        else
            toRgb<C, S, P>(from, levels, to.layout, out, scratch);
    });
}

void packedToPlanar(const uint8_t* in, const WorkingFormat& from, int bits,
                    const YCbCrLevels& levels, AVFrame& to, std::vector<float>& scratch) {
    withTypes(from, bits, [&](auto* sample, auto* planar, auto places) {
        using S = std::remove_pointer_t<decltype(sample)>;
        using C = std::remove_pointer_t<decltype(planar)>;
        using P = decltype(places);
        if (from.ycbcr())
            from422<S, C, P>(in, levels, to);
        else
            fromRgb<S, C, P>(in, levels, from.layout, to, scratch);
    });
}

}  // namespace corvane
