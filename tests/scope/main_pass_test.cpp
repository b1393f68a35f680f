// The main pass around the workers' rectangle, pair by pair: rows whose width is not a
// multiple of 8 put groups across the rectangle's edges and across row ends, and each pair
// is decided on its own.
#include "scope/main_pass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "pixel/ycbcr_converter.h"
#include "scope/fill_black.h"

namespace {

template <MainPassMode Mode>
void pass(PixelDepth depth, PixelLayout layout, const MainPassJob& job) {
    auto converter =
        makePixelConverter(depth, ValueRange::Video, layout, ycbcr422PixelBytes(depth));
    converter->falseColour.build(0, 1.0f);
    withConcreteConverter(*converter, [&](auto& c) {
        if constexpr (requires { std::remove_reference_t<decltype(c)>::kGroupBytes; }) {
            GroupStatistics stats;
            runMainPass<Mode>(c, job, stats);
        }
    });
}

TEST(MainPass, PairsAroundTheRectangleAreDecidedOneByOne) {
    for (PixelDepth depth : {PixelDepth::Bits8, PixelDepth::Fixed2_14, PixelDepth::Float32})
        for (PixelLayout layout : {PixelLayout::YCbYCr_NoA, PixelLayout::CbYCrY_NoA})
            for (uint64_t width : {30u, 33u, 60u}) {
                SCOPED_TRACE("depth " + std::to_string(static_cast<int>(depth)) + " layout " +
                             std::to_string(static_cast<int>(layout)) + " width " +
                             std::to_string(width));
                const uint64_t pixelBytes = ycbcr422PixelBytes(depth), pixels = width * 10;
                const uint64_t pairBytes = 2 * pixelBytes, groups = pixels / 8;
                std::vector<uint8_t> input(pixels * pixelBytes);
                for (size_t i = 0; i < input.size(); ++i)
                    input[i] = static_cast<uint8_t>(i * 7 + 3);
                if (depth == PixelDepth::Float32)  // lumas and chroma, no NaN
                    for (size_t i = 0; i < input.size() / 4; ++i) {
                        const float v = static_cast<float>(i % 37) / 30.0f - 0.1f;
                        std::memcpy(&input[i * 4], &v, 4);
                    }
                const ReservedArea r{2 * width + 3, 7 * width + 20, 19};
                MainPassJob job{input.data(), nullptr, groups, width, r, MainPassMode::FalseColour};
                std::vector<uint8_t> mapped(input.size(), 0xEE);
                job.output = mapped.data();
                pass<MainPassMode::FalseColour>(depth, layout, job);

                for (MainPassMode mode :
                     {MainPassMode::PictureAround, MainPassMode::FalseColourAround}) {
                    const bool picture = mode == MainPassMode::PictureAround;
                    std::vector<uint8_t> out(input.size(), 0xEE);
                    job.output = out.data();
                    job.mode = mode;
                    picture ? pass<MainPassMode::PictureAround>(depth, layout, job)
                            : pass<MainPassMode::FalseColourAround>(depth, layout, job);
                    const std::vector<uint8_t>& around = picture ? input : mapped;
                    for (uint64_t q = 0; q < pixels; q += 2) {
                        const bool inside =
                            r.start <= q && q <= r.end && q % width <= r.columnLimit;
                        // Groups that begin before the rectangle keep the rows copied there.
                        const bool kept =
                            inside || q >= groups * 8 || (picture && (q & ~7ull) < r.start);
                        const uint8_t* got = &out[q * pixelBytes];
                        if (kept) {
                            for (uint64_t b = 0;
                                 b < std::min(pairBytes, out.size() - q * pixelBytes); ++b)
                                ASSERT_EQ(got[b], 0xEE) << "pair at " << q << " mode " << picture;
                        } else {
                            ASSERT_EQ(std::memcmp(got, &around[q * pixelBytes], pairBytes), 0)
                                << "pair at " << q << " mode " << picture;
                        }
                    }
                }
            }
}

}  // namespace

// Black in the frame's own codes over every byte of a stretch of any length, and not one byte
// past it: whole groups first, then the tail.
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
