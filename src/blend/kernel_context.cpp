#include "blend/kernel_context.h"

#include <algorithm>

KernelContext makeKernelContext(BlendSettings& s) {
    const auto all = [](float x) { return _mm_set1_ps(x); };
    s.magicV = all(s.magic);
    s.mixV = all(s.mix);
    s.fgBrightnessV = all(s.fgBrightness);
    s.fgContrastV = all(s.fgContrast);
    s.fgSaturationV = all(s.fgSaturation);
    s.fgShiftRV = all(s.fgShift[0]);
    s.fgShiftGV = all(s.fgShift[1]);
    s.fgShiftBV = all(s.fgShift[2]);
    s.outBrightnessV = all(s.outBrightness);
    s.outContrastV = all(s.outContrast);
    s.outSaturationV = all(s.outSaturation);
    s.outShiftRV = all(s.outShift[0]);
    s.outShiftGV = all(s.outShift[1]);
    s.outShiftBV = all(s.outShift[2]);
    s.alphaRotateV = all(s.alphaRotate);

    KernelContext k{};
    k.settings = &s;
    k.simd = chosenSimdPath();
    k.fgCorrectionOn = isSet(s.fgCorrection);
    k.outCorrectionOn = isSet(s.outCorrection);
    k.invertOutputOn = isSet(s.invertOutput);
    k.invertForegroundOn = isSet(s.invertForeground);
    k.alphaRangeOn = isSet(s.alphaRangeEnabled);
    k.invertAlphaOn = isSet(s.invertAlpha);
    k.unpremultiplyOn = isSet(s.unpremultiply);
    const float softHigh = isSet(s.blackoutHighlights) ? 0.0f : s.alphaSoftHigh;
    k.lowRampStartV = all(std::max(0.0f, s.alphaLow - s.alphaSoftLow));
    k.highRampEndV = all(std::min(1.0f, s.alphaHigh + softHigh));
    k.alphaLowV = all(s.alphaLow);
    k.alphaHighV = all(s.alphaHigh);
    k.alphaSoftLowV = all(s.alphaSoftLow);
    k.alphaSoftHighV = all(s.alphaSoftHigh);
    return k;
}
