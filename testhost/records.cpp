#include "testhost/records.h"

#include <algorithm>
#include <cstring>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/journal.h"
#include "testhost/text.h"

namespace testhost {

namespace {

// A larger count is a module passing a length it never meant.
constexpr uint32_t kMaxAttributeBytes = 1u << 20;

std::string wideName(const char16_t* text) { return text ? quoted(text) : "null"; }

std::string argText(uint32_t a, uint32_t b) { return std::to_string(a) + ", " + std::to_string(b); }

// Key if there is one, else the label: the key is what tells two "RGB Shift" apart.
std::string paramName(const std::u16string& label, const std::u16string& key) {
    return utf8(key.empty() ? label : key);
}

}  // namespace

const Attribute* findAttribute(const std::vector<Attribute>& attributes, const GUID& id) {
    for (auto it = attributes.rbegin(); it != attributes.rend(); ++it)
        if (it->id == id) return &*it;
    return nullptr;
}

// ---- Records ----

Records::Records(Census& census, Journal& journal) : census_(census), journal_(journal) {}
Records::~Records() = default;

template <class T>
static std::vector<T*> pointers(const std::vector<std::unique_ptr<T>>& v) {
    std::vector<T*> out;
    out.reserve(v.size());
    for (const auto& p : v) out.push_back(p.get());
    return out;
}

std::vector<PluginRecord*> Records::plugins() const {
    std::lock_guard lock(mutex_);
    return pointers(plugins_);
}

std::vector<ComponentRecord*> Records::components() const {
    std::lock_guard lock(mutex_);
    return pointers(components_);
}

std::vector<ParamRecord*> Records::params() const {
    std::lock_guard lock(mutex_);
    return pointers(params_);
}

std::vector<LayoutRecord*> Records::layouts() const {
    std::lock_guard lock(mutex_);
    return pointers(layouts_);
}

ParamRecord* Records::findParam(const GUID& id) const {
    std::lock_guard lock(mutex_);
    for (auto it = described_.rbegin(); it != described_.rend(); ++it)
        if (it->first == id) return it->second;
    return nullptr;
}

std::vector<LayoutRecord*> Records::findLayouts(const GUID& id) const {
    std::lock_guard lock(mutex_);
    std::vector<LayoutRecord*> out;
    for (const auto& l : layouts_)
        if (l->describeCount > 0 && l->id == id) out.push_back(l.get());
    return out;
}

int32_t Records::createObject(const GUID& classId, IACFUnknown* outer, const GUID& iid,
                              void** out) {
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (outer) return status::kNoAggregation;

    auto make = [&](auto& list, const GUID& ownIid, auto* tag) -> int32_t {
        using Record = std::remove_pointer_t<decltype(tag)>;
        if (!(iid == ownIid || iid == iid::IACFUnknown)) return status::kNoInterface;
        std::lock_guard lock(mutex_);
        std::string name(1, '#');  // appended, not prepended: see quoted() in text.cpp
        name += std::to_string(list.size() + 1);
        list.push_back(std::make_unique<Record>(*this, std::move(name)));
        Record* r = list.back().get();
        r->addRef();
        *out = static_cast<typename Record::Interface*>(r);
        return status::kOk;
    };
    if (classId == record_class::PluginRecord)
        return make(plugins_, iid::IACFPluginRecord, static_cast<PluginRecord*>(nullptr));
    if (classId == record_class::ComponentRecord)
        return make(components_, iid::IAVXComponentRecord, static_cast<ComponentRecord*>(nullptr));
    if (classId == record_class::ParamRecord)
        return make(params_, iid::IAVXParamRecord, static_cast<ParamRecord*>(nullptr));
    if (classId == record_class::LayoutRecord)
        return make(layouts_, iid::IAVXLayoutRecord, static_cast<LayoutRecord*>(nullptr));
    return status::kClassNotAvailable;
}

int32_t Records::findObject(const GUID& objectId, const GUID& iid, void** out) {
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (!(iid == iid::IAVXParamRecord || iid == iid::IACFUnknown)) return status::kNoInterface;
    ParamRecord* r = findParam(objectId);
    if (!r) return status::kNoInterface;
    r->addRef();
    *out = static_cast<IAVXParamRecord*>(r);
    return status::kOk;
}

int32_t Records::setAttribute(Counted& on, std::vector<Attribute>& list, const GUID& id,
                              const GUID& type, const void* value, uint32_t byteCount,
                              std::vector<std::string>* events) {
    Attribute a;
    a.id = id;
    a.type = type;
    int32_t result = status::kOk;
    const uint32_t expected = valueBytes(type);
    if (!value) {
        result = status::kInvalidArgument;
    } else if (type == value_type::String) {
        if (byteCount != value_type::kStringBytes) {
            result = status::kInvalidArgument;
        } else {
            static_cast<Value&>(a) = Value::ofString(static_cast<const char16_t*>(value));
        }
    } else if (byteCount == value_type::kStringBytes || byteCount > kMaxAttributeBytes ||
               (expected != 0 && byteCount != expected)) {
        result = status::kInvalidArgument;
    } else {
        a.bytes.assign(static_cast<const uint8_t*>(value),
                       static_cast<const uint8_t*>(value) + byteCount);
    }

    std::string detail = idName(id) + " ";
    detail += result == status::kOk ? a.text8()
                                    : idName(type) + (value ? "" : " null") + " " +
                                          std::to_string(byteCount) + " bytes";
    const Verdict v =
        journal_.enter("SetAttribute", on.describe(), std::move(detail), Result::Status);
    if (v.failed()) return v.status;
    if (result != status::kOk) return result;

    std::lock_guard lock(mutex_);
    list.push_back(std::move(a));
    if (events) events->push_back("SetAttribute " + guidText(id));
    return status::kOk;
}

template <class Record, class Interface>
Record* Records::own(const std::vector<std::unique_ptr<Record>>& list, Interface* p,
                     const char* what, const Counted& by) {
    {
        std::lock_guard lock(mutex_);
        for (const auto& r : list)
            if (static_cast<Interface*>(r.get()) == p) return r.get();
    }
    census_.noteMisuse(std::string("a ") + what + " record the host never made was passed to " +
                       by.describe());
    return nullptr;
}

ParamRecord* Records::ownParam(IAVXParamRecord* p, const Counted& by) {
    return own(params_, p, "parameter", by);
}

LayoutRecord* Records::ownLayout(IAVXLayoutRecord* p, const Counted& by) {
    return own(layouts_, p, "layout", by);
}

// ---- PluginRecord ----

PluginRecord::PluginRecord(Records& records, std::string name)
    : Counted(records.census_, records.journal_, "plugin record", std::move(name)),
      records_(records) {}

int32_t PluginRecord::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IACFPluginRecord, static_cast<IACFPluginRecord*>(this)}});
}

int32_t PluginRecord::SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                   uint32_t byteCount) {
    return records_.setAttribute(*this, attributes, attributeId, typeId, value, byteCount, nullptr);
}

int32_t PluginRecord::DescribePlugin(const GUID& pluginId_, uint32_t a1_, uint32_t a2_,
                                     const char16_t* moduleName_, const GUID& vendorId_,
                                     const char16_t* vendorName_, uint32_t a3_, uint32_t a4_) {
    const Verdict v = journal().enter("DescribePlugin", describe(),
                                      guidText(pluginId_) + " " + argText(a1_, a2_) + " " +
                                          wideName(moduleName_) + " " + guidText(vendorId_) + " " +
                                          wideName(vendorName_) + " " + argText(a3_, a4_),
                                      Result::Status);
    if (v.failed()) return v.status;
    if (!moduleName_ || !vendorName_) return status::kInvalidArgument;
    {
        std::lock_guard lock(records_.mutex_);
        pluginId = pluginId_;
        a1 = a1_;
        a2 = a2_;
        moduleName = moduleName_;
        vendorId = vendorId_;
        vendorName = vendorName_;
        a3 = a3_;
        a4 = a4_;
        ++describeCount;
    }
    rename(utf8(moduleName));
    return status::kOk;
}

// ---- ComponentRecord ----

ComponentRecord::ComponentRecord(Records& records, std::string name)
    : Counted(records.census_, records.journal_, "component record", std::move(name)),
      records_(records) {}

int32_t ComponentRecord::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IAVXComponentRecord, static_cast<IAVXComponentRecord*>(this)}});
}

int32_t ComponentRecord::SetAttribute(const GUID& attributeId, const GUID& typeId,
                                      const void* value, uint32_t byteCount) {
    return records_.setAttribute(*this, attributes, attributeId, typeId, value, byteCount, &events);
}

int32_t ComponentRecord::DescribeComponent(const GUID& componentId_, const GUID& kindId_,
                                           uint32_t a1_, uint32_t a2_, const GUID& classId_,
                                           const char16_t* displayName_) {
    const Verdict v =
        journal().enter("DescribeComponent", describe(),
                        guidText(componentId_) + " " + guidText(kindId_) + " " + argText(a1_, a2_) +
                            " " + guidText(classId_) + " " + wideName(displayName_),
                        Result::Status);
    if (v.failed()) return v.status;
    if (!displayName_) return status::kInvalidArgument;
    {
        std::lock_guard lock(records_.mutex_);
        componentId = componentId_;
        kindId = kindId_;
        a1 = a1_;
        a2 = a2_;
        classId = classId_;
        displayName = displayName_;
        ++describeCount;
        events.push_back("DescribeComponent");
    }
    rename(utf8(displayName));
    return status::kOk;
}

int32_t ComponentRecord::addPin(const char* op, std::vector<Pin>& pins, const GUID& pinId,
                                const char16_t* name, uint32_t arg) {
    const Verdict v = journal().enter(
        op, describe(), guidText(pinId) + " " + wideName(name) + " " + std::to_string(arg),
        Result::Status);
    if (v.failed()) return v.status;
    if (!name) return status::kInvalidArgument;
    std::lock_guard lock(records_.mutex_);
    pins.push_back({pinId, name, arg});
    events.push_back(std::string(op) + " " + quoted(name));
    return status::kOk;
}

int32_t ComponentRecord::AddInputPin(const GUID& pinId, const char16_t* name, uint32_t arg) {
    return addPin("AddInputPin", inputPins, pinId, name, arg);
}

int32_t ComponentRecord::AddOutputPin(const GUID& pinId, const char16_t* name, uint32_t arg) {
    return addPin("AddOutputPin", outputPins, pinId, name, arg);
}

int32_t ComponentRecord::AddSupportedFormat(uint32_t layoutCode, uint32_t depthCode, uint32_t arg) {
    const std::string text = std::to_string(layoutCode) + "/" + std::to_string(depthCode);
    const Verdict v = journal().enter("AddSupportedFormat", describe(),
                                      text + " " + std::to_string(arg), Result::Status);
    if (v.failed()) return v.status;
    std::lock_guard lock(records_.mutex_);
    formats.push_back({layoutCode, depthCode, arg});
    events.push_back("AddSupportedFormat " + text);
    return status::kOk;
}

int32_t ComponentRecord::AddLayoutItem(IAVXLayoutRecord* item) {
    LayoutRecord* r = item ? records_.ownLayout(item, *this) : nullptr;
    const Verdict v = journal().enter("AddLayoutItem", describe(),
                                      r      ? r->describe()
                                      : item ? "foreign"
                                             : "null",
                                      Result::Status);
    if (v.failed()) return v.status;
    if (!r) return status::kInvalidArgument;
    r->hostHold();
    std::lock_guard lock(records_.mutex_);
    layoutItems.push_back(r);
    events.push_back("AddLayoutItem " + quoted(r->label));
    return status::kOk;
}

// ---- ParamRecord ----

ParamRecord::ParamRecord(Records& records, std::string name)
    : Counted(records.census_, records.journal_, "param record", std::move(name)),
      records_(records) {}

int32_t ParamRecord::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IAVXParamRecord, static_cast<IAVXParamRecord*>(this)}});
}

int32_t ParamRecord::SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                  uint32_t byteCount) {
    return records_.setAttribute(*this, attributes, attributeId, typeId, value, byteCount, nullptr);
}

int32_t ParamRecord::DescribeParam(const GUID& paramId, const char16_t* label_,
                                   const char16_t* key_, const GUID* typeId, int32_t flag_,
                                   int32_t a5_, int32_t a6_, int32_t a7_) {
    const Verdict v = journal().enter(
        "DescribeParam", describe(),
        guidText(paramId) + " " + wideName(label_) + " " + wideName(key_) + " " +
            (typeId ? idName(*typeId) : "null") + " " + std::to_string(flag_) + " " +
            std::to_string(a5_) + " " + std::to_string(a6_) + " " + std::to_string(a7_),
        Result::Status);
    if (v.failed()) return v.status;
    if (!label_ || !key_) return status::kInvalidArgument;
    {
        std::lock_guard lock(records_.mutex_);
        id = paramId;
        label = label_;
        key = key_;
        type = typeId ? std::optional<GUID>(*typeId) : std::nullopt;
        flag = flag_;
        a5 = a5_;
        a6 = a6_;
        a7 = a7_;
        ++describeCount;
        records_.described_.emplace_back(paramId, this);
    }
    rename(paramName(label, key));
    return status::kOk;
}

// ---- LayoutRecord ----

LayoutRecord::LayoutRecord(Records& records, std::string name)
    : Counted(records.census_, records.journal_, "layout record", std::move(name)),
      records_(records) {}

int32_t LayoutRecord::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IAVXLayoutRecord, static_cast<IAVXLayoutRecord*>(this)}});
}

int32_t LayoutRecord::SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                   uint32_t byteCount) {
    return records_.setAttribute(*this, attributes, attributeId, typeId, value, byteCount, nullptr);
}

int32_t LayoutRecord::DescribeLayout(const GUID& itemId, const char16_t* label_,
                                     const char16_t* name_, const GUID* controlKind,
                                     IAVXParamRecord* param_) {
    ParamRecord* p = param_ ? records_.ownParam(param_, *this) : nullptr;
    const Verdict v =
        journal().enter("DescribeLayout", describe(),
                        guidText(itemId) + " " + wideName(label_) + " " + wideName(name_) + " " +
                            (controlKind ? guidText(*controlKind) : "group") + " " +
                            (p        ? p->describe()
                             : param_ ? "foreign"
                                      : "null"),
                        Result::Status);
    if (v.failed()) return v.status;
    if (!label_ || !name_ || (param_ && !p)) return status::kInvalidArgument;
    if (p) p->hostHold();
    {
        std::lock_guard lock(records_.mutex_);
        id = itemId;
        label = label_;
        name = name_;
        kind = controlKind ? std::optional<GUID>(*controlKind) : std::nullopt;
        param = p;
        ++describeCount;
    }
    rename(utf8(label));
    return status::kOk;
}

// True when `target` is `from` or lies below it.
static bool reaches(const LayoutRecord* from, const LayoutRecord* target) {
    if (from == target) return true;
    for (const LayoutRecord* c : from->children)
        if (reaches(c, target)) return true;
    return false;
}

int32_t LayoutRecord::AddChild(IAVXLayoutRecord* child) {
    LayoutRecord* r = child ? records_.ownLayout(child, *this) : nullptr;
    const Verdict v = journal().enter("AddChild", describe(),
                                      r       ? r->describe()
                                      : child ? "foreign"
                                              : "null",
                                      Result::Status);
    if (v.failed()) return v.status;
    if (!r) return status::kInvalidArgument;
    std::lock_guard lock(records_.mutex_);
    // A cycle would make every walk of the tree endless.
    if (reaches(r, this)) {
        records_.census_.noteMisuse(r->describe() + " added below itself");
        return status::kInvalidArgument;
    }
    r->hostHold();
    children.push_back(r);
    return status::kOk;
}

}  // namespace testhost
