// Frame shapes, formats and settings at their edges, for the kernels alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "kernel_harness.h"

namespace {

using namespace kernel_test;

const Format kBgra8{PixelDepth::Bits8, PixelLayout::BGRA, ValueRange::Full, "8bit"};
const Format kVideo8{PixelDepth::Bits8, PixelLayout::BGRA, ValueRange::Video, "8bit-video"};
const Format kFixed{PixelDepth::Fixed2_14, PixelLayout::RGBA, ValueRange::Full, "2_14"};
const Format kFloat{PixelDepth::Float32, PixelLayout::ARGB, ValueRange::Full, "float"};

void fillRandom(Frame& f, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-0.1, 1.1);
    f.paint([&](size_t) { return Rgba{value(rng), value(rng), value(rng), value(rng)}; });
}

// The last one to three pixels come out as in a frame padded to a multiple of four. 31 pixels
// are, on sixteen lanes, one wide group, three groups of four and the tail.
TEST(KernelEdges, EveryPixelIsWrittenWhateverTheFrameSize) {
    for (const Format& f : {kBgra8, kVideo8, kFixed, kFloat}) {
        for (size_t pixels : {1, 3, 15, 31}) {
            const size_t padded = (pixels + 3) / 4 * 4;
            Frame bg(f, pixels), fg(f, pixels), out(f, pixels);
            Frame bgPadded(f, padded), fgPadded(f, padded), outPadded(f, padded);
            fillRandom(bg, 1);
            fillRandom(fg, 2);
            std::memcpy(bgPadded.data(), bg.data(), bg.byteCount());
            std::memcpy(fgPadded.data(), fg.data(), fg.byteCount());
            for (int mode : {1, 9, 19}) {
                BlendSettings s = settingsFor(f, pixels, mode);
                run(s, &bg, &fg, out);
                BlendSettings sp = settingsFor(f, padded, mode);
                run(sp, &bgPadded, &fgPadded, outPadded);
                ASSERT_EQ(std::memcmp(out.data(), outPadded.data(), out.byteCount()), 0)
                    << f.name << " " << pixels << " pixels, mode " << mode;
            }
        }
    }
}

TEST(KernelEdges, UnknownDepthOrMismatchedPixelSizeWritesNothing) {
    struct Case {
        PixelDepth depth;
        uint32_t pixelBytes;
    };
    const Case cases[] = {{PixelDepth::Bits10, 4}, {PixelDepth::None, 4},
                          {PixelDepth::Half, 8},   {static_cast<PixelDepth>(77), 16},
                          {PixelDepth::Bits8, 8},  {PixelDepth::Fixed2_14, 4},
                          {PixelDepth::Float32, 8}};
    for (const Case& c : cases) {
        Frame bg(kFloat, 64), fg(kFloat, 64), out(kFloat, 64);
        fillRandom(bg, 3);
        const auto before = out.all();
        BlendSettings s = settingsFor(kFloat, 64, 1);
        s.frame.depth = c.depth;
        s.frame.pixelBytes = c.pixelBytes;
        s.frame.frameBytes = 64ull * c.pixelBytes;
        run(s, &bg, &fg, out);
        EXPECT_TRUE(out.all() == before)
            << "depth " << static_cast<int>(c.depth) << " with " << c.pixelBytes << " bytes";
    }
}

TEST(KernelEdges, MixZeroReturnsEveryStoredEightBitCode) {
    for (const Format& f : {kBgra8, kVideo8}) {
        Frame bg(f, 256), fg(f, 256), out(f, 256);
        for (int i = 0; i < 256; ++i)
            for (int c = 0; c < 3; ++c) {
                bg.setStored(i, c, (i + 85 * c) % 256);
                fg.setStored(i, c, 255 - i);
            }
        BlendSettings s = settingsFor(f, 256, 6);
        s.mix = 0.0f;
        for (int legal : {0, 1}) {  // with the clamp, video levels hold to 16..235
            s.clampToLegal = legal;
            run(s, &bg, &fg, out);
            for (int i = 0; i < 256; ++i)
                for (int c = 0; c < 3; ++c) {
                    const double code = bg.stored(i, c);
                    const bool clamps = legal && f.range == ValueRange::Video;
                    ASSERT_EQ(out.stored(i, c), clamps ? std::clamp(code, 16.0, 235.0) : code)
                        << f.name << " legal " << legal;
                }
        }
    }
}

// Results far beyond what a store can convert (a huge Magic) land on the bound they passed.
TEST(KernelEdges, ResultsBeyondTheConversionRangeStoreTheirBound) {
    for (const Format& f : {kBgra8, kVideo8, kFixed})
        for (const int legal : {1, 0})
            for (const float mix : {1.0f, 0.75f}) {
                Frame bg(f, 8), fg(f, 8), out(f, 8);
                for (int i = 0; i < 8; ++i)
                    for (int c = 0; c < 4; ++c) {
                        bg.setStored(i, c, f.depth == PixelDepth::Bits8 ? 128 : 8192);
                        // Below zero, zero and above zero; 8-bit full range has no code
                        // below zero, so its first pixels take 0.
                        const int sign = i % 3 - 1;
                        fg.setStored(i, c, fg.store(sign * 0.05));
                    }
                BlendSettings s = settingsFor(f, 8, 1);  // Normal: m * a
                s.magic = 1e12f;
                s.mix = mix;
                s.clampToLegal = legal;
                run(s, &bg, &fg, out);
                for (int i = 0; i < 8; ++i)
                    for (int c = 0; c < 3; ++c) {
                        const double a = fg.working(fg.stored(i, c));
                        const double b = bg.working(bg.stored(i, c));
                        const double r = 1e12 * a * mix + (1.0 - mix) * b;
                        ASSERT_EQ(out.stored(i, c), out.store(clampColour(r, legal)))
                            << f.name << " legal " << legal << " mix " << mix << " pixel " << i;
                    }
            }
}

}  // namespace
