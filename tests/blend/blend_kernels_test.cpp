#include <gtest/gtest.h>

#include <cmath>

#include "blend_model.h"
#include "kernel_harness.h"

namespace {

using namespace kernel_test;

// Working values that include super-black, super-white and the thresholds h and m of each
// Magic tried (0.25 / 0.5 / 1.0, 0.8 / 1.6 and -0.25 / -0.5).
const double kValues[] = {-0.25, -0.07, 0.0, 0.1, 0.25, 0.5, 0.75, 0.8, 1.0, 1.07, 1.6, -0.5};
constexpr size_t kValueCount = std::size(kValues);
// Every pair of values, then a group of four and three pixels after the last wide group.
constexpr size_t kPixels = kValueCount * kValueCount + 7;

// Pixel i takes (a, b) pairs that differ per channel, so a swapped channel shows up.
Inputs makeInputs(const Format& f, size_t misalign) {
    Inputs in(f, kPixels, misalign);
    const auto value = [](size_t k) { return kValues[k % kValueCount]; };
    in.fg.paint([&](size_t i) {
        const size_t k = i / kValueCount;
        return Rgba{value(k), value(k + 3), value(k + 6), 0.3};
    });
    in.bg.paint([&](size_t i) { return Rgba{value(i), value(i + 7), value(i + 14), 0.6}; });
    return in;
}

struct Case {
    float magic, mix;
    int clamp;
};

// Float frames also off the alignment that streaming needs.
TEST(BlendKernels, EveryModeDepthAndChannelOrderMatchesTheModel) {
    const Case cases[] = {{1.0f, 1.0f, 1},  {1.0f, 0.5f, 0},  {0.5f, 1.0f, 0}, {0.5f, 0.5f, 1},
                          {-0.5f, 1.0f, 0}, {-0.5f, 0.5f, 1}, {1.6f, 1.0f, 0}};
    for (const Format& f : kFormats) {
        for (size_t misalign : {0, 4}) {
            if (misalign && f.depth != PixelDepth::Float32) continue;
            const Inputs in = makeInputs(f, misalign);
            for (int mode = 1; mode <= 25; ++mode) {
                for (const Case& c : cases) {
                    SCOPED_TRACE(::testing::Message()
                                 << f.name << (misalign ? " unaligned" : "") << " mode " << mode
                                 << " m " << c.magic << " mix " << c.mix << " clamp " << c.clamp);
                    Frame out(f, kPixels, misalign);
                    BlendSettings s = settingsFor(f, kPixels, mode);
                    s.magic = c.magic;
                    s.mix = c.mix;
                    s.clampToLegal = c.clamp;
                    run(s, &in.bg, &in.fg, out);
                    for (size_t i = 0; i < kPixels; ++i) {
                        for (int ch = 0; ch < 3; ++ch) {
                            const double a = in.fg.working(in.fg.stored(i, ch));
                            const double b = in.bg.working(in.bg.stored(i, ch));
                            const double got = out.stored(i, ch);
                            bool ok = false;
                            double want = 0;
                            for (double s : blend_model::blend(mode, a, b, c.magic)) {
                                want =
                                    out.store(clampColour(s * c.mix + (1.0 - c.mix) * b, c.clamp));
                                ok = ok || std::fabs(got - want) <= out.tolerance(want);
                            }
                            ASSERT_TRUE(ok) << "pixel " << i << " channel " << ch << ": a " << a
                                            << " b " << b << " got " << got << " expected " << want;
                        }
                        ASSERT_EQ(out.stored(i, 3), 0) << "alpha of pixel " << i;
                    }
                }
            }
        }
    }
}

}  // namespace
