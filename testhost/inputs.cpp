#include "testhost/inputs.h"

#include "host/ids.h"
#include "host/status.h"
#include "testhost/frames.h"
#include "testhost/journal.h"
#include "testhost/text.h"

namespace testhost {

// ---- InputTrack ----

InputTrack::InputTrack(Census& census, Journal& journal, std::string name)
    : Counted(census, journal, "input", std::move(name)) {}

void InputTrack::setFrame(Frame* frame) {
    std::lock_guard lock(mutex_);
    frame_ = frame;
}

void InputTrack::setFrameForField(int32_t field, Frame& frame) {
    std::lock_guard lock(mutex_);
    perField_[field] = &frame;
}

void InputTrack::setSource(std::function<Frame*(const Fetch&)> source) {
    std::lock_guard lock(mutex_);
    source_ = std::move(source);
}

void InputTrack::refuseField(int32_t field, int32_t status) {
    std::lock_guard lock(mutex_);
    refused_[field] = status;
}

std::vector<Fetch> InputTrack::fetches() const {
    std::lock_guard lock(mutex_);
    return fetches_;
}

int32_t InputTrack::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IAVXInputTrack, static_cast<IAVXInputTrack*>(this)}});
}

int32_t InputTrack::FetchFrame(int32_t frameTime, int32_t field, int32_t fieldMode,
                               IAVXFrameBuffer** out) {
    const Verdict v =
        journal().enter("FetchFrame", describe(),
                        "time " + std::to_string(frameTime) + " field " + std::to_string(field) +
                            " mode " + std::to_string(fieldMode),
                        Result::StatusOut);
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    const Fetch fetch{frameTime, field, fieldMode};
    std::function<Frame*(const Fetch&)> source;
    Frame* frame = nullptr;
    {
        std::lock_guard lock(mutex_);
        fetches_.push_back(fetch);
        if (v.failed()) return v.status;
        if (v.nulled()) return status::kOk;
        if (auto r = refused_.find(field); r != refused_.end()) return r->second;
        source = source_;
        auto f = perField_.find(field);
        frame = f != perField_.end() ? f->second : frame_;
    }
    // The source runs unlocked: it may well set frames on this track.
    if (source)
        if (Frame* chosen = source(fetch)) frame = chosen;
    if (!frame) return status::kUnexpected;
    frame->addRef();
    *out = frame;
    return status::kOk;
}

// ---- OutputSet ----

OutputSet::OutputSet(Census& census, Journal& journal, std::string name, Frame* frame)
    : Counted(census, journal, "output set", std::move(name)), frame_(frame) {}

void OutputSet::setFrame(Frame* frame) { frame_.store(frame); }

int32_t OutputSet::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IACFUnknown, static_cast<IAVXOutputSet*>(this)}});
}

int32_t OutputSet::GetOutputFrame(int32_t index, const GUID& frameKind, const GUID& iid,
                                  void** out) {
    const Verdict v = journal().enter(
        "GetOutputFrame", describe(),
        std::to_string(index) + " " + idName(frameKind) + " " + idName(iid), Result::StatusOut);
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (v.failed()) return v.status;
    if (v.nulled()) return status::kOk;
    if (index != frame_request::kOutputIndex || !(frameKind == frame_request::OutputFrameKind))
        return status::kInvalidArgument;
    if (!(iid == iid::IAVXFrameBuffer)) return status::kNoInterface;
    Frame* frame = frame_.load();
    if (!frame) return status::kUnexpected;
    frame->addRef();
    *out = static_cast<IAVXFrameBuffer*>(frame);
    return status::kOk;
}

}  // namespace testhost
