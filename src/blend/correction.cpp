#include "blend/correction.h"

CorrectionConstants makeCorrection(bool invert, __m128 contrast, __m128 brightness,
                                   __m128 saturation, __m128 shiftR, __m128 shiftG, __m128 shiftB) {
    const F4 one = F4::all(1.0f);
    return {F4::mask(invert),
            F4(contrast) + one,
            brightness,
            F4(contrast) * F4::all(0.5f),
            saturation,
            one - F4(saturation),
            shiftR,
            shiftG,
            shiftB};
}
