// The parameter store of one effect instance: typed values, values at a time, keys and a
// write log, behind objects that answer both IAVXParamAccess and IAVXParamKeys.
//
// Double keys interpolate linearly and hold the first (last) key's value before (after)
// them; keys of every other type are steps. Without keys the stored value applies at every
// time.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/interfaces.h"
#include "testhost/object.h"
#include "testhost/value.h"

namespace testhost {

class ComponentRecord;
class ParamStore;

struct ParamWrite {
    std::string op;              // "SetValue", "SetValueAt" or "SetKey"
    std::optional<double> time;  // none for SetValue
    Value value;
};

using Key = std::pair<double, Value>;

class Param final : public IAVXParamAccess, public IAVXParamKeys, public Counted {
public:
    Param(ParamStore& store, Census& census, Journal& journal, const GUID& id, const GUID& type,
          std::string name);

    const GUID& id() const { return id_; }
    const GUID& type() const { return type_; }
    IAVXParamAccess* accessFace() { return this; }
    IAVXParamKeys* keysFace() { return this; }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    TESTHOST_RESERVED(3)
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    TESTHOST_RESERVED(6)
    TESTHOST_RESERVED(7)
    TESTHOST_RESERVED(8)
    TESTHOST_RESERVED(9)
    TESTHOST_RESERVED(10)
    TESTHOST_RESERVED(11)
    TESTHOST_RESERVED(12)
    TESTHOST_RESERVED(13)
    TESTHOST_RESERVED(14)
    TESTHOST_RESERVED(15)
    TESTHOST_RESERVED(16)
    TESTHOST_RESERVED(17)
    TESTHOST_RESERVED(18)
    TESTHOST_RESERVED(19)
    TESTHOST_RESERVED(20)

    // IAVXParamAccess
    int32_t SetValue(const GUID& typeId, const void* value, uint32_t byteCount) override;
    int32_t GetValueAt(const double* time, const GUID& typeId, void* out,
                       uint32_t byteCount) override;
    int32_t SetValueAt(const double* time, const GUID& typeId, const void* value,
                       uint32_t byteCount) override;
    int32_t QueryState() override;
    // IAVXParamKeys
    int32_t SetKey(const double* time, const GUID& typeId, const void* value,
                   uint32_t byteCount) override;

private:
    friend class ParamStore;
    // Callers hold the store's lock.
    Value valueAt(double time) const;
    void putKey(double time, Value v);
    bool accepts(const GUID& typeId, const void* p, uint32_t byteCount) const;
    // "t=2.5 Double 8", and "= value" for a value that is being written.
    std::string callText(bool timed, const double* time, const GUID& typeId, const void* written,
                         uint32_t byteCount) const;

    ParamStore& store_;
    const GUID id_;
    const GUID type_;
    Value value_;
    std::vector<Key> keys_;  // ordered by time
    std::vector<ParamWrite> writes_;
    int32_t queryState_ = 1;
};

class ParamStore {
public:
    ParamStore(Census& census, Journal& journal);
    ~ParamStore();
    ParamStore(const ParamStore&) = delete;
    ParamStore& operator=(const ParamStore&) = delete;

    // A parameter holding zero bytes of its type. Adding an existing id of the same type
    // gives the existing parameter; of another type throws std::logic_error. `name` (for
    // messages) defaults to the id's text.
    Param& add(const GUID& id, const GUID& type, std::string name = {});
    // Every parameter the component's layout tree shows, with its type and its Value
    // attribute as the value, plus a Bool for the EnabledBy switch of every group that
    // names no parameter (its default from the group's own Value attribute). Ids already
    // present are left alone. Returns how many were added.
    size_t addFromComponent(const ComponentRecord& component);
    // The module's references stay valid; GetParam no longer finds the id.
    void remove(const GUID& id);

    Param* find(const GUID& id);
    Param& param(const GUID& id);  // throws std::logic_error when missing
    std::vector<GUID> ids() const;
    size_t size() const;

    // Setters create a missing parameter with the setter's type; a parameter of another
    // type throws std::logic_error.
    void set(const GUID& id, const Value& v);
    void setDouble(const GUID& id, double v) { set(id, Value::ofDouble(v)); }
    void setInt(const GUID& id, int32_t v) { set(id, Value::ofInt(v)); }
    void setBool(const GUID& id, int32_t v) { set(id, Value::ofBool(v)); }
    void setTriple(const GUID& id, const std::array<double, 3>& v) { set(id, Value::ofTriple(v)); }
    void setKey(const GUID& id, double time, const Value& v);
    void setQueryState(const GUID& id, int32_t state);

    // The stored value (not a key).
    Value get(const GUID& id) const;
    double getDouble(const GUID& id) const { return get(id).asDouble(); }
    int32_t getInt(const GUID& id) const { return get(id).asInt(); }
    std::array<double, 3> getTriple(const GUID& id) const { return get(id).asTriple(); }
    // What GetValueAt hands out at `time`.
    Value valueAt(const GUID& id, double time) const;

    std::vector<Key> keys(const GUID& id) const;
    std::vector<ParamWrite> writes(const GUID& id) const;

private:
    friend class Param;
    Param* findLocked(const GUID& id) const;
    const Param& existing(const GUID& id) const;
    Param& addLocked(const GUID& id, const GUID& type, std::string name);

    Census& census_;
    Journal& journal_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<Param>> params_;
    std::vector<std::unique_ptr<Param>> removed_;
};

}  // namespace testhost
