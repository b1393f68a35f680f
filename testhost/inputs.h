// Where a render gets its frames: input tracks that hand out frames by time and field, and
// the output set that hands out the frame to write.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "host/interfaces.h"
#include "testhost/object.h"

namespace testhost {

class Frame;

struct Fetch {
    int32_t time = 0;
    int32_t field = 0;
    int32_t fieldMode = 0;
};

class InputTrack final : public IAVXInputTrack, public Counted {
public:
    InputTrack(Census& census, Journal& journal, std::string name);

    // The frame handed out for every field that has none of its own.
    void setFrame(Frame* frame);
    void setFrame(Frame& frame) { setFrame(&frame); }
    void setFrameForField(int32_t field, Frame& frame);
    // Decides per fetch (a clip, say); a null result falls back to the frames above.
    void setSource(std::function<Frame*(const Fetch&)> source);
    // Fetching `field` fails with `status`.
    void refuseField(int32_t field, int32_t status);

    // Every FetchFrame call with an out argument, refused and failed ones included.
    std::vector<Fetch> fetches() const;

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    TESTHOST_RESERVED(3)
    TESTHOST_RESERVED(4)
    // A track without a frame for the field fails with 0x8000FFFF.
    int32_t FetchFrame(int32_t frameTime, int32_t field, int32_t fieldMode,
                       IAVXFrameBuffer** out) override;

private:
    mutable std::mutex mutex_;
    Frame* frame_ = nullptr;
    std::map<int32_t, Frame*> perField_;
    std::map<int32_t, int32_t> refused_;
    std::function<Frame*(const Fetch&)> source_;
    std::vector<Fetch> fetches_;
};

class OutputSet final : public IAVXOutputSet, public Counted {
public:
    OutputSet(Census& census, Journal& journal, std::string name, Frame* frame);

    void setFrame(Frame* frame);
    void setFrame(Frame& frame) { setFrame(&frame); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    TESTHOST_RESERVED(3)
    // Index other than 0 or another frame kind: 0x80000003; an iid other than
    // IAVXFrameBuffer: 0x80000004; no frame set: 0x8000FFFF.
    int32_t GetOutputFrame(int32_t index, const GUID& frameKind, const GUID& iid,
                           void** out) override;

private:
    std::atomic<Frame*> frame_;
};

}  // namespace testhost
