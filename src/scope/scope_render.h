// One frame through "Corvane REC.709 Oscilloscope".
#pragma once

#include <cstdint>

#include "pixel/simd_path.h"

struct IAVXEffectContext;
struct IAVXRenderTime;
struct IAVXRenderField;
struct IAVXOutputSet;

// Reads the parameters and the frames, lays out the panel, writes the output (legal map,
// false colour or the picture with the panel), draws the markers, and sends the frame's
// warning line when something was out of range and logging is on. Returns 0 or the failing
// status; never throws. The output is untouched when the render fails before it writes.
// `simd`: the width of the main pass, the module's choice unless a benchmark names one.
int32_t renderScope(IAVXEffectContext* context, IAVXRenderTime* renderTime,
                    IAVXRenderField* renderField, IAVXOutputSet* outputSet,
                    SimdPath simd = chosenSimdPath());
