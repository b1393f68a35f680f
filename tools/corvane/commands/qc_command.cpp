// corvane qc: the scope with its log on over every frame of a clip; the warning lines as they
// arrive, rows per offending frame, a summary, and exit status 1 when any frame is illegal.
#include <iostream>
#include <map>
#include <memory>
#include <optional>

extern "C" {
#include <libavutil/timecode.h>
}

#include "commands/commands.h"
#include "media_out.h"
#include "output_path.h"
#include "progress.h"
#include "qc_report.h"
#include "render_job.h"
#include "tool_error.h"

namespace corvane {

namespace {

constexpr const char* kScope = "Corvane REC.709 Oscilloscope";

std::function<std::string(int64_t)> timecodes(const SourceInfo& source) {
    AVTimecode tc{};
    const bool tagged =
        !source.timecode.empty() &&
        av_timecode_init_from_string(&tc, source.rate, source.timecode.c_str(), nullptr) == 0;
    if (!tagged && av_timecode_init(&tc, source.rate, 0, 0, nullptr) != 0)
        av_timecode_init(&tc, AVRational{25, 1}, 0, 0, nullptr);
    return [tc](int64_t frame) {
        char text[AV_TIMECODE_STR_SIZE];
        return std::string(av_timecode_make_string(&tc, text, static_cast<int>(frame)));
    };
}

}  // namespace

int qcCommand(const QcOptions& o) {
    ModuleSession session(ModuleSession::resolvePath(o.common.module));
    const auto& component = session.component(kScope);
    Panel panel(component, session.host().records());
    RenderPlan plan;
    plan.component = &component;
    plan.panel = &panel;
    plan.settings.push_back(parseSetting(panel, "Enable log to Console=on"));
    // Without the waveform the scope draws only its legal map: its cheapest mode.
    if (o.out.empty()) plan.settings.push_back(parseSetting(panel, "Waveform=off"));
    for (const std::string* report : {&o.out, &o.csv, &o.json})
        if (!report->empty()) requireNotAnInput(*report, {o.clip});
    parseFrameRange(o.frames, plan.first, plan.last);
    plan.threads = threadCount(o.common);
    auto source = openMedia(o.clip, plan.threads);
    plan.inputs.push_back(source.get());
    const SourceInfo& info = source->info();
    plan.working = chooseWorkingFormat(true, info.facts, {});

    const int64_t frames = plannedFrames(plan);
    std::optional<ReportFile> csv, json;
    if (!o.csv.empty()) csv.emplace(o.csv);
    if (!o.json.empty()) json.emplace(o.json);
    std::unique_ptr<MediaWriter> writer;
    if (!o.out.empty()) {
        OutputSettings out;
        out.path = o.out;
        out.width = info.width;
        out.height = info.height;
        out.rate = info.rate;
        out.interlaced = info.interlaced;
        out.topFieldFirst = info.topFieldFirst;
        out.threads = plan.threads;
        out.timecode = info.timecode;
        out.sourceFormat = info.format;
        out.preferred = preferredOutputFormat(plan.working, false);
        writer = std::make_unique<MediaWriter>(out, frames);
        plan.outputFormat = writer->pixelFormat();
    }

    QcReport report;
    Progress progress(frames, o.common.quiet);
    int64_t checked = 0;
    // Frames render side by side into one log, so a line may come out with a neighbour's
    // frame; held by the frame it names, it is printed once that frame is done, in order.
    std::multimap<int64_t, std::pair<std::string, QcFinding>> held;
    runRender(session, plan, [&](RenderedFrame& f) {
        for (const auto& line : f.log) {
            const auto finding = parseWarning(line);
            if (!finding) continue;
            std::string text = line;
            while (!text.empty() && (text.front() == '\n')) text.erase(text.begin());
            while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
            held.emplace(finding->frame, std::pair(std::move(text), *finding));
        }
        const auto done = held.upper_bound(f.index);
        for (auto it = held.begin(); it != done; ++it) {
            std::cout << it->second.first << "\n";
            report.add(it->second.second);
        }
        held.erase(held.begin(), done);
        if (writer) writer->write(*f.output);
        progress.update(++checked);
    });
    for (const auto& [frame, line] : held) {
        std::cout << line.first << "\n";
        report.add(line.second);
    }
    if (writer) writer->finish();
    const auto names = timecodes(info);
    if (csv) {
        report.writeCsv(csv->stream(), names);
        csv->commit();
    }
    if (json) {
        report.writeJson(json->stream(), checked, names);
        json->commit();
    }
    report.printSummary(std::cout, checked);
    return report.findings().empty() ? 0 : 1;
}

}  // namespace corvane
