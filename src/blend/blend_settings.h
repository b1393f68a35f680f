// Everything one blend render needs besides the pixels: filled from the parameters at the
// render's parameter time and from the output frame's description, then handed to the frame
// processor. Lives on the render call's stack; nothing of it survives between frames.
#pragma once

#include <smmintrin.h>

#include <array>
#include <cstdint>

#include "pixel/frame_format.h"

struct alignas(16) BlendSettings {
    // Four-lane broadcasts of the scalars below, filled once per frame by the frame
    // processor; the parameter readers leave them alone.
    __m128 magicV{};
    __m128 mixV{};
    __m128 fgBrightnessV{};
    __m128 fgContrastV{};
    __m128 fgSaturationV{};
    __m128 fgShiftRV{}, fgShiftGV{}, fgShiftBV{};
    __m128 outBrightnessV{};
    __m128 outContrastV{};
    __m128 outSaturationV{};
    __m128 outShiftRV{}, outShiftGV{}, outShiftBV{};
    __m128 alphaRotateV{};

    uint32_t matteLayer = 2;
    uint32_t foregroundLayer = 1;
    uint32_t backgroundLayer = 0;
    int32_t frameTime = 0;
    int32_t field = 0;
    double paramTime = 0.0;  // every parameter is read at this time
    FrameFormat frame;       // the output frame, taken as the format of every frame

    int32_t mode = 0;  // blend mode 1..25; 0 after bypass
    int32_t bypass = 0;
    int32_t clampToLegal = 1;
    float mix = 1.0f;
    float magic = 1.0f;  // never 0: the modes divide by it

    int32_t fgCorrection = 0;
    int32_t outCorrection = 0;
    int32_t invertForeground = 0;
    float fgBrightness = 0.0f;
    float fgContrast = 0.0f;
    float fgSaturation = 1.0f;
    std::array<float, 3> fgShift{};  // red, green, blue
    int32_t invertOutput = 0;
    float outBrightness = 0.0f;
    float outContrast = 0.0f;
    float outSaturation = 1.0f;
    std::array<float, 3> outShift{};

    int32_t alphaEnabled = 0;
    int32_t showAlpha = 0;
    const uint8_t* matteData = nullptr;  // set by the frame processor
    uint32_t alphaSource = 0;            // an AlphaSource value, or any other code
    int32_t invertAlpha = 0;
    int32_t unpremultiply = 0;
    int32_t alphaRangeEnabled = 0;
    int32_t normalizeAlpha = 1;
    int32_t blackoutHighlights = 1;
    float alphaRotate = 0.0f;  // in turns
    float alphaLow = 0.0f;
    float alphaHigh = 1.0f;
    float alphaSoftHigh = 0.0f;
    float alphaSoftLow = 0.0f;
};

// On/off settings count as set only when exactly 1.
constexpr bool isSet(int32_t flag) { return flag == 1; }
