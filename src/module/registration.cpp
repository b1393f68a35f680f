// The plug-in record and the five component records, as tables the registration walks.
#include "module/registration.h"

#include <span>

#include "effects/blend_catalogue.h"
#include "effects/blend_effects.h"
#include "effects/corvane_ids.h"
#include "effects/field_swap_effect.h"
#include "effects/scope_effect.h"
#include "host/guard.h"
#include "host/host_ref.h"
#include "host/ids.h"
#include "scope/scope_catalogue.h"

namespace {

struct PinDef {
    const GUID& id;
    const char16_t* name;
};

struct FormatDef {
    uint32_t layout;
    uint32_t depth;
};

// A run of supported formats followed by the flag attribute that closes it.
struct FormatStep {
    std::span<const FormatDef> formats;
    const GUID& flag;
};

using DefineGroup = void (*)(IACFHostFactory&, IAVXComponentRecord&);

struct ComponentDef {
    const GUID& id;
    const GUID& creationClass;
    const char16_t* displayName;
    std::span<const PinDef> inputs;
    std::span<const FormatStep> formatSteps;
    std::span<const DefineGroup> groups;
    EffectCreator creator;
};

namespace id = corvane_id;

constexpr PinDef kOneInput[] = {{id::pin::InputOne, u"InputOne"}};
constexpr PinDef kTwoInputs[] = {{id::pin::InputOne, u"InputOne"},
                                 {id::pin::InputTwo, u"InputTwo"}};
constexpr PinDef kThreeInputs[] = {{id::pin::InputOne, u"InputOne"},
                                   {id::pin::InputTwo, u"InputTwo"},
                                   {id::pin::InputThree, u"InputThree"}};

// layout/depth: BGRA, RGBA, ARGB in 8-bit, 2.14 and float.
constexpr FormatDef kRgbFormats[] = {{4, 1}, {5, 1}, {3, 1}, {4, 3}, {5, 3},
                                     {3, 3}, {4, 6}, {5, 6}, {3, 6}};
// The 4:2:2 and three-component layouts the field swap copies as bytes.
constexpr FormatDef kFieldSwapExtraFormats[] = {{1, 1}, {2, 1},  {9, 1}, {10, 1}, {1, 3}, {2, 3},
                                                {9, 3}, {10, 3}, {1, 6}, {2, 6},  {9, 6}, {10, 6}};
constexpr FormatDef kScopeFormats[] = {{2, 1}, {1, 1}, {2, 3}, {1, 3}, {2, 6}, {1, 6}};

const FormatStep kBlendTwoInputSteps[] = {{kRgbFormats, attribute::ComponentFlag1}};
const FormatStep kBlendThreeInputSteps[] = {{kRgbFormats, attribute::ComponentFlag1},
                                            {{}, attribute::ComponentFlag3}};
const FormatStep kScopeSteps[] = {{kScopeFormats, attribute::ComponentFlag1}};
const FormatStep kFieldSwapSteps[] = {{kRgbFormats, attribute::ComponentFlag1},
                                      {kFieldSwapExtraFormats, attribute::ComponentFlag2}};

constexpr DefineGroup kBlendGroups[] = {defineBlendGroup};
constexpr DefineGroup kScopeGroups[] = {defineScopeGroup};
constexpr DefineGroup kThreeInputGroups[] = {defineBlendGroup, defineLayerSwitcher,
                                             defineAlphaGroup};

// In registration index order.
const ComponentDef kComponents[kComponentCount] = {
    {id::component::Generic, id::creation_class::Generic, u"Corvane generic", kTwoInputs,
     kBlendTwoInputSteps, kBlendGroups, createEffect<Corvane_generic_Effect>},
    {id::component::AlphaAdvanced, id::creation_class::AlphaAdvanced, u"Corvane Alpha advanced",
     kThreeInputs, kBlendThreeInputSteps, kThreeInputGroups, createEffect<Corvane_3way_Effect>},
    {id::component::MatteKey, id::creation_class::MatteKey, u"Corvane Matte key", kThreeInputs,
     kBlendThreeInputSteps, kThreeInputGroups, createEffect<Corvane_3wayMatte_Effect>},
    {id::component::Oscilloscope,
     id::creation_class::Oscilloscope,
     u"Corvane REC.709 Oscilloscope",
     kOneInput,
     kScopeSteps,
     kScopeGroups,
     createEffect<Corvane_QCLogger_Effect>},
    {id::component::FieldSwap,
     id::creation_class::FieldSwap,
     u"Corvane Field Swap",
     kOneInput,
     kFieldSwapSteps,
     {},
     createEffect<Corvane_FieldSwap_Effect>},
};

constexpr char16_t kModuleName[] = u"AVX2Corvane.avx";
constexpr char16_t kVendorName[] = u"Tarnwick";
constexpr char16_t kPluginDescription[] =
    u"Simple AVX2 impementation of basic blending modes for AVID";
constexpr char16_t kCategory[] = u"Corvane";

template <class Record>
void setString(Record& record, const GUID& attributeId, const char16_t* text) {
    check(record.SetAttribute(attributeId, value_type::String, text, value_type::kStringBytes));
}

HostRef<IACFHostFactory> hostFactory(IACFUnknown& host) {
    HostRef<IACFHostFactory> factory;
    check(host.QueryInterface(iid::IACFHostFactory, factory.putVoid()));
    require(factory.get());
    return factory;
}

}  // namespace

int32_t registerPlugin(IACFUnknown* host, IACFPluginRecord** out) {
    if (!host || !out) return status::kNullObject;
    *out = nullptr;
    return guarded([&] {
        HostRef<IACFHostAuxiliary> auxiliary;  // held for the whole registration
        check(host->QueryInterface(iid::IACFHostAuxiliary, auxiliary.putVoid()));
        require(auxiliary.get());
        HostRef<IACFHostFactory> factory = hostFactory(*host);

        HostRef<IACFPluginRecord> plugin;
        check(factory->CreateObject(record_class::PluginRecord, nullptr, iid::IACFPluginRecord,
                                    plugin.putVoid()));
        require(plugin.get());
        check(plugin->DescribePlugin(id::plugin::Plugin, 0, 4, kModuleName, id::plugin::Vendor,
                                     kVendorName, 5, 1));
        setString(*plugin, attribute::PluginDescription, kPluginDescription);
        *out = plugin.detach();
    });
}

int32_t registerComponent(IACFUnknown* host, uint32_t index, IAVXComponentRecord** out) {
    if (!host || !out) return status::kNullObject;
    if (index >= kComponentCount) return status::kInvalidArgument;
    *out = nullptr;
    const ComponentDef& def = kComponents[index];
    return guarded([&] {
        HostRef<IACFHostFactory> factory = hostFactory(*host);
        HostRef<IAVXComponentRecord> component;
        check(factory->CreateObject(record_class::ComponentRecord, nullptr,
                                    iid::IAVXComponentRecord, component.putVoid()));
        require(component.get());
        check(component->DescribeComponent(def.id, kEffectComponentKind, 0, 4, def.creationClass,
                                           def.displayName));
        setString(*component, attribute::ComponentCategory, kCategory);
        for (const PinDef& pin : def.inputs) check(component->AddInputPin(pin.id, pin.name, 0));
        check(component->AddOutputPin(id::pin::Output, u"Output", 0));
        for (const FormatStep& step : def.formatSteps) {
            for (const FormatDef& f : step.formats)
                check(component->AddSupportedFormat(f.layout, f.depth, 0));
            const int32_t on = 1;
            check(
                component->SetAttribute(step.flag, value_type::Bool, &on, value_type::kBoolBytes));
        }
        for (DefineGroup define : def.groups) define(*factory, *component);
        *out = component.detach();
    });
}

EffectCreator creatorFor(const GUID& classId) {
    for (const ComponentDef& def : kComponents)
        if (classId == def.creationClass) return def.creator;
    return nullptr;
}
