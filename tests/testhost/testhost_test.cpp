// What the module tests rely on in the test host: the census of references, injection by
// call number, parameter keys over time, and frames whose outside writes show.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "testhost/guarded_buffer.h"
#include "testhost/host.h"

namespace {

using testhost::Placement;
using testhost::Value;

constexpr int32_t kInjected = static_cast<int32_t>(0x80001234u);

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

// A call is failable or nullable by what it hands back; the journal numbers every call.
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

constexpr GUID kMix = makeGuid("{00000001-0000-0000-0000-000000000000}");
constexpr GUID kMode = makeGuid("{00000002-0000-0000-0000-000000000000}");

// Double keys interpolate, keys of other types step.
TEST(Params, KeysInterpolateOrStepAndHoldTheirEnds) {
    testhost::Host host;
    testhost::ParamStore& store = host.makeContext("fx").params();
    // Out of order on purpose: the store keeps keys sorted by time.
    store.setKey(kMix, 40, Value::ofDouble(50));
    store.setKey(kMix, 10, Value::ofDouble(0));
    store.setKey(kMix, 20, Value::ofDouble(100));
    store.setKey(kMode, 0, Value::ofInt(1));
    store.setKey(kMode, 10, Value::ofInt(5));
    struct Case {
        double t, mix;
        int32_t mode;
    };
    const Case cases[] = {{-1e9, 0, 1}, {9.999, 0, 1}, {10, 0, 5},  {12.5, 25, 5},
                          {20, 100, 5}, {30, 75, 5},   {40, 50, 5}, {1e9, 50, 5}};
    for (const Case& c : cases) {
        double mix = -1;
        int32_t mode = -1;
        ASSERT_EQ(store.param(kMix).GetValueAt(&c.t, value_type::Double, &mix, 8), status::kOk);
        ASSERT_EQ(store.param(kMode).GetValueAt(&c.t, value_type::Int, &mode, 4), status::kOk);
        EXPECT_DOUBLE_EQ(mix, c.mix) << "t=" << c.t;
        EXPECT_EQ(mode, c.mode) << "t=" << c.t;
    }
}

TEST(Params, ReadsOfTheWrongTypeOrSizeAreRefusedUnwritten) {
    testhost::Host host;
    testhost::ParamStore& store = host.makeContext("fx").params();
    store.setDouble(kMix, 42.0);
    const double t = 0;
    struct Case {
        const double* time;
        GUID type;
        uint32_t bytes;
    };
    const Case cases[] = {{&t, value_type::Int, 8},
                          {&t, value_type::Double, 4},
                          {&t, value_type::Double, 16},
                          {nullptr, value_type::Double, 8}};
    for (const Case& c : cases) {
        uint8_t out[16];
        std::memset(out, 0xCD, sizeof out);
        EXPECT_EQ(store.param(kMix).GetValueAt(c.time, c.type, out, c.bytes),
                  status::kInvalidArgument);
        for (uint8_t b : out) ASSERT_EQ(b, 0xCD);
    }
}

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
