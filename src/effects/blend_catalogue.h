// The parameters and panels of the blend effects: the blend group (every blend effect), the
// layer switcher and the alpha group (the two three-input effects).
#pragma once

#include "effects/catalogue.h"

struct IACFHostFactory;
struct IAVXComponentRecord;

namespace blend_params {

// Blend group.
extern const ParamDef Bypass, BlendMode, Mix, Magic, ClampToLegal;
extern const ParamDef FgCorrection, InvertFg, FgSaturation, FgBrightness, FgContrast, FgShift;
extern const ParamDef OutCorrection, InvertOut, OutSaturation, OutBrightness, OutContrast, OutShift;
// Layer switcher.
extern const ParamDef MatteLayer, ForegroundLayer, BackgroundLayer;
// Alpha group.
extern const ParamDef AlphaSource, AlphaEnabled, Unpremultiply, InvertAlpha, ShowAlpha, AlphaRotate,
    AlphaRangeEnabled, NormalizeAlpha, BlackoutHighlights, AlphaValue, AlphaRange, AlphaSoftHigh,
    AlphaSoftLow;

// The six settings of a correction, which the foreground and the output groups share.
struct CorrectionGroupDef {
    const ParamDef& enabler;
    const ParamDef& invert;
    const ParamDef& brightness;
    const ParamDef& contrast;
    const ParamDef& saturation;
    const ParamDef& shift;
};
extern const CorrectionGroupDef FgCorrectionGroup, OutCorrectionGroup;

extern const ParamGroupDef BlendGroup;
extern const ParamGroupDef LayerSwitcherGroup;
extern const ParamGroupDef AlphaGroup;

}  // namespace blend_params

// Each raises a host failure (a failing status, or 0x80000005 for a missing record).
void defineBlendGroup(IACFHostFactory& factory, IAVXComponentRecord& component);
void defineLayerSwitcher(IACFHostFactory& factory, IAVXComponentRecord& component);
void defineAlphaGroup(IACFHostFactory& factory, IAVXComponentRecord& component);
