// Colour correction of three channels: invert, contrast about mid-grey, brightness,
// saturation against Rec. 709 luma, and a per-channel shift. Nothing is clamped in between.
#pragma once

#include "blend/blend_settings.h"
#include "pixel/f4.h"

// Invert, contrast and brightness are one line per channel, c1 = c * slope + offset:
// (1 - c) (k + 1) + beta - k / 2 when inverting, c (k + 1) + beta - k / 2 otherwise. Made
// once per frame, it spends two operations per channel where the steps one by one spend five;
// the value is the same to the last bit or so.
struct CorrectionConstants {
    F4 slope;       // k + 1, negated when inverting
    F4 offset;      // beta - k * 0.5, plus k + 1 when inverting
    F4 saturation;  // sigma
    F4 oneMinusSaturation;
    F4 shiftR, shiftG, shiftB;
};

CorrectionConstants makeCorrection(bool invert, __m128 contrast, __m128 brightness,
                                   __m128 saturation, __m128 shiftR, __m128 shiftG, __m128 shiftB);

inline void correct(F4& r, F4& g, F4& b, const CorrectionConstants& k) {
    const F4 r1 = r * k.slope + k.offset;
    const F4 g1 = g * k.slope + k.offset;
    const F4 b1 = b * k.slope + k.offset;
    const F4 y = (r1 * F4::all(0.2126f) + g1 * F4::all(0.7152f)) + b1 * F4::all(0.0722f);
    const F4 grey = k.oneMinusSaturation * y;
    r = k.saturation * r1 + grey + k.shiftR;
    g = k.saturation * g1 + grey + k.shiftG;
    b = k.saturation * b1 + grey + k.shiftB;
}
