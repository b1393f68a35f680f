// The record store behind IACFHostFactory: plug-in, component, parameter and layout records
// as the module fills them, kept as plain data for tests to inspect. Parameter records are
// found again by id once described (the latest description wins).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/interfaces.h"
#include "testhost/object.h"
#include "testhost/value.h"

namespace testhost {

class Records;

struct Pin {
    GUID id{};
    std::u16string name;
    uint32_t arg = 0;
};

struct Format {
    uint32_t layout = 0;
    uint32_t depth = 0;
    uint32_t arg = 0;
};

// The attribute of `id` set last, or null.
const Attribute* findAttribute(const std::vector<Attribute>& attributes, const GUID& id);

class PluginRecord final : public IACFPluginRecord, public Counted {
public:
    using Interface = IACFPluginRecord;
    PluginRecord(Records& records, std::string name);

    GUID pluginId{};
    uint32_t a1 = 0, a2 = 0;
    std::u16string moduleName;
    GUID vendorId{};
    std::u16string vendorName;
    uint32_t a3 = 0, a4 = 0;
    int describeCount = 0;
    std::vector<Attribute> attributes;

    const Attribute* attribute(const GUID& id) const { return findAttribute(attributes, id); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                         uint32_t byteCount) override;
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    int32_t DescribePlugin(const GUID& pluginId, uint32_t a1, uint32_t a2,
                           const char16_t* moduleName, const GUID& vendorId,
                           const char16_t* vendorName, uint32_t a3, uint32_t a4) override;

private:
    Records& records_;
};

class ParamRecord;
class LayoutRecord;

class ComponentRecord final : public IAVXComponentRecord, public Counted {
public:
    using Interface = IAVXComponentRecord;
    ComponentRecord(Records& records, std::string name);

    GUID componentId{};
    GUID kindId{};
    uint32_t a1 = 0, a2 = 0;
    GUID classId{};
    std::u16string displayName;
    int describeCount = 0;
    std::vector<Attribute> attributes;
    std::vector<Pin> inputPins;
    std::vector<Pin> outputPins;
    std::vector<Format> formats;
    std::vector<LayoutRecord*> layoutItems;
    // Everything done to the record, in order: "DescribeComponent", "SetAttribute {GUID}",
    // "AddInputPin 'InputOne'", "AddOutputPin 'Output'", "AddSupportedFormat 4/1",
    // "AddLayoutItem 'Bypass'". Only successful operations appear.
    std::vector<std::string> events;

    const Attribute* attribute(const GUID& id) const { return findAttribute(attributes, id); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                         uint32_t byteCount) override;
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    int32_t DescribeComponent(const GUID& componentId, const GUID& kindId, uint32_t a1, uint32_t a2,
                              const GUID& classId, const char16_t* displayName) override;
    int32_t AddInputPin(const GUID& pinId, const char16_t* name, uint32_t arg) override;
    TESTHOST_RESERVED(8)
    int32_t AddOutputPin(const GUID& pinId, const char16_t* name, uint32_t arg) override;
    TESTHOST_RESERVED(10)
    int32_t AddSupportedFormat(uint32_t layoutCode, uint32_t depthCode, uint32_t arg) override;
    TESTHOST_RESERVED(12)
    TESTHOST_RESERVED(13)
    TESTHOST_RESERVED(14)
    int32_t AddLayoutItem(IAVXLayoutRecord* item) override;

private:
    int32_t addPin(const char* op, std::vector<Pin>& pins, const GUID& pinId, const char16_t* name,
                   uint32_t arg);
    Records& records_;
};

class ParamRecord final : public IAVXParamRecord, public Counted {
public:
    using Interface = IAVXParamRecord;
    ParamRecord(Records& records, std::string name);

    GUID id{};
    std::u16string label;
    std::u16string key;
    std::optional<GUID> type;  // empty when DescribeParam was given no type
    int32_t flag = 0, a5 = 0, a6 = 0, a7 = 0;
    int describeCount = 0;
    std::vector<Attribute> attributes;

    const Attribute* attribute(const GUID& id) const { return findAttribute(attributes, id); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                         uint32_t byteCount) override;
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    int32_t DescribeParam(const GUID& paramId, const char16_t* label, const char16_t* key,
                          const GUID* typeId, int32_t flag, int32_t a5, int32_t a6,
                          int32_t a7) override;

private:
    Records& records_;
};

class LayoutRecord final : public IAVXLayoutRecord, public Counted {
public:
    using Interface = IAVXLayoutRecord;
    LayoutRecord(Records& records, std::string name);

    GUID id{};
    std::u16string label;
    std::u16string name;
    std::optional<GUID> kind;  // empty for a group
    ParamRecord* param = nullptr;
    std::vector<Attribute> attributes;
    std::vector<LayoutRecord*> children;
    int describeCount = 0;

    const Attribute* attribute(const GUID& id) const { return findAttribute(attributes, id); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                         uint32_t byteCount) override;
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    int32_t DescribeLayout(const GUID& itemId, const char16_t* label, const char16_t* name,
                           const GUID* controlKind, IAVXParamRecord* param) override;
    int32_t AddChild(IAVXLayoutRecord* child) override;

private:
    Records& records_;
};

class Records {
public:
    Records(Census& census, Journal& journal);
    ~Records();
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    // In creation order.
    std::vector<PluginRecord*> plugins() const;
    std::vector<ComponentRecord*> components() const;
    std::vector<ParamRecord*> params() const;
    std::vector<LayoutRecord*> layouts() const;

    // The record described last with `id`, or null.
    ParamRecord* findParam(const GUID& id) const;
    // Every layout record described with `id` (one control id may be used several times).
    std::vector<LayoutRecord*> findLayouts(const GUID& id) const;

    // Bodies of IACFHostFactory::CreateObject and FindObject (journaled by the caller).
    int32_t createObject(const GUID& classId, IACFUnknown* outer, const GUID& iid, void** out);
    int32_t findObject(const GUID& objectId, const GUID& iid, void** out);

private:
    friend class PluginRecord;
    friend class ComponentRecord;
    friend class ParamRecord;
    friend class LayoutRecord;

    // Checks and stores one SetAttribute; `events` gets "SetAttribute {GUID}" on success.
    int32_t setAttribute(Counted& on, std::vector<Attribute>& list, const GUID& id,
                         const GUID& type, const void* value, uint32_t byteCount,
                         std::vector<std::string>* events);
    // Our record behind a pointer the module passes in, or null (then noted as misuse).
    template <class Record, class Interface>
    Record* own(const std::vector<std::unique_ptr<Record>>& list, Interface* p, const char* what,
                const Counted& by);
    ParamRecord* ownParam(IAVXParamRecord* p, const Counted& by);
    LayoutRecord* ownLayout(IAVXLayoutRecord* p, const Counted& by);

    Census& census_;
    Journal& journal_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<PluginRecord>> plugins_;
    std::vector<std::unique_ptr<ComponentRecord>> components_;
    std::vector<std::unique_ptr<ParamRecord>> params_;
    std::vector<std::unique_ptr<LayoutRecord>> layouts_;
    std::vector<std::pair<GUID, ParamRecord*>> described_;
};

}  // namespace testhost
