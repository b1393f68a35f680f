// The census must name every reference the module still holds, and nothing else.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"

namespace {

using testhost::CensusEntry;
using testhost::FrameShape;
using testhost::Host;

bool holds(Host& host, const std::string& kind, const std::string& name, uint32_t n) {
    for (const CensusEntry& e : host.census().held())
        if (e.kind == kind && e.name == name) return e.count == n;
    return false;
}

TEST(Census, QueriedFacesAreHeldByTheObjectBehindThem) {
    Host host;
    void* factory = nullptr;
    void* auxiliary = nullptr;
    ASSERT_EQ(host.unknown()->QueryInterface(iid::IACFHostFactory, &factory), status::kOk);
    ASSERT_EQ(host.unknown()->QueryInterface(iid::IACFHostAuxiliary, &auxiliary), status::kOk);

    EXPECT_TRUE(holds(host, "host", "host", 1));
    EXPECT_TRUE(holds(host, "auxiliary", "host", 1));
    EXPECT_NE(host.census().report().find("auxiliary 'host' held 1 times"), std::string::npos);

    static_cast<IACFUnknown*>(auxiliary)->Release();
    EXPECT_FALSE(holds(host, "auxiliary", "host", 1));
    static_cast<IACFUnknown*>(factory)->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Census, EveryGetLayoutIsAReferenceOfItsOwn) {
    Host host;
    auto& frame = host.makeFrame({.width = 2, .height = 2}, "output");
    IAVXFrameLayout* a = nullptr;
    IAVXFrameLayout* b = nullptr;
    ASSERT_EQ(frame.GetLayout(&a), status::kOk);
    ASSERT_EQ(frame.GetLayout(&b), status::kOk);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(holds(host, "layout", "output", 2));
    // The layout's references are not the frame's.
    EXPECT_EQ(frame.count(), 0);
    a->Release();
    EXPECT_TRUE(holds(host, "layout", "output", 1));
    b->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Census, AFetchedFrameNotReleasedIsReportedByName) {
    Host host;
    auto& frame = host.makeFrame({.width = 4, .height = 1}, "background");
    auto& input = host.makeInput("track 0", &frame);
    IAVXFrameBuffer* got = nullptr;
    ASSERT_EQ(input.FetchFrame(0, 0, 0, &got), status::kOk);
    ASSERT_EQ(got, &frame);
    EXPECT_EQ(host.census().report(), "frame 'background' held 1 times\n");
    got->Release();
    EXPECT_EQ(host.census().report(), "");
}

TEST(Census, ReleaseBelowZeroIsAnErrorAndLeavesTheCountAtZero) {
    Host host;
    auto& frame = host.makeFrame({.width = 1, .height = 1}, "output");
    IAVXFrameBuffer* f = &frame;
    f->AddRef();
    f->Release();
    f->Release();
    f->Release();
    EXPECT_EQ(frame.count(), 0);
    ASSERT_EQ(host.census().overReleases().size(), 1u);
    EXPECT_EQ(host.census().overReleases()[0].name, "output");
    EXPECT_EQ(host.census().overReleases()[0].count, 2u);
    EXPECT_FALSE(host.census().clean());
    EXPECT_NE(host.census().report().find("released 2 times more"), std::string::npos);
    // A later AddRef still counts from zero.
    f->AddRef();
    EXPECT_EQ(frame.count(), 1);
    f->Release();
}

TEST(Census, ReferencesTheHostKeepsAreNotTheModules) {
    Host host;
    void* factory = nullptr;
    ASSERT_EQ(host.unknown()->QueryInterface(iid::IACFHostFactory, &factory), status::kOk);
    auto* f = static_cast<IACFHostFactory*>(factory);
    void* c = nullptr;
    void* group = nullptr;
    void* child = nullptr;
    ASSERT_EQ(f->CreateObject(record_class::ComponentRecord, nullptr, iid::IAVXComponentRecord, &c),
              status::kOk);
    ASSERT_EQ(f->CreateObject(record_class::LayoutRecord, nullptr, iid::IAVXLayoutRecord, &group),
              status::kOk);
    ASSERT_EQ(f->CreateObject(record_class::LayoutRecord, nullptr, iid::IAVXLayoutRecord, &child),
              status::kOk);
    auto* g = static_cast<IAVXLayoutRecord*>(group);
    auto* k = static_cast<IAVXLayoutRecord*>(child);
    ASSERT_EQ(g->DescribeLayout({}, u"Group", u"", nullptr, nullptr), status::kOk);
    ASSERT_EQ(k->DescribeLayout({}, u"Child", u"", nullptr, nullptr), status::kOk);
    ASSERT_EQ(g->AddChild(k), status::kOk);
    ASSERT_EQ(static_cast<IAVXComponentRecord*>(c)->AddLayoutItem(g), status::kOk);
    k->Release();
    g->Release();
    f->Release();

    // Only the component record, which an entry point would hand to the caller, is held.
    ASSERT_EQ(host.census().held().size(), 1u);
    EXPECT_EQ(host.census().held()[0].kind, "component record");
    EXPECT_EQ(host.records().layouts()[0]->hostHeld(), 1u);
    static_cast<IACFUnknown*>(c)->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Census, RefusedQueriesHandOutNothing) {
    Host host;
    host.offer(iid::IACFHostLog, false);
    struct Case {
        GUID iid;
        int32_t status;
    } cases[] = {
        {iid::IACFHostLog, status::kNoInterface},
        {iid::IAVXFrameBuffer, status::kNoInterface},
    };
    for (const Case& c : cases) {
        void* out = &host;
        EXPECT_EQ(host.unknown()->QueryInterface(c.iid, &out), c.status);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(host.unknown()->QueryInterface(iid::IACFHostFactory, nullptr),
              status::kInvalidArgument);
    EXPECT_TRUE(host.census().clean()) << host.census().report();

    host.offer(iid::IACFHostLog, true);
    void* log = nullptr;
    ASSERT_EQ(host.unknown()->QueryInterface(iid::IACFHostLog, &log), status::kOk);
    EXPECT_EQ(log, static_cast<IACFHostLog*>(&host.log()));
    static_cast<IACFUnknown*>(log)->Release();
}

TEST(Census, APlaceholderSlotCalledIsMisuse) {
    Host host;
    auto& frame = host.makeFrame({.width = 1, .height = 1}, "output");
    EXPECT_EQ(static_cast<IAVXFrameBuffer&>(frame).Reserved13(), status::kNotImplemented);
    ASSERT_EQ(host.census().misuses().size(), 1u);
    EXPECT_NE(host.census().misuses()[0].find("slot 13"), std::string::npos);
    EXPECT_EQ(host.journal().ops(), std::vector<std::string>{"Reserved13"});
}

TEST(Census, CountsStayExactUnderConcurrentUse) {
    Host host;
    auto& frame = host.makeFrame({.width = 1, .height = 1}, "shared");
    auto& input = host.makeInput("track", &frame);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                IAVXFrameBuffer* f = nullptr;
                if (input.FetchFrame(i, 0, 0, &f) == status::kOk) f->Release();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
    EXPECT_EQ(host.journal().count("FetchFrame"), 2000u);
    EXPECT_EQ(input.fetches().size(), 2000u);
}

}  // namespace
