// The record store: what CreateObject and FindObject answer, and that every attribute is
// copied exactly as the module passed it.
#include <gtest/gtest.h>

#include <cstring>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"
#include "testhost/text.h"

namespace {

using testhost::Host;

constexpr GUID kParamId = makeGuid("{11111111-2222-3333-4444-555555555555}");
constexpr GUID kAttr = makeGuid("{99999999-0000-0000-0000-000000000001}");

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* f = nullptr;
        ASSERT_EQ(host.unknown()->QueryInterface(iid::IACFHostFactory, &f), status::kOk);
        factory = static_cast<IACFHostFactory*>(f);
    }
    void TearDown() override { factory->Release(); }

    template <class T>
    T* create(const GUID& classId, const GUID& iid) {
        void* out = nullptr;
        EXPECT_EQ(factory->CreateObject(classId, nullptr, iid, &out), status::kOk);
        return static_cast<T*>(out);
    }

    Host host;
    IACFHostFactory* factory = nullptr;
};

TEST_F(RecordsTest, CreateObjectRefusesWhatItCannotMake) {
    IACFUnknown* outer = host.unknown();
    struct Case {
        const char* what;
        GUID classId;
        IACFUnknown* outer;
        GUID iid;
        int32_t status;
    } cases[] = {
        {"unknown class", iid::IAVXEffect, nullptr, iid::IAVXParamRecord,
         status::kClassNotAvailable},
        {"aggregation", record_class::ParamRecord, outer, iid::IAVXParamRecord,
         status::kNoAggregation},
        {"iid of another record", record_class::ParamRecord, nullptr, iid::IAVXLayoutRecord,
         status::kNoInterface},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        void* out = this;
        EXPECT_EQ(factory->CreateObject(c.classId, c.outer, c.iid, &out), c.status);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(
        factory->CreateObject(record_class::ParamRecord, nullptr, iid::IAVXParamRecord, nullptr),
        status::kInvalidArgument);
    EXPECT_TRUE(host.records().params().empty());
}

TEST_F(RecordsTest, EachClassMakesItsOwnRecord) {
    struct Case {
        GUID classId, iid;
        const char* kind;
    } cases[] = {
        {record_class::PluginRecord, iid::IACFPluginRecord, "plugin record"},
        {record_class::ComponentRecord, iid::IAVXComponentRecord, "component record"},
        {record_class::ParamRecord, iid::IAVXParamRecord, "param record"},
        {record_class::LayoutRecord, iid::IAVXLayoutRecord, "layout record"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto* r = create<IACFUnknown>(c.classId, c.iid);
        ASSERT_NE(r, nullptr);
        ASSERT_EQ(host.census().held().size(), 2u);  // the factory and the new record
        EXPECT_EQ(host.census().held()[1].kind, c.kind);
        void* again = nullptr;
        ASSERT_EQ(r->QueryInterface(c.iid, &again), status::kOk);
        EXPECT_EQ(again, r);
        static_cast<IACFUnknown*>(again)->Release();
        r->Release();
    }
    EXPECT_EQ(host.records().plugins().size(), 1u);
    EXPECT_EQ(host.records().layouts().size(), 1u);
}

TEST_F(RecordsTest, FindObjectFindsAParamOnlyOnceDescribedAndTheLatestThen) {
    void* out = this;
    EXPECT_LT(factory->FindObject(kParamId, iid::IAVXParamRecord, &out), 0);
    EXPECT_EQ(out, nullptr);

    auto* first = create<IAVXParamRecord>(record_class::ParamRecord, iid::IAVXParamRecord);
    EXPECT_LT(factory->FindObject(kParamId, iid::IAVXParamRecord, &out), 0);
    ASSERT_EQ(first->DescribeParam(kParamId, u"Mix", u"mix", &value_type::Double, 1, 0, 0, 0),
              status::kOk);
    ASSERT_EQ(factory->FindObject(kParamId, iid::IAVXParamRecord, &out), status::kOk);
    EXPECT_EQ(out, first);
    static_cast<IAVXParamRecord*>(out)->Release();

    auto* second = create<IAVXParamRecord>(record_class::ParamRecord, iid::IAVXParamRecord);
    ASSERT_EQ(second->DescribeParam(kParamId, u"Mix 2", u"mix", &value_type::Double, 1, 0, 0, 0),
              status::kOk);
    ASSERT_EQ(factory->FindObject(kParamId, iid::IAVXParamRecord, &out), status::kOk);
    EXPECT_EQ(out, second);
    static_cast<IAVXParamRecord*>(out)->Release();
    EXPECT_EQ(host.records().findParam(kParamId)->label, u"Mix 2");

    EXPECT_EQ(factory->FindObject(kParamId, iid::IAVXLayoutRecord, &out), status::kNoInterface);
    EXPECT_EQ(out, nullptr);
    first->Release();
    second->Release();
    EXPECT_EQ(host.census().held().size(), 1u) << host.census().report();
}

TEST_F(RecordsTest, DescribeParamCopiesItsStringsAndToleratesANullType) {
    auto* r = create<IAVXParamRecord>(record_class::ParamRecord, iid::IAVXParamRecord);
    char16_t label[] = u"Bypass";
    char16_t key[] = u"";
    ASSERT_EQ(r->DescribeParam(kParamId, label, key, nullptr, 0, 5, 6, 7), status::kOk);
    label[0] = u'X';
    const auto* rec = host.records().findParam(kParamId);
    EXPECT_EQ(rec->label, u"Bypass");
    EXPECT_EQ(rec->key, u"");
    EXPECT_FALSE(rec->type.has_value());
    EXPECT_EQ(rec->a7, 7);
    EXPECT_EQ(r->DescribeParam(kParamId, nullptr, key, nullptr, 0, 0, 0, 0),
              status::kInvalidArgument);
    EXPECT_EQ(rec->describeCount, 1);
    r->Release();
}

TEST_F(RecordsTest, AttributesAreCopiedByteForByte) {
    auto* r = create<IAVXParamRecord>(record_class::ParamRecord, iid::IAVXParamRecord);
    char16_t text[] = u"Corvane \u00e9";
    const GUID g = kParamId;
    const double triple[3] = {-255.0, 0.5, 1e300};
    const int32_t flag = 1;
    ASSERT_EQ(r->SetAttribute(kAttr, value_type::String, text, value_type::kStringBytes),
              status::kOk);
    ASSERT_EQ(r->SetAttribute(kAttr, value_type::Guid, &g, 16), status::kOk);
    ASSERT_EQ(r->SetAttribute(kAttr, value_type::Triple, triple, 24), status::kOk);
    ASSERT_EQ(r->SetAttribute(kAttr, value_type::Bool, &flag, 4), status::kOk);
    text[0] = u'X';  // the host must have copied, not kept the pointer

    const auto& attrs = host.records().params()[0]->attributes;
    ASSERT_EQ(attrs.size(), 4u);
    EXPECT_EQ(attrs[0].text, u"Corvane \u00e9");
    EXPECT_EQ(attrs[0].bytes.size(), 9 * sizeof(char16_t));
    EXPECT_EQ(attrs[1].asGuid(), kParamId);
    EXPECT_EQ(attrs[2].asTriple(), (std::array<double, 3>{-255.0, 0.5, 1e300}));
    EXPECT_EQ(attrs[3].asInt(), 1);
    EXPECT_THROW(attrs[3].asDouble(), std::logic_error);
    EXPECT_EQ(host.records().params()[0]->attribute(kAttr), &attrs[3]);
    r->Release();
}

TEST_F(RecordsTest, AttributesWithTheWrongSizeAreRefusedAndNotKept) {
    auto* r = create<IAVXLayoutRecord>(record_class::LayoutRecord, iid::IAVXLayoutRecord);
    const uint8_t buffer[64] = {};
    struct Case {
        const char* what;
        GUID type;
        const void* value;
        uint32_t bytes;
    } cases[] = {
        {"null value", value_type::Double, nullptr, 8},
        {"Double in 4 bytes", value_type::Double, buffer, 4},
        {"Guid in 8 bytes", value_type::Guid, buffer, 8},
        {"Triple in 16 bytes", value_type::Triple, buffer, 16},
        {"String with a length", value_type::String, buffer, 16},
        {"Bool as a string", value_type::Bool, buffer, value_type::kStringBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(r->SetAttribute(kAttr, c.type, c.value, c.bytes), status::kInvalidArgument);
    }
    EXPECT_TRUE(host.records().layouts()[0]->attributes.empty());
    r->Release();
}

TEST_F(RecordsTest, ComponentEventsInterleaveFormatsAndAttributes) {
    auto* c = create<IAVXComponentRecord>(record_class::ComponentRecord, iid::IAVXComponentRecord);
    const int32_t one = 1;
    ASSERT_EQ(c->DescribeComponent(kParamId, kAttr, 0, 4, kParamId, u"Corvane generic"),
              status::kOk);
    ASSERT_EQ(c->AddInputPin(kAttr, u"InputOne", 0), status::kOk);
    ASSERT_EQ(c->AddOutputPin(kAttr, u"Output", 0), status::kOk);
    ASSERT_EQ(c->AddSupportedFormat(4, 1, 0), status::kOk);
    ASSERT_EQ(c->SetAttribute(kAttr, value_type::Bool, &one, 4), status::kOk);
    ASSERT_EQ(c->AddSupportedFormat(1, 6, 0), status::kOk);
    EXPECT_EQ(c->AddInputPin(kAttr, nullptr, 0), status::kInvalidArgument);

    const auto* rec = host.records().components()[0];
    EXPECT_EQ(rec->events,
              (std::vector<std::string>{"DescribeComponent", "AddInputPin 'InputOne'",
                                        "AddOutputPin 'Output'", "AddSupportedFormat 4/1",
                                        "SetAttribute " + testhost::guidText(kAttr),
                                        "AddSupportedFormat 1/6"}));
    ASSERT_EQ(rec->formats.size(), 2u);
    EXPECT_EQ(rec->formats[1].layout, 1u);
    EXPECT_EQ(rec->formats[1].depth, 6u);
    EXPECT_EQ(rec->a2, 4u);
    EXPECT_EQ(c->Release(), 0u);
}

TEST_F(RecordsTest, LayoutTreesRejectForeignObjectsAndCycles) {
    auto* a = create<IAVXLayoutRecord>(record_class::LayoutRecord, iid::IAVXLayoutRecord);
    auto* b = create<IAVXLayoutRecord>(record_class::LayoutRecord, iid::IAVXLayoutRecord);
    auto* p = create<IAVXParamRecord>(record_class::ParamRecord, iid::IAVXParamRecord);
    const GUID slider = kAttr;
    ASSERT_EQ(a->DescribeLayout(kParamId, u"Group", u"g", nullptr, nullptr), status::kOk);
    ASSERT_EQ(b->DescribeLayout(kParamId, u"Slider", u"s", &slider, p), status::kOk);
    ASSERT_EQ(a->AddChild(b), status::kOk);
    EXPECT_EQ(b->AddChild(a), status::kInvalidArgument);
    EXPECT_EQ(a->AddChild(a), status::kInvalidArgument);
    // A param record pointer the host never made.
    EXPECT_EQ(b->DescribeLayout(kParamId, u"Slider", u"s", &slider,
                                reinterpret_cast<IAVXParamRecord*>(b)),
              status::kInvalidArgument);
    EXPECT_EQ(host.census().misuses().size(), 3u);

    const auto layouts = host.records().layouts();
    EXPECT_EQ(layouts[0]->children, std::vector<testhost::LayoutRecord*>{layouts[1]});
    EXPECT_FALSE(layouts[0]->kind.has_value());
    EXPECT_EQ(layouts[1]->kind, slider);
    EXPECT_EQ(layouts[1]->param, host.records().params()[0]);
    EXPECT_EQ(host.records().findLayouts(kParamId).size(), 2u);
    a->Release();
    b->Release();
    p->Release();
}

}  // namespace
