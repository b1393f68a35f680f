// The module file as an object server: its export table, factories, effect objects,
// aggregation, reference counts, unloading and the banner.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>

#include "corvane_module.h"

namespace {

using status::kCannotUnload;
using status::kClassNotAvailable;
using status::kInvalidArgument;
using status::kNoAggregation;
using status::kNoInterface;

#if !defined(_WIN32)
TEST(ModuleFile, ExportsExactlyTheFourEntryPoints) {
    const std::string command = std::string("nm -D --defined-only ") + CORVANE_MODULE_PATH;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        const size_t space = text.find_last_of(' ');
        names.insert(text.substr(space + 1, text.find_last_not_of("\r\n") - space));
    }
    ASSERT_EQ(pclose(pipe), 0);
    const std::set<std::string> expected = {"ACFCanUnloadNow", "ACFGetClassFactory",
                                            "ACFRegisterComponent", "ACFRegisterPlugin"};
    EXPECT_EQ(names, expected);
}
#endif

using ModuleObjects = ModuleTest;
using FirstContact = FreshModuleTest;

TEST_F(FirstContact, UnknownClassIdsAreRefusedEvenOnTheFirstCall) {
    GUID unknown = corvane_id::creation_class::Generic;
    unknown.Data4[7] ^= 1;
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(module.getClassFactory(host.unknown(), unknown, iid::IACFClassFactory, &out),
              kClassNotAvailable);
    EXPECT_EQ(out, nullptr);
    // The component ids are not creation classes either.
    EXPECT_EQ(module.getClassFactory(host.unknown(), corvane_id::component::Generic,
                                     iid::IACFClassFactory, &out),
              kClassNotAvailable);
    EXPECT_EQ(host.log().lines().size(), 1u);  // the banner came first all the same
    EXPECT_EQ(module.getClassFactory(nullptr, unknown, iid::IACFClassFactory, &out),
              kInvalidArgument);
    EXPECT_EQ(module.getClassFactory(host.unknown(), unknown, iid::IACFClassFactory, nullptr),
              kInvalidArgument);
}

// First calls on many threads at once acquire the log once.
TEST_F(FirstContact, TheBannerIsPrintedOncePerLoadedModule) {
    constexpr int kThreads = 8;
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&, i] {
            ready.fetch_add(1);
            while (ready.load() < kThreads) {
            }
            HostRef<IACFClassFactory> f;
            EXPECT_EQ(module.getClassFactory(host.unknown(), *kCreationClasses[i % 5],
                                             iid::IACFClassFactory, f.putVoid()),
                      0);
        });
    for (auto& t : threads) t.join();
    const auto lines = host.log().lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, 2);
    for (const char* part : {"////////", "Version 1 beta 7", "AVX2Corvane.avx"})
        EXPECT_NE(lines[0].text.find(part), std::string::npos) << part;
    const auto held = host.census().held();
    ASSERT_EQ(held.size(), 1u) << host.census().report();
    EXPECT_EQ(held[0].kind, "log");
    EXPECT_EQ(held[0].count, 1u);
    module.unload();
    EXPECT_TRUE(host.census().clean()) << host.census().report();  // the log is let go

    CorvaneModule again;
    again.factory(host, *kCreationClasses[0]);
    EXPECT_EQ(host.log().lines().size(), 2u);
}

TEST_F(ModuleObjects, CanUnloadOnlyWhenNoObjectLives) {
    EXPECT_EQ(module.canUnloadNow(host.unknown()), 0);
    EXPECT_EQ(module.canUnloadNow(nullptr), kInvalidArgument);
    {
        auto f = module.factory(host, *kCreationClasses[0]);
        EXPECT_EQ(module.canUnloadNow(host.unknown()), kCannotUnload);  // a held factory
        HostRef<IAVXEffect> e;
        ASSERT_EQ(f->CreateInstance(host.unknown(), nullptr, iid::IAVXEffect, e.putVoid()), 0);
        f.reset();
        EXPECT_EQ(module.canUnloadNow(host.unknown()), kCannotUnload);  // a live effect
    }
    EXPECT_EQ(module.canUnloadNow(host.unknown()), 0);
}

// Every effect holds the host while it lives, answers its fixed slots and reaches its faces.
TEST_F(ModuleObjects, EffectSlotsFacesAndTheHeldHost) {
    const auto heldBesidesTheLog = [&](const std::string& kind) {
        size_t n = 0;
        for (const auto& entry : host.census().held())
            if (entry.kind != "log" && (kind.empty() || entry.kind == kind)) n += entry.count;
        return n;
    };
    for (uint32_t index = 0; index < 5; ++index) {
        SCOPED_TRACE(index);
        HostRef<IAVXEffect> e = module.effect(host, index);
        ASSERT_TRUE(e);
        EXPECT_EQ(heldBesidesTheLog("host"), 1u) << host.census().report();
        EXPECT_EQ(e->EffectSlot3(), status::kNotImplemented);
        for (auto slot :
             {&IAVXEffect::EffectSlot5, &IAVXEffect::EffectSlot6, &IAVXEffect::EffectSlot7,
              &IAVXEffect::EffectSlot9, &IAVXEffect::EffectSlot10, &IAVXEffect::EffectSlot11})
            EXPECT_EQ((e.get()->*slot)(), 0);
        EXPECT_EQ(e->SetUpInstance(nullptr), kInvalidArgument);

        HostRef<IAVXTimeNeighborhood> neighborhood;
        const int32_t q = e->QueryInterface(iid::IAVXTimeNeighborhood, neighborhood.putVoid());
        if (index == 4) {
            ASSERT_EQ(q, 0);
            EXPECT_EQ(neighborhood->NeighborhoodSlot3(), 0);
            EXPECT_EQ(neighborhood->NeighborhoodSlot4(), status::kNotImplemented);
            EXPECT_EQ(neighborhood->NeighborhoodSlot5(), status::kNotImplemented);
            // Back to the effect face through the neighborhood face.
            HostRef<IAVXEffect> back;
            EXPECT_EQ(neighborhood->QueryInterface(iid::IAVXEffect, back.putVoid()), 0);
            EXPECT_EQ(back.get(), e.get());
        } else {
            EXPECT_EQ(q, kNoInterface);
            EXPECT_FALSE(neighborhood);
        }
        // Every face reaches the same IACFUnknown.
        HostRef<IACFUnknown> a, b;
        ASSERT_EQ(e->QueryInterface(iid::IACFUnknown, a.putVoid()), 0);
        ASSERT_EQ(a->QueryInterface(iid::IACFUnknown, b.putVoid()), 0);
        EXPECT_EQ(a.get(), b.get());
        HostRef<IACFClassFactory> notAFactory;
        EXPECT_EQ(a->QueryInterface(iid::IACFClassFactory, notAFactory.putVoid()), kNoInterface);
        a.reset();
        b.reset();
        neighborhood.reset();
        e.reset();
        EXPECT_EQ(heldBesidesTheLog(""), 0u) << host.census().report();
    }
    EXPECT_EQ(module.canUnloadNow(host.unknown()), 0);
}

// An aggregating object of the editor's: counts the references that reach it.
struct Outer : IACFUnknown {
    std::atomic<int> refs{1};
    int32_t QueryInterface(const GUID&, void** out) override {
        *out = nullptr;
        return kNoInterface;
    }
    uint32_t AddRef() override { return static_cast<uint32_t>(++refs); }
    uint32_t Release() override { return static_cast<uint32_t>(--refs); }
};

TEST_F(ModuleObjects, AggregationHandsOutOnlyTheInnerUnknown) {
    Outer outer;
    auto f = module.factory(host, corvane_id::creation_class::MatteKey);
    HostRef<IAVXEffect> refused;
    EXPECT_EQ(f->CreateInstance(host.unknown(), &outer, iid::IAVXEffect, refused.putVoid()),
              kNoAggregation);
    EXPECT_FALSE(refused);
    // The creator never ran: the host was not referenced by an effect.
    for (const auto& entry : host.census().held()) EXPECT_NE(entry.kind, "host");

    HostRef<IACFUnknown> inner;
    ASSERT_EQ(f->CreateInstance(host.unknown(), &outer, iid::IACFUnknown, inner.putVoid()), 0);
    // Faces of the inner object forward their counting to the outer object.
    HostRef<IAVXEffect> face;
    ASSERT_EQ(inner->QueryInterface(iid::IAVXEffect, face.putVoid()), 0);
    EXPECT_EQ(outer.refs.load(), 2);
    face.reset();
    EXPECT_EQ(outer.refs.load(), 1);
    f.reset();
    EXPECT_EQ(module.canUnloadNow(host.unknown()), kCannotUnload);
    inner.reset();
    EXPECT_EQ(module.canUnloadNow(host.unknown()), 0);
    EXPECT_EQ(f.get(), nullptr);

    auto again = module.factory(host, corvane_id::creation_class::Generic);
    EXPECT_EQ(again->CreateInstance(nullptr, nullptr, iid::IAVXEffect, refused.putVoid()),
              kInvalidArgument);
    EXPECT_EQ(again->CreateInstance(host.unknown(), nullptr, iid::IAVXEffect, nullptr),
              kInvalidArgument);
    HostRef<IAVXTimeNeighborhood> none;
    EXPECT_EQ(
        again->CreateInstance(host.unknown(), nullptr, iid::IAVXTimeNeighborhood, none.putVoid()),
        kNoInterface);
    again.reset();
    EXPECT_EQ(module.canUnloadNow(host.unknown()), 0);
}

}  // namespace
