// The two frame requests every render makes, with the host's fixed arguments: the output
// frame, and the input track at an index. Each raises a failing status, or 0x80000005 for
// a missing object.
#pragma once

#include <cstdint>

#include "host/guard.h"
#include "host/host_ref.h"
#include "host/ids.h"
#include "host/interfaces.h"

inline HostRef<IAVXFrameBuffer> outputFrame(IAVXOutputSet* outputSet) {
    HostRef<IAVXFrameBuffer> frame;
    check(require(outputSet)->GetOutputFrame(frame_request::kOutputIndex,
                                             frame_request::OutputFrameKind, iid::IAVXFrameBuffer,
                                             frame.putVoid()));
    require(frame.get());
    return frame;
}

inline HostRef<IAVXInputTrack> inputTrack(IAVXEffectContext& context, int32_t index) {
    HostRef<IAVXInputTrack> track;
    check(context.GetInput(index, frame_request::InputTrackKind, iid::IAVXInputTrack,
                           track.putVoid()));
    require(track.get());
    return track;
}
