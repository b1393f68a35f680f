// The injection every failure walk relies on: a call is failable or nullable by what it
// hands back, and an injection numbered by the journal hits exactly that call.
#include <gtest/gtest.h>

#include "testhost/host.h"

namespace {

constexpr int32_t kInjected = static_cast<int32_t>(0x80001234u);

TEST(Injection, HitsExactlyTheCallItNames) {
    testhost::Host host;
    auto& frame = host.makeFrame({.width = 2, .height = 1}, "f");
    auto& input = host.makeInput("in", &frame);
    host.inject().failCall(2, kInjected);  // the second FetchFrame
    host.inject().failCall(3, kInjected);  // GetWidth returns no status: untouched
    host.inject().nullCall(4);             // the first GetPixels
    host.inject().fail("FetchFrame", 3, kInjected);

    IAVXFrameBuffer* first = nullptr;
    IAVXFrameBuffer* second = &frame;
    EXPECT_EQ(input.FetchFrame(0, 0, 0, &first), status::kOk);
    EXPECT_EQ(input.FetchFrame(1, 0, 0, &second), kInjected);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(first->GetWidth(), 2);
    EXPECT_EQ(first->GetPixels(), nullptr);
    EXPECT_NE(first->GetPixels(), nullptr);
    EXPECT_EQ(input.FetchFrame(2, 0, 0, &second), kInjected);
    EXPECT_EQ(host.inject().hits(), 3u);

    struct Expected {
        const char* op;
        bool failable, nullable;
    };
    const Expected expected[] = {{"FetchFrame", true, true}, {"FetchFrame", true, true},
                                 {"GetWidth", false, false}, {"GetPixels", false, true},
                                 {"GetPixels", false, true}, {"FetchFrame", true, true}};
    const auto calls = host.journal().calls();
    ASSERT_EQ(calls.size(), std::size(expected));
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].op, expected[i].op) << i;
        EXPECT_EQ(calls[i].seq, i + 1);
        EXPECT_EQ(calls[i].failable, expected[i].failable) << i;
        EXPECT_EQ(calls[i].nullable, expected[i].nullable) << i;
    }
    first->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

}  // namespace
