// The eight-lane loops against the four-lane ones: the same frame, byte for byte, in every
// mode, depth, channel order and pass. The frames are 8 * 12 + 4 + 3 pixels, so the AVX2
// path also hands a group of four and a padded tail to the four-lane loops.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "kernel_harness.h"

namespace {

using namespace kernel_test;

constexpr size_t kPixels = 8 * 12 + 4 + 3;

// Samples over the whole stored range: codes of every kind, and for float values beyond
// 0..1, NaN, infinities and denormals, so that every case of every formula meets mixed lanes.
void fillAnything(Frame& frame, const Format& f, unsigned seed) {
    std::mt19937 rng(seed);
    const float special[] = {std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             1e-40f,
                             -0.0f,
                             0.5f};
    for (size_t i = 0; i < frame.pixels(); ++i)
        for (int c = 0; c < 4; ++c) {
            const unsigned r = rng();
            switch (f.depth) {
                case PixelDepth::Bits8:
                    frame.setStored(i, c, r & 255);
                    break;
                case PixelDepth::Fixed2_14:
                    frame.setStored(i, c, static_cast<int16_t>(r & 0xFFFF));
                    break;
                default:
                    frame.setStored(i, c,
                                    r % 16 == 0 ? special[r / 16 % std::size(special)]
                                                : std::uniform_real_distribution(-0.3, 1.3)(rng));
            }
        }
}

struct Pass {
    const char* name;
    void (*apply)(BlendSettings& s, int mode);
};

void correctForeground(BlendSettings& s, int) {
    s.fgCorrection = 1;
    s.invertForeground = 1;
    s.fgContrast = 0.2f;
    s.fgBrightness = 0.03f;
    s.fgSaturation = 1.3f;
    s.fgShift = {0.02f, -0.01f, 0.015f};
}

void correctOutput(BlendSettings& s, int) {
    s.outCorrection = 1;
    s.outContrast = -0.1f;
    s.outBrightness = 0.05f;
    s.outSaturation = 0.7f;
    s.outShift = {-0.01f, 0.02f, 0.0f};
}

// Every alpha source (and a code that is none), the window with both soft edges, unpremultiply,
// rotation and invert, spread over the modes.
void matte(BlendSettings& s, int mode) {
    s.alphaEnabled = 1;
    s.alphaSource = static_cast<uint32_t>(mode % 10);
    s.alphaRangeEnabled = mode % 2;
    s.alphaLow = 0.2f;
    s.alphaHigh = 0.7f;
    s.alphaSoftLow = 0.1f;
    s.alphaSoftHigh = 0.15f;
    s.blackoutHighlights = mode / 2 % 2;
    s.unpremultiply = mode / 4 % 2;
    s.alphaRotate = mode % 3 == 0 ? 0.25f : 0.0f;
    s.invertAlpha = mode % 5 == 1;
    s.magic = 1.6f;
    s.mix = 0.8f;
}

const Pass kPasses[] = {
    {"plain", [](BlendSettings&, int) {}},
    {"mix 0.6, Magic -0.5",
     [](BlendSettings& s, int) {
         s.mix = 0.6f;
         s.magic = -0.5f;
         s.clampToLegal = 0;
     }},
    {"foreground correction", correctForeground},
    {"output correction", correctOutput},
    {"both corrections",
     [](BlendSettings& s, int mode) {
         correctForeground(s, mode);
         correctOutput(s, mode);
         s.magic = 0.9f;
     }},
    {"matte", matte},
    {"show alpha",
     [](BlendSettings& s, int mode) {
         matte(s, mode);
         s.showAlpha = 1;
     }},
};

TEST(SimdPaths, EightLanesGiveTheFourLaneBytes) {
    if (!processorRunsAvx2()) GTEST_SKIP() << "this processor has no AVX2: one path only";
    std::vector<SimdPath> wides;
    for (SimdPath path : kEverySimdPath)
        if (eightLanes(path) && processorRuns(path)) wides.push_back(path);
    for (const Format& f : kFormats)
        for (size_t misalign : {0, 4}) {  // float also off alignment: a frame that cannot stream
            if (misalign && f.depth != PixelDepth::Float32) continue;
            Frame bg(f, kPixels, misalign), fg(f, kPixels, misalign), mt(f, kPixels, misalign);
            fillAnything(bg, f, 1);
            fillAnything(fg, f, 2);
            fillAnything(mt, f, 3);
            for (const Pass& pass : kPasses)
                for (int mode = 1; mode <= 25; ++mode) {
                    BlendSettings s = settingsFor(f, kPixels, mode);
                    pass.apply(s, mode);
                    if (s.alphaEnabled) s.matteData = mt.data();
                    Frame narrow(f, kPixels, misalign);
                    runKernel(s, bg.data(), fg.data(), narrow.data(), SimdPath::Sse41);
                    for (SimdPath path : wides) {
                        Frame wide(f, kPixels, misalign);
                        runKernel(s, bg.data(), fg.data(), wide.data(), path);
                        EXPECT_TRUE(wide.bytesEqual(narrow))
                            << simdPathName(path) << ", " << f.name
                            << (misalign ? " unaligned" : "") << ", " << pass.name << ", mode "
                            << mode;
                    }
                }
        }
}

}  // namespace
