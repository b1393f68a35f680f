// The oscilloscope's pictures against reference images a person can open: 75 % colour bars
// and a luma ramp through every waveform and vectorscope variant, 8-bit CbYCrY (and once
// YCbYCr), compared as RGB within a small tolerance. CORVANE_REGENERATE_GOLDEN=1 rewrites
// the references in tests/golden/ instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "effects/corvane_ids.h"
#include "media_in.h"
#include "media_out.h"
#include "module_session.h"
#include "working_format.h"

namespace {

namespace param = corvane_id::param;
constexpr int kWidth = 320, kHeight = 180;

// The bars' codes (Y, Cb, Cr), white to blue, then a ramp over every luma code.
constexpr uint8_t kBars[7][3] = {{180, 128, 128}, {168, 44, 136}, {145, 147, 44}, {133, 63, 52},
                                 {63, 193, 204},  {51, 109, 212}, {28, 212, 120}};

std::vector<uint8_t> picture(bool bars, int32_t layout) {
    std::vector<uint8_t> bytes(size_t{kWidth} * kHeight * 2);
    for (size_t pair = 0; pair < bytes.size() / 4; ++pair) {
        const int x = static_cast<int>(pair * 2 % kWidth);
        const uint8_t* bar = kBars[x * 7 / kWidth];
        const auto ramp = static_cast<uint8_t>(x * 255 / (kWidth - 1));
        const uint8_t y = bars ? bar[0] : ramp, cb = bars ? bar[1] : 128, cr = bars ? bar[2] : 128;
        uint8_t* p = &bytes[pair * 4];
        if (layout == 1)
            p[0] = y, p[1] = cb, p[2] = y, p[3] = cr;
        else
            p[0] = cb, p[1] = y, p[2] = cr, p[3] = y;
    }
    return bytes;
}

struct Golden {
    const char* name;
    bool bars;
    int32_t layout;
    bool falseColour, resized;
};
constexpr Golden kGoldens[] = {
    {"bars-averaged", true, 2, false, false},   {"bars-full", true, 2, false, true},
    {"bars-fc-waveform", true, 2, true, true},  {"bars-fc-strip", true, 2, true, false},
    {"ramp-averaged", false, 2, false, false},  {"ramp-full", false, 2, false, true},
    {"ramp-fc-waveform", false, 2, true, true}, {"ramp-fc-strip", false, 2, true, false},
    {"bars-full-ycbycr", true, 1, false, true},
};

// The scope's output for `g`, as RGB.
corvane::FramePtr render(const Golden& g) {
    corvane::ModuleSession session(corvane::ModuleSession::resolvePath(""));
    testhost::Host& host = session.host();
    const testhost::ComponentRecord& scope = session.component("scope");
    HostRef<IAVXEffect> effect = session.createEffect(scope);
    testhost::EffectContext& context = host.makeContextFor(scope, "context");
    context.params().setBool(param::FalseColourOn, g.falseColour);
    context.params().setBool(param::ResizeWaveform, g.resized);
    const testhost::FrameShape shape{.width = kWidth,
                                     .height = kHeight,
                                     .depth = 1,
                                     .layout = g.layout,
                                     .range = 1,
                                     .colourSpace = 4};
    testhost::Frame& in = host.makeFrame(shape, "input");
    testhost::Frame& out = host.makeFrame(shape, "output");
    const auto bytes = picture(g.bars, g.layout);
    std::memcpy(in.data(), bytes.data(), bytes.size());
    context.addInput(host.makeInput("track", &in));
    EXPECT_EQ(effect->Render(&context, nullptr, nullptr, &host.makeRenderTime(0), nullptr,
                             &host.makeRenderField(0.0, 0), &host.makeOutput("outputs", &out)),
              0);
    const corvane::WorkingFormat working{
        .depth = 1, .layout = g.layout, .range = 1, .colourSpace = 4};
    return corvane::FromWorking(working, AV_PIX_FMT_RGB24, kWidth, kHeight)(out.data());
}

TEST(ScopeGolden, EveryVariantMatchesItsReference) {
    const bool regenerate = std::getenv("CORVANE_REGENERATE_GOLDEN") != nullptr;
    for (const Golden& g : kGoldens) {
        SCOPED_TRACE(g.name);
        const std::string path = std::string(CORVANE_GOLDEN_DIR) + "/scope-" + g.name + ".png";
        const corvane::FramePtr rgb = render(g);
        if (regenerate) {
            corvane::OutputSettings s;
            s.path = path, s.width = kWidth, s.height = kHeight;
            s.sourceFormat = s.preferred = AV_PIX_FMT_RGB24;
            corvane::MediaWriter writer(s, 1);
            writer.write(*rgb);
            writer.finish();
            continue;
        }
        ASSERT_TRUE(std::filesystem::exists(path)) << "run with CORVANE_REGENERATE_GOLDEN=1";
        const corvane::FramePtr golden = corvane::openMedia(path, 1)->next();
        ASSERT_TRUE(golden);
        ASSERT_EQ(golden->format, AV_PIX_FMT_RGB24);
        size_t off = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth * 3; ++x) {
                const int a = rgb->data[0][y * rgb->linesize[0] + x];
                const int b = golden->data[0][y * golden->linesize[0] + x];
                off += std::abs(a - b) > 3;
            }
        EXPECT_EQ(off, 0u) << "samples more than 3 away from " << path;
    }
}

}  // namespace
