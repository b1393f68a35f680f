#include "testhost/host.h"

#include <atomic>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/text.h"

namespace testhost {

// The auxiliary interface has no operations; it is only held, so it gets an object of its
// own to show up in the census by name.
class HostAuxiliary final : public IACFHostAuxiliary, public Counted {
public:
    HostAuxiliary(Census& census, Journal& journal)
        : Counted(census, journal, "auxiliary", "host") {}

    int32_t QueryInterface(const GUID& iid, void** out) override {
        return answer(iid, out, {{iid::IACFHostAuxiliary, static_cast<IACFHostAuxiliary*>(this)}});
    }
    TESTHOST_COUNTING
};

class HostObject final : public IACFHostFactory, public Counted {
public:
    HostObject(Census& census, Journal& journal, Records& records, HostAuxiliary& auxiliary,
               Log& log)
        : Counted(census, journal, "host", "host"),
          records_(records),
          auxiliary_(auxiliary),
          log_(log) {}

    void offer(const GUID& iid, bool on) {
        if (iid == iid::IACFHostFactory) factory_.store(on);
        if (iid == iid::IACFHostAuxiliary) auxiliaryOn_.store(on);
        if (iid == iid::IACFHostLog) logOn_.store(on);
    }

    int32_t QueryInterface(const GUID& iid, void** out) override {
        std::vector<Face> faces{{iid::IACFUnknown, static_cast<IACFHostFactory*>(this)}};
        if (factory_.load())
            faces.push_back({iid::IACFHostFactory, static_cast<IACFHostFactory*>(this)});
        if (auxiliaryOn_.load())
            faces.push_back({iid::IACFHostAuxiliary, static_cast<IACFHostAuxiliary*>(&auxiliary_),
                             &auxiliary_});
        if (logOn_.load())
            faces.push_back({iid::IACFHostLog, static_cast<IACFHostLog*>(&log_), &log_});
        return answer(iid, out, faces.data(), faces.data() + faces.size());
    }
    TESTHOST_COUNTING

    int32_t CreateObject(const GUID& classId, IACFUnknown* outer, const GUID& iid,
                         void** out) override {
        const Verdict v = journal().enter("CreateObject", describe(),
                                          idName(classId) + (outer ? " outer " : " ") + idName(iid),
                                          Result::StatusOut);
        if (!out) return status::kInvalidArgument;
        *out = nullptr;
        if (v.failed()) return v.status;
        if (v.nulled()) return status::kOk;
        return records_.createObject(classId, outer, iid, out);
    }
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    int32_t FindObject(const GUID& objectId, const GUID& iid, void** out) override {
        const Verdict v = journal().enter(
            "FindObject", describe(), guidText(objectId) + " " + idName(iid), Result::StatusOut);
        if (!out) return status::kInvalidArgument;
        *out = nullptr;
        if (v.failed()) return v.status;
        if (v.nulled()) return status::kOk;
        return records_.findObject(objectId, iid, out);
    }

private:
    Records& records_;
    HostAuxiliary& auxiliary_;
    Log& log_;
    std::atomic<bool> factory_{true}, auxiliaryOn_{true}, logOn_{true};
};

Host::Host()
    : records_(std::make_unique<Records>(census_, journal_)),
      log_(std::make_unique<Log>(census_, journal_, "host")),
      auxiliary_(std::make_unique<HostAuxiliary>(census_, journal_)),
      object_(std::make_unique<HostObject>(census_, journal_, *records_, *auxiliary_, *log_)) {}

Host::~Host() = default;

IACFUnknown* Host::unknown() { return static_cast<IACFHostFactory*>(object_.get()); }

void Host::offer(const GUID& iid, bool on) { object_->offer(iid, on); }

template <class T, class... Args>
T& Host::keep(Args&&... args) {
    auto object = std::make_unique<T>(census_, journal_, std::forward<Args>(args)...);
    T& ref = *object;
    std::lock_guard lock(mutex_);
    owned_.push_back(std::move(object));
    return ref;
}

Frame& Host::makeFrame(const FrameShape& shape, std::string name) {
    return keep<Frame>(shape, std::move(name));
}

InputTrack& Host::makeInput(std::string name, Frame* frame) {
    InputTrack& t = keep<InputTrack>(std::move(name));
    t.setFrame(frame);
    return t;
}

OutputSet& Host::makeOutput(std::string name, Frame* frame) {
    return keep<OutputSet>(std::move(name), frame);
}

EffectContext& Host::makeContext(std::string name) { return keep<EffectContext>(std::move(name)); }

EffectContext& Host::makeContextFor(const ComponentRecord& component, std::string name) {
    EffectContext& c = makeContext(std::move(name));
    c.params().addFromComponent(component);
    return c;
}

RenderTime& Host::makeRenderTime(int32_t frameTime, std::string name) {
    return keep<RenderTime>(std::move(name), frameTime);
}

RenderField& Host::makeRenderField(double paramTime, int32_t field, std::string name) {
    return keep<RenderField>(std::move(name), paramTime, field);
}

}  // namespace testhost
