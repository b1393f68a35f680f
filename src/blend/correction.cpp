#include "blend/correction.h"

CorrectionConstants makeCorrection(bool invert, __m128 contrast, __m128 brightness,
                                   __m128 saturation, __m128 shiftR, __m128 shiftG, __m128 shiftB) {
    const F4 one = F4::all(1.0f);
    const F4 contrastPlus1 = F4(contrast) + one;
    const F4 offset = F4(brightness) - F4(contrast) * F4::all(0.5f);
    return {invert ? F4::zero() - contrastPlus1 : contrastPlus1,
            invert ? contrastPlus1 + offset : offset,
            saturation,
            one - F4(saturation),
            shiftR,
            shiftG,
            shiftB};
}
