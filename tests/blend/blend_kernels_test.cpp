#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "blend_model.h"
#include "kernel_harness.h"

namespace {

using namespace kernel_test;

// Working values that include super-black, super-white and the thresholds h and m of each
// Magic tried (0.25 / 0.5 / 1.0, 0.8 / 1.6 and -0.25 / -0.5).
const double kValues[] = {-0.25, -0.07, 0.0, 0.1, 0.25, 0.5, 0.75, 0.8, 1.0, 1.07, 1.6, -0.5};
constexpr size_t kValueCount = std::size(kValues);

struct Inputs {
    Frame bg, fg;
};

// Pixel i takes (a, b) pairs that differ per channel, so a swapped channel shows up.
Inputs makeInputs(const Format& f) {
    const size_t pixels = kValueCount * kValueCount;
    Inputs in{Frame(f, pixels), Frame(f, pixels)};
    for (size_t i = 0; i < pixels; ++i) {
        for (int c = 0; c < 3; ++c) {
            const size_t ai = (i / kValueCount + 3 * c) % kValueCount;
            const size_t bi = (i % kValueCount + 7 * c) % kValueCount;
            in.fg.setStored(i, c, in.fg.store(kValues[ai]));
            in.bg.setStored(i, c, in.bg.store(kValues[bi]));
        }
        in.fg.setStored(i, 3, in.fg.store(0.3, true));
        in.bg.setStored(i, 3, in.bg.store(0.6, true));
    }
    return in;
}

struct Case {
    float magic, mix;
    int clamp;
};

// Compares every colour channel of every pixel with the model, and every alpha with 0.
void expectMatchesModel(const Format& f, int mode, const Case& c, const Inputs& in,
                        const Frame& out) {
    const double lo = c.clamp ? 0.0 : -2.0;
    const double hi = c.clamp ? 1.0 : std::bit_cast<float>(0x3FFFFDF8u);
    int failures = 0;
    for (size_t i = 0; i < out.pixels() && failures < 5; ++i) {
        for (int ch = 0; ch < 3; ++ch) {
            const double a = in.fg.working(in.fg.stored(i, ch));
            const double b = in.bg.working(in.bg.stored(i, ch));
            const double got = out.stored(i, ch);
            bool ok = false;
            double expected = 0;
            for (double s : blend_model::blend(mode, a, b, c.magic)) {
                const double mixed = s * c.mix + (1.0 - c.mix) * b;
                expected = out.store(std::min(std::max(mixed, lo), hi), false);
                ok = ok || std::fabs(got - expected) <= out.tolerance(expected);
            }
            if (!ok) {
                ++failures;
                ADD_FAILURE() << f.name << " mode " << mode << " m " << c.magic << " mix " << c.mix
                              << " clamp " << c.clamp << " pixel " << i << " channel " << ch
                              << ": a " << a << " b " << b << " got " << got << " expected "
                              << expected;
            }
        }
        if (out.stored(i, 3) != 0) {
            ++failures;
            ADD_FAILURE() << f.name << " mode " << mode << ": alpha of pixel " << i << " is "
                          << out.stored(i, 3);
        }
    }
}

TEST(BlendKernels, EveryModeDepthAndChannelOrderMatchesTheModel) {
    const Case cases[] = {{1.0f, 1.0f, 1},  {1.0f, 0.5f, 0},  {0.5f, 1.0f, 0}, {0.5f, 0.5f, 1},
                          {-0.5f, 1.0f, 0}, {-0.5f, 0.5f, 1}, {1.6f, 1.0f, 0}};
    for (const Format& f : kFormats) {
        const Inputs in = makeInputs(f);
        for (int mode = 1; mode <= 25; ++mode) {
            for (const Case& c : cases) {
                Frame out(f, in.bg.pixels());
                BlendSettings s = settingsFor(f, out.pixels(), mode);
                s.magic = c.magic;
                s.mix = c.mix;
                s.clampToLegal = c.clamp;
                run(s, &in.bg, &in.fg, out);
                expectMatchesModel(f, mode, c, in, out);
            }
        }
    }
}

}  // namespace
