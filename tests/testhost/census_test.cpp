// The census every module test ends with: a reference the module still holds, one it
// releases once too often, and a placeholder slot it calls must each show.
#include <gtest/gtest.h>

#include "testhost/host.h"

namespace {

TEST(Census, ShowsEveryReferenceHeldOverReleasedOrMisused) {
    testhost::Host host;
    auto& frame = host.makeFrame({.width = 4, .height = 1}, "background");
    auto& input = host.makeInput("track 0", &frame);
    IAVXFrameBuffer* fetched = nullptr;
    ASSERT_EQ(input.FetchFrame(0, 0, 0, &fetched), status::kOk);
    IAVXFrameLayout* layout = nullptr;
    ASSERT_EQ(fetched->GetLayout(&layout), status::kOk);
    // The layout's reference is its own, not the frame's.
    EXPECT_EQ(host.census().report(),
              "frame 'background' held 1 times\nlayout 'background' held 1 times\n");
    layout->Release();
    fetched->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();

    fetched->Release();
    ASSERT_EQ(host.census().overReleases().size(), 1u);
    EXPECT_EQ(host.census().overReleases()[0].name, "background");
    EXPECT_FALSE(host.census().clean());
    host.census().clearErrors();

    EXPECT_EQ(static_cast<IAVXFrameBuffer&>(frame).Reserved13(), status::kNotImplemented);
    ASSERT_EQ(host.census().misuses().size(), 1u);
    EXPECT_FALSE(host.census().clean());
}

}  // namespace
