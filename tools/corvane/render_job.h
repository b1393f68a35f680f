// One effect rendered over the frames of its inputs. The inputs are decoded ahead on a thread
// of their own; N frames render at once, each on a slot of its own (effect instance, context,
// inputs, frames and converters); results come back in frame order. Interlaced material
// renders field by field, as the editor passes it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ffmpeg_util.h"
#include "media_in.h"
#include "module_session.h"
#include "panel.h"
#include "param_values.h"
#include "working_format.h"

namespace corvane {

struct RenderPlan {
    const testhost::ComponentRecord* component = nullptr;
    const Panel* panel = nullptr;
    std::vector<ParamSetting> settings;  // applied after the instance's own set-up
    WorkingFormat working;
    std::vector<FrameSource*> inputs;  // in pin order
    int64_t first = 0;
    int64_t last = -1;  // inclusive; -1: to the end of the shortest clip
    int threads = 1;
    AVPixelFormat outputFormat = AV_PIX_FMT_NONE;  // NONE: no output frames wanted
};

struct RenderedFrame {
    int64_t index = 0;
    FramePtr output;               // null when no output format was asked
    std::vector<std::string> log;  // the module's log lines printed while this frame rendered
};

// The frames a plan covers, or -1 when the inputs do not say.
int64_t plannedFrames(const RenderPlan& plan);

// Checks the inputs against the component (count, sizes, formats), then renders every frame;
// `sink` sees them in order. Raises ToolError for a bad plan or a failing render.
void runRender(ModuleSession& session, const RenderPlan& plan,
               const std::function<void(RenderedFrame&)>& sink);

}  // namespace corvane
