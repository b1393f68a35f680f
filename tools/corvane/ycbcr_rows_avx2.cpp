#include "ycbcr_rows_avx2.h"

#include <immintrin.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "rec709_places.h"

namespace corvane::avx2 {

namespace {

using namespace rec709;

__m256 splat(float v) { return _mm256_set1_ps(v); }

// Eight codes from 16-bit samples as floats.
__m256 codes(const uint16_t* p) {
    return _mm256_cvtepi32_ps(
        _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
}

// A 2.14 sample, as the loops make it: held to -32768..32767, raised by 32768 and rounded half
// up by truncation. The result stays raised (0..65535); the packing lowers it.
__m256i raised214(__m256 v) {
    v = _mm256_min_ps(_mm256_max_ps(v, splat(-32768.f)), splat(32767.f));
    return _mm256_cvttps_epi32(_mm256_add_ps(_mm256_add_ps(v, splat(32768.f)), splat(0.5f)));
}

// A code rounded half up and held to 0..top.
__m256i code(__m256 v, float top) {
    v = _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()), splat(top));
    return _mm256_cvttps_epi32(_mm256_add_ps(v, splat(0.5f)));
}

// Eight codes stored as 16-bit samples.
void storeCodes(uint16_t* p, __m256i v) {
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi32(v, v), 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(packed));
}

// Chroma of eight pixels from pairs i..i+4 (the last one held to the row): the mean of the
// pair under each pixel and the one after an odd pixel.
__m256 chromaAt(const uint16_t* c, int i, int pairs, const InScale& s) {
    __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + i));
    v = _mm_insert_epi16(v, c[std::min(i + 4, pairs - 1)], 4);
    const __m256 f = _mm256_cvtepi32_ps(_mm256_cvtepu16_epi32(v));
    const __m256 a = _mm256_permutevar8x32_ps(f, _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3));
    const __m256 b = _mm256_permutevar8x32_ps(f, _mm256_setr_epi32(0, 1, 1, 2, 2, 3, 3, 4));
    return _mm256_mul_ps(
        _mm256_sub_ps(_mm256_mul_ps(_mm256_add_ps(a, b), splat(0.5f)), splat(s.zero)), splat(s.kc));
}

template <class P>
int rgbRow(const uint16_t* ly, const uint16_t* cb, const uint16_t* cr, int width, const InScale& s,
           int16_t* px) {
    const int pairs = (width + 1) / 2;
    const __m256i alpha = raised214(splat(16384.f));
    const __m256i flip = _mm256_set1_epi16(static_cast<int16_t>(0x8000));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256 v = _mm256_mul_ps(_mm256_sub_ps(codes(ly + x), splat(s.black)), splat(s.ky));
        const __m256 b = chromaAt(cb, x / 2, pairs, s), r = chromaAt(cr, x / 2, pairs, s);
        __m256i at[4];
        at[P::at[0]] = raised214(_mm256_add_ps(v, _mm256_mul_ps(splat(kCrToR), r)));
        at[P::at[1]] = raised214(_mm256_add_ps(_mm256_add_ps(v, _mm256_mul_ps(splat(kCbToG), b)),
                                               _mm256_mul_ps(splat(kCrToG), r)));
        at[P::at[2]] = raised214(_mm256_add_ps(v, _mm256_mul_ps(splat(kCbToB), b)));
        at[P::at[3]] = alpha;
        // Samples 0 1 | 2 3 of pixels 0-3 and 4-7 per lane, then interleaved into pixels.
        const __m256i s01 = _mm256_packus_epi32(at[0], at[1]);
        const __m256i s23 = _mm256_packus_epi32(at[2], at[3]);
        const __m256i lo = _mm256_unpacklo_epi16(s01, s23), hi = _mm256_unpackhi_epi16(s01, s23);
        const __m256i p01 = _mm256_xor_si256(_mm256_unpacklo_epi16(lo, hi), flip);
        const __m256i p23 = _mm256_xor_si256(_mm256_unpackhi_epi16(lo, hi), flip);
        auto* out = reinterpret_cast<__m256i*>(px + 4 * static_cast<ptrdiff_t>(x));
        _mm256_storeu_si256(out, _mm256_permute2x128_si256(p01, p23, 0x20));
        _mm256_storeu_si256(out + 1, _mm256_permute2x128_si256(p01, p23, 0x31));
    }
    return x;
}

template <class P>
int lumaRow(const int16_t* px, int width, const OutScale& s, float* r, float* g, float* b,
            uint16_t* ly) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const auto* in = reinterpret_cast<const __m256i*>(px + 4 * static_cast<ptrdiff_t>(x));
        const __m256i in0 = _mm256_loadu_si256(in), in1 = _mm256_loadu_si256(in + 1);
        // Pixels 0 1 4 5 and 2 3 6 7, then samples gathered by place: 0 and 1, 2 and 3.
        const __m256i a = _mm256_permute2x128_si256(in0, in1, 0x20);
        const __m256i c = _mm256_permute2x128_si256(in0, in1, 0x31);
        const __m256i t0 = _mm256_unpacklo_epi16(a, c), t1 = _mm256_unpackhi_epi16(a, c);
        const __m256i s01 = _mm256_permute4x64_epi64(_mm256_unpacklo_epi16(t0, t1), 0xD8);
        const __m256i s23 = _mm256_permute4x64_epi64(_mm256_unpackhi_epi16(t0, t1), 0xD8);
        const __m128i place[4] = {_mm256_castsi256_si128(s01), _mm256_extracti128_si256(s01, 1),
                                  _mm256_castsi256_si128(s23), _mm256_extracti128_si256(s23, 1)};
        auto channel = [&](int c) {
            return _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(place[P::at[c]])),
                                 splat(s.unit));
        };
        const __m256 rr = channel(0), gg = channel(1), bb = channel(2);
        _mm256_storeu_ps(r + x, rr);
        _mm256_storeu_ps(g + x, gg);
        _mm256_storeu_ps(b + x, bb);
        const __m256 luma = _mm256_add_ps(
            _mm256_add_ps(_mm256_mul_ps(splat(kKr), rr), _mm256_mul_ps(splat(kKg), gg)),
            _mm256_mul_ps(splat(kKb), bb));
        storeCodes(
            ly + x,
            code(_mm256_add_ps(splat(s.black), _mm256_mul_ps(luma, splat(s.lumaSpan))), s.top));
    }
    return x;
}

// Samples 2i + offset of eight pairs from i: the even ones of the sixteen at p.
__m256 evens(const float* p) {
    const __m256 a = _mm256_loadu_ps(p), b = _mm256_loadu_ps(p + 8);
    const __m256 e = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    return _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(e), 0xD8));
}

// [1 2 1] around the first pixels of eight pairs from x.
__m256 filtered(const float* c, int x) {
    const __m256 before = evens(c + x - 1), at = evens(c + x), after = evens(c + x + 1);
    return _mm256_mul_ps(_mm256_add_ps(_mm256_add_ps(before, _mm256_mul_ps(splat(2.f), at)), after),
                         splat(0.25f));
}

}  // namespace

bool rowsRun() {
    static const bool runs = [] {
        const char* e = std::getenv("CORVANE_SIMD");
        return __builtin_cpu_supports("avx2") && !(e && std::strcmp(e, "sse4.1") == 0);
    }();
    return runs;
}

int rgbFromPlanarRow(const uint16_t* ly, const uint16_t* cb, const uint16_t* cr, int width,
                     const InScale& s, int32_t layout, int16_t* px) {
    int done = 0;
    withPlaces(layout,
               [&](auto places) { done = rgbRow<decltype(places)>(ly, cb, cr, width, s, px); });
    return done;
}

int lumaFromRgbRow(const int16_t* px, int width, const OutScale& s, int32_t layout, float* r,
                   float* g, float* b, uint16_t* ly) {
    int done = 0;
    withPlaces(layout,
               [&](auto places) { done = lumaRow<decltype(places)>(px, width, s, r, g, b, ly); });
    return done;
}

int chromaFromRgbRow(const float* r, const float* g, const float* b, int width, const OutScale& s,
                     uint16_t* cb, uint16_t* cr) {
    int i = 1;
    // Pairs i..i+7 read pixels 2i - 1 up to 2i + 16.
    for (; 2 * i + 17 <= width; i += 8) {
        const int x = 2 * i;
        const __m256 rr = filtered(r, x), gg = filtered(g, x), bb = filtered(b, x);
        const __m256 luma = _mm256_add_ps(
            _mm256_add_ps(_mm256_mul_ps(splat(kKr), rr), _mm256_mul_ps(splat(kKg), gg)),
            _mm256_mul_ps(splat(kKb), bb));
        storeCodes(cb + i, code(_mm256_add_ps(splat(s.zero),
                                              _mm256_mul_ps(_mm256_sub_ps(bb, luma), splat(s.kb))),
                                s.top));
        storeCodes(cr + i, code(_mm256_add_ps(splat(s.zero),
                                              _mm256_mul_ps(_mm256_sub_ps(rr, luma), splat(s.kr))),
                                s.top));
    }
    return i;
}

}  // namespace corvane::avx2
