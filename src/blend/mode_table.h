// The 25 blend modes in one table: the value the host stores in "Blend Mode", the entry the
// panel lists for it, and the kernel it runs. The catalogue's list entries, the range check,
// the dispatch table and the count are all derived from it.
#pragma once

#include <cstdint>
#include <iterator>
#include <tuple>
#include <type_traits>

#include "blend/blend_modes.h"
#include "effects/catalogue.h"
#include "effects/corvane_ids.h"

// The values of "Blend Mode". Projects store them: they never change.
enum class BlendMode : int32_t {
    Normal = 1,
    Add = 2,
    Subtract = 3,
    Difference = 4,
    Multiply = 5,
    Screen = 6,
    Overlay = 7,
    Hardlight = 8,
    Softlight = 9,
    Darken = 10,
    Lighten = 11,
    Negation = 12,
    Exclusion = 13,
    ColorDodge = 14,
    ColorBurn = 15,
    LinearDodge = 16,
    LinearBurn = 17,
    LinearLight = 18,
    VividLight = 19,
    PinLight = 20,
    HardMix = 21,
    Reflect = 22,
    Glow = 23,
    Phoenix = 24,
    FillWithMagic = 25,
};

namespace mode {

// The 24 kernels, one per formula.
using Kernels =
    std::tuple<Normal, Add, Subtract, Difference, Multiply, Screen, Overlay, Hardlight, Softlight,
               Darken, Lighten, Negation, Exclusion, ColorDodge, ColorBurn, LinearBurn, LinearLight,
               VividLight, PinLight, HardMix, Reflect, Glow, Phoenix, FillWithMagic>;

inline constexpr int kKernelCount = std::tuple_size_v<Kernels>;

template <class Mode, class... All>
constexpr int indexIn(std::tuple<All...>*) {
    constexpr bool same[] = {std::is_same_v<Mode, All>...};
    for (int i = 0; i < static_cast<int>(sizeof...(All)); ++i)
        if (same[i]) return i;
    return -1;
}

// The position of a formula in Kernels.
template <class Mode>
inline constexpr int kernelOf = indexIn<Mode>(static_cast<Kernels*>(nullptr));

}  // namespace mode

struct BlendModeEntry {
    BlendMode value;
    const char16_t* label;
    const char16_t* key;
    const GUID& id;  // of the list entry
    int kernel;      // position in mode::Kernels
};

// In the order of the panel's list.
// clang-format off
inline constexpr BlendModeEntry kBlendModes[] = {
    {BlendMode::Normal,        u"Normal",            u"corvane.modelist.normal",      corvane_id::entry::ModeNormal,      mode::kernelOf<mode::Normal>},
    {BlendMode::FillWithMagic, u"Fill with Magic",   u"corvane.modelist.blackfill",   corvane_id::entry::ModeBlackfill,   mode::kernelOf<mode::FillWithMagic>},
    {BlendMode::Darken,        u"Darken",            u"corvane.modelist.darken",      corvane_id::entry::ModeDarken,      mode::kernelOf<mode::Darken>},
    {BlendMode::Multiply,      u"Multiply",          u"corvane.modelist.multiply",    corvane_id::entry::ModeMultiply,    mode::kernelOf<mode::Multiply>},
    {BlendMode::ColorBurn,     u"Color Burn",        u"corvane.modelist.colorburn",   corvane_id::entry::ModeColorburn,   mode::kernelOf<mode::ColorBurn>},
    {BlendMode::LinearBurn,    u"Linear Burn",       u"corvane.modelist.linearburn",  corvane_id::entry::ModeLinearburn,  mode::kernelOf<mode::LinearBurn>},
    {BlendMode::Lighten,       u"Lighten",           u"corvane.modelist.lighten",     corvane_id::entry::ModeLighten,     mode::kernelOf<mode::Lighten>},
    {BlendMode::Screen,        u"Screen",            u"corvane.modelist.screen",      corvane_id::entry::ModeScreen,      mode::kernelOf<mode::Screen>},
    {BlendMode::ColorDodge,    u"Color Dodge",       u"corvane.modelist.colordodge",  corvane_id::entry::ModeColordodge,  mode::kernelOf<mode::ColorDodge>},
    {BlendMode::Add,           u"Add",               u"corvane.modelist.add",         corvane_id::entry::ModeAdd,         mode::kernelOf<mode::Add>},
    {BlendMode::LinearDodge,   u"Linear Dodge(Add)", u"corvane.modelist.lineardodge", corvane_id::entry::ModeLineardodge, mode::kernelOf<mode::Add>},
    {BlendMode::Overlay,       u"Overlay",           u"corvane.modelist.overlay",     corvane_id::entry::ModeOverlay,     mode::kernelOf<mode::Overlay>},
    {BlendMode::Softlight,     u"Softlight",         u"corvane.modelist.softlight",   corvane_id::entry::ModeSoftlight,   mode::kernelOf<mode::Softlight>},
    {BlendMode::Hardlight,     u"Hardlight",         u"corvane.modelist.hardlight",   corvane_id::entry::ModeHardlight,   mode::kernelOf<mode::Hardlight>},
    {BlendMode::VividLight,    u"Vivid Light",       u"corvane.modelist.vividlight",  corvane_id::entry::ModeVividlight,  mode::kernelOf<mode::VividLight>},
    {BlendMode::LinearLight,   u"Linear Light",      u"corvane.modelist.linearlight", corvane_id::entry::ModeLinearlight, mode::kernelOf<mode::LinearLight>},
    {BlendMode::PinLight,      u"Pin Light",         u"corvane.modelist.pinlight",    corvane_id::entry::ModePinlight,    mode::kernelOf<mode::PinLight>},
    {BlendMode::HardMix,       u"Hard Mix",          u"corvane.modelist.hardmix",     corvane_id::entry::ModeHardmix,     mode::kernelOf<mode::HardMix>},
    {BlendMode::Difference,    u"Difference",        u"corvane.modelist.difference",  corvane_id::entry::ModeDifference,  mode::kernelOf<mode::Difference>},
    {BlendMode::Exclusion,     u"Exclusion",         u"corvane.modelist.exclusion",   corvane_id::entry::ModeExclusion,   mode::kernelOf<mode::Exclusion>},
    {BlendMode::Subtract,      u"Subtract",          u"corvane.modelist.subtract",    corvane_id::entry::ModeSubtract,    mode::kernelOf<mode::Subtract>},
    {BlendMode::Negation,      u"Negation",          u"corvane.modelist.negation",    corvane_id::entry::ModeNegation,    mode::kernelOf<mode::Negation>},
    {BlendMode::Reflect,       u"Reflect",           u"corvane.modelist.reflect",     corvane_id::entry::ModeReflect,     mode::kernelOf<mode::Reflect>},
    {BlendMode::Glow,          u"Glow",              u"corvane.modelist.glow",        corvane_id::entry::ModeGlow,        mode::kernelOf<mode::Glow>},
    {BlendMode::Phoenix,       u"Phoenix",           u"corvane.modelist.phoenix",     corvane_id::entry::ModePhoenix,     mode::kernelOf<mode::Phoenix>},
};
// clang-format on

inline constexpr int32_t kBlendModeCount = static_cast<int32_t>(std::size(kBlendModes));

// Whether `value` names a blend mode (1 to 25); anything else copies the background through.
constexpr bool isBlendMode(int32_t value) { return value >= 1 && value <= kBlendModeCount; }

// The kernel that mode `value` runs; -1 for a value that is no mode.
constexpr int kernelOfMode(int32_t value) {
    for (const BlendModeEntry& e : kBlendModes)
        if (static_cast<int32_t>(e.value) == value) return e.kernel;
    return -1;
}

static_assert(eachValueOnce(kBlendModes, 1), "every mode 1 to 25 appears exactly once");
static_assert(kBlendModeCount == 25);
static_assert(
    [] {
        for (const BlendModeEntry& e : kBlendModes)
            if (e.kernel < 0) return false;
        for (int k = 0; k < mode::kKernelCount; ++k) {
            bool used = false;
            for (const BlendModeEntry& e : kBlendModes) used = used || e.kernel == k;
            if (!used) return false;
        }
        return true;
    }(),
    "every mode runs a kernel, and every kernel is run by a mode");
