// Eight pixels at a time, the rows of the conversions between planar YCbCr codes in 16-bit
// samples (10 to 16 bits) and 2.14 RGB. Every value is made by the same float operations in
// the same order as in the loops of ycbcr_loops.cpp, so the bytes are the same; each row
// function does the whole blocks of eight and says where it stopped, the loops do the rest.
#pragma once

#include <cstdint>

namespace corvane::avx2 {

// Whether the rows run here: the processor has AVX2, the operating system saves its
// registers, and CORVANE_SIMD does not ask for the SSE4.1 floor. Settled once.
bool rowsRun();

// Scales of the way in: luma code -> 2.14 is (code - black) * ky, chroma (code - zero) * kc.
struct InScale {
    float black, ky, zero, kc;
};

// Pixels [0, n) of a row of 2.14 RGB in `layout` from its codes; n, a multiple of eight, is
// returned. Chroma at pixel x is the mean of pair x / 2 and pair (x + 1) / 2, the last pair
// standing in for the one past it.
int rgbFromPlanarRow(const uint16_t* ly, const uint16_t* cb, const uint16_t* cr, int width,
                     const InScale& s, int32_t layout, int16_t* px);

// Scales of the way out: 2.14 -> 1.0 is * unit; luma code black + luma * lumaSpan; chroma
// codes zero + (B - luma) * kb and zero + (R - luma) * kr; codes held to 0..top.
struct OutScale {
    float unit, black, lumaSpan, zero, kb, kr, top;
};

// Pixels [0, n) of a row: R, G, B as 1.0-based floats into r, g, b and the luma codes.
int lumaFromRgbRow(const int16_t* px, int width, const OutScale& s, int32_t layout, float* r,
                   float* g, float* b, uint16_t* ly);

// Chroma codes of pairs [1, n) of a row from r, g, b filtered [1 2 1] around each pair's
// first pixel; n is returned (1 when no whole block fits).
int chromaFromRgbRow(const float* r, const float* g, const float* b, int width, const OutScale& s,
                     uint16_t* cb, uint16_t* cr);

}  // namespace corvane::avx2
