// corvane demo: built-in pictures through every effect into PNG files and a contact sheet.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "commands/commands.h"
#include "contact_sheet.h"
#include "demo_pictures.h"
#include "host/status.h"
#include "media_out.h"
#include "render_job.h"
#include "testhost/text.h"
#include "tool_error.h"

namespace corvane {

namespace {

constexpr int kWidth = 320, kHeight = 180;

struct DemoRender {
    std::string effect;               // short name
    std::vector<std::string> inputs;  // picture names
    std::vector<std::string> sets;
    std::string label;
};

std::vector<DemoRender> demoRenders() {
    std::vector<DemoRender> out;
    const char* modes[] = {"Normal",
                           "Fill with Magic",
                           "Darken",
                           "Multiply",
                           "Color Burn",
                           "Linear Burn",
                           "Lighten",
                           "Screen",
                           "Color Dodge",
                           "Add",
                           "Linear Dodge(Add)",
                           "Overlay",
                           "Softlight",
                           "Hardlight",
                           "Vivid Light",
                           "Linear Light",
                           "Pin Light",
                           "Hard Mix",
                           "Difference",
                           "Exclusion",
                           "Subtract",
                           "Negation",
                           "Reflect",
                           "Glow",
                           "Phoenix"};
    for (const char* m : modes)
        out.push_back({"generic", {"bars", "sweep"}, {std::string("Blend Mode=") + m}, m});
    for (const char* m : {"Normal", "Overlay", "Multiply", "Screen"})
        out.push_back({"generic",
                       {"bars", "sweep"},
                       {std::string("Blend Mode=") + m, "Blend as Percent=50"},
                       std::string(m) + ", mix 50%"});
    for (const char* m : {"Fill with Magic", "Overlay", "Color Dodge", "Hard Mix"})
        for (const char* magic : {"50", "150"})
            out.push_back({"generic",
                           {"bars", "sweep"},
                           {std::string("Blend Mode=") + m, std::string("the Magic=") + magic},
                           std::string(m) + ", Magic " + magic});
    out.push_back(
        {"generic",
         {"bars", "sweep"},
         {"Blend Mode=Normal", "Enable FG Correction=on", "FG PreCorrection/Saturation=30",
          "FG PreCorrection/Contrast=60", "FG PreCorrection/Brightness=20"},
         "FG correction"});
    out.push_back({"generic",
                   {"bars", "sweep"},
                   {"Blend Mode=Screen", "Enable Output Correction=on", "Invert Out=on",
                    "Output correction/Saturation=150"},
                   "Output correction"});
    const char* sources[] = {"Alpha: Matte", "Alpha: Red",       "Alpha: Green",
                             "Alpha: Blue",  "Alpha: Hue",       "Alpha: Saturation",
                             "Alpha: Value", "Alpha: Luminance", "Alpha: Lightness"};
    for (const char* s : sources)
        out.push_back({"matte",
                       {"bars", "sweep", "matte"},
                       {std::string("Alpha source=") + s, "Show Alpha=on"},
                       s});
    out.push_back({"matte",
                   {"bars", "sweep", "matte"},
                   {"Alpha source=Alpha: Luminance"},
                   "Matte key, luminance"});
    out.push_back(
        {"matte",
         {"bars", "sweep", "matte"},
         {"Alpha source=Alpha: Luminance", "Enable alpha range=on", "Alpha range/Value=128",
          "Alpha range/Range=40", "SoftL=30", "SoftH=30", "Show Alpha=on"},
         "Keying window"});
    out.push_back({"alpha", {"bars", "sweep", "matte"}, {}, "Alpha advanced (Overlay)"});
    out.push_back({"fieldswap", {"fields"}, {}, "Field swap"});
    out.push_back({"scope", {"ramp"}, {"Waveform=off"}, "Scope: legal map"});
    const char* palettes[] = {"0: Default", "1: No map", "2: Shadows", "3: Highlights",
                              "4: Shaded"};
    for (const char* p : palettes)
        out.push_back({"scope",
                       {"ramp"},
                       {"Waveform=off", "False Color=on", std::string("Palette=") + p},
                       std::string("False colour ") + p});
    out.push_back({"scope", {"bars"}, {}, "Waveform and vectorscope"});
    out.push_back({"scope", {"ramp"}, {"Resize Waveform=off"}, "Averaged waveform"});
    return out;
}

std::string fileName(size_t index, const std::string& label) {
    std::string name;
    for (char c : label) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::tolower(c));
        else if (!name.empty() && name.back() != '-')
            name += '-';
    }
    while (!name.empty() && name.back() == '-') name.pop_back();
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02zu-", index + 1);
    return prefix + name + ".png";
}

}  // namespace

int demoCommand(const DemoOptions& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(o.directory, ec);
    if (ec) throw ToolError(o.directory + ": cannot make the folder: " + ec.message());
    ModuleSession session(ModuleSession::resolvePath(o.common.module));

    std::map<std::string, std::unique_ptr<FrameSource>> pictures;
    pictures["bars"] = pictureSource(colourBars(kWidth, kHeight), "colour bars");
    pictures["sweep"] =
        pictureSource(hueSaturationSweep(kWidth, kHeight), "hue and saturation sweep");
    pictures["matte"] = pictureSource(softMatte(kWidth, kHeight), "soft matte");
    pictures["ramp"] = pictureSource(lumaRamp(kWidth, kHeight), "luma ramp");
    pictures["fields"] = pictureSource(twoFieldPicture(kWidth, kHeight), "two fields", true);

    // Whether this module's scope renders at all: asked once, plainly, before its pictures.
    bool scopeRenders = true;
    {
        const auto& scope = session.component("scope");
        Panel panel(scope, session.host().records());
        RenderPlan probe;
        probe.component = &scope;
        probe.panel = &panel;
        probe.inputs.push_back(pictures.at("ramp").get());
        probe.working = chooseWorkingFormat(true, probe.inputs.front()->info().facts, {});
        try {
            runRender(session, probe, [](RenderedFrame&) {});
        } catch (const ModuleFailure& e) {
            if (e.status() != status::kNotImplemented) throw;
            scopeRenders = false;
        }
    }

    ContactSheet sheet;
    std::vector<std::string> notes, written;
    size_t skipped = 0;
    const auto renders = demoRenders();
    for (size_t i = 0; i < renders.size(); ++i) {
        const DemoRender& r = renders[i];
        if (r.effect == "scope" && !scopeRenders) {
            ++skipped;
            continue;
        }
        const auto& component = session.component(r.effect);
        Panel panel(component, session.host().records());
        RenderPlan plan;
        plan.component = &component;
        plan.panel = &panel;
        for (const auto& s : r.sets) plan.settings.push_back(parseSetting(panel, s));
        for (const auto& in : r.inputs) plan.inputs.push_back(pictures.at(in).get());
        const bool ycbcr = r.effect == "scope" || r.effect == "fieldswap";
        plan.working = chooseWorkingFormat(ycbcr, plan.inputs.front()->info().facts, {});
        const std::string file = fileName(i, r.label);
        OutputSettings out;
        out.path = o.directory + "/" + file;
        out.width = kWidth;
        out.height = kHeight;
        out.interlaced = plan.inputs.front()->info().interlaced;
        out.preferred = AV_PIX_FMT_RGB24;
        out.sourceFormat = AV_PIX_FMT_RGB24;
        FramePtr picture;
        MediaWriter writer(out, 1);
        plan.outputFormat = writer.pixelFormat();
        runRender(session, plan, [&](RenderedFrame& f) {
            writer.write(*f.output);
            picture = std::move(f.output);
        });
        writer.finish();
        sheet.add(file, r.label, *picture);
        written.push_back(out.path);
    }
    if (skipped)
        notes.push_back("The scope's " + std::to_string(skipped) +
                        " pictures are missing: this module's oscilloscope answers "
                        "0x80000001 not implemented.");
    for (const auto& f : sheet.write(o.directory, notes)) written.push_back(f);
    if (!o.common.quiet) {
        for (const auto& n : notes) std::cout << "note: " << n << "\n";
        std::cout << "wrote " << written.size() << " files to " << o.directory << "/\n"
                  << "open " << o.directory << "/index.html (contact sheet: " << o.directory
                  << "/contact-sheet.png)\n";
    }
    return 0;
}

}  // namespace corvane
