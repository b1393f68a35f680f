// The oscilloscope's parameters and panel: a "False Color" group, a "Waveform" group and a
// free check box. The render reads the parameters back through the same entries.
#pragma once

#include "effects/catalogue.h"

struct IACFHostFactory;
struct IAVXComponentRecord;

namespace scope_params {

// The switches of the two groups: values the panel holds, not parameters it defines.
extern const ParamDef FalseColourOn, WaveformOn;
extern const ParamDef Palette, GammaShift;
extern const ParamDef YPosition, Scale, ResizeWaveform, WaveIntensity, ScopeIntensity;
extern const ParamDef LogToConsole;

}  // namespace scope_params

// Raises a host failure (a failing status, or 0x80000005 for a missing record).
void defineScopeGroup(IACFHostFactory& factory, IAVXComponentRecord& component);
