// Colour correction of three channels: invert, contrast about mid-grey, brightness,
// saturation against Rec. 709 luma, and a per-channel shift. Nothing is clamped in between.
#pragma once

#include "blend/blend_settings.h"
#include "pixel/f4.h"

struct CorrectionConstants {
    F4 invert;         // all lanes set when the invert switch is on
    F4 contrastPlus1;  // k + 1
    F4 brightness;     // beta
    F4 halfContrast;   // k * 0.5
    F4 saturation;     // sigma
    F4 oneMinusSaturation;
    F4 shiftR, shiftG, shiftB;
};

CorrectionConstants makeCorrection(bool invert, __m128 contrast, __m128 brightness,
                                   __m128 saturation, __m128 shiftR, __m128 shiftG, __m128 shiftB);

inline void correct(F4& r, F4& g, F4& b, const CorrectionConstants& k) {
    const F4 one = F4::all(1.0f);
    r = select(k.invert, one - r, r);
    g = select(k.invert, one - g, g);
    b = select(k.invert, one - b, b);
    // c * (k + 1) + beta - k * 0.5: a contrast pivot at 0.5.
    const F4 r1 = r * k.contrastPlus1 + k.brightness - k.halfContrast;
    const F4 g1 = g * k.contrastPlus1 + k.brightness - k.halfContrast;
    const F4 b1 = b * k.contrastPlus1 + k.brightness - k.halfContrast;
    const F4 y = (r1 * F4::all(0.2126f) + g1 * F4::all(0.7152f)) + b1 * F4::all(0.0722f);
    const F4 grey = k.oneMinusSaturation * y;
    r = k.saturation * r1 + grey + k.shiftR;
    g = k.saturation * g1 + grey + k.shiftG;
    b = k.saturation * b1 + grey + k.shiftB;
}
