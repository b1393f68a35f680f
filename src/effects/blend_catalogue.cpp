#include "effects/blend_catalogue.h"

#include "effects/catalogue_definition.h"
#include "effects/corvane_ids.h"

namespace blend_params {

namespace id = corvane_id::param;
using enum ParamType;
using enum DefineWay;

// clang-format off
//                     id                   key                                   label                   type    way     flag value  min   max  slider
const ParamDef Bypass       {id::Bypass,       u"",                                 u"Bypass",               Bool,   Shared, 0,   0};
const ParamDef BlendMode    {id::BlendMode,    u"corvane.modelist.value",           u"Blend Mode",           Int,    Shared, 0,   6};
const ParamDef Mix          {id::Mix,          u"corvane.blend.mixvalue",           u"Blend as Percent",     Double, Shared, 1, 100,    0,  100, 1};
const ParamDef Magic        {id::Magic,        u"corvane.blend.magicvalue",         u"the Magic",            Double, Shared, 1, 100, -200,  200, 1};
const ParamDef ClampToLegal {id::ClampToLegal, u"",                                 u"Clamp to Legal",       Bool,   Shared, 0,   1};
const ParamDef FgCorrection {id::FgCorrection, u"corvane.FGCC.enabler",             u"Enable FG Correction", Bool,   Shared, 0,   0};
const ParamDef InvertFg     {id::InvertFg,     u"Invert FG",                        u"Invert FG",            Bool,   Shared, 0,   0};
const ParamDef FgSaturation {id::FgSaturation, u"corvane.FGCC.Saturation.val",      u"Saturation",           Double, Shared, 1, 100,    0,  200, 1};
const ParamDef FgBrightness {id::FgBrightness, u"corvane.FGCC.Brightness.val",      u"Brightness",           Double, Shared, 1,   0, -255,  255, 1};
const ParamDef FgContrast   {id::FgContrast,   u"corvane.FGCC.Contrast.val",        u"Contrast",             Double, Shared, 1,   0, -255,  255, 1};
const ParamDef FgShift      {id::FgShift,      u"RGB Shift",                        u"RGB Shift",            Triple, Shared, 1,   0, -255,  255};
const ParamDef OutCorrection{id::OutCorrection,u"corvane.FGOUT.enabler",            u"Enable Output Correction", Bool, Shared, 0, 0};
const ParamDef InvertOut    {id::InvertOut,    u"Invert Out",                       u"Invert Out",           Bool,   Shared, 0,   0};
const ParamDef OutSaturation{id::OutSaturation,u"corvane.OutCC.Saturation.val",     u"Saturation",           Double, Shared, 1, 100,    0,  200, 1};
const ParamDef OutBrightness{id::OutBrightness,u"corvane.OutCC.Brightness.val",     u"Brightness",           Double, Shared, 1,   0, -255,  255, 1};
const ParamDef OutContrast  {id::OutContrast,  u"corvane.OutCC.Contrast.val",       u"Contrast",             Double, Shared, 1,   0, -255,  255, 1};
const ParamDef OutShift     {id::OutShift,     u"RGB Shift",                        u"RGB Shift",            Triple, Shared, 1,   0, -255,  255};

const ParamDef MatteLayer     {id::MatteLayer,      u"corvane.MTsrc", u"Matte Layer",      Int, Shared, 0, 2};
const ParamDef ForegroundLayer{id::ForegroundLayer, u"corvane.FGsrc", u"Foreground Layer", Int, Shared, 0, 1};
const ParamDef BackgroundLayer{id::BackgroundLayer, u"corvane.BGsrc", u"Background Layer", Int, Shared, 0, 0};

const ParamDef AlphaSource       {id::AlphaSource,       u"corvane.alphalist.value",                      u"Alpha source",        Int,    Own,    0,   0};
const ParamDef AlphaEnabled      {id::AlphaEnabled,      u"corvane.alphalist.enabler",                    u"Enable alpha",        Bool,   Own,    0,   0};
const ParamDef Unpremultiply     {id::Unpremultiply,     u"Unpremultiply Alpha",                          u"Unpremultiply",       Bool,   Own,    0,   0};
const ParamDef InvertAlpha       {id::InvertAlpha,       u"Invert Alpha",                                 u"Invert",              Bool,   Own,    0,   0};
const ParamDef ShowAlpha         {id::ShowAlpha,         u"Show Alpha",                                   u"Show Alpha",          Bool,   Own,    0,   0};
const ParamDef AlphaRotate       {id::AlphaRotate,       u"corvane.alphalist.rotate.val",                 u"Rotate",              Double, Shared, 1,   0, 0, 360, 0};
const ParamDef AlphaRangeEnabled {id::AlphaRangeEnabled, u"corvane.alphalist.alpharange.enabler",         u"Enable alpha range",  Bool,   Own,    0,   0};
const ParamDef NormalizeAlpha    {id::NormalizeAlpha,    u"Normalize Alpha",                              u"Normalize",           Bool,   Own,    0,   1};
const ParamDef BlackoutHighlights{id::BlackoutHighlights,u"Map upper bound to 0",                         u"Blackout highlights", Bool,   Own,    0,   1};
const ParamDef AlphaValue        {id::AlphaValue,        u"corvane.alphalist.alpharange.value.val",       u"Value",               Double, Shared, 1,   0, 0, 255, 1};
const ParamDef AlphaRange        {id::AlphaRange,        u"corvane.alphalist.alpharange.range.val",       u"Range",               Double, Shared, 1, 255, 0, 255, 0};
const ParamDef AlphaSoftHigh     {id::AlphaSoftHigh,     u"corvane.alphalist.alpharange.range.sfthi.val", u"SoftH",               Double, Shared, 1,  16, 0, 255, 0};
const ParamDef AlphaSoftLow      {id::AlphaSoftLow,      u"corvane.alphalist.alpharange.range.sftlo.val", u"SoftL",               Double, Shared, 1,  16, 0, 255, 0};
// clang-format on

namespace {

namespace control = corvane_id::control;
namespace entry = corvane_id::entry;
using enum ControlKind;

// clang-format off
constexpr ControlDef kBlendModeEntries[] = {
    {entry::ModeNormal,       u"Normal",            u"corvane.modelist.normal",       ListEntry, nullptr,  1},
    {entry::ModeBlackfill,    u"Fill with Magic",   u"corvane.modelist.blackfill",    ListEntry, nullptr, 25},
    {entry::ModeDarken,       u"Darken",            u"corvane.modelist.darken",       ListEntry, nullptr, 10},
    {entry::ModeMultiply,     u"Multiply",          u"corvane.modelist.multiply",     ListEntry, nullptr,  5},
    {entry::ModeColorburn,    u"Color Burn",        u"corvane.modelist.colorburn",    ListEntry, nullptr, 15},
    {entry::ModeLinearburn,   u"Linear Burn",       u"corvane.modelist.linearburn",   ListEntry, nullptr, 17},
    {entry::ModeLighten,      u"Lighten",           u"corvane.modelist.lighten",      ListEntry, nullptr, 11},
    {entry::ModeScreen,       u"Screen",            u"corvane.modelist.screen",       ListEntry, nullptr,  6},
    {entry::ModeColordodge,   u"Color Dodge",       u"corvane.modelist.colordodge",   ListEntry, nullptr, 14},
    {entry::ModeAdd,          u"Add",               u"corvane.modelist.add",          ListEntry, nullptr,  2},
    {entry::ModeLineardodge,  u"Linear Dodge(Add)", u"corvane.modelist.lineardodge",  ListEntry, nullptr, 16},
    {entry::ModeOverlay,      u"Overlay",           u"corvane.modelist.overlay",      ListEntry, nullptr,  7},
    {entry::ModeSoftlight,    u"Softlight",         u"corvane.modelist.softlight",    ListEntry, nullptr,  9},
    {entry::ModeHardlight,    u"Hardlight",         u"corvane.modelist.hardlight",    ListEntry, nullptr,  8},
    {entry::ModeVividlight,   u"Vivid Light",       u"corvane.modelist.vividlight",   ListEntry, nullptr, 19},
    {entry::ModeLinearlight,  u"Linear Light",      u"corvane.modelist.linearlight",  ListEntry, nullptr, 18},
    {entry::ModePinlight,     u"Pin Light",         u"corvane.modelist.pinlight",     ListEntry, nullptr, 20},
    {entry::ModeHardmix,      u"Hard Mix",          u"corvane.modelist.hardmix",      ListEntry, nullptr, 21},
    {entry::ModeDifference,   u"Difference",        u"corvane.modelist.difference",   ListEntry, nullptr,  4},
    {entry::ModeExclusion,    u"Exclusion",         u"corvane.modelist.exclusion",    ListEntry, nullptr, 13},
    {entry::ModeSubtract,     u"Subtract",          u"corvane.modelist.subtract",     ListEntry, nullptr,  3},
    {entry::ModeNegation,     u"Negation",          u"corvane.modelist.negation",     ListEntry, nullptr, 12},
    {entry::ModeReflect,      u"Reflect",           u"corvane.modelist.reflect",      ListEntry, nullptr, 22},
    {entry::ModeGlow,         u"Glow",              u"corvane.modelist.glow",         ListEntry, nullptr, 23},
    {entry::ModePhoenix,      u"Phoenix",           u"corvane.modelist.phoenix",      ListEntry, nullptr, 24},
};

constexpr ControlDef kFgCorrectionControls[] = {
    {control::InvertCheckBox, u"Invert FG",  u"Invert FG",                       CheckBox, &InvertFg},
    {control::FgSaturation,   u"Saturation", u"corvane.FGCC.Saturation.slider",  Slider,   &FgSaturation},
    {control::FgBrightness,   u"Brightness", u"corvane.FGCC.Brightness.slider",  Slider,   &FgBrightness},
    {control::FgContrast,     u"Contrast",   u"corvane.FGCC.Contrast.slider",    Slider,   &FgContrast},
    {control::FgShift,        u"RGB Shift",  u"RGB Shift",                       Slider,   &FgShift},
};

constexpr ControlDef kOutCorrectionControls[] = {
    {control::InvertOut,      u"Invert Out", u"Invert Out",                      CheckBox, &InvertOut},
    {control::OutSaturation,  u"Saturation", u"corvane.OutCC.Saturation.slider", Slider,   &OutSaturation},
    {control::OutBrightness,  u"Brightness", u"corvane.OutCC.Brightness.slider", Slider,   &OutBrightness},
    {control::OutContrast,    u"Contrast",   u"corvane.OutCC.Contrast.slider",   Slider,   &OutContrast},
    {control::OutShift,       u"RGB Shift",  u"RGB Shift",                       Slider,   &OutShift},
};

constexpr ControlDef kBlendPanel[] = {
    {control::Bypass,        u"Bypass",            u"",                               CheckBox,   &Bypass},
    {control::BlendModeList, u"Select blend mode", u"corvane.modelist",               ChoiceList, &BlendMode, 0, nullptr, kNoGroupFlag, kBlendModeEntries},
    {control::MixSlider,     u"Mix Percent",       u"corvane.blend.mixvalueslider",   Slider,     &Mix},
    {control::MagicSlider,   u"the Magic slider",  u"corvane.blend.magicvalueslider", Slider,     &Magic,     0, &control::MagicEnabledBy},
    {control::ClampToLegal,  u"Clamp to Legal",    u"",                               CheckBox,   &ClampToLegal},
    {control::FgGroup,       u"FG PreCorrection",  u"FG Processing",                  Group,      nullptr,    0, &id::FgCorrection, 0, kFgCorrectionControls},
    {control::OutGroup,      u"Output correction", u"Out Processing",                 Group,      nullptr,    0, &id::OutCorrection, kNoGroupFlag, kOutCorrectionControls},
};

constexpr ControlDef kMatteLayerEntries[] = {
    {entry::MatteCurrent,  u"Matte layer: Current",   u"corvane.srclist.MT2", ListEntry, nullptr, 2},
    {entry::Matte1stBelow, u"Matte layer: 1st below", u"corvane.srclist.MT1", ListEntry, nullptr, 1},
    {entry::Matte2ndBelow, u"Matte layer: 2nd below", u"corvane.srclist.MT0", ListEntry, nullptr, 0},
};
constexpr ControlDef kForegroundLayerEntries[] = {
    {entry::FgCurrent,  u"FGLayer: Current",   u"corvane.srclist.FG2", ListEntry, nullptr, 2},
    {entry::Fg1stBelow, u"FGLayer: 1st below", u"corvane.srclist.FG1", ListEntry, nullptr, 1},
    {entry::Fg2ndBelow, u"FGLayer: 2nd below", u"corvane.srclist.FG0", ListEntry, nullptr, 0},
};
constexpr ControlDef kBackgroundLayerEntries[] = {
    {entry::BgCurrent,  u"BGLayer: Current",   u"corvane.srclist.BG2", ListEntry, nullptr, 2},
    {entry::Bg1stBelow, u"BGLayer: 1st below", u"corvane.srclist.BG1", ListEntry, nullptr, 1},
    {entry::Bg2ndBelow, u"BGLayer: 2nd below", u"corvane.srclist.BG0", ListEntry, nullptr, 0},
};

constexpr ControlDef kLayerLists[] = {
    {control::MatteLayerList,      u"Matte Layer",      u"corvane.MTSrclist", ChoiceList, &MatteLayer,      0, nullptr, kNoGroupFlag, kMatteLayerEntries},
    {control::ForegroundLayerList, u"Foreground Layer", u"corvane.FGSrclist", ChoiceList, &ForegroundLayer, 0, nullptr, kNoGroupFlag, kForegroundLayerEntries},
    {control::BackgroundLayerList, u"Background Layer", u"corvane.BGSrclist", ChoiceList, &BackgroundLayer, 0, nullptr, kNoGroupFlag, kBackgroundLayerEntries},
};

constexpr ControlDef kLayerPanel[] = {
    {control::LayerGroup, u"Layer Switcher", u"Layer Switcher", Group, nullptr, 0, nullptr, 1, kLayerLists},
};

constexpr ControlDef kAlphaSourceEntries[] = {
    {entry::AlphaMatte,      u"Alpha: Matte",      u"corvane.alphalist.alpha",      ListEntry, nullptr, 0},
    {entry::AlphaRed,        u"Alpha: Red",        u"corvane.alphalist.red",        ListEntry, nullptr, 1},
    {entry::AlphaGreen,      u"Alpha: Green",      u"corvane.alphalist.green",      ListEntry, nullptr, 2},
    {entry::AlphaBlue,       u"Alpha: Blue",       u"corvane.alphalist.blue",       ListEntry, nullptr, 3},
    {entry::AlphaHue,        u"Alpha: Hue",        u"corvane.alphalist.Hue",        ListEntry, nullptr, 5},
    {entry::AlphaSaturation, u"Alpha: Saturation", u"corvane.alphalist.Saturation", ListEntry, nullptr, 6},
    {entry::AlphaValue,      u"Alpha: Value",      u"corvane.alphalist.Value",      ListEntry, nullptr, 7},
    {entry::AlphaLuma,       u"Alpha: Luminance",  u"corvane.alphalist.luma",       ListEntry, nullptr, 4},
    {entry::AlphaLightness,  u"Alpha: Lightness",  u"corvane.alphalist.Value",      ListEntry, nullptr, 8},
};

constexpr ControlDef kAlphaRangeControls[] = {
    {control::Normalize,      u"Normalize",           u"Normalize Alpha",                                 CheckBox,         &NormalizeAlpha},
    {control::Blackout,       u"Blackout highlights", u"Map upper bound to 0",                            CheckBox,         &BlackoutHighlights},
    {control::ValueSlider,    u"Value",               u"corvane.alphalist.alpharange.value.slider",       SliderSecondKind, &AlphaValue},
    {control::RangeSlider,    u"Range",               u"corvane.alphalist.alpharange.range.slider",       Slider,           &AlphaRange},
    {control::SoftHighSlider, u"SoftH",               u"corvane.alphalist.alpharange.range.sfthi.slider", Slider,           &AlphaSoftHigh},
    {control::SoftLowSlider,  u"SoftL",               u"corvane.alphalist.alpharange.range.sftlo.slider", Slider,           &AlphaSoftLow},
};

constexpr ControlDef kAlphaControls[] = {
    {control::AlphaSourceList, u"Select Alpha source", u"corvane.alphalist",               ChoiceList, &AlphaSource, 0, nullptr, kNoGroupFlag, kAlphaSourceEntries},
    {control::InvertCheckBox,  u"Unpremultiply",       u"Unpremultiply Alpha",             CheckBox,   &Unpremultiply},
    {control::InvertCheckBox,  u"Invert",              u"Invert Alpha",                    CheckBox,   &InvertAlpha},
    {control::ShowAlpha,       u"Show Alpha",          u"Show Alpha",                      CheckBox,   &ShowAlpha},
    {control::RotateSlider,    u"Rotate",              u"corvane.alphalist.rotate.slider", Slider,     &AlphaRotate},
    {control::AlphaRangeGroup, u"Alpha range",         u"Alpha range",                     Group,      nullptr, 0, &id::AlphaRangeEnabled, kNoGroupFlag, kAlphaRangeControls},
};

constexpr ControlDef kAlphaPanel[] = {
    {control::AlphaGroup, u"Alpha Processing", u"Alpha Processing", Group, nullptr, 0, &id::AlphaEnabled, 0, kAlphaControls},
};

constexpr const ParamDef* kBlendParams[] = {
    &Bypass, &BlendMode, &Mix, &Magic, &ClampToLegal, &FgCorrection, &InvertFg, &FgSaturation,
    &FgBrightness, &FgContrast, &FgShift, &OutCorrection, &InvertOut, &OutSaturation,
    &OutBrightness, &OutContrast, &OutShift};
constexpr const ParamDef* kLayerParams[] = {&MatteLayer, &ForegroundLayer, &BackgroundLayer};
constexpr const ParamDef* kAlphaParams[] = {
    &AlphaSource, &AlphaEnabled, &Unpremultiply, &InvertAlpha, &ShowAlpha, &AlphaRotate,
    &AlphaRangeEnabled, &NormalizeAlpha, &BlackoutHighlights, &AlphaValue, &AlphaRange,
    &AlphaSoftHigh, &AlphaSoftLow};
// clang-format on

}  // namespace

const ParamGroupDef BlendGroup{kBlendParams, kBlendPanel};
const ParamGroupDef LayerSwitcherGroup{kLayerParams, kLayerPanel};
const ParamGroupDef AlphaGroup{kAlphaParams, kAlphaPanel};

}  // namespace blend_params

void defineBlendGroup(IACFHostFactory& factory, IAVXComponentRecord& component) {
    defineParamGroup(factory, component, blend_params::BlendGroup);
}
void defineLayerSwitcher(IACFHostFactory& factory, IAVXComponentRecord& component) {
    defineParamGroup(factory, component, blend_params::LayerSwitcherGroup);
}
void defineAlphaGroup(IACFHostFactory& factory, IAVXComponentRecord& component) {
    defineParamGroup(factory, component, blend_params::AlphaGroup);
}
