// What the module tests rely on in the frames: where the pixels start, and that a write just
// before the start or just after the end of any frame shows.
#include <gtest/gtest.h>

#include <cstdint>

#include "testhost/guarded_buffer.h"
#include "testhost/host.h"

namespace {

using testhost::Placement;

TEST(Frames, AWriteJustOutsideThePixelsShows) {
    testhost::Host host;
    for (Placement p : {Placement::Aligned16, Placement::Unaligned, Placement::GuardPage}) {
        auto& before = host.makeFrame({.width = 3, .height = 1, .placement = p}, "before");
        auto& inside = host.makeFrame({.width = 3, .height = 1, .placement = p}, "inside");
        before.data()[-1] = 0;
        inside.fill(0xA5);  // the guard pattern itself, inside the pixels
        EXPECT_FALSE(before.guardsIntact());
        EXPECT_TRUE(inside.guardsIntact());
        if (p != Placement::GuardPage) {
            auto& after = host.makeFrame({.width = 3, .height = 1, .placement = p}, "after");
            after.data()[after.byteCount()] = 0;
            EXPECT_FALSE(after.guardsIntact());
        }
    }
}

TEST(FramesDeathTest, AGuardPageFaultsJustOutsideThePixels) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testhost::Host host;
    // 60 bytes, not a multiple of 16, so the end is exact; and a frame of exactly one page,
    // whose start is the page after the front guard page.
    auto& frame = host.makeFrame({.width = 5, .height = 3, .placement = Placement::GuardPage}, "g");
    volatile uint8_t* p = frame.data();
    p[0] = 1;
    p[frame.byteCount() - 1] = 2;
    EXPECT_DEATH(p[frame.byteCount()] = 3, "");
    const auto pageWidth = static_cast<uint32_t>(testhost::GuardedBuffer::pageSize() / 4);
    auto& page = host.makeFrame(
        {.width = pageWidth, .height = 1, .placement = Placement::GuardPage}, "page");
    volatile uint8_t* q = page.data();
    q[0] = 1;
    EXPECT_DEATH(q[-1] = 3, "");
}

}  // namespace
