// Rec. 709 luma with the weights as single-precision constants, summed R and G first.
#pragma once

#include "pixel/f4.h"

namespace luma709 {

inline constexpr float kR = 0.2126f, kG = 0.7152f, kB = 0.0722f;

template <class V>
V of(V r, V g, V b) {
    return (r * V::all(kR) + g * V::all(kG)) + b * V::all(kB);
}

}  // namespace luma709
