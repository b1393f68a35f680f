// Rec. 709 luma with the weights as single-precision constants, summed R and G first.
#pragma once

#include "pixel/f4.h"

namespace luma709 {

inline constexpr float kR = 0.2126f, kG = 0.7152f, kB = 0.0722f;

inline F4 of(F4 r, F4 g, F4 b) { return (r * F4::all(kR) + g * F4::all(kG)) + b * F4::all(kB); }

}  // namespace luma709
