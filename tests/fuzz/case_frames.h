// The frames of one case: the output frame and the input tracks, decoded from the fuzzer's
// bytes and made on the case's host. Every frame sits between guard pages.
#pragma once

#include <cstdint>
#include <vector>

#include "fuzz_bytes.h"
#include "testhost/host.h"

// A failure status of the host's own, which the module has no name for and passes on.
inline constexpr int32_t kHostOwnFailure = static_cast<int32_t>(0x80073333u);

struct CaseFrames {
    testhost::Frame* output = nullptr;
    testhost::OutputSet* outputSet = nullptr;
    // Every frame handed out as an input, each once.
    std::vector<testhost::Frame*> inputs;
    // Every frame of the case, the output included.
    std::vector<testhost::Frame*> all;
};

// Decodes the output frame (a format the component announces most of the time, any codes
// now and then; 0 to 64 pixels a side, rarely up to 192) and 0 to 5 input tracks on `context`: each
// with a frame of its own (smaller, equal or larger, in the output's format or another), the output
// frame itself, an earlier input's frame, a frame sharing the output's pixels, or no frame at all.
// Now and then the output's pixels then lie inside a larger input's, at any offset.
CaseFrames decodeFrames(FuzzBytes& in, testhost::Host& host,
                        const testhost::ComponentRecord& component,
                        testhost::EffectContext& context);
