// The nine alpha sources in one table: the value the host stores in "Alpha source" and the
// entry the panel lists for it. The catalogue's list and the alpha stage both use it.
#pragma once

#include <cstdint>
#include <iterator>

#include "effects/catalogue.h"
#include "effects/corvane_ids.h"

// The values of "Alpha source". Projects store them: they never change. Any other value
// takes the matte's alpha as it is.
enum class AlphaSource : uint32_t {
    Matte = 0,  // 1 - A
    Red = 1,
    Green = 2,
    Blue = 3,
    Luminance = 4,
    Hue = 5,
    Saturation = 6,
    Value = 7,
    Lightness = 8,
};

struct AlphaSourceEntry {
    AlphaSource value;
    const char16_t* label;
    const char16_t* key;
    const GUID& id;  // of the list entry
};

// In the order of the panel's list. "Alpha: Lightness" carries the key of "Alpha: Value".
// clang-format off
inline constexpr AlphaSourceEntry kAlphaSources[] = {
    {AlphaSource::Matte,      u"Alpha: Matte",      u"corvane.alphalist.alpha",      corvane_id::entry::AlphaMatte},
    {AlphaSource::Red,        u"Alpha: Red",        u"corvane.alphalist.red",        corvane_id::entry::AlphaRed},
    {AlphaSource::Green,      u"Alpha: Green",      u"corvane.alphalist.green",      corvane_id::entry::AlphaGreen},
    {AlphaSource::Blue,       u"Alpha: Blue",       u"corvane.alphalist.blue",       corvane_id::entry::AlphaBlue},
    {AlphaSource::Hue,        u"Alpha: Hue",        u"corvane.alphalist.Hue",        corvane_id::entry::AlphaHue},
    {AlphaSource::Saturation, u"Alpha: Saturation", u"corvane.alphalist.Saturation", corvane_id::entry::AlphaSaturation},
    {AlphaSource::Value,      u"Alpha: Value",      u"corvane.alphalist.Value",      corvane_id::entry::AlphaValue},
    {AlphaSource::Luminance,  u"Alpha: Luminance",  u"corvane.alphalist.luma",       corvane_id::entry::AlphaLuma},
    {AlphaSource::Lightness,  u"Alpha: Lightness",  u"corvane.alphalist.Value",      corvane_id::entry::AlphaLightness},
};
// clang-format on

inline constexpr uint32_t kAlphaSourceCount = static_cast<uint32_t>(std::size(kAlphaSources));
static_assert(eachValueOnce(kAlphaSources, 0), "every source 0 to 8 appears exactly once");

// The stage a stored value selects: its own source, or kAlphaSourceCount for any other
// value, which takes A as it is.
constexpr uint32_t alphaStageOf(uint32_t value) {
    return value < kAlphaSourceCount ? value : kAlphaSourceCount;
}
