// The alpha steps of the matte and show-alpha passes against a scalar model in double
// precision: source, unpremultiply, clamp and rotate, keying window, normalise, invert.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "blend_model.h"
#include "kernel_harness.h"

namespace {

using namespace kernel_test;

struct Steps {
    uint32_t source = 0;
    float rotate = 0;
    int range = 0;
    float low = 0, high = 1, softLow = 0, softHigh = 0;
    int normalize = 1, blackout = 1, invert = 0, unpremultiply = 0;
};

void applySteps(BlendSettings& s, const Steps& k) {
    s.alphaEnabled = 1;
    s.alphaSource = k.source;
    s.alphaRotate = k.rotate;
    s.alphaRangeEnabled = k.range;
    s.alphaLow = k.low;
    s.alphaHigh = k.high;
    s.alphaSoftLow = k.softLow;
    s.alphaSoftHigh = k.softHigh;
    s.normalizeAlpha = k.normalize;
    s.blackoutHighlights = k.blackout;
    s.invertAlpha = k.invert;
    s.unpremultiply = k.unpremultiply;
}

// Raw alpha x of a matte pixel in working form; codes past the list take A.
double rawAlpha(uint32_t source, const Rgba& p) {
    const double r = p[0], g = p[1], b = p[2], a = p[3];
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b}), d = hi - lo;
    double hue = 0;  // in turns; grey has none
    if (d != 0) {
        const double h6 = hi == b ? (r - g) / d + 4 : hi == g ? (b - r) / d + 2 : (g - b) / d;
        hue = (h6 < 0 ? h6 + 6 : h6) / 6;
    }
    const double bySource[] = {1 - a,
                               r,
                               g,
                               b,
                               (r * 0.2126 + g * 0.7152) + b * 0.0722,
                               hue,
                               hi == 0 ? 0 : d / hi,
                               hi,
                               (hi + lo) * 0.5};
    return source < std::size(bySource) ? bySource[source] : a;
}

double smooth(double soft, double t) { return soft * 0.5 * t * (3 - t * t); }

// The keying window on y (clamped and rotated), then normalising and the clamp.
double window(double y, const Steps& k) {
    const double L = k.low, H = k.high, SL = k.softLow, SH = k.softHigh;
    double r = y;
    if (y >= H) {
        const double e = y - H;
        if (k.blackout == 1) {
            if (SH <= 0)
                r = L;
            else if (e < SH) {
                const double t = e / SH;
                r = H + (L - (H + SL)) * t * t * (3 - 2 * t);
            } else
                r = L - SL;
        } else {
            r = SH <= 0 ? H : H + (e < SH ? smooth(SH, e / SH) : SH);
        }
    } else if (y <= L) {
        double e = L - y;
        if (SL > 0) {
            e = e <= SL ? smooth(SL, e / SL) : SL;
            r = L - e;
        } else {
            r = L;
        }
    }
    if (k.normalize == 1) {
        const double start = std::max(0.0, L - SL);
        const double end = std::min(1.0, H + (k.blackout == 1 ? 0.0 : SH));
        r = (r - start) * (end - start == 0 ? 1e8 : 1 / (end - start));
    }
    return std::clamp(r, 0.0, 1.0);
}

// Every alpha the kernel may give for raw value x: the window's edges are steps, so a y within
// single-precision rounding of an edge may fall on either side.
std::vector<double> alphaModel(double x, const Steps& k) {
    double y = std::clamp(x, 0.0, 1.0) + k.rotate;
    if (y > 1.0) y -= 1.0;
    std::vector<double> ys{y};
    if (k.range == 1) ys = {window(y, k), window(y - 1e-6, k), window(y + 1e-6, k)};
    for (double& v : ys) v = std::clamp(k.invert == 1 ? 1.0 - v : v, 0.0, 1.0);
    return ys;
}

// Primaries, secondaries, grey, black, white and super-white, colours whose hue needs each
// formula (a negative one among them), super-black; then a ramp that walks every window.
// clang-format off
const Rgba kNamed[] = {
    {1, 0, 0, 0},           {0, 1, 0, 1},          {0, 0, 1, 0.5},           {1, 1, 0, 0.25},
    {0, 1, 1, 0.75},        {1, 0, 1, 0.2},        {0.5, 0.5, 0.5, 0.9},     {0, 0, 0, 0.1},
    {1, 1, 1, 0.6},         {1.08, 1.08, 1.08, 0.4}, {0.8, 0.3, 0.55, 0.35}, {0.2, 0.6, 0.4, 0.8},
    {0.3, 0.2, 0.9, 0.45},  {0.7, 0.65, 0.1, 0.05}, {-0.05, -0.1, -0.02, 0.3}, {0.45, 0.15, 0.95, 0.65}};
// clang-format on
// The frame crosses the runs of groups the passes walk in, and ends with three pixels after
// its last whole group: each alpha must come from the matte pixel at the same position.
constexpr size_t kPixels = 4 * 260 + 3;

Rgba mattePixel(size_t i) {
    if (i < std::size(kNamed)) return kNamed[i];
    const double v = double((i - std::size(kNamed)) % 41) / 37;  // 0 to just above 1
    return {v, v * 0.9, v * 0.8, 1 - v};
}

Inputs makeInputs(const Format& f) {
    Inputs in(f, kPixels);
    in.matte.paint(mattePixel);
    in.fg.paint([](size_t i) {
        const double v = 0.05 + 0.01 * double(i % 7);
        return Rgba{v, v + 0.1, v + 0.2, 0.7};
    });
    in.bg.paint([](size_t) { return Rgba{0.9, 0.7, 0.5, 0.3}; });
    return in;
}

// Output alpha within about 1e-4 (refined reciprocals) plus the depth's quantisation.
double alphaTolerance(const Format& f) {
    return f.depth == PixelDepth::Bits8       ? 1e-4 * 255 + 1
           : f.depth == PixelDepth::Fixed2_14 ? 1e-4 * 16384 + 2
                                              : 1e-4;
}

bool alphaMatches(const Frame& out, const Format& f, size_t i, const std::vector<double>& alphas,
                  double& want) {
    for (double a : alphas) {
        want = out.store(a, true);
        if (std::fabs(out.stored(i, 3) - want) <= alphaTolerance(f)) return true;
    }
    return false;
}

struct Case {
    std::string name;
    Steps steps;
    int mode = 1;
    float magic = 1;
};

// clang-format off
std::vector<Case> makeCases() {
    std::vector<Case> cases;
    // Every source, the out-of-range codes with them, alone and with the other steps.
    for (uint32_t source : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 0xFFFFFFFFu}) {
        const std::string name = "source " + std::to_string(source);
        cases.push_back({name, {.source = source}});
        cases.push_back({name + " rotate 0.5 invert", {.source = source, .rotate = 0.5, .invert = 1}});
        cases.push_back({name + " window unpremultiply", {.source = source, .range = 1, .low = 0.2, .high = 0.8,
                         .softLow = 0.1, .softHigh = 0.1, .blackout = 0, .unpremultiply = 1}});
    }
    // The window's switches: soft edges on, off or negative (no edge), blackout, normalise,
    // an upper bound below the lower one and an empty normalising span.
    const Case windows[] = {
        {"hard",                      {.low = 0.2, .high = 0.8}},
        {"hard raw",                  {.low = 0.2, .high = 0.8, .normalize = 0, .blackout = 0}},
        {"soft low",                  {.low = 0.5, .high = 0.8, .softLow = 0.2, .normalize = 0, .blackout = 0}},
        {"soft high knee",            {.low = 0.2, .high = 0.6, .softHigh = 0.25, .blackout = 0}},
        {"blackout smoothstep",       {.low = 0.3, .high = 0.6, .softLow = 0.1, .softHigh = 0.2, .normalize = 0}},
        {"blackout normalised",       {.low = 0.3, .high = 0.6, .softLow = 0.1, .softHigh = 0.2}},
        {"high below low",            {.low = 0.6, .high = 0.4, .softLow = 0.1, .softHigh = 0.1}},
        {"empty span",                {.low = 0.5, .high = 0.25, .softLow = 0.25}},
        {"soft edges past 0 and 1",   {.low = 0.1, .high = 0.9, .softLow = 0.3, .softHigh = 0.3, .blackout = 0}},
        {"negative soft edges",       {.low = 0.3, .high = 0.7, .softLow = -0.1, .softHigh = -0.1, .normalize = 0}},
        {"rotated, inverted, divided", {.rotate = 0.5, .low = 0.25, .high = 0.75, .softLow = 0.125,
                                        .softHigh = 0.125, .blackout = 0, .invert = 1, .unpremultiply = 1}},
    };
    for (Case c : windows) {
        c.steps.source = 1;
        c.steps.range = 1;
        cases.push_back(c);
    }
    cases.push_back({"range off ignores the window", {.source = 1, .low = 0.3, .high = 0.6, .softLow = 0.1, .softHigh = 0.1}});
    // Unpremultiply divides by the raw source value, not by the finished alpha.
    cases.push_back({"unpremultiply before rotate and invert", {.source = 0, .rotate = 0.25, .invert = 1, .unpremultiply = 1}});
    cases.push_back({"unpremultiply with Multiply", {.source = 7, .unpremultiply = 1}, 5, 0.8f});
    cases.push_back({"Fill with Magic ignores unpremultiply", {.source = 1, .unpremultiply = 1}, 25, 0.6f});
    return cases;
}
// clang-format on

// The show-alpha pass paints the alpha as grey and reads neither foreground nor background.
TEST(Alpha, MatteAndShowAlphaPassesMatchTheModelInEveryDepthAndChannelOrder) {
    const std::vector<Case> cases = makeCases();
    for (const Format& f : kFormats) {
        const Inputs in = makeInputs(f);
        for (const Case& c : cases) {
            for (int show : {0, 1}) {
                SCOPED_TRACE(std::string(f.name) + ", " + c.name + (show ? ", show alpha" : ""));
                Frame out(f, kPixels);
                BlendSettings s = settingsFor(f, kPixels, c.mode);
                s.magic = c.magic;
                s.clampToLegal = 0;  // a divided foreground stays visible above 1
                applySteps(s, c.steps);
                s.showAlpha = show;
                const bool readsFg = !show && c.mode != 25;
                run(s, show ? nullptr : &in.bg, readsFg ? &in.fg : nullptr, out, &in.matte);
                for (size_t i = 0; i < kPixels; ++i) {
                    const double x = rawAlpha(c.steps.source, in.matte.pixel(i));
                    const std::vector<double> alphas = alphaModel(x, c.steps);
                    double want = 0;
                    ASSERT_TRUE(alphaMatches(out, f, i, alphas, want))
                        << "pixel " << i << " x " << x << ": alpha " << out.stored(i, 3)
                        << ", expected " << want;
                    const double divide = c.steps.unpremultiply == 1 && x > 0 ? 1 / x : 1;
                    for (int ch = 0; ch < 3; ++ch) {
                        const double a = in.fg.working(in.fg.stored(i, ch)) * divide;
                        const double b = in.bg.working(in.bg.stored(i, ch));
                        const double v = show ? alphas.front()
                                              : blend_model::blend(c.mode, a, b, c.magic).front();
                        const double colour = out.store(clampColour(v, false));
                        ASSERT_NEAR(out.stored(i, ch), colour,
                                    out.tolerance(colour) + (show ? alphaTolerance(f) : 0))
                            << "pixel " << i << " channel " << ch;
                    }
                }
            }
        }
    }
}

// Show alpha with alpha off, or without a matte buffer: the blend, and alpha 0.
TEST(Alpha, ShowAlphaWithoutAMatteIsThePlainPass) {
    for (const Format& f : kFormats) {
        const Inputs in = makeInputs(f);
        for (bool alphaOn : {true, false}) {
            SCOPED_TRACE(std::string(f.name) + (alphaOn ? ", no matte buffer" : ", alpha off"));
            Frame out(f, kPixels);
            BlendSettings s = settingsFor(f, kPixels, 1);
            s.alphaEnabled = alphaOn ? 1 : 0;
            s.showAlpha = 1;
            run(s, &in.bg, &in.fg, out, alphaOn ? nullptr : &in.matte);
            for (size_t i = 0; i < kPixels; ++i) {
                for (int ch = 0; ch < 3; ++ch)
                    ASSERT_NEAR(out.stored(i, ch), in.fg.stored(i, ch), out.tolerance(0)) << i;
                ASSERT_EQ(out.stored(i, 3), 0) << i;
            }
        }
    }
}

// The documented values, on float frames, where the inputs are exact.
const Format kFloat{PixelDepth::Float32, PixelLayout::ARGB, ValueRange::Full, "float"};

// Output alphas for matte pixels.
std::vector<double> alphasFor(const Steps& k, const std::vector<Rgba>& matte) {
    const size_t n = matte.size();
    Inputs in(kFloat, n);
    Frame out(kFloat, n);
    in.matte.paint([&](size_t i) { return matte[i]; });
    BlendSettings s = settingsFor(kFloat, n, 1);
    applySteps(s, k);
    run(s, &in.bg, &in.fg, out, &in.matte);
    std::vector<double> alphas;
    for (size_t i = 0; i < n; ++i) alphas.push_back(out.stored(i, 3));
    return alphas;
}

void expectAlphas(const Steps& k, const std::vector<Rgba>& matte, const std::vector<double>& want) {
    const std::vector<double> got = alphasFor(k, matte);
    for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-4) << "pixel " << i;
}

// The window's halves are chosen once per run of groups: runs only inside, below or above the
// window, or everywhere, each after any other, of every length from 1 to 700 groups.
TEST(Alpha, WindowHalvesFollowEachRunOfGroups) {
    constexpr size_t kGroups = 1400;
    const auto region = [](size_t group) {  // inside, below, above, mixed, repeating
        const size_t g = group % 700;
        return g < 1 ? 0 : g < 130 ? 1 : g < 300 ? 2 : g < 330 ? 0 : g < 470 ? 3 : 0;
    };
    std::vector<Rgba> matte(4 * kGroups);
    for (size_t i = 0; i < matte.size(); ++i) {
        const double u = double((i * 37) % 101) / 100;  // 0 .. 1
        const double y = std::array{0.35 + 0.3 * u, 0.3 * u, 0.7 + 0.3 * u, u}[region(i / 4)];
        matte[i] = {y, 0, 0, 0};
    }
    const Steps windows[] = {
        {.source = 1, .range = 1, .low = 0.3, .high = 0.7, .softLow = 0.1, .softHigh = 0.1},
        {.source = 1, .range = 1, .low = 0.3, .high = 0.7, .softHigh = 0.2, .blackout = 0},
        {.source = 1, .range = 1, .low = 0.3, .high = 0.7, .normalize = 0, .invert = 1},
    };
    for (const Steps& k : windows) {
        const std::vector<double> got = alphasFor(k, matte);
        for (size_t i = 0; i < matte.size(); ++i) {
            bool matched = false;
            for (double want : alphaModel(matte[i][0], k))
                matched = matched || std::fabs(got[i] - want) <= 1e-4;
            ASSERT_TRUE(matched) << "pixel " << i << " y " << matte[i][0] << " got " << got[i];
        }
    }
}

// NaN and infinities in matte, foreground and background, whatever the pass, source and steps.
TEST(Alpha, NonFiniteSamplesStayWithinTheBounds) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // A NaN raw value becomes the lower bound of the first clamp, before the rotation.
    const float nanInf[] = {nan, inf, -inf, 0.5f};
    std::vector<Rgba> reds;
    for (float v : nanInf) reds.push_back({v, 0, 0, 0});
    expectAlphas({.source = 1, .rotate = 0.25}, reds, {0.25, 0.25, 0.25, 0.75});
    expectAlphas({.source = 1, .invert = 1}, reds, {1, 0, 1, 0.5});

    const float nonFinite[] = {nan, inf, -inf, 0.5f, 1e38f, -1e38f, 0.0f, nan, 0.25f};
    constexpr size_t n = 64;
    Frame bg(kFloat, n), fg(kFloat, n), m(kFloat, n), out(kFloat, n);
    for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < 4; ++c) {
            m.setStored(i, c, nonFinite[(i + c) % 9]);
            fg.setStored(i, c, nonFinite[(i / 3 + 2 * c) % 9]);
            bg.setStored(i, c, nonFinite[(i / 9 + c) % 9]);
        }
    const Steps steps[] = {
        {.rotate = 0.5, .invert = 1, .unpremultiply = 1},
        {.range = 1, .low = 0.5, .high = 0.25, .softLow = 0.25, .unpremultiply = 1},
    };
    for (uint32_t source = 0; source <= 9; ++source)
        for (Steps k : steps)
            for (int mode = 1; mode <= 25; ++mode)
                // Clamp on, clamp off, show alpha, and the plain pass without the alpha.
                for (int variant = 0; variant < 4; ++variant) {
                    k.source = source;
                    BlendSettings s = settingsFor(kFloat, n, mode);
                    applySteps(s, k);
                    s.clampToLegal = variant == 1 ? 0 : 1;
                    s.showAlpha = variant == 2 ? 1 : 0;
                    s.alphaEnabled = variant == 3 ? 0 : 1;
                    s.fgCorrection = s.outCorrection = 1;
                    s.fgSaturation = 1.5f;
                    s.outContrast = 0.5f;
                    run(s, &bg, &fg, out, &m);
                    const double lo = clampColour(-3.0, variant != 1),
                                 hi = clampColour(3.0, variant != 1);
                    for (size_t i = 0; i < n; ++i) {
                        for (int c = 0; c < 3; ++c) {
                            const double v = out.stored(i, c);
                            ASSERT_TRUE(v >= lo && v <= hi)
                                << "source " << source << " mode " << mode << " variant " << variant
                                << " pixel " << i << " channel " << c << ": " << v;
                            // Normal gives m x NaN, which the clamp turns into its lower bound.
                            if (mode == 1 && variant != 2 && std::isnan(fg.stored(i, c))) {
                                ASSERT_EQ(v, lo) << "variant " << variant << " pixel " << i;
                            }
                        }
                        const double a = out.stored(i, 3);
                        ASSERT_TRUE(a >= 0.0 && a <= 1.0) << "source " << source << " mode " << mode
                                                          << " pixel " << i << ": " << a;
                    }
                }
}

// A denormal raw alpha is above 0, so the foreground is divided by it: the quotient is too
// large for a float and the colour reaches the upper bound, not the lower one.
TEST(Alpha, UnpremultiplyingByADenormalSaturatesUpward) {
    Inputs in(kFloat, 4);
    Frame out(kFloat, 4);
    in.fg.paint([](size_t) { return Rgba{0.5, 0.5, 0.5, 0.5}; });
    in.bg.paint([](size_t) { return Rgba{0.25, 0.25, 0.25, 0.25}; });
    in.matte.paint([](size_t) { return Rgba{1e-40, 0, 0, 0}; });
    BlendSettings s = settingsFor(kFloat, 4, 1);
    applySteps(s, {.source = 1, .unpremultiply = 1});
    run(s, &in.bg, &in.fg, out, &in.matte);
    for (size_t i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(out.stored(i, c), 1.0) << i << " " << c;
}

}  // namespace
