// The blend processor shared by the three blend effects. It keeps no data: everything a
// render needs travels in its BlendSettings.
#pragma once

#include <cstdint>

#include "blend/blend_settings.h"

struct IAVXEffectContext;
struct IAVXRenderTime;
struct IAVXRenderField;
struct IAVXOutputSet;

class Corvane_Processor {
public:
    // Each returns 0 or the failing status and never throws. A null record gives 0x80000005.

    // Render time and field, the blend group's parameters, then the output frame's format.
    static int32_t readBlendParameters(IAVXEffectContext* context, IAVXRenderTime* renderTime,
                                       IAVXRenderField* renderField, IAVXOutputSet* outputSet,
                                       BlendSettings* settings);
    // The layer switcher; needs paramTime, so it runs after readBlendParameters.
    static int32_t readLayerParameters(IAVXEffectContext* context, BlendSettings* settings);
    // The alpha group; needs paramTime as well.
    static int32_t readAlphaParameters(IAVXEffectContext* context, IAVXRenderField* renderField,
                                       BlendSettings* settings);

    // Fetches the inputs at the render's frame time and field and writes the output frame:
    // the kernel of `mode`, a copy of the background for any mode outside 1..25, or for the
    // skip mode only an alert.
    static int32_t processFrame(IAVXEffectContext* context, IAVXOutputSet* outputSet,
                                BlendSettings* settings);
};
