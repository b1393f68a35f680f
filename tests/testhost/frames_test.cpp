// Frames: the sizes and codes the module reads, and pixel placements that make an access
// past the end or a misaligned assumption show.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/status.h"
#include "testhost/guarded_buffer.h"
#include "testhost/host.h"

namespace {

using testhost::FrameShape;
using testhost::Host;
using testhost::Placement;

uintptr_t address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

TEST(Frames, PixelSizeFollowsDepthAndLayout) {
    struct Case {
        int32_t depth, layout;
        uint32_t bytes;
    } cases[] = {
        {1, 4, 4}, {3, 4, 8},   {6, 4, 16}, {1, 3, 4}, {6, 5, 16},  // four components
        {1, 1, 2}, {3, 2, 4},   {6, 1, 8},                          // 4:2:2
        {1, 9, 3}, {6, 10, 12},                                     // three components
        {2, 4, 0}, {1, 13, 0},                                      // not derivable
    };
    for (const Case& c : cases)
        EXPECT_EQ(testhost::derivedPixelBytes(c.depth, c.layout), c.bytes)
            << "depth " << c.depth << " layout " << c.layout;

    Host host;
    EXPECT_THROW(host.makeFrame({.width = 1, .height = 1, .depth = 2}, "10bit"), std::logic_error);
    auto& given = host.makeFrame({.width = 1, .height = 1, .depth = 2, .pixelBytes = 6}, "10bit");
    EXPECT_EQ(given.layout().GetBytesPerPixel(0), 6u);
}

TEST(Frames, TheLayoutReportsEveryCodeItWasMadeWith) {
    Host host;
    auto& frame = host.makeFrame({.width = 7,
                                  .height = 3,
                                  .depth = 6,
                                  .layout = 5,
                                  .range = 1,
                                  .colourSpace = 4,
                                  .fieldMode = 2,
                                  .fieldSubMode = 3,
                                  .frameField = 1},
                                 "output");
    EXPECT_EQ(frame.GetWidth(), 7);
    EXPECT_EQ(frame.GetHeight(), 3);
    EXPECT_EQ(frame.GetFieldMode(), 2);
    EXPECT_EQ(frame.GetFieldSubMode(), 3);
    EXPECT_EQ(frame.GetFrameField(), 1);
    EXPECT_EQ(frame.GetByteCount(), 7u * 3 * 16);
    IAVXFrameLayout* layout = nullptr;
    ASSERT_EQ(frame.GetLayout(&layout), status::kOk);
    EXPECT_EQ(layout->GetDepthCode(), 6);
    EXPECT_EQ(layout->GetLayoutCode(), 5);
    EXPECT_EQ(layout->GetRangeCode(), 1);
    EXPECT_EQ(layout->GetColourSpace(), 4);
    EXPECT_EQ(layout->GetBytesPerPixel(0), 16u);
    EXPECT_EQ(layout->GetBytesPerPixel(1), 0u);
    layout->Release();
    EXPECT_EQ(frame.GetLayout(nullptr), status::kInvalidArgument);
}

TEST(Frames, PlacementsPutThePixelsWhereTheySay) {
    Host host;
    const size_t page = testhost::GuardedBuffer::pageSize();
    for (uint32_t width : {1u, 3u, 4u, 1000u, 1025u}) {
        SCOPED_TRACE(width);
        auto& aligned = host.makeFrame({.width = width, .height = 1}, "a");
        auto& unaligned =
            host.makeFrame({.width = width, .height = 1, .placement = Placement::Unaligned}, "u");
        auto& guarded =
            host.makeFrame({.width = width, .height = 1, .placement = Placement::GuardPage}, "g");
        EXPECT_EQ(address(aligned.GetPixels()) % 16, 0u);
        EXPECT_EQ(address(unaligned.GetPixels()) % 16, 4u);
        const uintptr_t end = address(guarded.data()) + guarded.byteCount();
        EXPECT_EQ(end % page, 0u);
        // 4 bytes a pixel: aligned exactly when the size is a multiple of 16.
        EXPECT_EQ(address(guarded.data()) % 16 == 0, width % 4 == 0);
        EXPECT_EQ(aligned.bytes().size(), width * 4u);
        auto& start = host.makeFrame(
            {.width = width, .height = 1, .placement = Placement::GuardPageStart}, "s");
        auto& gapped = host.makeFrame(
            {.width = width, .height = 1, .placement = Placement::GuardPage, .guardGap = 3}, "e");
        EXPECT_EQ(address(start.data()) % page, 0u);
        EXPECT_EQ((address(gapped.data()) + gapped.byteCount() + 3) % page, 0u);
    }
}

TEST(Frames, GuardBytesShowAWritePastEitherEnd) {
    Host host;
    // Against a guard page with a gap, the gap and the rest of the page carry the pattern.
    for (Placement p : {Placement::Aligned16, Placement::Unaligned, Placement::GuardPage,
                        Placement::GuardPageStart}) {
        const FrameShape shape{.width = 3, .height = 1, .placement = p, .guardGap = 4};
        auto& after = host.makeFrame(shape, "after");
        auto& before = host.makeFrame(shape, "before");
        auto& inside = host.makeFrame(shape, "inside");
        after.data()[after.byteCount()] = 0;
        before.data()[-1] = 0;
        inside.fill(0xA5);  // the guard pattern itself, inside the pixels
        EXPECT_FALSE(after.guardsIntact());
        EXPECT_FALSE(before.guardsIntact());
        EXPECT_TRUE(inside.guardsIntact());
    }
}

TEST(FramesDeathTest, TheByteAfterAGuardPageFrameFaults) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Host host;
    // 5 x 3 pixels of 4 bytes: 60 bytes, not a multiple of 16, so the end is exact.
    auto& frame = host.makeFrame({.width = 5, .height = 3, .placement = Placement::GuardPage}, "g");
    volatile uint8_t* p = frame.data();
    p[0] = 1;
    p[frame.byteCount() - 1] = 2;  // the last byte is ours
    EXPECT_EQ(p[frame.byteCount() - 1], 2);
    EXPECT_DEATH(p[frame.byteCount()] = 3, "");
    EXPECT_DEATH((void)p[frame.byteCount()], "");
    auto& start =
        host.makeFrame({.width = 5, .height = 3, .placement = Placement::GuardPageStart}, "s");
    volatile uint8_t* q = start.data();
    EXPECT_DEATH((void)q[-1], "");
}

TEST(Frames, SizesBeyondThirtyTwoBitsAreDescribedWithoutMemory) {
    Host host;
    auto& huge = host.makeFrame(
        {.width = 70000, .height = 70000, .depth = 6, .placement = Placement::None}, "huge");
    EXPECT_EQ(huge.byteCount(), uint64_t{70000} * 70000 * 16);
    EXPECT_EQ(huge.GetByteCount(), 0xFFFFFFFFu);
    EXPECT_EQ(huge.GetPixels(), nullptr);
    EXPECT_TRUE(huge.bytes().empty());

    auto& lying = host.makeFrame({.width = 4, .height = 4, .byteCountOverride = 10}, "lying");
    EXPECT_EQ(lying.GetByteCount(), 10u);
    EXPECT_EQ(lying.byteCount(), 64u);
    auto& noSize = host.makeFrame({.width = 4, .height = 4, .bytesPerPixelOverride = 0}, "none");
    EXPECT_EQ(noSize.layout().GetBytesPerPixel(0), 0u);
    EXPECT_EQ(noSize.byteCount(), 64u);
}

TEST(Frames, PixelAddressesCanBeSharedOrWithheld) {
    Host host;
    auto& source = host.makeFrame({.width = 2, .height = 2}, "source");
    auto& output = host.makeFrame({.width = 2, .height = 2}, "output");
    EXPECT_NE(output.GetPixels(), source.GetPixels());
    output.sharePixelsWith(source);
    EXPECT_EQ(output.GetPixels(), source.data());
    output.setPixelsNull(true);
    EXPECT_EQ(output.GetPixels(), nullptr);
    output.setPixelsNull(false);
    EXPECT_EQ(output.GetPixels(), source.data());
    output.sharePixelsWith(source, 4);
    EXPECT_EQ(output.GetPixels(), source.data() + 4);
}

}  // namespace
