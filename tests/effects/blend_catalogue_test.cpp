#include "effects/blend_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "catalogue_golden.h"
#include "host/guard.h"
#include "registration_fixture.h"

namespace {

using testhost::ParamRecord;

// The parameters described for the first time during one definition, in creation order.
std::string describedParams(testhost::Records& records, size_t from,
                            const record_dump::Names& names) {
    std::string out;
    const auto params = records.params();
    for (size_t i = from; i < params.size(); ++i)
        out += record_dump::param(*params[i], names) + "\n";
    return out;
}

void defineThreeInputGroups(IACFHostFactory& factory, IAVXComponentRecord& component) {
    defineBlendGroup(factory, component);
    defineLayerSwitcher(factory, component);
    defineAlphaGroup(factory, component);
}

TEST(BlendCatalogue, BlendGroupParametersAndPanel) {
    RegistrationHost rh;
    const auto names = corvaneIdNames();
    auto component = rh.newComponent();
    ASSERT_EQ(guarded([&] { defineBlendGroup(*rh.factory, *component); }), 0);
    EXPECT_EQ(describedParams(rh.host.records(), 0, names), golden::kBlendParams);
    EXPECT_EQ(record_dump::panel(rh.componentAt(0), names), golden::kBlendPanel);
}

TEST(BlendCatalogue, LayerSwitcherAndAlphaGroup) {
    RegistrationHost rh;
    const auto names = corvaneIdNames();
    auto component = rh.newComponent();
    ASSERT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *component); }), 0);
    const size_t blendParams = 17;
    EXPECT_EQ(describedParams(rh.host.records(), blendParams, names), golden::kLayerAndAlphaParams);
    const auto& items = rh.componentAt(0).layoutItems;
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(record_dump::layout(*items[7], names) + record_dump::layout(*items[8], names),
              golden::kLayerAndAlphaPanel);
}

TEST(BlendCatalogue, SecondComponentFindsSharedParametersAndRecreatesOwnOnes) {
    RegistrationHost rh;
    auto first = rh.newComponent();
    ASSERT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *first); }), 0);
    const size_t recordsAfterFirst = rh.host.records().params().size();
    rh.host.journal().clear();
    auto second = rh.newComponent();
    ASSERT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *second); }), 0);

    // Only the eight own-way alpha parameters are created again, with the same ids.
    const auto params = rh.host.records().params();
    ASSERT_EQ(params.size(), recordsAfterFirst + 8);
    namespace id = corvane_id::param;
    const GUID own[] = {id::AlphaSource,    id::AlphaEnabled,      id::Unpremultiply,
                        id::InvertAlpha,    id::ShowAlpha,         id::AlphaRangeEnabled,
                        id::NormalizeAlpha, id::BlackoutHighlights};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(params[recordsAfterFirst + i]->id, own[i]) << i;
    EXPECT_EQ(rh.host.journal().count("DescribeParam"), 8u);
    for (const ParamRecord* p : params) EXPECT_EQ(p->describeCount, 1);

    // A found parameter gets its attributes again, with the same values.
    const ParamRecord& mix = *rh.host.records().findParam(id::Mix);
    ASSERT_EQ(mix.attributes.size(), 8u);
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(mix.attributes[i] == mix.attributes[i + 4]);

    // The second component's panel shows the records it found.
    const auto names = corvaneIdNames();
    EXPECT_EQ(record_dump::panel(rh.componentAt(1), names),
              record_dump::panel(rh.componentAt(0), names));
    EXPECT_EQ(rh.componentAt(1).layoutItems[2]->param, &mix);
}

TEST(BlendCatalogue, EveryRecordIsReleasedOnceAdded) {
    RegistrationHost rh;
    auto component = rh.newComponent();
    ASSERT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *component); }), 0);
    component.reset();
    rh.factory.reset();
    EXPECT_TRUE(rh.host.census().clean()) << rh.host.census().report();
}

// Runs the three definitions on a fresh host with one injection; returns the status and
// whether the module let go of everything.
struct InjectedRun {
    int32_t status;
    bool clean;
    std::string report;
};

template <class Inject>
InjectedRun defineWith(Inject inject, bool secondComponent) {
    RegistrationHost rh;
    if (secondComponent) {
        auto first = rh.newComponent();
        EXPECT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *first); }), 0);
    }
    auto component = rh.newComponent();
    rh.host.inject().reset();
    inject(rh.host.inject());
    const int32_t s = guarded([&] { defineThreeInputGroups(*rh.factory, *component); });
    component.reset();
    rh.factory.reset();
    return {s, rh.host.census().clean(), rh.host.census().report()};
}

TEST(BlendCatalogue, AFailureAtAnyHostCallStopsTheDefinitionWithItsStatus) {
    constexpr int32_t kFailure = static_cast<int32_t>(0x80071234u);
    for (bool second : {false, true}) {
        // One clean run to learn the calls.
        std::vector<testhost::Call> calls;
        {
            RegistrationHost rh;
            if (second) {
                auto first = rh.newComponent();
                ASSERT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *first); }), 0);
            }
            auto component = rh.newComponent();
            rh.host.inject().reset();
            rh.host.journal().clear();
            ASSERT_EQ(guarded([&] { defineThreeInputGroups(*rh.factory, *component); }), 0);
            calls = rh.host.journal().calls();
        }
        ASSERT_GT(calls.size(), 100u);
        for (const auto& call : calls) {
            SCOPED_TRACE(call.op + " #" + std::to_string(call.seq) + " " + call.detail);
            if (call.failable) {
                const InjectedRun run = defineWith(
                    [&](testhost::Injector& in) { in.failCall(call.seq, kFailure); }, second);
                // A failing FindObject only selects creation.
                EXPECT_EQ(run.status, call.op == "FindObject" ? 0 : kFailure);
                EXPECT_TRUE(run.clean) << run.report;
            }
            if (call.nullable) {
                const InjectedRun run =
                    defineWith([&](testhost::Injector& in) { in.nullCall(call.seq); }, second);
                EXPECT_EQ(run.status, status::kNullObject);
                EXPECT_TRUE(run.clean) << run.report;
            }
        }
    }
}

}  // namespace
