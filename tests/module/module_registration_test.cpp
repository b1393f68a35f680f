// Registration through the exported functions: the plug-in record, each component's
// description, pins, formats and flags in order, and its parameter catalogue.
#include <gtest/gtest.h>

#include <map>

#include "catalogue_golden.h"
#include "corvane_module.h"
#include "record_dump.h"
#include "testhost/text.h"

namespace {

using testhost::guidText;
using Registration = FreshModuleTest;

TEST_F(Registration, PluginRecord) {
    HostRef<IACFPluginRecord> plugin;
    ASSERT_EQ(module.registerPlugin(host.unknown(), plugin.put()), 0);
    const auto& record = *host.records().plugins().at(0);
    EXPECT_EQ(record.pluginId, corvane_id::plugin::Plugin);
    EXPECT_EQ(record.vendorId, corvane_id::plugin::Vendor);
    EXPECT_EQ(record.moduleName, u"AVX2Corvane.avx");
    EXPECT_EQ(record.vendorName, u"Tarnwick");
    EXPECT_EQ(record.a1, 0u);
    EXPECT_EQ(record.a2, 4u);
    EXPECT_EQ(record.a3, 5u);
    EXPECT_EQ(record.a4, 1u);
    ASSERT_EQ(record.attributes.size(), 1u);
    EXPECT_EQ(record.attributes[0].id, attribute::PluginDescription);
    EXPECT_EQ(record.attributes[0].type, value_type::String);
    EXPECT_EQ(record.attributes[0].text,
              u"Simple AVX2 impementation of basic blending modes for AVID");
    plugin.reset();
    EXPECT_TRUE(host.census().clean()) << host.census().report();  // auxiliary and factory too
}

TEST_F(Registration, RefusedArguments) {
    HostRef<IACFPluginRecord> plugin;
    HostRef<IAVXComponentRecord> component;
    EXPECT_EQ(module.registerPlugin(nullptr, plugin.put()), status::kNullObject);
    EXPECT_EQ(module.registerPlugin(host.unknown(), nullptr), status::kNullObject);
    EXPECT_EQ(module.registerComponent(nullptr, 0, component.put()), status::kNullObject);
    EXPECT_EQ(module.registerComponent(host.unknown(), 0, nullptr), status::kNullObject);
    host.journal().clear();
    EXPECT_EQ(module.registerComponent(host.unknown(), 5, component.put()),
              status::kInvalidArgument);
    EXPECT_EQ(host.journal().size(), 0u);  // touches nothing
    EXPECT_TRUE(host.records().components().empty());
}

// The events of a component record up to its parameter panel.
std::vector<std::string> headEvents(const testhost::ComponentRecord& c) {
    std::vector<std::string> head;
    for (const auto& e : c.events)
        if (e.rfind("AddLayoutItem", 0) != 0) head.push_back(e);
    return head;
}

// F1 to F3 stand for the component flags, anything else for a supported format.
std::vector<std::string> expectedHead(std::initializer_list<const char*> inputs,
                                      std::initializer_list<std::string> formatsAndFlags) {
    const std::map<std::string, GUID> flags = {{"F1", attribute::ComponentFlag1},
                                               {"F2", attribute::ComponentFlag2},
                                               {"F3", attribute::ComponentFlag3}};
    std::vector<std::string> e = {"DescribeComponent",
                                  "SetAttribute " + guidText(attribute::ComponentCategory)};
    for (const char* pin : inputs) e.push_back(std::string("AddInputPin '") + pin + "'");
    e.push_back("AddOutputPin 'Output'");
    for (const std::string& f : formatsAndFlags)
        e.push_back(flags.contains(f) ? "SetAttribute " + guidText(flags.at(f))
                                      : "AddSupportedFormat " + f);
    return e;
}

TEST_F(Registration, EveryComponentInOrder) {
    namespace c = corvane_id::component;
    namespace cc = corvane_id::creation_class;
    struct Expected {
        const GUID& id;
        const GUID& creationClass;
        const char16_t* name;
        std::vector<std::string> head;
        std::string panel, params;
    };
    const std::string blendPanel = golden::kBlendPanel, blendParams = golden::kBlendParams;
#define RGB "4/1", "5/1", "3/1", "4/3", "5/3", "3/3", "4/6", "5/6", "3/6"
    const Expected expected[5] = {
        {c::Generic, cc::Generic, u"Corvane generic",
         expectedHead({"InputOne", "InputTwo"}, {RGB, "F1"}), blendPanel, blendParams},
        {c::AlphaAdvanced, cc::AlphaAdvanced, u"Corvane Alpha advanced",
         expectedHead({"InputOne", "InputTwo", "InputThree"}, {RGB, "F1", "F3"}),
         blendPanel + golden::kLayerAndAlphaPanel, blendParams + golden::kLayerAndAlphaParams},
        {c::MatteKey, cc::MatteKey, u"Corvane Matte key",
         expectedHead({"InputOne", "InputTwo", "InputThree"}, {RGB, "F1", "F3"}),
         blendPanel + golden::kLayerAndAlphaPanel, blendParams + golden::kLayerAndAlphaParams},
        {c::Oscilloscope, cc::Oscilloscope, u"Corvane REC.709 Oscilloscope",
         expectedHead({"InputOne"}, {"2/1", "1/1", "2/3", "1/3", "2/6", "1/6", "F1"}),
         golden::kScopePanel, golden::kScopeParams},
        {c::FieldSwap, cc::FieldSwap, u"Corvane Field Swap",
         expectedHead({"InputOne"}, {RGB, "F1", "1/1", "2/1", "9/1", "10/1", "1/3", "2/3", "9/3",
                                     "10/3", "1/6", "2/6", "9/6", "10/6", "F2"}),
         "", ""},
    };
#undef RGB
    const auto names = record_dump::corvaneIdNames();
    for (uint32_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        testhost::Host host;  // each component on a host of its own
        const auto& record = module.registered(host, i);
        EXPECT_EQ(record.componentId, expected[i].id);
        EXPECT_EQ(record.kindId, kEffectComponentKind);
        EXPECT_EQ(record.classId, expected[i].creationClass);
        EXPECT_EQ(record.displayName, expected[i].name);
        EXPECT_EQ(record.a1, 0u);
        EXPECT_EQ(record.a2, 4u);
        EXPECT_EQ(headEvents(record), expected[i].head);
        const auto* category = record.attribute(attribute::ComponentCategory);
        ASSERT_NE(category, nullptr);
        EXPECT_EQ(category->text, u"Corvane");
        for (const GUID* flag :
             {&attribute::ComponentFlag1, &attribute::ComponentFlag2, &attribute::ComponentFlag3})
            if (const auto* a = record.attribute(*flag)) {
                EXPECT_EQ(a->asInt(), 1);
            }
        for (const auto& pin : record.inputPins) EXPECT_EQ(pin.arg, 0u);
        ASSERT_EQ(record.outputPins.size(), 1u);
        EXPECT_EQ(record.outputPins[0].id, corvane_id::pin::Output);
        EXPECT_EQ(record_dump::panel(record, names), expected[i].panel);
        std::string described;
        for (const auto* p : host.records().params())
            described += record_dump::param(*p, names) + "\n";
        EXPECT_EQ(described, expected[i].params);
        EXPECT_TRUE(host.census().clean()) << host.census().report();
    }
}

// Found parameters get their attributes again, and the panel shows the records found.
TEST_F(Registration, ASecondComponentFindsTheSharedParameters) {
    namespace id = corvane_id::param;
    const auto& first = module.registered(host, 1);
    const size_t described = host.records().params().size();
    const auto& second = module.registered(host, 2);
    const auto params = host.records().params();
    const GUID own[] = {id::AlphaSource,    id::AlphaEnabled,      id::Unpremultiply,
                        id::InvertAlpha,    id::ShowAlpha,         id::AlphaRangeEnabled,
                        id::NormalizeAlpha, id::BlackoutHighlights};
    ASSERT_EQ(params.size(), described + std::size(own));
    for (size_t i = 0; i < std::size(own); ++i) EXPECT_EQ(params[described + i]->id, own[i]) << i;
    for (const testhost::ParamRecord* p : params) EXPECT_EQ(p->describeCount, 1);
    const testhost::ParamRecord& mix = *host.records().findParam(id::Mix);
    ASSERT_EQ(mix.attributes.size(), 8u);
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(mix.attributes[i] == mix.attributes[i + 4]);
    const auto names = record_dump::corvaneIdNames();
    EXPECT_EQ(record_dump::panel(second, names), record_dump::panel(first, names));
    EXPECT_EQ(second.layoutItems[2]->param, &mix);
}

// Every parameter created, then found; the scope's created, then found; the plug-in record.
int32_t registerAll(CorvaneModule& m, testhost::Host& h) {
    for (uint32_t index : {1u, 2u, 3u, 3u}) {
        HostRef<IAVXComponentRecord> component;
        if (const int32_t r = m.registerComponent(h.unknown(), index, component.put()); r != 0) {
            EXPECT_FALSE(component);  // a failure hands nothing out
            return r;
        }
    }
    HostRef<IACFPluginRecord> plugin;
    const int32_t r = m.registerPlugin(h.unknown(), plugin.put());
    if (r != 0) {
        EXPECT_FALSE(plugin);
    }
    return r;
}

TEST_F(Registration, AFailureAtAnyHostCallIsReturnedAndNothingIsHeld) {
    constexpr int32_t kFailure = static_cast<int32_t>(0x80079999u);
    ASSERT_EQ(registerAll(module, host), 0);
    const std::vector<testhost::Call> calls = host.journal().calls();
    size_t injected = 0;
    for (const auto& call : calls) {
        for (bool null : {false, true}) {
            if (null ? !call.nullable : !call.failable) continue;
            SCOPED_TRACE(call.op + " #" + std::to_string(call.seq) + (null ? " null" : ""));
            testhost::Host h;
            null ? h.inject().nullCall(call.seq) : h.inject().failCall(call.seq, kFailure);
            // A failing FindObject only selects creation.
            const bool selectsCreation = call.op == "FindObject" && !null;
            EXPECT_EQ(registerAll(module, h), selectsCreation ? 0
                                              : null          ? status::kNullObject
                                                              : kFailure);
            EXPECT_TRUE(h.census().clean()) << h.census().report();
            ++injected;
        }
    }
    EXPECT_GT(injected, 200u);
}

// A second registration of the scope finds its parameters again, but makes "Palette" anew.
TEST_F(Registration, TheScopeRegisteredAgainDescribesOnlyThePaletteAnew) {
    for (int i = 0; i < 2; ++i) module.registered(host, 3);
    const auto params = host.records().params();
    ASSERT_EQ(params.size(), 9u);  // 8, and "Palette" a second time
    for (const testhost::ParamRecord* p : params) EXPECT_EQ(p->describeCount, 1);
    EXPECT_EQ(params[0]->id, corvane_id::param::Palette);
    EXPECT_EQ(params[8]->id, corvane_id::param::Palette);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

}  // namespace
