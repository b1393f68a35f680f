// What the YCbCr loops share with their AVX2 rows: the Rec.709 matrix and where a working
// pixel's samples sit.
#pragma once

#include <cstdint>

#include "working_format.h"

namespace corvane::rec709 {

// Rec.709 luma weights and the matrix between R'G'B' and Y'CbCr built on them.
constexpr float kKr = 0.2126f, kKb = 0.0722f, kKg = 1.f - kKr - kKb;
constexpr float kCrToR = 2.f * (1.f - kKr), kCbToB = 2.f * (1.f - kKb);
constexpr float kCbToG = -kCbToB * kKb / kKg, kCrToG = -kCrToR * kKr / kKg;

// Where a working pixel's samples sit, fixed at compile time so that the loops vectorise:
// R G B A for RGB, Y0 Cb Y1 Cr within a pair for 4:2:2.
template <int P0, int P1, int P2, int P3>
struct Places {
    static constexpr int at[4] = {P0, P1, P2, P3};
};

template <class F>
void withPlaces(int32_t layout, F&& f) {
    switch (layout) {
        case code::kRGBA:
        case code::kYCbYCr:
            return f(Places<0, 1, 2, 3>{});
        case code::kARGB:
            return f(Places<1, 2, 3, 0>{});
        case code::kCbYCrY:
            return f(Places<1, 0, 3, 2>{});
        default:
            return f(Places<2, 1, 0, 3>{});  // BGRA
    }
}

}  // namespace corvane::rec709
