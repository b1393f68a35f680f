#include "pixel/frame_format.h"

#include <gtest/gtest.h>

#include "host/guard.h"
#include "host/interfaces.h"
#include "testhost/host.h"

namespace {

using testhost::Placement;

// The render walks frames of more than 4 GB by 64-bit byte counts.
TEST(ReadFrameFormat, MultipliesTheSizeInSixtyFourBits) {
    testhost::Host host;
    auto& frame = host.makeFrame(
        {.width = 70000, .height = 70000, .depth = 6, .placement = Placement::None}, "huge");
    FrameFormat f;
    ASSERT_EQ(guarded([&] { f = readFrameFormat(frame); }), 0);
    EXPECT_EQ(f.frameBytes, 70000ull * 70000ull * 16ull);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

}  // namespace
