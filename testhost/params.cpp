#include "testhost/params.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/journal.h"
#include "testhost/records.h"
#include "testhost/text.h"

namespace testhost {

// ---- Param ----

Param::Param(ParamStore& store, Census& census, Journal& journal, const GUID& id, const GUID& type,
             std::string name)
    : Counted(census, journal, "param", std::move(name)), store_(store), id_(id), type_(type) {
    value_.type = type;
    value_.bytes.assign(valueBytes(type), 0);
}

int32_t Param::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out,
                  {{iid::IAVXParamAccess, accessFace()}, {iid::IAVXParamKeys, keysFace()}});
}

bool Param::accepts(const GUID& typeId, const void* p, uint32_t byteCount) const {
    return p && typeId == type_ && byteCount == valueBytes(type_);
}

std::string Param::callText(bool timed, const double* time, const GUID& typeId, const void* written,
                            uint32_t byteCount) const {
    std::string out;
    if (timed) {
        char buffer[40];
        if (time)
            std::snprintf(buffer, sizeof buffer, "t=%.17g ", *time);
        else
            std::snprintf(buffer, sizeof buffer, "t=null ");
        out = buffer;
    }
    out += idName(typeId) + " " + std::to_string(byteCount);
    if (written && accepts(typeId, written, byteCount))
        out += " = " + Value::ofBytes(type_, written, byteCount).text8();
    return out;
}

Value Param::valueAt(double time) const {
    if (keys_.empty()) return value_;
    if (!(time > keys_.front().first)) return keys_.front().second;  // NaN lands here too
    if (time >= keys_.back().first) return keys_.back().second;
    // keys_[i].first < time < ... : find the pair around `time`.
    auto after = std::upper_bound(keys_.begin(), keys_.end(), time,
                                  [](double t, const Key& k) { return t < k.first; });
    const Key& a = *(after - 1);
    const Key& b = *after;
    if (type_ != value_type::Double || time == a.first) return a.second;
    const double va = a.second.asDouble();
    const double vb = b.second.asDouble();
    // Multiplying before dividing keeps whole-number keys and times exact.
    return Value::ofDouble(va + (vb - va) * (time - a.first) / (b.first - a.first));
}

void Param::putKey(double time, Value v) {
    auto at = std::lower_bound(keys_.begin(), keys_.end(), time,
                               [](const Key& k, double t) { return k.first < t; });
    if (at != keys_.end() && at->first == time)
        at->second = std::move(v);
    else
        keys_.insert(at, {time, std::move(v)});
}

int32_t Param::SetValue(const GUID& typeId, const void* value, uint32_t byteCount) {
    const Verdict v = journal().enter(
        "SetValue", describe(), callText(false, nullptr, typeId, value, byteCount), Result::Status);
    if (v.failed()) return v.status;
    if (!accepts(typeId, value, byteCount)) return status::kInvalidArgument;
    std::lock_guard lock(store_.mutex_);
    value_ = Value::ofBytes(type_, value, byteCount);
    writes_.push_back({"SetValue", std::nullopt, value_});
    return status::kOk;
}

int32_t Param::GetValueAt(const double* time, const GUID& typeId, void* out, uint32_t byteCount) {
    const Verdict v = journal().enter(
        "GetValueAt", describe(), callText(true, time, typeId, nullptr, byteCount), Result::Status);
    if (v.failed()) return v.status;
    if (!time || !accepts(typeId, out, byteCount)) return status::kInvalidArgument;
    std::lock_guard lock(store_.mutex_);
    const Value at = valueAt(*time);
    std::memcpy(out, at.bytes.data(), at.bytes.size());
    return status::kOk;
}

int32_t Param::SetValueAt(const double* time, const GUID& typeId, const void* value,
                          uint32_t byteCount) {
    const Verdict v = journal().enter(
        "SetValueAt", describe(), callText(true, time, typeId, value, byteCount), Result::Status);
    if (v.failed()) return v.status;
    if (!time || !accepts(typeId, value, byteCount)) return status::kInvalidArgument;
    std::lock_guard lock(store_.mutex_);
    Value written = Value::ofBytes(type_, value, byteCount);
    writes_.push_back({"SetValueAt", *time, written});
    // An animated parameter takes the write as a key; a still one as its value.
    if (keys_.empty())
        value_ = std::move(written);
    else
        putKey(*time, std::move(written));
    return status::kOk;
}

int32_t Param::QueryState() {
    journal().enter("QueryState", describe(), "", Result::Value);
    std::lock_guard lock(store_.mutex_);
    return queryState_;
}

int32_t Param::SetKey(const double* time, const GUID& typeId, const void* value,
                      uint32_t byteCount) {
    const Verdict v = journal().enter(
        "SetKey", describe(), callText(true, time, typeId, value, byteCount), Result::Status);
    if (v.failed()) return v.status;
    if (!time || !accepts(typeId, value, byteCount)) return status::kInvalidArgument;
    std::lock_guard lock(store_.mutex_);
    Value written = Value::ofBytes(type_, value, byteCount);
    writes_.push_back({"SetKey", *time, written});
    putKey(*time, std::move(written));
    return status::kOk;
}

// ---- ParamStore ----

ParamStore::ParamStore(Census& census, Journal& journal) : census_(census), journal_(journal) {}
ParamStore::~ParamStore() = default;

Param* ParamStore::findLocked(const GUID& id) const {
    for (const auto& p : params_)
        if (p->id() == id) return p.get();
    return nullptr;
}

const Param& ParamStore::existing(const GUID& id) const {
    const Param* p = findLocked(id);
    if (!p) throw std::logic_error("no parameter " + guidText(id));
    return *p;
}

Param& ParamStore::addLocked(const GUID& id, const GUID& type, std::string name) {
    if (Param* p = findLocked(id)) {
        if (!(p->type() == type))
            throw std::logic_error("parameter " + p->describe() + " is " + idName(p->type()) +
                                   ", not " + idName(type));
        return *p;
    }
    if (valueBytes(type) == 0)
        throw std::logic_error("no parameter can hold " + idName(type) + " values");
    params_.push_back(std::make_unique<Param>(*this, census_, journal_, id, type,
                                              name.empty() ? guidText(id) : std::move(name)));
    return *params_.back();
}

Param& ParamStore::add(const GUID& id, const GUID& type, std::string name) {
    std::lock_guard lock(mutex_);
    return addLocked(id, type, std::move(name));
}

size_t ParamStore::addFromComponent(const ComponentRecord& component) {
    std::lock_guard lock(mutex_);
    size_t added = 0;
    std::vector<const LayoutRecord*> groups;
    auto walk = [&](auto& self, const LayoutRecord* item) -> void {
        if (const ParamRecord* r = item->param; r && r->type && !findLocked(r->id)) {
            Param& p = addLocked(r->id, *r->type, utf8(r->key.empty() ? r->label : r->key));
            if (const Attribute* a = r->attribute(attribute::Value);
                a && a->type == p.type() && a->bytes.size() == p.value_.bytes.size())
                p.value_.bytes = a->bytes;
            ++added;
        }
        if (!item->kind) groups.push_back(item);
        for (const LayoutRecord* c : item->children) self(self, c);
    };
    for (const LayoutRecord* item : component.layoutItems) walk(walk, item);

    // Group switches come last so that a real parameter with the same id wins.
    for (const LayoutRecord* g : groups) {
        const Attribute* by = g->attribute(attribute::EnabledBy);
        if (!by || by->bytes.size() != sizeof(GUID) || findLocked(by->asGuid())) continue;
        Param& p = addLocked(by->asGuid(), value_type::Bool, utf8(g->label) + " switch");
        if (const Attribute* a = g->attribute(attribute::Value); a && a->bytes.size() == 4)
            p.value_.bytes = a->bytes;
        ++added;
    }
    return added;
}

void ParamStore::remove(const GUID& id) {
    std::lock_guard lock(mutex_);
    auto it =
        std::find_if(params_.begin(), params_.end(), [&](const auto& p) { return p->id() == id; });
    if (it == params_.end()) return;
    removed_.push_back(std::move(*it));
    params_.erase(it);
}

Param* ParamStore::find(const GUID& id) {
    std::lock_guard lock(mutex_);
    return findLocked(id);
}

Param& ParamStore::param(const GUID& id) {
    std::lock_guard lock(mutex_);
    return const_cast<Param&>(existing(id));
}

std::vector<GUID> ParamStore::ids() const {
    std::lock_guard lock(mutex_);
    std::vector<GUID> out;
    for (const auto& p : params_) out.push_back(p->id());
    return out;
}

size_t ParamStore::size() const {
    std::lock_guard lock(mutex_);
    return params_.size();
}

void ParamStore::set(const GUID& id, const Value& v) {
    std::lock_guard lock(mutex_);
    Param& p = addLocked(id, v.type, {});
    if (v.bytes.size() != p.value_.bytes.size())
        throw std::logic_error("value of " + std::to_string(v.bytes.size()) + " bytes for " +
                               p.describe());
    p.value_ = v;
}

void ParamStore::setKey(const GUID& id, double time, const Value& v) {
    std::lock_guard lock(mutex_);
    Param& p = addLocked(id, v.type, {});
    if (v.bytes.size() != p.value_.bytes.size())
        throw std::logic_error("key of " + std::to_string(v.bytes.size()) + " bytes for " +
                               p.describe());
    p.putKey(time, v);
}

void ParamStore::setQueryState(const GUID& id, int32_t state) {
    std::lock_guard lock(mutex_);
    const_cast<Param&>(existing(id)).queryState_ = state;
}

Value ParamStore::get(const GUID& id) const {
    std::lock_guard lock(mutex_);
    return existing(id).value_;
}

Value ParamStore::valueAt(const GUID& id, double time) const {
    std::lock_guard lock(mutex_);
    return existing(id).valueAt(time);
}

std::vector<Key> ParamStore::keys(const GUID& id) const {
    std::lock_guard lock(mutex_);
    return existing(id).keys_;
}

std::vector<ParamWrite> ParamStore::writes(const GUID& id) const {
    std::lock_guard lock(mutex_);
    return existing(id).writes_;
}

}  // namespace testhost
