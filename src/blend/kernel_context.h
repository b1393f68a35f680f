// What a blend kernel reads besides the pixels: the settings, the switches as bytes and the
// alpha-window vectors, built once per frame by the frame processor.
#pragma once

#include <smmintrin.h>

#include <array>
#include <cstdint>

#include "blend/blend_settings.h"
#include "blend/mode_table.h"
#include "pixel/simd_path.h"

struct KernelContext {
    const BlendSettings* settings;
    SimdPath simd;  // the width of the loops: the module's choice, or a test's
    uint8_t fgCorrectionOn;
    uint8_t outCorrectionOn;
    uint8_t invertOutputOn;
    uint8_t invertForegroundOn;
    uint8_t alphaRangeOn;
    uint8_t invertAlphaOn;
    uint8_t unpremultiplyOn;
    alignas(16) __m128 lowRampStartV;  // max(0, alphaLow - alphaSoftLow)
    __m128 highRampEndV;  // min(1, alphaHigh + alphaSoftHigh); no soft high with blackout
    __m128 alphaLowV;
    __m128 alphaHighV;
    __m128 alphaSoftLowV;
    __m128 alphaSoftHighV;
};

// Fills the vector block of `settings` and builds the context for one frame.
KernelContext makeKernelContext(BlendSettings& settings);

// A blend kernel walks the whole frame: background and foreground are read, output written.
using BlendKernel = void (*)(const KernelContext* context, const uint8_t* background,
                             const uint8_t* foreground, uint8_t* output);

// The kernel of each mode, indexed by mode - 1; Add and Linear Dodge share one kernel.
extern const std::array<BlendKernel, kBlendModeCount> kBlendKernels;
