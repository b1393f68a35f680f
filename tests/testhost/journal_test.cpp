// The journal must keep calls in order, and an injection must hit exactly the call it
// names: a walk over every failure path relies on both.
#include <gtest/gtest.h>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"

namespace {

using testhost::Call;
using testhost::Host;

constexpr int32_t kInjected = static_cast<int32_t>(0x80001234u);

// What a registration does, in miniature; returns the first failing status, releasing
// everything on the way like the module must.
int32_t registerOneParam(IACFUnknown* host) {
    void* f = nullptr;
    if (int32_t s = host->QueryInterface(iid::IACFHostFactory, &f); s < 0) return s;
    if (!f) return status::kNullObject;
    auto* factory = static_cast<IACFHostFactory*>(f);
    void* r = nullptr;
    int32_t s = factory->CreateObject(record_class::ParamRecord, nullptr, iid::IAVXParamRecord, &r);
    if (s >= 0 && !r) s = status::kNullObject;
    if (s >= 0) {
        auto* record = static_cast<IAVXParamRecord*>(r);
        s = record->DescribeParam({1, 2, 3, {}}, u"Mix", u"mix", &value_type::Double, 1, 0, 0, 0);
        const double v = 100.0;
        if (s >= 0) s = record->SetAttribute({9, 9, 9, {}}, value_type::Double, &v, 8);
        record->Release();
    }
    factory->Release();
    return s < 0 ? s : status::kOk;
}

TEST(Journal, KeepsCallsInOrderWithTheirArguments) {
    Host host;
    ASSERT_EQ(registerOneParam(host.unknown()), status::kOk);
    EXPECT_EQ(host.journal().ops(), (std::vector<std::string>{"QueryInterface", "CreateObject",
                                                              "DescribeParam", "SetAttribute"}));
    const auto calls = host.journal().calls();
    EXPECT_EQ(calls[0].detail, "IACFHostFactory");
    EXPECT_EQ(calls[1].detail, "ParamRecord IAVXParamRecord");
    EXPECT_EQ(calls[2].object, "param record '#1'");
    EXPECT_NE(calls[2].detail.find("'Mix' 'mix' Double 1"), std::string::npos);
    EXPECT_EQ(calls[3].object, "param record 'mix'");
    EXPECT_NE(calls[3].detail.find("Double 100"), std::string::npos);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].seq, i + 1);
        EXPECT_EQ(calls[i].nth, 1u);
    }
}

TEST(Journal, ResultKindDecidesWhatCanBeInjected) {
    Host host;
    auto& frame = host.makeFrame({.width = 2, .height = 1}, "f");
    auto& input = host.makeInput("in", &frame);
    IAVXFrameBuffer* got = nullptr;
    input.FetchFrame(0, 0, 0, &got);
    got->GetWidth();
    got->GetPixels();
    got->Release();
    struct Expect {
        const char* op;
        bool failable, nullable;
    } expected[] = {
        {"FetchFrame", true, true}, {"GetWidth", false, false}, {"GetPixels", false, true}};
    const auto calls = host.journal().calls();
    ASSERT_EQ(calls.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].op);
        EXPECT_EQ(calls[i].op, expected[i].op);
        EXPECT_EQ(calls[i].failable, expected[i].failable);
        EXPECT_EQ(calls[i].nullable, expected[i].nullable);
    }
}

TEST(Injector, FailsOnlyTheNthCallOfAnOp) {
    Host host;
    auto& frame = host.makeFrame({.width = 2, .height = 1}, "f");
    auto& input = host.makeInput("in", &frame);
    host.inject().fail("FetchFrame", 2, kInjected);
    int32_t results[3];
    for (int i = 0; i < 3; ++i) {
        IAVXFrameBuffer* got = &frame;
        results[i] = input.FetchFrame(i, 0, 0, &got);
        if (i == 1) {
            EXPECT_EQ(got, nullptr);
        }
        if (got) got->Release();
    }
    EXPECT_EQ(results[0], status::kOk);
    EXPECT_EQ(results[1], kInjected);
    EXPECT_EQ(results[2], status::kOk);
    EXPECT_EQ(host.inject().hits(), 1u);
    EXPECT_EQ(host.journal().calls()[1].injectedStatus, kInjected);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Injector, NullHandsBackNothingWithSuccess) {
    Host host;
    auto& frame = host.makeFrame({.width = 2, .height = 1}, "f");
    host.inject().null("GetLayout", 1);
    host.inject().null("GetPixels", 2);
    IAVXFrameLayout* layout = nullptr;
    EXPECT_EQ(frame.GetLayout(&layout), status::kOk);
    EXPECT_EQ(layout, nullptr);
    EXPECT_EQ(frame.GetLayout(&layout), status::kOk);
    EXPECT_NE(layout, nullptr);
    layout->Release();
    EXPECT_NE(frame.GetPixels(), nullptr);
    EXPECT_EQ(frame.GetPixels(), nullptr);
    EXPECT_NE(frame.GetPixels(), nullptr);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Injector, ARuleForAnOpThatCannotFailChangesNothing) {
    Host host;
    auto& frame = host.makeFrame({.width = 3, .height = 1}, "f");
    host.inject().fail("GetWidth", 1, kInjected);
    host.inject().fail("GetPixels", 1, kInjected);  // a pointer can only be nulled
    host.inject().null("GetHeight", 1);
    EXPECT_EQ(frame.GetWidth(), 3);
    EXPECT_NE(frame.GetPixels(), nullptr);
    EXPECT_EQ(frame.GetHeight(), 1);
    EXPECT_EQ(host.inject().hits(), 0u);
}

// The walk a module test makes: run once, then fail each failable call in turn.
TEST(Injector, FailCallWalksEveryFailablePath) {
    Host probe;
    ASSERT_EQ(registerOneParam(probe.unknown()), status::kOk);
    const std::vector<Call> calls = probe.journal().calls();
    ASSERT_EQ(calls.size(), 4u);

    for (const Call& c : calls) {
        SCOPED_TRACE(c.op);
        ASSERT_TRUE(c.failable);
        Host host;
        host.inject().failCall(c.seq, kInjected);
        EXPECT_EQ(registerOneParam(host.unknown()), kInjected);
        EXPECT_EQ(host.journal().calls().back().op, c.op);
        EXPECT_EQ(host.journal().size(), c.seq);
        EXPECT_TRUE(host.census().clean()) << host.census().report();
    }
}

TEST(Injector, NullCallOnEveryNullablePath) {
    Host probe;
    ASSERT_EQ(registerOneParam(probe.unknown()), status::kOk);
    size_t walked = 0;
    for (const Call& c : probe.journal().calls()) {
        if (!c.nullable) continue;
        SCOPED_TRACE(c.op);
        Host host;
        host.inject().nullCall(c.seq);
        EXPECT_EQ(registerOneParam(host.unknown()), status::kNullObject);
        EXPECT_TRUE(host.census().clean()) << host.census().report();
        ++walked;
    }
    EXPECT_EQ(walked, 2u);  // QueryInterface and CreateObject
}

TEST(Injector, ResetRestartsTheNumberingButClearDoesNot) {
    Host host;
    auto& frame = host.makeFrame({.width = 1, .height = 1}, "f");
    frame.GetWidth();
    host.journal().clear();
    frame.GetWidth();
    EXPECT_EQ(host.journal().calls()[0].seq, 2u);
    host.inject().reset();
    host.journal().clear();
    frame.GetWidth();
    EXPECT_EQ(host.journal().calls()[0].seq, 1u);
    EXPECT_EQ(host.journal().calls()[0].nth, 1u);
}

TEST(Journal, CountsAreLeftOutUnlessAskedFor) {
    Host host;
    auto& frame = host.makeFrame({.width = 1, .height = 1}, "f");
    IAVXFrameBuffer* f = &frame;
    f->AddRef();
    f->Release();
    EXPECT_EQ(host.journal().size(), 0u);
    host.journal().recordCounts(true);
    f->AddRef();
    f->Release();
    EXPECT_EQ(host.journal().ops(), (std::vector<std::string>{"AddRef", "Release"}));
    EXPECT_EQ(host.journal().calls()[1].detail, "-> 0");
}

}  // namespace
