// corvane render: one effect over stills, sequences or clips into a file of the same kind.
#include <iostream>
#include <memory>
#include <thread>

#include "commands/commands.h"
#include "media_out.h"
#include "output_path.h"
#include "progress.h"
#include "render_job.h"
#include "testhost/text.h"
#include "tool_error.h"

namespace corvane {

namespace {

bool takesYCbCr(const testhost::ComponentRecord& c) {
    for (const auto& f : c.formats)
        if (f.layout == code::kYCbYCr || f.layout == code::kCbYCrY) return true;
    return false;
}

// Whether the instance, once set up and given the user's settings, has alpha on at the first
// frame: only then does the output alpha carry anything (the module writes 0 without a matte).
bool alphaOn(ModuleSession& session, const RenderPlan& plan) {
    const PanelParam* enabler = plan.panel->find("corvane.alphalist.enabler");
    if (!enabler) return false;
    auto& context = session.host().makeContextFor(*plan.component, "alpha probe");
    HostRef<IAVXEffect> effect = session.createEffect(*plan.component);
    checkModule(effect->SetUpInstance(&context), "set-up");
    for (const auto& s : plan.settings) applySetting(s, context.params());
    return context.params().valueAt(enabler->id, static_cast<double>(plan.first)).asInt() == 1;
}

}  // namespace

void parseFrameRange(const std::string& text, int64_t& first, int64_t& last) {
    first = 0;
    last = -1;
    if (text.empty()) return;
    const auto colon = text.find(':');
    try {
        size_t used = 0;
        const std::string a = text.substr(0, colon);
        first = a.empty() ? 0 : std::stoll(a, &used);
        if (!a.empty() && used != a.size()) throw std::invalid_argument(a);
        if (colon == std::string::npos) {
            last = first;
        } else if (colon + 1 < text.size()) {
            const std::string b = text.substr(colon + 1);
            last = std::stoll(b, &used);
            if (used != b.size()) throw std::invalid_argument(b);
        }
    } catch (const std::logic_error&) {
        throw ToolError("--frames is FIRST:LAST, got \"" + text + "\"");
    }
    if (first < 0 || (last >= 0 && last < first))
        throw ToolError("--frames " + text + " is not a range of frames");
}

int threadCount(const CommonOptions& o) {
    if (o.threads > 0) return o.threads;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

int renderCommand(const RenderOptions& o) {
    ModuleSession session(ModuleSession::resolvePath(o.common.module));
    const auto& component = session.component(o.effect);
    Panel panel(component, session.host().records());
    RenderPlan plan;
    plan.component = &component;
    plan.panel = &panel;
    for (const auto& s : o.sets) plan.settings.push_back(parseSetting(panel, s));
    parseFrameRange(o.frames, plan.first, plan.last);
    plan.threads = threadCount(o.common);

    requireNotAnInput(o.output, o.inputs);
    std::vector<std::unique_ptr<FrameSource>> sources;
    for (const auto& path : o.inputs) sources.push_back(openMedia(path, plan.threads));
    for (auto& s : sources) plan.inputs.push_back(s.get());
    if (plan.inputs.empty()) throw ToolError("render needs an input (-i FILE)");
    const SourceInfo& first = plan.inputs.front()->info();
    plan.working = chooseWorkingFormat(takesYCbCr(component), first.facts, o.format);

    const int64_t frames = plannedFrames(plan);
    OutputSettings out;
    out.path = o.output;
    out.codec = o.codec;
    out.width = first.width;
    out.height = first.height;
    out.rate = first.rate;
    out.interlaced = first.interlaced;
    out.topFieldFirst = first.topFieldFirst;
    out.threads = plan.threads;
    out.startNumber = first.startNumber + static_cast<int>(plan.first);
    out.timecode = first.timecode;
    out.sourceFormat = first.format;
    out.alpha = alphaOn(session, plan);
    out.preferred = preferredOutputFormat(plan.working, out.alpha);
    MediaWriter writer(out, frames);
    plan.outputFormat = writer.pixelFormat();

    Progress progress(frames, o.common.quiet);
    int64_t done = 0;
    runRender(session, plan, [&](RenderedFrame& f) {
        writer.write(*f.output);
        progress.update(++done);
    });
    if (done == 0) throw ToolError("no frame to render in " + first.path);
    writer.finish();
    if (!o.common.quiet)
        std::cout << "wrote " << o.output << ": " << done << (done == 1 ? " frame" : " frames")
                  << " through " << testhost::utf8(component.displayName) << " in "
                  << plan.working.text() << "\n";
    return 0;
}

}  // namespace corvane
