#include "testhost/context.h"

#include "host/ids.h"
#include "host/status.h"
#include "testhost/inputs.h"
#include "testhost/journal.h"
#include "testhost/text.h"

namespace testhost {

EffectContext::EffectContext(Census& census, Journal& journal, std::string name)
    : Counted(census, journal, "context", std::move(name)), params_(census, journal) {}

void EffectContext::addInput(InputTrack& input) {
    std::lock_guard lock(mutex_);
    inputs_.push_back(&input);
}

void EffectContext::setInputs(std::vector<InputTrack*> inputs) {
    std::lock_guard lock(mutex_);
    inputs_ = std::move(inputs);
}

void EffectContext::setInputCount(std::optional<int32_t> count) {
    std::lock_guard lock(mutex_);
    inputCount_ = count;
}

void EffectContext::setProjectSize(int32_t width, int32_t height) {
    projectWidth_.store(width);
    projectHeight_.store(height);
}

void EffectContext::setAuxSize(int32_t width, int32_t height) {
    auxWidth_.store(width);
    auxHeight_.store(height);
}

int32_t EffectContext::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IACFUnknown, static_cast<IAVXEffectContext*>(this)}});
}

int32_t EffectContext::value(const char* op, int32_t v) {
    journal().enter(op, describe(), "", Result::Value);
    return v;
}

int32_t EffectContext::GetAuxWidth() { return value("GetAuxWidth", auxWidth_.load()); }
int32_t EffectContext::GetAuxHeight() { return value("GetAuxHeight", auxHeight_.load()); }
int32_t EffectContext::GetProjectWidth() { return value("GetProjectWidth", projectWidth_.load()); }
int32_t EffectContext::GetProjectHeight() {
    return value("GetProjectHeight", projectHeight_.load());
}
int32_t EffectContext::GetFrameCount() { return value("GetFrameCount", frameCount_.load()); }
int32_t EffectContext::GetUsageKind() { return value("GetUsageKind", usageKind_.load()); }

int32_t EffectContext::GetInputCount() {
    int32_t n;
    {
        std::lock_guard lock(mutex_);
        n = inputCount_.value_or(static_cast<int32_t>(inputs_.size()));
    }
    return value("GetInputCount", n);
}

int32_t EffectContext::GetInput(int32_t index, const GUID& trackKind, const GUID& iid, void** out) {
    const Verdict v = journal().enter(
        "GetInput", describe(), std::to_string(index) + " " + idName(trackKind) + " " + idName(iid),
        Result::StatusOut);
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (v.failed()) return v.status;
    if (v.nulled()) return status::kOk;
    if (!(trackKind == frame_request::InputTrackKind)) return status::kInvalidArgument;
    if (!(iid == iid::IAVXInputTrack)) return status::kNoInterface;
    InputTrack* input = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (index < 0 || static_cast<size_t>(index) >= inputs_.size())
            return status::kInvalidArgument;
        input = inputs_[static_cast<size_t>(index)];
    }
    if (!input) return status::kInvalidArgument;
    input->addRef();
    *out = static_cast<IAVXInputTrack*>(input);
    return status::kOk;
}

int32_t EffectContext::GetParam(const GUID& paramId, const GUID& iid, void** out) {
    Param* p = params_.find(paramId);
    const Verdict v = journal().enter(
        "GetParam", describe(),
        (p ? p->describe() : guidText(paramId) + " (none)") + " " + idName(iid), Result::StatusOut);
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (v.failed()) return v.status;
    if (v.nulled()) return status::kOk;
    if (!p) return status::kNoInterface;
    void* face = nullptr;
    if (iid == iid::IAVXParamAccess)
        face = p->accessFace();
    else if (iid == iid::IAVXParamKeys)
        face = p->keysFace();
    else
        return status::kNoInterface;
    p->addRef();
    *out = face;
    return status::kOk;
}

}  // namespace testhost
