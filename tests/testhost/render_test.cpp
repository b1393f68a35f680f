// What a render call reaches: the context's inputs, the tracks' frames by field, the
// output set, and all of it from several threads at once.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"

namespace {

using testhost::Fetch;
using testhost::Host;

TEST(Context, GetInputChecksEveryArgument) {
    Host host;
    auto& context = host.makeContext("fx");
    auto& a = host.makeInput("a");
    auto& b = host.makeInput("b");
    context.setInputs({&a, &b});
    struct Case {
        const char* what;
        int32_t index;
        GUID kind, iid;
        int32_t status;
    } cases[] = {
        {"below", -1, frame_request::InputTrackKind, iid::IAVXInputTrack, status::kInvalidArgument},
        {"past the end", 2, frame_request::InputTrackKind, iid::IAVXInputTrack,
         status::kInvalidArgument},
        {"track kind", 0, frame_request::OutputFrameKind, iid::IAVXInputTrack,
         status::kInvalidArgument},
        {"iid", 0, frame_request::InputTrackKind, iid::IAVXFrameBuffer, status::kNoInterface},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        void* out = &host;
        EXPECT_EQ(context.GetInput(c.index, c.kind, c.iid, &out), c.status);
        EXPECT_EQ(out, nullptr);
    }
    void* out = nullptr;
    ASSERT_EQ(context.GetInput(1, frame_request::InputTrackKind, iid::IAVXInputTrack, &out),
              status::kOk);
    EXPECT_EQ(out, static_cast<IAVXInputTrack*>(&b));
    EXPECT_EQ(host.census().report(), "input 'b' held 1 times\n");
    static_cast<IAVXInputTrack*>(out)->Release();

    EXPECT_EQ(context.GetInputCount(), 2);
    context.setInputCount(5);
    EXPECT_EQ(context.GetInputCount(), 5);
    EXPECT_EQ(context.GetInput(4, frame_request::InputTrackKind, iid::IAVXInputTrack, &out),
              status::kInvalidArgument);
    context.setInputCount(std::nullopt);
    EXPECT_EQ(context.GetInputCount(), 2);
}

TEST(Inputs, FetchFrameHandsOutTheFieldsFrameAndRecordsEveryFetch) {
    Host host;
    auto& whole = host.makeFrame({.width = 1, .height = 1}, "whole");
    auto& second = host.makeFrame({.width = 1, .height = 1}, "second field");
    auto& input = host.makeInput("in", &whole);
    input.setFrameForField(2, second);
    input.refuseField(1, status::kUnexpected);

    struct Case {
        int32_t field;
        int32_t status;
        testhost::Frame* frame;
    } cases[] = {
        {0, status::kOk, &whole}, {2, status::kOk, &second}, {1, status::kUnexpected, nullptr}};
    for (const Case& c : cases) {
        IAVXFrameBuffer* got = &whole;
        EXPECT_EQ(input.FetchFrame(7, c.field, 3, &got), c.status) << "field " << c.field;
        EXPECT_EQ(got, c.frame);
        if (got) got->Release();
    }
    EXPECT_EQ(input.FetchFrame(7, 0, 3, nullptr), status::kInvalidArgument);
    const auto fetches = input.fetches();
    ASSERT_EQ(fetches.size(), 3u);
    EXPECT_EQ(fetches[2].field, 1);
    EXPECT_EQ(fetches[2].time, 7);
    EXPECT_EQ(fetches[2].fieldMode, 3);

    auto& empty = host.makeInput("empty");
    IAVXFrameBuffer* got = nullptr;
    EXPECT_LT(empty.FetchFrame(0, 0, 0, &got), 0);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Inputs, ASourceChoosesTheFrameByTime) {
    Host host;
    auto& even = host.makeFrame({.width = 1, .height = 1}, "even");
    auto& odd = host.makeFrame({.width = 1, .height = 1}, "odd");
    auto& input = host.makeInput("clip");
    input.setSource([&](const Fetch& f) { return f.time % 2 ? &odd : &even; });
    for (int32_t t : {0, 1, 2}) {
        IAVXFrameBuffer* got = nullptr;
        ASSERT_EQ(input.FetchFrame(t, 0, 0, &got), status::kOk);
        EXPECT_EQ(got, t % 2 ? &odd : &even);
        got->Release();
    }
}

TEST(Outputs, GetOutputFrameAnswersOnlyTheOneRequest) {
    Host host;
    auto& frame = host.makeFrame({.width = 1, .height = 1}, "output");
    auto& set = host.makeOutput("outputs", &frame);
    struct Case {
        const char* what;
        int32_t index;
        GUID kind, iid;
        int32_t status;
    } cases[] = {
        {"index", 1, frame_request::OutputFrameKind, iid::IAVXFrameBuffer,
         status::kInvalidArgument},
        {"kind", 0, frame_request::InputTrackKind, iid::IAVXFrameBuffer, status::kInvalidArgument},
        {"iid", 0, frame_request::OutputFrameKind, iid::IAVXInputTrack, status::kNoInterface},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        void* out = &host;
        EXPECT_EQ(set.GetOutputFrame(c.index, c.kind, c.iid, &out), c.status);
        EXPECT_EQ(out, nullptr);
    }
    void* out = nullptr;
    ASSERT_EQ(set.GetOutputFrame(0, frame_request::OutputFrameKind, iid::IAVXFrameBuffer, &out),
              status::kOk);
    EXPECT_EQ(out, static_cast<IAVXFrameBuffer*>(&frame));
    static_cast<IAVXFrameBuffer*>(out)->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

// Renders from several threads at once through one context, as the module will be driven.
TEST(Context, ConcurrentRendersThroughOneContextStayConsistent) {
    constexpr GUID kMix = makeGuid("{00000001-0000-0000-0000-000000000000}");
    Host host;
    auto& frame = host.makeFrame({.width = 4, .height = 4}, "frame");
    auto& input = host.makeInput("in", &frame);
    auto& context = host.makeContext("fx");
    context.addInput(input);
    context.params().setKey(kMix, 0, testhost::Value::ofDouble(0));
    context.params().setKey(kMix, 100, testhost::Value::ofDouble(100));

    constexpr int kThreads = 4, kFrames = 200;
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kFrames; ++i) {
                void* p = nullptr;
                void* track = nullptr;
                if (context.GetParam(kMix, iid::IAVXParamAccess, &p) != status::kOk) ++wrong;
                const double time = i % 100;
                double v = -1;
                static_cast<IAVXParamAccess*>(p)->GetValueAt(&time, value_type::Double, &v, 8);
                if (std::abs(v - time) > 1e-9) ++wrong;
                context.GetInput(0, frame_request::InputTrackKind, iid::IAVXInputTrack, &track);
                IAVXFrameBuffer* f = nullptr;
                static_cast<IAVXInputTrack*>(track)->FetchFrame(i, 0, 0, &f);
                if (f != &frame) ++wrong;
                f->Release();
                static_cast<IAVXInputTrack*>(track)->Release();
                static_cast<IAVXParamAccess*>(p)->Release();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(host.journal().size(), size_t{kThreads} * kFrames * 4);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

}  // namespace
