#include "scope/scope_catalogue.h"

#include "effects/catalogue_definition.h"
#include "effects/corvane_ids.h"

namespace scope_params {

namespace id = corvane_id::param;
using enum ParamType;
using enum DefineWay;

// clang-format off
// Columns: id, key, label, type, way, flag, default, fallback (what the render takes when the
// host cannot find the parameter), and for Double min, max and the slider flag. The flag
// passed to DescribeParam is 1 for the sliders. "Palette" is made anew at every definition.
const ParamDef FalseColourOn {id::FalseColourOn,  u"",                        u"False Color",             Bool,   Shared, 0, 0,   0};
const ParamDef Palette       {id::Palette,        u"corvane.QCPalette.value", u"Palette",                 Int,    Own,    0, 0,   0};
const ParamDef GammaShift    {id::GammaShift,     u"",                        u"False Color Gamma Shift", Double, Shared, 1, 0,   1,   -999.9, 1000, 1};
const ParamDef WaveformOn    {id::WaveformOn,     u"",                        u"Waveform",                Bool,   Shared, 0, 1,   0};
const ParamDef YPosition     {id::YPosition,      u"",                        u"Y-Position",              Double, Shared, 1, 49,  49,  0,      100,  1};
const ParamDef Scale         {id::Scale,          u"",                        u"Scale",                   Double, Shared, 1, 100, 1,   25,     120,  1};
const ParamDef ResizeWaveform{id::ResizeWaveform, u"",                        u"Resize Waveform",         Bool,   Shared, 0, 1,   0};
const ParamDef WaveIntensity {id::WaveIntensity,  u"",                        u"Y waveform intensity",    Double, Shared, 1, 100, 100, 0,      200,  1};
const ParamDef ScopeIntensity{id::ScopeIntensity, u"",                        u"Vectroscope intensity",   Double, Shared, 1, 100, 100, 0,      200,  1};
const ParamDef LogToConsole  {id::LogToConsole,   u"",                        u"Enable log to Console",   Bool,   Shared, 0, 0,   0};
// clang-format on

namespace {

namespace control = corvane_id::control;
namespace entry = corvane_id::entry;
using enum ControlKind;

struct PaletteEntry {
    int32_t value;
    const char16_t* label;
    const char16_t* key;
    const GUID& id;
};

// "5:" and "6:" select the Default palette, as every value but 1 to 4 does.
// clang-format off
constexpr PaletteEntry kPalettes[] = {
    {0, u"0: Default",    u"corvane.QCPalette.0", entry::Palette0},
    {1, u"1: No map",     u"corvane.QCPalette.1", entry::Palette1},
    {2, u"2: Shadows",    u"corvane.QCPalette.2", entry::Palette2},
    {3, u"3: Highlights", u"corvane.QCPalette.3", entry::Palette3},
    {4, u"4: Shaded",     u"corvane.QCPalette.4", entry::Palette4},
    {5, u"5:",            u"corvane.QCPalette.5", entry::Palette5},
    {6, u"6:",            u"corvane.QCPalette.6", entry::Palette6},
};
static_assert(eachValueOnce(kPalettes, 0));

constexpr auto kPaletteEntries = listEntries(kPalettes);

// Both groups carry the one ScopeGroup id.
constexpr ControlDef kFalseColourGroup{control::ScopeGroup, u"False Color", u"False Color", Group, nullptr, 0, &id::FalseColourOn, 1, {}, 0};
constexpr ControlDef kPaletteList     {control::PaletteList, u"Select Palette", u"corvane.QCPalette", ChoiceList, &Palette, 0, nullptr, kNoGroupFlag, kPaletteEntries};
constexpr ControlDef kGammaShiftSlider{control::GammaShiftSlider, u"False Color Gamma Shift", u"", Slider, &GammaShift};
constexpr ControlDef kWaveformGroup   {control::ScopeGroup, u"Waveform", u"Waveform", Group, nullptr, 0, &id::WaveformOn, 1, {}, 1};
constexpr ControlDef kYPositionSlider {control::YPositionSlider, u"Y-Position", u"", Slider, &YPosition};
constexpr ControlDef kScaleSlider     {control::ScaleSlider, u"Scale", u"", Slider, &Scale};
constexpr ControlDef kResizeCheckBox  {control::ResizeCheckBox, u"Resize Waveform", u"", CheckBox, &ResizeWaveform};
constexpr ControlDef kWaveIntensity   {control::WaveIntensitySlider, u"Y waveform intensity", u"", Slider, &WaveIntensity};
constexpr ControlDef kScopeIntensity  {control::ScopeIntensitySlider, u"Vectroscope intensity", u"", Slider, &ScopeIntensity};
constexpr ControlDef kLogCheckBox     {control::LogCheckBox, u"Enable log to Console", u"", CheckBox, &LogToConsole};

// The panel in the order it is built, which is also its order on screen.
using Op = BuildStep;
constexpr BuildStep kScopePanel[] = {
    {Op::Control, nullptr, &kFalseColourGroup},
    {Op::Entries, nullptr, &kPaletteList},
    {Op::Param, &Palette},
    {Op::Control, nullptr, &kPaletteList},
    {Op::AddChildren, nullptr, &kPaletteList},
    {Op::AddChild, nullptr, &kPaletteList, &kFalseColourGroup},
    {Op::Param, &GammaShift},
    {Op::Control, nullptr, &kGammaShiftSlider},
    {Op::AddChild, nullptr, &kGammaShiftSlider, &kFalseColourGroup},
    {Op::AddToComponent, nullptr, &kFalseColourGroup},

    {Op::Control, nullptr, &kWaveformGroup},
    {Op::Param, &YPosition},
    {Op::Control, nullptr, &kYPositionSlider},
    {Op::Param, &Scale},
    {Op::Control, nullptr, &kScaleSlider},
    {Op::Param, &ResizeWaveform},
    {Op::Control, nullptr, &kResizeCheckBox},
    {Op::AddChild, nullptr, &kResizeCheckBox, &kWaveformGroup},
    {Op::AddChild, nullptr, &kScaleSlider, &kWaveformGroup},
    {Op::AddChild, nullptr, &kYPositionSlider, &kWaveformGroup},
    {Op::Param, &WaveIntensity},
    {Op::Control, nullptr, &kWaveIntensity},
    {Op::Param, &ScopeIntensity},
    {Op::Control, nullptr, &kScopeIntensity},
    {Op::AddChild, nullptr, &kWaveIntensity, &kWaveformGroup},
    {Op::AddChild, nullptr, &kScopeIntensity, &kWaveformGroup},
    {Op::AddToComponent, nullptr, &kWaveformGroup},

    {Op::Param, &LogToConsole},
    {Op::Control, nullptr, &kLogCheckBox},
    {Op::AddToComponent, nullptr, &kLogCheckBox},
};
// clang-format on

}  // namespace

}  // namespace scope_params

void defineScopeGroup(IACFHostFactory& factory, IAVXComponentRecord& component) {
    buildPanel(factory, component, scope_params::kScopePanel);
}
