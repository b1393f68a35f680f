// corvane: the command-line host of the Corvane module. Argument wiring only; the verbs live in
// commands/.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

extern "C" {
#include <libavutil/log.h>
}

#include "commands/commands.h"
#include "module_session.h"
#include "tool_error.h"

namespace {

void addCommon(CLI::App& app, corvane::CommonOptions& o, bool threads) {
    app.add_option("--module", o.module,
                   "The module file (default: $CORVANE_MODULE, else the one built with corvane)");
    app.add_flag("-q,--quiet", o.quiet, "No progress line and no closing note");
    if (threads)
        app.add_option("--threads", o.threads,
                       "Frames rendered at once (default: the machine's cores)")
            ->check(CLI::PositiveNumber);
}

void addFormat(CLI::App& app, corvane::FormatRequest& f) {
    app.add_option("--depth", f.depth,
                   "Working depth: 8, 2.14 or float (default: from the source)");
    app.add_option("--layout", f.layout,
                   "Working layout: bgra, rgba, argb, cbycry or ycbycr (default: bgra for RGB "
                   "effects, cbycry for the field swap and the scope)");
    app.add_option("--range", f.range,
                   "Working range: video or full (default: full for RGB, video for 4:2:2)");
}

}  // namespace

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_QUIET);
    CLI::App app{
        "corvane: renders pictures and clips through the Corvane module, checks clips "
        "against the Rec.709 legal range, and shows every effect in a demo"};
    app.require_subcommand(0, 1);
    bool version = false;
    std::string versionModule;
    app.add_flag("--version", version, "Print the program's and the module's versions");
    app.add_option("--module", versionModule, "The module file, for --version");

    corvane::ListOptions list;
    auto* listCmd =
        app.add_subcommand("list", "The plug-in and its five effects with their panels");
    addCommon(*listCmd, list.common, false);
    listCmd->add_flag("--json", list.json, "As JSON");

    corvane::RenderOptions render;
    auto* renderCmd =
        app.add_subcommand("render", "Render one effect over stills, sequences or clips");
    renderCmd
        ->add_option("EFFECT", render.effect,
                     "\"Corvane generic\", a short name (generic, alpha, matte, fieldswap, "
                     "scope) or an index")
        ->required();
    renderCmd->add_option("-i,--input", render.inputs, "An input, in pin order (up to three)")
        ->required();
    renderCmd
        ->add_option("-o,--output", render.output,
                     "The output; its extension picks the format, a pattern such as "
                     "out.%04d.png writes a sequence")
        ->required();
    renderCmd->add_option("--set", render.sets,
                          "NAME=VALUE, by key, label or group/label; keys over time as "
                          "VALUE@FRAME,VALUE@FRAME");
    renderCmd->add_option("--frames", render.frames, "FIRST:LAST, counted from 0");
    renderCmd->add_option("--codec", render.codec,
                          "Another encoder (prores_ks, v210, ffv1, dnxhd, libx264, ...)");
    addFormat(*renderCmd, render.format);
    addCommon(*renderCmd, render.common, true);

    corvane::QcOptions qc;
    auto* qcCmd = app.add_subcommand(
        "qc",
        "Check every frame of a clip against the Rec.709 legal range; exit 1 when any is out");
    qcCmd->add_option("CLIP", qc.clip, "The clip, or a picture sequence")->required();
    qcCmd->add_option("--csv", qc.csv, "One row per offending frame, as CSV");
    qcCmd->add_option("--json", qc.json, "The rows and the summary, as JSON");
    qcCmd->add_option("--out", qc.out, "Also write the scope's picture (waveform and vectorscope)");
    qcCmd->add_option("--frames", qc.frames, "FIRST:LAST, counted from 0");
    addCommon(*qcCmd, qc.common, true);

    corvane::DemoOptions demo;
    auto* demoCmd = app.add_subcommand(
        "demo", "Render built-in pictures through every effect into PNG files and a contact sheet");
    demoCmd->add_option("DIR", demo.directory, "Where the pictures go")->capture_default_str();
    addCommon(*demoCmd, demo.common, true);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }
    try {
        if (version) {
            std::cout << "corvane " << CORVANE_TOOL_VERSION << "\n";
            corvane::ModuleSession session(corvane::ModuleSession::resolvePath(versionModule));
            session.createEffect(*session.components().front());
            std::cout << "module " << session.path() << ": " << session.moduleVersion() << "\n";
            return 0;
        }
        if (*listCmd) return corvane::listCommand(list);
        if (*renderCmd) return corvane::renderCommand(render);
        if (*qcCmd) return corvane::qcCommand(qc);
        if (*demoCmd) return corvane::demoCommand(demo);
        std::cout << app.help();
        return 0;
    } catch (const corvane::ToolError& e) {
        std::fflush(stdout);
        std::cerr << "corvane: " << e.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "corvane: out of memory\n";
    } catch (const std::exception& e) {
        std::cerr << "corvane: " << e.what() << "\n";
    }
    return 2;
}
