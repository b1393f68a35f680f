// Foreground and output colour correction through the kernels, against a scalar model of the
// correction in double precision, in every depth and channel order.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "blend_model.h"
#include "kernel_harness.h"

namespace {

using namespace kernel_test;
using Rgb = std::array<double, 3>;

struct Correction {
    int on = 0;
    int invert = 0;
    double contrast = 0, brightness = 0, saturation = 1;
    Rgb shift{};
};

// Invert, contrast about 0.5 with brightness, saturation against Rec. 709 luma, shift; nothing
// is clamped in between. A correction that is off does nothing, its invert switch included.
void correctModel(Rgb& c, const Correction& k) {
    if (!k.on) return;
    Rgb c1;
    for (int i = 0; i < 3; ++i) {
        const double v = k.invert ? 1.0 - c[i] : c[i];
        c1[i] = v * (k.contrast + 1) + k.brightness - k.contrast * 0.5;
    }
    const double y = (c1[0] * 0.2126 + c1[1] * 0.7152) + c1[2] * 0.0722;
    for (int i = 0; i < 3; ++i) c[i] = k.saturation * c1[i] + (1 - k.saturation) * y + k.shift[i];
}

void applyCorrections(BlendSettings& s, const Correction& fg, const Correction& out) {
    s.fgCorrection = fg.on;
    s.invertForeground = fg.invert;
    s.fgContrast = static_cast<float>(fg.contrast);
    s.fgBrightness = static_cast<float>(fg.brightness);
    s.fgSaturation = static_cast<float>(fg.saturation);
    for (int i = 0; i < 3; ++i) s.fgShift[i] = static_cast<float>(fg.shift[i]);
    s.outCorrection = out.on;
    s.invertOutput = out.invert;
    s.outContrast = static_cast<float>(out.contrast);
    s.outBrightness = static_cast<float>(out.brightness);
    s.outSaturation = static_cast<float>(out.saturation);
    for (int i = 0; i < 3; ++i) s.outShift[i] = static_cast<float>(out.shift[i]);
}

// Foreground colours with a different value in every channel (so a swapped channel or lane
// shows), primaries for the luma weights, greys, super-black and super-white.
const Rgb kForeground[] = {
    {1, 0, 0},           {0, 1, 0},          {0, 0, 1},         {0.25, 0.75, 0.5},
    {0.75, 0.25, 0},     {0.5, 0.5, 0.5},    {0, 0, 0},         {1, 1, 1},
    {0.1, 0.4, 0.9},     {1.07, -0.07, 0.6}, {0.33, 0.9, 0.05}, {0.6, 0.2, 0.8},
    {-0.05, 0.45, 1.05}, {0.9, 0.1, 0.3},    {0.2, 0.3, 0.4},   {0.8, 0.65, 0.15},
};
const Rgb kBackground[] = {
    {0.3, 0.6, 0.9}, {0.9, 0.1, 0.5}, {0.0, 1.0, 0.25}, {0.7, 0.45, 0.05}, {0.55, 0.2, 0.95}};
// The table first, then a pattern: the frame crosses the chunks that the passes walk in, and
// ends with three pixels after its last whole group.
constexpr size_t kPixels = 4 * 260 + 3;

Rgb foregroundOf(size_t i) {
    if (i < std::size(kForeground)) return kForeground[i];
    Rgb c;
    for (int ch = 0; ch < 3; ++ch) c[ch] = -0.1 + double((i * 37 + ch * 11) % 120) / 100;
    return c;
}

struct Case {
    const char* name;
    int mode;
    float magic, mix;
    int clamp;
    Correction fg, out;
};

// clang-format off
const Case kCases[] = {
    // name, mode, magic, mix, clamp, foreground correction, output correction
    {"contrast -1 with brightness", 1, 1, 1, 0, {.on = 1, .contrast = -1, .brightness = 0.1}, {}},
    // m = 0.5 halves the foreground, so a value above 1 or below 0 before the blend stays
    // visible after it, also in 8-bit.
    {"foreground above 1 reaches the blend", 1, 0.5, 1, 0, {.on = 1, .brightness = 0.6}, {}},
    {"foreground below 0 reaches the blend", 3, 0.5, 1, 0, {.on = 1, .brightness = -0.6}, {}},
    // An unclamped brightness step changes the luma that saturation 0 mixes in.
    {"output unclamped between its steps", 1, 1, 1,   0, {}, {.on = 1, .brightness = 0.5, .saturation = 0}},
    {"output invert and contrast",         6, 1, 0.6, 0, {}, {.on = 1, .invert = 1, .contrast = 0.5}},
    {"switches without their corrections", 1, 1, 1, 1,
        {.on = 0, .invert = 1, .contrast = 1, .brightness = 0.3}, {.on = 0, .invert = 1, .saturation = 0}},
    {"fg invert off while output correction runs", 1, 1, 0.8, 1,
        {.on = 0, .invert = 1, .brightness = 0.4}, {.on = 1, .contrast = 0.5}},
    {"out invert off while fg correction runs", 1, 1, 0.8, 0,
        {.on = 1, .saturation = 0.5}, {.on = 0, .invert = 1, .brightness = -0.3}},
    {"both with Overlay", 7, 1, 0.7, 1,
        {.on = 1, .invert = 1, .contrast = 0.3, .brightness = -0.1, .saturation = 1.5, .shift = {0.05, 0, -0.05}},
        {.on = 1, .contrast = -0.4, .brightness = 0.05, .saturation = 0.2, .shift = {0, 0.1, 0}}},
    // At a mix of exactly 1, Normal leaves m times the corrected foreground, and the two
    // corrections with the scale between them run as one.
    {"both with Normal at mix 1", 1, 1, 1, 1,
        {.on = 1, .invert = 1, .contrast = 0.2, .saturation = 1.3, .shift = {0.02, -0.01, 0.015}},
        {.on = 1, .contrast = -0.1, .brightness = 0.05, .saturation = 0.9, .shift = {-0.01, 0.02, 0}}},
    {"both with Normal at mix 1 and m 1.6", 1, 1.6, 1, 0,
        {.on = 1, .contrast = -0.3, .saturation = 1.7},
        {.on = 1, .invert = 1, .contrast = 0.4, .brightness = 0.1, .saturation = 0.4}},
    // Away from a mix of 1, or with a negative m, the corrections still compose correctly.
    {"both with Normal at mix 0.8", 1, 1, 0.8, 0,
        {.on = 1, .contrast = 0.3, .brightness = 0.1, .saturation = 1.4, .shift = {0.1, 0, -0.1}},
        {.on = 1, .invert = 1, .saturation = 0.6, .shift = {0, 0.05, 0}}},
    {"both with Normal at mix 1 and m -0.5", 1, -0.5, 1, 0,
        {.on = 1, .contrast = 0.5, .saturation = 1.2, .shift = {0, 0.1, 0}},
        {.on = 1, .brightness = 0.9, .saturation = 0.7, .shift = {0.05, 0, -0.05}}},
    {"Fill with Magic ignores the foreground correction", 25, 0.6, 0.75, 1,
        {.on = 1, .invert = 1, .brightness = 0.5, .saturation = 0},
        {.on = 1, .contrast = 0.25, .shift = {0, 0, 0.2}}},
};
// clang-format on

Inputs makeInputs(const Format& f) {
    Inputs in(f, kPixels);
    in.fg.paint([](size_t i) {
        const Rgb c = foregroundOf(i);
        return Rgba{c[0], c[1], c[2], 0.2};
    });
    in.bg.paint([](size_t i) {
        const Rgb& c = kBackground[i % std::size(kBackground)];
        return Rgba{c[0], c[1], c[2], 0.9};
    });
    in.matte.paint([](size_t i) { return Rgba{0.5, 0.5, 0.5, double(i % 97) / 96}; });
    return in;
}

// The pipeline around the corrections: divide a, correct a, blend, mix, correct out, clamp.
Rgb expectedColours(const Case& c, const Inputs& in, size_t i, double divide) {
    Rgb a, b, out;
    for (int ch = 0; ch < 3; ++ch) {
        a[ch] = in.fg.working(in.fg.stored(i, ch)) * divide;
        b[ch] = in.bg.working(in.bg.stored(i, ch));
    }
    if (c.mode != 25) correctModel(a, c.fg);
    for (int ch = 0; ch < 3; ++ch) {
        const double s = blend_model::blend(c.mode, a[ch], b[ch], c.magic).front();
        out[ch] = s * c.mix + (1.0 - c.mix) * b[ch];
    }
    correctModel(out, c.out);
    for (double& v : out) v = clampColour(v, c.clamp);
    return out;
}

// Each case without a matte and in the matte pass, where the alpha is 1 - A of the matte, also
// with the foreground unpremultiplied by it.
TEST(Correction, MatchesTheModelInEveryDepthChannelOrderAndPass) {
    enum class Pass { Plain, Matte, Unpremultiplied };
    const char* const passNames[] = {"", ", matte", ", matte unpremultiplied"};
    for (const Format& f : kFormats) {
        const Inputs in = makeInputs(f);
        for (const Case& c : kCases) {
            for (Pass pass : {Pass::Plain, Pass::Matte, Pass::Unpremultiplied}) {
                const bool matte = pass != Pass::Plain;
                SCOPED_TRACE(std::string(f.name) + ", " + c.name +
                             passNames[static_cast<int>(pass)]);
                Frame out(f, kPixels);
                BlendSettings s = settingsFor(f, kPixels, c.mode);
                s.magic = c.magic;
                s.mix = c.mix;
                s.clampToLegal = c.clamp;
                applyCorrections(s, c.fg, c.out);
                s.alphaEnabled = matte ? 1 : 0;
                s.unpremultiply = pass == Pass::Unpremultiplied ? 1 : 0;
                // Fill with Magic must not read the foreground at all.
                run(s, &in.bg, c.mode == 25 ? nullptr : &in.fg, out, matte ? &in.matte : nullptr);
                for (size_t i = 0; i < kPixels; ++i) {
                    const double x = 1.0 - in.matte.pixel(i)[3];
                    const bool divides = pass == Pass::Unpremultiplied && x > 0;
                    const Rgb expected = expectedColours(c, in, i, divides ? 1.0 / x : 1.0);
                    const double alpha = matte ? out.store(x, true) : 0.0;
                    for (int ch = 0; ch < 4; ++ch) {
                        const double want = ch < 3 ? out.store(expected[ch]) : alpha;
                        ASSERT_NEAR(out.stored(i, ch), want, out.tolerance(want))
                            << "pixel " << i << " channel " << ch;
                    }
                }
            }
        }
    }
}

}  // namespace
