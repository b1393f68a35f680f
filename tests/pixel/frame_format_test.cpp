#include "pixel/frame_format.h"

#include <gtest/gtest.h>

#include "host/guard.h"
#include "host/interfaces.h"
#include "testhost/host.h"

namespace {

using testhost::FrameShape;
using testhost::Placement;

FrameFormat read(IAVXFrameBuffer& frame, int32_t& result) {
    FrameFormat f;
    result = guarded([&] { f = readFrameFormat(frame); });
    return f;
}

TEST(ReadFrameFormat, ReadsEveryCodeAndReleasesTheLayout) {
    testhost::Host host;
    auto& frame = host.makeFrame({.width = 7,
                                  .height = 3,
                                  .depth = 3,
                                  .layout = 5,
                                  .range = 1,
                                  .colourSpace = 4,
                                  .fieldMode = 2},
                                 "frame");
    int32_t result = -1;
    const FrameFormat f = read(frame, result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(f.width, 7u);
    EXPECT_EQ(f.height, 3u);
    EXPECT_EQ(f.fieldMode, 2);
    EXPECT_EQ(f.depth, PixelDepth::Fixed2_14);
    EXPECT_EQ(f.layout, PixelLayout::RGBA);
    EXPECT_EQ(f.range, ValueRange::Video);
    EXPECT_EQ(f.colourSpace, ColourSpace::Rec709);
    EXPECT_EQ(f.pixelBytes, 8u);
    EXPECT_EQ(f.frameBytes, 7u * 3u * 8u);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(ReadFrameFormat, MultipliesTheSizeInSixtyFourBits) {
    testhost::Host host;
    auto& frame = host.makeFrame(
        {.width = 70000, .height = 70000, .depth = 6, .placement = Placement::None}, "huge");
    int32_t result = -1;
    const FrameFormat f = read(frame, result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(f.frameBytes, 70000ull * 70000ull * 16ull);
}

}  // namespace
