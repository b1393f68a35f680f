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

TEST(ReadFrameFormat, CallsTheHostInOrderAndReleasesTheLayout) {
    testhost::Host host;
    auto& frame = host.makeFrame({.width = 7,
                                  .height = 3,
                                  .depth = 3,
                                  .layout = 5,
                                  .range = 1,
                                  .colourSpace = 4,
                                  .fieldMode = 2},
                                 "frame");
    host.journal().clear();
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
    const std::vector<std::string> expected = {
        "GetWidth",     "GetHeight",     "GetFieldMode", "GetLayout",       "GetColourSpace",
        "GetDepthCode", "GetLayoutCode", "GetRangeCode", "GetBytesPerPixel"};
    EXPECT_EQ(host.journal().ops(), expected);
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

TEST(ReadFrameFormat, ZeroWidthOrHeightGivesNoBytes) {
    for (auto [w, h] : {std::pair{0u, 5u}, std::pair{5u, 0u}}) {
        testhost::Host host;
        auto& frame = host.makeFrame({.width = w, .height = h}, "empty");
        int32_t result = -1;
        EXPECT_EQ(read(frame, result).frameBytes, 0u);
        EXPECT_EQ(result, 0);
    }
}

TEST(ReadFrameFormat, CodesOutsideTheTablesAreCarriedUnchanged) {
    testhost::Host host;
    auto& frame = host.makeFrame({.width = 2,
                                  .height = 2,
                                  .depth = 40,
                                  .layout = 99,
                                  .range = -3,
                                  .colourSpace = 17,
                                  .pixelBytes = 12},
                                 "odd");
    int32_t result = -1;
    const FrameFormat f = read(frame, result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(static_cast<int32_t>(f.depth), 40);
    EXPECT_EQ(static_cast<int32_t>(f.layout), 99);
    EXPECT_EQ(static_cast<int32_t>(f.range), -3);
    EXPECT_EQ(static_cast<int32_t>(f.colourSpace), 17);
    EXPECT_EQ(f.frameBytes, 48u);
    EXPECT_EQ(depthToken(f.depth), nullptr);
    EXPECT_EQ(layoutToken(f.layout), nullptr);
    EXPECT_EQ(rangeToken(f.range), nullptr);
    EXPECT_EQ(colourSpaceToken(f.colourSpace), nullptr);
}

TEST(ReadFrameFormat, AFailingOrMissingLayoutIsTheFailure) {
    constexpr int32_t kFailure = static_cast<int32_t>(0x80001111u);
    for (bool null : {false, true}) {
        testhost::Host host;
        auto& frame = host.makeFrame({.width = 4, .height = 4}, "frame");
        host.inject().reset();
        if (null)
            host.inject().null("GetLayout", 1);
        else
            host.inject().fail("GetLayout", 1, kFailure);
        int32_t result = 0;
        read(frame, result);
        EXPECT_EQ(result, null ? status::kNullObject : kFailure);
        EXPECT_TRUE(host.census().clean()) << host.census().report();
    }
}

TEST(FrameCodes, TokensOfTheLog) {
    EXPECT_STREQ(depthToken(PixelDepth::Fixed2_14), "%s2_14b:");
    EXPECT_STREQ(depthToken(PixelDepth::Half), "%sHF:");
    EXPECT_STREQ(layoutToken(PixelLayout::CbYCrY_NoA), "%sCbYCrY_NoA:");
    EXPECT_STREQ(layoutToken(PixelLayout::Mono), "%sMono:");
    EXPECT_STREQ(rangeToken(ValueRange::Custom), "%sCustom:");
    EXPECT_STREQ(colourSpaceToken(ColourSpace::Rec601), "601:");
    EXPECT_EQ(depthToken(static_cast<PixelDepth>(-1)), nullptr);
}

}  // namespace
