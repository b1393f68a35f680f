// The 24 blend kernels in one list, and which kernel each of the 25 modes runs.
#pragma once

#include <tuple>

#include "blend/blend_modes.h"

namespace mode {

using Kernels =
    std::tuple<Normal, Add, Subtract, Difference, Multiply, Screen, Overlay, Hardlight, Softlight,
               Darken, Lighten, Negation, Exclusion, ColorDodge, ColorBurn, LinearBurn, LinearLight,
               VividLight, PinLight, HardMix, Reflect, Glow, Phoenix, FillWithMagic>;

inline constexpr int kKernelCount = std::tuple_size_v<Kernels>;

// Kernel index of mode 1 to 25, by mode - 1. "Linear Dodge(Add)" (16) runs the Add kernel.
inline constexpr int kKernelOfMode[25] = {0,  1,  2, 3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                          13, 14, 1, 15, 16, 17, 18, 19, 20, 21, 22, 23};

}  // namespace mode
