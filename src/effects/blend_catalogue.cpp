#include "effects/blend_catalogue.h"

#include "blend/alpha_sources.h"
#include "blend/mode_table.h"
#include "effects/catalogue_definition.h"
#include "effects/corvane_ids.h"

namespace blend_params {

namespace id = corvane_id::param;
using enum ParamType;
using enum DefineWay;

// clang-format off
// Columns: id, key, label, type, way, flag, default, fallback (what a reader takes when the host
// cannot find the parameter), and for Double and Triple min, max and the slider flag.
const ParamDef Bypass            {id::Bypass,             u"",                                             u"Bypass",                   Bool,   Shared, 0, 0,   0};
const ParamDef BlendMode         {id::BlendMode,          u"corvane.modelist.value",                       u"Blend Mode",               Int,    Shared, 0, 6,   6};
const ParamDef Mix               {id::Mix,                u"corvane.blend.mixvalue",                       u"Blend as Percent",         Double, Shared, 1, 100, 0,   0,    100, 1};
const ParamDef Magic             {id::Magic,              u"corvane.blend.magicvalue",                     u"the Magic",                Double, Shared, 1, 100, 100, -200, 200, 1};
const ParamDef ClampToLegal      {id::ClampToLegal,       u"",                                             u"Clamp to Legal",           Bool,   Shared, 0, 1,   1};
const ParamDef FgCorrection      {id::FgCorrection,       u"corvane.FGCC.enabler",                         u"Enable FG Correction",     Bool,   Shared, 0, 0,   0};
const ParamDef InvertFg          {id::InvertFg,           u"Invert FG",                                    u"Invert FG",                Bool,   Shared, 0, 0,   0};
const ParamDef FgSaturation      {id::FgSaturation,       u"corvane.FGCC.Saturation.val",                  u"Saturation",               Double, Shared, 1, 100, 0,   0,    200, 1};
const ParamDef FgBrightness      {id::FgBrightness,       u"corvane.FGCC.Brightness.val",                  u"Brightness",               Double, Shared, 1, 0,   0,   -255, 255, 1};
const ParamDef FgContrast        {id::FgContrast,         u"corvane.FGCC.Contrast.val",                    u"Contrast",                 Double, Shared, 1, 0,   0,   -255, 255, 1};
const ParamDef FgShift           {id::FgShift,            u"RGB Shift",                                    u"RGB Shift",                Triple, Shared, 1, 0,   0,   -255, 255};
const ParamDef OutCorrection     {id::OutCorrection,      u"corvane.FGOUT.enabler",                        u"Enable Output Correction", Bool,   Shared, 0, 0,   0};
const ParamDef InvertOut         {id::InvertOut,          u"Invert Out",                                   u"Invert Out",               Bool,   Shared, 0, 0,   0};
const ParamDef OutSaturation     {id::OutSaturation,      u"corvane.OutCC.Saturation.val",                 u"Saturation",               Double, Shared, 1, 100, 0,   0,    200, 1};
const ParamDef OutBrightness     {id::OutBrightness,      u"corvane.OutCC.Brightness.val",                 u"Brightness",               Double, Shared, 1, 0,   0,   -255, 255, 1};
const ParamDef OutContrast       {id::OutContrast,        u"corvane.OutCC.Contrast.val",                   u"Contrast",                 Double, Shared, 1, 0,   0,   -255, 255, 1};
const ParamDef OutShift          {id::OutShift,           u"RGB Shift",                                    u"RGB Shift",                Triple, Shared, 1, 0,   0,   -255, 255};

const ParamDef MatteLayer        {id::MatteLayer,         u"corvane.MTsrc",                                u"Matte Layer",              Int,    Shared, 0, 2,   2};
const ParamDef ForegroundLayer   {id::ForegroundLayer,    u"corvane.FGsrc",                                u"Foreground Layer",         Int,    Shared, 0, 1,   1};
const ParamDef BackgroundLayer   {id::BackgroundLayer,    u"corvane.BGsrc",                                u"Background Layer",         Int,    Shared, 0, 0,   0};

const ParamDef AlphaSource       {id::AlphaSource,        u"corvane.alphalist.value",                      u"Alpha source",             Int,    Own,    0, 0,   0};
const ParamDef AlphaEnabled      {id::AlphaEnabled,       u"corvane.alphalist.enabler",                    u"Enable alpha",             Bool,   Own,    0, 0,   0};
const ParamDef Unpremultiply     {id::Unpremultiply,      u"Unpremultiply Alpha",                          u"Unpremultiply",            Bool,   Own,    0, 0,   0};
const ParamDef InvertAlpha       {id::InvertAlpha,        u"Invert Alpha",                                 u"Invert",                   Bool,   Own,    0, 0,   0};
const ParamDef ShowAlpha         {id::ShowAlpha,          u"Show Alpha",                                   u"Show Alpha",               Bool,   Own,    0, 0,   0};
const ParamDef AlphaRotate       {id::AlphaRotate,        u"corvane.alphalist.rotate.val",                 u"Rotate",                   Double, Shared, 1, 0,   0,   0,    360, 0};
const ParamDef AlphaRangeEnabled {id::AlphaRangeEnabled,  u"corvane.alphalist.alpharange.enabler",         u"Enable alpha range",       Bool,   Own,    0, 0,   0};
const ParamDef NormalizeAlpha    {id::NormalizeAlpha,     u"Normalize Alpha",                              u"Normalize",                Bool,   Own,    0, 1,   1};
const ParamDef BlackoutHighlights{id::BlackoutHighlights, u"Map upper bound to 0",                         u"Blackout highlights",      Bool,   Own,    0, 1,   1};
const ParamDef AlphaValue        {id::AlphaValue,         u"corvane.alphalist.alpharange.value.val",       u"Value",                    Double, Shared, 1, 0,   0,   0,    255, 1};
const ParamDef AlphaRange        {id::AlphaRange,         u"corvane.alphalist.alpharange.range.val",       u"Range",                    Double, Shared, 1, 255, 255, 0,    255, 0};
const ParamDef AlphaSoftHigh     {id::AlphaSoftHigh,      u"corvane.alphalist.alpharange.range.sfthi.val", u"SoftH",                    Double, Shared, 1, 16,  0,   0,    255, 0};
const ParamDef AlphaSoftLow      {id::AlphaSoftLow,       u"corvane.alphalist.alpharange.range.sftlo.val", u"SoftL",                    Double, Shared, 1, 16,  0,   0,    255, 0};
// clang-format on

const CorrectionGroupDef FgCorrectionGroup{FgCorrection, InvertFg,     FgBrightness,
                                           FgContrast,   FgSaturation, FgShift};
const CorrectionGroupDef OutCorrectionGroup{OutCorrection, InvertOut,     OutBrightness,
                                            OutContrast,   OutSaturation, OutShift};

namespace {

namespace control = corvane_id::control;
namespace entry = corvane_id::entry;
using enum ControlKind;

// clang-format off
constexpr auto kBlendModeEntries = listEntries(kBlendModes);

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

constexpr auto kAlphaSourceEntries = listEntries(kAlphaSources);

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
