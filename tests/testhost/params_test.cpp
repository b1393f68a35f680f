// Parameter values at a time: interpolation against a plain model, strict type and size
// checks, and the store built from a component's layout tree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"

namespace {

using testhost::Host;
using testhost::Param;
using testhost::ParamStore;
using testhost::Value;

constexpr GUID kMix = makeGuid("{00000001-0000-0000-0000-000000000000}");
constexpr GUID kMode = makeGuid("{00000002-0000-0000-0000-000000000000}");

double readAt(Param& p, double t) {
    double out = -1;
    EXPECT_EQ(p.GetValueAt(&t, value_type::Double, &out, 8), status::kOk);
    return out;
}

// The rule written out plainly: hold the end keys outside, straight lines between.
double model(const std::vector<std::pair<double, double>>& keys, double t) {
    if (t <= keys.front().first) return keys.front().second;
    if (t >= keys.back().first) return keys.back().second;
    for (size_t i = 1; i < keys.size(); ++i)
        if (t <= keys[i].first) {
            const auto [t0, v0] = keys[i - 1];
            const auto [t1, v1] = keys[i];
            return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
        }
    return NAN;
}

TEST(Params, DoubleKeysInterpolateAndHoldTheirEnds) {
    Host host;
    ParamStore& store = host.makeContext("fx").params();
    const std::vector<std::pair<double, double>> keys = {{10, 0}, {20, 100}, {40, 50}};
    // Out of order on purpose: the store keeps keys sorted by time.
    for (int i : {2, 0, 1}) store.setKey(kMix, keys[i].first, Value::ofDouble(keys[i].second));
    Param& p = store.param(kMix);
    for (double t :
         {-1e9, 0.0, 9.999, 10.0, 12.5, 19.0, 20.0, 20.001, 30.0, 39.9, 40.0, 41.0, 1e9}) {
        SCOPED_TRACE(t);
        EXPECT_DOUBLE_EQ(readAt(p, t), model(keys, t));
    }
}

TEST(Params, ASingleKeyHoldsEverywhereAndWithoutKeysTheValueDoes) {
    Host host;
    ParamStore& store = host.makeContext("fx").params();
    store.setDouble(kMix, 25.0);
    Param& p = store.param(kMix);
    EXPECT_DOUBLE_EQ(readAt(p, -5), 25.0);
    EXPECT_DOUBLE_EQ(readAt(p, 1e6), 25.0);
    store.setKey(kMix, 3.0, Value::ofDouble(70.0));
    for (double t : {-100.0, 3.0, 100.0}) EXPECT_DOUBLE_EQ(readAt(p, t), 70.0);
    // Keying the same time replaces the key.
    store.setKey(kMix, 3.0, Value::ofDouble(80.0));
    EXPECT_EQ(store.keys(kMix).size(), 1u);
    EXPECT_DOUBLE_EQ(readAt(p, 3.0), 80.0);
}

TEST(Params, OtherTypesStepFromKeyToKey) {
    Host host;
    ParamStore& store = host.makeContext("fx").params();
    store.setKey(kMode, 0.0, Value::ofInt(1));
    store.setKey(kMode, 10.0, Value::ofInt(5));
    Param& p = store.param(kMode);
    struct Case {
        double t;
        int32_t expected;
    } cases[] = {{-1, 1}, {0, 1}, {9.999, 1}, {10, 5}, {11, 5}};
    for (const Case& c : cases) {
        int32_t out = -1;
        ASSERT_EQ(p.GetValueAt(&c.t, value_type::Int, &out, 4), status::kOk);
        EXPECT_EQ(out, c.expected) << "t=" << c.t;
    }
}

TEST(Params, GetValueAtRefusesMismatchesWithoutWriting) {
    Host host;
    ParamStore& store = host.makeContext("fx").params();
    store.setDouble(kMix, 42.0);
    Param& p = store.param(kMix);
    const double t = 0;
    struct Case {
        const char* what;
        const double* time;
        GUID type;
        bool nullOut;
        uint32_t bytes;
    } cases[] = {
        {"type", &t, value_type::Int, false, 8},
        {"too few bytes", &t, value_type::Double, false, 4},
        {"too many", &t, value_type::Double, false, 16},
        {"null time", nullptr, value_type::Double, false, 8},
        {"null out", &t, value_type::Double, true, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        uint8_t out[16];
        std::memset(out, 0xCD, sizeof out);
        EXPECT_EQ(p.GetValueAt(c.time, c.type, c.nullOut ? nullptr : out, c.bytes),
                  status::kInvalidArgument);
        for (uint8_t b : out) ASSERT_EQ(b, 0xCD);
    }
}

TEST(Params, WritesGoToTheValueOrToAKeyAndAreLogged) {
    Host host;
    ParamStore& store = host.makeContext("fx").params();
    store.setInt(kMode, 3);
    Param& p = store.param(kMode);
    const double t1 = 4.0;
    const int32_t seven = 7, two = 2;
    ASSERT_EQ(p.SetValueAt(&t1, value_type::Int, &seven, 4), status::kOk);
    EXPECT_EQ(store.getInt(kMode), 7);
    EXPECT_TRUE(store.keys(kMode).empty());

    store.setKey(kMode, 0.0, Value::ofInt(1));
    ASSERT_EQ(p.SetValueAt(&t1, value_type::Int, &two, 4), status::kOk);
    EXPECT_EQ(store.getInt(kMode), 7);  // animated: the write became a key
    ASSERT_EQ(store.keys(kMode).size(), 2u);
    EXPECT_EQ(store.keys(kMode)[1], (testhost::Key{4.0, Value::ofInt(2)}));

    ASSERT_EQ(p.SetValue(value_type::Int, &seven, 4), status::kOk);
    EXPECT_EQ(p.SetValue(value_type::Bool, &seven, 4), status::kInvalidArgument);
    const auto writes = store.writes(kMode);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].op, "SetValueAt");
    EXPECT_EQ(writes[0].time, 4.0);
    EXPECT_EQ(writes[0].value.asInt(), 7);
    EXPECT_EQ(writes[2].op, "SetValue");
    EXPECT_FALSE(writes[2].time.has_value());
}

TEST(Params, BothFacesShareOneParameter) {
    Host host;
    auto& context = host.makeContext("fx");
    context.params().setDouble(kMix, 0.0);
    void* keysFace = nullptr;
    ASSERT_EQ(context.GetParam(kMix, iid::IAVXParamKeys, &keysFace), status::kOk);
    void* accessFace = nullptr;
    ASSERT_EQ(
        static_cast<IAVXParamKeys*>(keysFace)->QueryInterface(iid::IAVXParamAccess, &accessFace),
        status::kOk);
    EXPECT_EQ(context.params().param(kMix).count(), 2);

    const double t0 = 0, t1 = 99, v0 = 0, v1 = 100;
    auto* keys = static_cast<IAVXParamKeys*>(keysFace);
    ASSERT_EQ(keys->SetKey(&t0, value_type::Double, &v0, 8), status::kOk);
    ASSERT_EQ(keys->SetKey(&t1, value_type::Double, &v1, 8), status::kOk);
    auto* access = static_cast<IAVXParamAccess*>(accessFace);
    double mid = 0;
    const double t = 49.5;
    ASSERT_EQ(access->GetValueAt(&t, value_type::Double, &mid, 8), status::kOk);
    EXPECT_DOUBLE_EQ(mid, 50.0);
    EXPECT_EQ(access->QueryState(), 1);
    context.params().setQueryState(kMix, 0);
    EXPECT_EQ(access->QueryState(), 0);
    keys->Release();
    access->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Params, GetParamRefusesMissingIdsAndOtherInterfaces) {
    Host host;
    auto& context = host.makeContext("fx");
    context.params().setBool(kMix, 1);
    void* out = &host;
    EXPECT_LT(context.GetParam(kMode, iid::IAVXParamAccess, &out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(context.GetParam(kMix, iid::IAVXFrameBuffer, &out), status::kNoInterface);
    EXPECT_EQ(out, nullptr);

    // A removed parameter stays usable through a reference already handed out.
    ASSERT_EQ(context.GetParam(kMix, iid::IAVXParamAccess, &out), status::kOk);
    context.params().remove(kMix);
    void* again = nullptr;
    EXPECT_LT(context.GetParam(kMix, iid::IAVXParamAccess, &again), 0);
    int32_t v = 0;
    const double t = 0;
    EXPECT_EQ(static_cast<IAVXParamAccess*>(out)->GetValueAt(&t, value_type::Bool, &v, 4),
              status::kOk);
    EXPECT_EQ(v, 1);
    static_cast<IAVXParamAccess*>(out)->Release();
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

TEST(Params, TestSideTypeSlipsThrow) {
    Host host;
    ParamStore& store = host.makeContext("fx").params();
    store.setInt(kMode, 1);
    EXPECT_THROW(store.setDouble(kMode, 1.0), std::logic_error);
    EXPECT_THROW(store.getDouble(kMode), std::logic_error);
    EXPECT_THROW(store.getInt(kMix), std::logic_error);
    EXPECT_THROW(store.add(kMix, value_type::String), std::logic_error);
}

// Builds, through the record interfaces as the module does, a group switched by a Bool
// that is no parameter, holding a slider over a Double and a choice list over an Int.
TEST(Params, StoreFromComponentTakesEveryShownParamAndGroupSwitches) {
    constexpr GUID kSwitch = makeGuid("{00000003-0000-0000-0000-000000000000}");
    constexpr GUID kSlider = makeGuid("{B456BE51-430D-00A9-A90E-0231CF964291}");
    constexpr GUID kList = makeGuid("{F22BC77F-0E0A-00B0-B0A5-3EFAE9EFA7E1}");
    constexpr GUID kEntry = makeGuid("{1E2EDEA8-3314-00B0-B03B-F3C9C211D57A}");
    Host host;
    void* f = nullptr;
    ASSERT_EQ(host.unknown()->QueryInterface(iid::IACFHostFactory, &f), status::kOk);
    auto* factory = static_cast<IACFHostFactory*>(f);
    auto make = [&](const GUID& cls, const GUID& iid) {
        void* out = nullptr;
        EXPECT_EQ(factory->CreateObject(cls, nullptr, iid, &out), status::kOk);
        return out;
    };
    auto* component = static_cast<IAVXComponentRecord*>(
        make(record_class::ComponentRecord, iid::IAVXComponentRecord));
    auto* mix =
        static_cast<IAVXParamRecord*>(make(record_class::ParamRecord, iid::IAVXParamRecord));
    auto* mode =
        static_cast<IAVXParamRecord*>(make(record_class::ParamRecord, iid::IAVXParamRecord));
    auto* group =
        static_cast<IAVXLayoutRecord*>(make(record_class::LayoutRecord, iid::IAVXLayoutRecord));
    auto* slider =
        static_cast<IAVXLayoutRecord*>(make(record_class::LayoutRecord, iid::IAVXLayoutRecord));
    auto* list =
        static_cast<IAVXLayoutRecord*>(make(record_class::LayoutRecord, iid::IAVXLayoutRecord));
    auto* entry =
        static_cast<IAVXLayoutRecord*>(make(record_class::LayoutRecord, iid::IAVXLayoutRecord));

    const double hundred = 100;
    const int32_t six = 6, one = 1, entryValue = 25;
    mix->DescribeParam(kMix, u"Blend as Percent", u"mix", &value_type::Double, 1, 0, 0, 0);
    mix->SetAttribute(attribute::Value, value_type::Double, &hundred, 8);
    mode->DescribeParam(kMode, u"Blend Mode", u"mode", &value_type::Int, 0, 0, 0, 0);
    mode->SetAttribute(attribute::Value, value_type::Int, &six, 4);
    group->DescribeLayout(kSwitch, u"Group", u"g", nullptr, nullptr);
    group->SetAttribute(attribute::EnabledBy, value_type::Guid, &kSwitch, 16);
    group->SetAttribute(attribute::Value, value_type::Bool, &one, 4);
    slider->DescribeLayout(kMix, u"Mix", u"mix.slider", &kSlider, mix);
    list->DescribeLayout(kMode, u"Mode", u"mode.list", &kList, mode);
    entry->DescribeLayout(kMode, u"Fill", u"mode.fill", &kEntry, nullptr);
    entry->SetAttribute(attribute::Value, value_type::Int, &entryValue, 4);
    list->AddChild(entry);
    group->AddChild(slider);
    group->AddChild(list);
    component->AddLayoutItem(group);
    for (IACFUnknown* r :
         std::initializer_list<IACFUnknown*>{mix, mode, group, slider, list, entry, factory})
        r->Release();
    ASSERT_TRUE(host.census().misuses().empty()) << host.census().report();

    auto& context = host.makeContextFor(*host.records().components()[0], "fx");
    ParamStore& store = context.params();
    EXPECT_EQ(store.size(), 3u);
    EXPECT_DOUBLE_EQ(store.getDouble(kMix), 100.0);
    EXPECT_EQ(store.getInt(kMode), 6);
    EXPECT_EQ(store.param(kSwitch).type(), value_type::Bool);
    EXPECT_EQ(store.getInt(kSwitch), 1);
    EXPECT_EQ(store.param(kMix).name(), "mix");
    component->Release();
}

}  // namespace
