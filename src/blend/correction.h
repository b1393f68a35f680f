// Colour correction of three channels: invert, contrast about mid-grey, brightness,
// saturation against Rec. 709 luma, and a per-channel shift. Nothing is clamped in between.
#pragma once

#include "blend/blend_settings.h"
#include "pixel/f4.h"

// Every step is affine, and so is the whole: with c1 = c * slope + offset (invert, contrast
// and brightness; slope = -(k + 1) and offset = k + 1 + beta - k / 2 when inverting) and the
// luma weights w summing to 1,
//   c2 = sigma * c1 + (1 - sigma) * Y(c1) + shift
//      = (sigma * slope) * c + Y((1 - sigma) * slope * c) + (sigma * offset
//        + (1 - sigma) * Y(offset) + shift).
// Made once per frame, a pixel then costs a weighted sum and three multiply-adds: fourteen
// operations where the steps one by one spend twenty-one. The value is the same to within a
// few units of the last bit.
template <class V>
struct CorrectionConstants {
    V diagonal;                         // sigma * slope
    V weightR, weightG, weightB;        // (1 - sigma) * slope * the luma weight of the channel
    V constantR, constantG, constantB;  // what a channel of 0 becomes
};

CorrectionConstants<F4> makeCorrection(bool invert, __m128 contrast, __m128 brightness,
                                       __m128 saturation, __m128 shiftR, __m128 shiftG,
                                       __m128 shiftB);

template <class V>
void correct(V& r, V& g, V& b, const CorrectionConstants<V>& k) {
    const V y = (r * k.weightR + g * k.weightG) + b * k.weightB;
    r = r * k.diagonal + (y + k.constantR);
    g = g * k.diagonal + (y + k.constantG);
    b = b * k.diagonal + (y + k.constantB);
}

// `first`, a scale of all three channels by `scale`, then `then`, as one correction: the form
// above is closed under both, so the three cost what one correction costs.
CorrectionConstants<F4> composed(const CorrectionConstants<F4>& first, F4 scale,
                                 const CorrectionConstants<F4>& then);
