// The main pass on both widths, and the black it fills with.
#include "scope/main_pass.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "pixel/simd_path.h"
#include "pixel/ycbcr_converter.h"
#include "scope/fill_black.h"

namespace {

// Ordinary and out-of-range samples; for float also NaN, infinite and huge values.
std::vector<uint8_t> mixedSamples(PixelDepth depth, uint64_t bytes) {
    std::vector<uint8_t> v(bytes);
    for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(i * 29 + (i >> 3) * 11 + 1);
    if (depth == PixelDepth::Float32) {
        const float special[] = {NAN, INFINITY, -INFINITY, 3e38f, -1e30f, 1.2f, -0.6f, 0.5f};
        for (size_t i = 0; i < v.size() / 4; ++i) {
            const float x =
                i % 3 == 0 ? special[(i / 3) % 8] : static_cast<float>(i % 41) / 33.0f - 0.2f;
            std::memcpy(&v[i * 4], &x, 4);
        }
    }
    return v;
}

}  // namespace

// Rows whose groups straddle the rectangle and the row ends; an odd count of groups leaves the
// last to four lanes.
TEST(MainPass, BothWidthsWriteTheSameBytes) {
    const uint64_t width = 66, pixels = width * 9, groups = pixels / 8;  // 74 groups, then 2 pixels
    const ReservedArea reserved{2 * width + 6, 7 * width + 20, 35};
    const auto bits = [](const ScopeStatistics& s) {
        return std::array{s.yMin, s.yMax, s.cbMin, s.cbMax, s.crMin, s.crMax, float(s.any)};
    };
    for (PixelDepth depth : {PixelDepth::Bits8, PixelDepth::Fixed2_14, PixelDepth::Float32})
        for (PixelLayout layout : {PixelLayout::YCbYCr_NoA, PixelLayout::CbYCrY_NoA})
            for (MainPassMode mode : {MainPassMode::LegalMap, MainPassMode::FalseColour,
                                      MainPassMode::FalseColourAround, MainPassMode::PictureAround})
                for (int32_t palette : {1, 2, 3, 4})
                    for (uint64_t count : {groups, groups - 1})
                        for (SimdPath wide : kEverySimdPath) {
                            if (!eightLanes(wide) || !processorRuns(wide)) continue;
                            SCOPED_TRACE(::testing::Message()
                                         << simdPathName(wide) << " depth " << int(depth)
                                         << " layout " << int(layout) << " mode " << int(mode)
                                         << " palette " << palette << " groups " << count);
                            FrameFormat f;
                            f.depth = depth, f.layout = layout, f.range = ValueRange::Video;
                            f.pixelBytes = ycbcr422PixelBytes(depth);
                            // A whole frame's bytes plus one: float groups then start off every
                            // 16-byte boundary, as the host may hand them.
                            const std::vector<uint8_t> source =
                                mixedSamples(depth, pixels * f.pixelBytes + 1);
                            const uint8_t* input = source.data() + (depth == PixelDepth::Float32);
                            std::vector<uint8_t> narrowOut(pixels * f.pixelBytes, 0xEE),
                                wideOut = narrowOut;
                            MainPassJob job{input, narrowOut.data(), count, width, reserved, mode};
                            auto narrow = makePixelConverter(depth, f.range, layout, f.pixelBytes);
                            narrow->falseColour.build(palette, 0.8f);
                            withReadingConverter(*narrow, [&](auto& c) {
                                GroupStatistics narrowStats, tailStats;
                                EXPECT_EQ(runMainPass(c, job, narrowStats), count);
                                job.output = wideOut.data();
                                ScopeStatistics wideStats;
                                job.first = runWideMainPass(wide, job, f, palette, 0.8f, wideStats);
                                EXPECT_EQ(job.first,
                                          depth == PixelDepth::Float32 ? 0 : count & ~uint64_t{1});
                                runMainPass(c, job, tailStats);
                                const auto a = bits(narrowStats.result()),
                                           b = bits(combined(wideStats, tailStats.result()));
                                EXPECT_EQ(std::memcmp(a.data(), b.data(), sizeof a), 0);
                            });
                            ASSERT_EQ(narrowOut, wideOut);
                        }
}

// Whole groups first, then the tail.
TEST(FillBlack, EveryByteOfTheStretchAndNoMore) {
    struct Case {
        PixelDepth depth;
        ColourSpace space;
        std::vector<uint8_t> pair;  // the black of one pair, Cb Y Cr Y
    };
    const Case cases[] = {
        {PixelDepth::Bits8, ColourSpace::Rec709, {128, 16, 128, 16}},
        {PixelDepth::Fixed2_14, ColourSpace::Rec601, std::vector<uint8_t>(8, 0)},
        {PixelDepth::Float32, ColourSpace::Rec709, std::vector<uint8_t>(16, 0)},
        {PixelDepth::Bits8, ColourSpace::None, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        for (uint64_t bytes = 0; bytes <= 70; ++bytes) {
            FrameFormat f;
            f.depth = c.depth, f.colourSpace = c.space, f.range = ValueRange::Video;
            f.layout = PixelLayout::CbYCrY_NoA, f.pixelBytes = ycbcr422PixelBytes(c.depth);
            std::vector<uint8_t> buffer(bytes + 16, 0xEE);
            fillBlack(buffer.data(), bytes, f);
            for (uint64_t i = 0; i < buffer.size(); ++i)
                ASSERT_EQ(buffer[i], i < bytes ? c.pair[i % c.pair.size()] : 0xEE)
                    << "byte " << i << " of " << bytes;
        }
}
