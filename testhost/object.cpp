#include "testhost/object.h"

#include <algorithm>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/journal.h"
#include "testhost/text.h"

namespace testhost {

std::string CensusEntry::text() const {
    return kind + " '" + name + "' held " + std::to_string(count) + " times";
}

void Census::enrol(const Counted* object) {
    std::lock_guard lock(mutex_);
    objects_.push_back(object);
}

void Census::leave(const Counted* object) {
    std::lock_guard lock(mutex_);
    objects_.erase(std::remove(objects_.begin(), objects_.end(), object), objects_.end());
    // Entries already recorded keep their text; only the pointer used to merge them goes.
    for (OverRelease& o : overReleases_)
        if (o.object == object) o.object = nullptr;
}

void Census::noteOverRelease(const Counted& object) {
    std::lock_guard lock(mutex_);
    for (OverRelease& o : overReleases_)
        if (o.object == &object) {
            ++o.entry.count;
            return;
        }
    overReleases_.push_back({&object, {object.kind(), object.name(), 1}});
}

void Census::noteMisuse(std::string text) {
    std::lock_guard lock(mutex_);
    misuses_.push_back(std::move(text));
}

std::vector<CensusEntry> Census::held() const {
    std::lock_guard lock(mutex_);
    std::vector<CensusEntry> out;
    for (const Counted* o : objects_)
        if (const int32_t n = o->count(); n != 0)
            out.push_back({o->kind(), o->name(), static_cast<uint32_t>(n)});
    return out;
}

std::vector<CensusEntry> Census::overReleases() const {
    std::lock_guard lock(mutex_);
    std::vector<CensusEntry> out;
    for (const OverRelease& o : overReleases_) out.push_back(o.entry);
    return out;
}

std::vector<std::string> Census::misuses() const {
    std::lock_guard lock(mutex_);
    return misuses_;
}

bool Census::clean() const { return held().empty() && overReleases().empty() && misuses().empty(); }

std::string Census::report() const {
    std::string out;
    for (const CensusEntry& e : held()) out += e.text() + "\n";
    for (const CensusEntry& e : overReleases())
        out += e.kind + " '" + e.name + "' released " + std::to_string(e.count) +
               " times more than it was referenced\n";
    for (const std::string& m : misuses()) out += m + "\n";
    return out;
}

void Census::clearErrors() {
    std::lock_guard lock(mutex_);
    overReleases_.clear();
    misuses_.clear();
}

Counted::Counted(Census& census, Journal& journal, std::string kind, std::string name)
    : census_(census), journal_(journal), kind_(std::move(kind)), name_(std::move(name)) {
    census_.enrol(this);
}

Counted::~Counted() { census_.leave(this); }

std::string Counted::name() const {
    std::lock_guard lock(nameMutex_);
    return name_;
}

void Counted::rename(std::string name) {
    std::lock_guard lock(nameMutex_);
    name_ = std::move(name);
}

std::string Counted::describe() const { return kind_ + " '" + name() + "'"; }

uint32_t Counted::addRef() {
    const int32_t n = count_.fetch_add(1, std::memory_order_acq_rel) + 1;
    return static_cast<uint32_t>(n) + hostHeld();
}

uint32_t Counted::release() {
    int32_t n = count_.load(std::memory_order_acquire);
    do {
        if (n <= 0) {
            census_.noteOverRelease(*this);
            return hostHeld();
        }
    } while (!count_.compare_exchange_weak(n, n - 1, std::memory_order_acq_rel));
    return static_cast<uint32_t>(n - 1) + hostHeld();
}

uint32_t Counted::moduleAddRef() {
    const uint32_t n = addRef();
    journal_.noteCount("AddRef", *this, n);
    return n;
}

uint32_t Counted::moduleRelease() {
    const uint32_t n = release();
    journal_.noteCount("Release", *this, n);
    return n;
}

int32_t Counted::answer(const GUID& iid, void** out, const Face* begin, const Face* end) {
    const Verdict v = journal_.enter("QueryInterface", describe(), idName(iid), Result::StatusOut);
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (v.failed()) return v.status;
    if (v.nulled()) return status::kOk;
    for (const Face* f = begin; f != end; ++f) {
        if (iid == f->iid || (iid == iid::IACFUnknown && f == begin)) {
            (f->owner ? f->owner : this)->addRef();
            *out = f->pointer;
            return status::kOk;
        }
    }
    return status::kNoInterface;
}

int32_t Counted::reserved(int slot) {
    const std::string op = "Reserved" + std::to_string(slot);
    journal_.enter(op, describe(), "", Result::Value);
    census_.noteMisuse("placeholder slot " + std::to_string(slot) + " called on " + describe());
    return status::kNotImplemented;
}

}  // namespace testhost
