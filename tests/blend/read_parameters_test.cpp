#include <gtest/gtest.h>

#include <cmath>

#include "blend/corvane_processor.h"
#include "effects/corvane_ids.h"
#include "host/ids.h"
#include "testhost/host.h"

namespace {

namespace id = corvane_id::param;
using testhost::Value;

constexpr double kParamTime = 12.5;

// A render call's objects on the test host, with an 8-bit output frame.
struct ReaderHost {
    testhost::Host host;
    testhost::EffectContext& context = host.makeContext("context");
    testhost::RenderTime& time = host.makeRenderTime(7);
    testhost::RenderField& field = host.makeRenderField(kParamTime, 2);
    testhost::Frame& frame = host.makeFrame({.width = 6, .height = 5, .fieldMode = 3}, "output");
    testhost::OutputSet& outputs = host.makeOutput("outputs", &frame);
    testhost::ParamStore& params = context.params();

    ReaderHost() { params.setDouble(id::Magic, 100.0); }

    int32_t readBlend(BlendSettings& s) {
        return Corvane_Processor::readBlendParameters(&context, &time, &field, &outputs, &s);
    }
    int32_t readAll(BlendSettings& s) {
        int32_t r = readBlend(s);
        if (r == 0) r = Corvane_Processor::readLayerParameters(&context, &s);
        if (r == 0) r = Corvane_Processor::readAlphaParameters(&context, &field, &s);
        return r;
    }
};

TEST(ReadBlendParameters, MissingParametersTakeTheReadersFallbacks) {
    ReaderHost h;  // only the Magic exists
    BlendSettings s;
    ASSERT_EQ(h.readBlend(s), 0);
    EXPECT_EQ(s.mix, 0.0f);  // not the initial 1.0
    EXPECT_EQ(s.magic, 1.0f);
    EXPECT_EQ(s.mode, 6);
    EXPECT_EQ(s.bypass, 0);
    EXPECT_EQ(s.clampToLegal, 1);
    EXPECT_EQ(s.fgSaturation, 0.0f);
    EXPECT_EQ(s.outSaturation, 0.0f);
    EXPECT_EQ(s.fgCorrection, 0);
    EXPECT_EQ(s.fgShift, (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(s.frameTime, 7);
    EXPECT_EQ(s.field, 2);
    EXPECT_EQ(s.paramTime, kParamTime);
    EXPECT_EQ(s.frame.frameBytes, 6u * 5u * 4u);  // the output's format
    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
}

TEST(ReadBlendParameters, ConvertsPercentAndKeepsTriplesUnscaled) {
    ReaderHost h;
    h.params.setDouble(id::Mix, 37.5);
    h.params.setInt(id::BlendMode, 19);
    h.params.setBool(id::ClampToLegal, 0);
    h.params.setBool(id::FgCorrection, 1);
    h.params.setBool(id::InvertFg, 1);
    h.params.setDouble(id::FgBrightness, -255.0);
    h.params.setDouble(id::FgContrast, 30.0);
    h.params.setDouble(id::FgSaturation, 200.0);
    h.params.setTriple(id::FgShift, {1.5, -2.0, 255.0});
    h.params.setBool(id::OutCorrection, 1);
    h.params.setBool(id::InvertOut, 1);
    h.params.setDouble(id::OutBrightness, 12.0);
    h.params.setDouble(id::OutContrast, -100.0);
    h.params.setDouble(id::OutSaturation, 50.0);
    h.params.setTriple(id::OutShift, {-255.0, 0.25, 3.0});
    BlendSettings s;
    ASSERT_EQ(h.readBlend(s), 0);
    EXPECT_EQ(s.mix, 0.375f);
    EXPECT_EQ(s.mode, 19);
    EXPECT_EQ(s.clampToLegal, 0);
    EXPECT_EQ(s.fgCorrection, 1);
    EXPECT_EQ(s.invertForeground, 1);
    EXPECT_EQ(s.fgBrightness, static_cast<float>(-255.0 / 100));
    EXPECT_EQ(s.fgContrast, 0.3f);
    EXPECT_EQ(s.fgSaturation, 2.0f);
    EXPECT_EQ(s.fgShift, (std::array<float, 3>{1.5f, -2.0f, 255.0f}));
    EXPECT_EQ(s.outCorrection, 1);
    EXPECT_EQ(s.invertOutput, 1);
    EXPECT_EQ(s.outBrightness, 0.12f);
    EXPECT_EQ(s.outContrast, -1.0f);
    EXPECT_EQ(s.outSaturation, 0.5f);
    EXPECT_EQ(s.outShift, (std::array<float, 3>{-255.0f, 0.25f, 3.0f}));
}

TEST(ReadBlendParameters, ValuesAreReadAtTheParameterTime) {
    ReaderHost h;
    h.params.setKey(id::Mix, 10.0, Value::ofDouble(0.0));
    h.params.setKey(id::Mix, 15.0, Value::ofDouble(100.0));
    BlendSettings s;
    ASSERT_EQ(h.readBlend(s), 0);
    EXPECT_EQ(s.mix, 0.5f);  // halfway between the keys at 12.5
}

TEST(ReadBlendParameters, TheMagic) {
    struct Case {
        double stored;
        int32_t state;
        float expected;
    };
    const Case cases[] = {
        {0.0, 1, 1e-9f},    // never 0: the modes divide by it
        {1e-50, 1, 1e-9f},  // not 0 as a double, but 0 as the stored float
        {-0.0, 1, 1e-9f},  {100.0, 1, 1.0f}, {-200.0, 1, -2.0f},
        {50.0, 1, 0.5f},   {50.0, 0, 1.0f},  // the stored value applies only in state 1
        {0.0, 2, 1.0f},
    };
    for (const Case& c : cases) {
        ReaderHost h;
        h.params.setDouble(id::Magic, c.stored);
        h.params.setQueryState(id::Magic, c.state);
        BlendSettings s;
        ASSERT_EQ(h.readBlend(s), 0);
        EXPECT_EQ(s.magic, c.expected) << c.stored << " in state " << c.state;
        EXPECT_EQ(h.host.journal().count("GetValueAt"), c.state == 1 ? 1u : 0u);
    }
}

TEST(ReadBlendParameters, AMissingMagicFailsTheReader) {
    ReaderHost h;
    h.params.remove(id::Magic);
    BlendSettings s;
    EXPECT_EQ(h.readBlend(s), status::kNoInterface);  // the host's GetParam status
    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
}

TEST(ReadBlendParameters, BypassForcesModeZeroOnlyWhenExactlyOne) {
    for (int32_t bypass : {0, 1, 2, -1}) {
        ReaderHost h;
        h.params.setInt(id::BlendMode, 7);
        h.params.setBool(id::Bypass, bypass);
        BlendSettings s;
        ASSERT_EQ(h.readBlend(s), 0);
        EXPECT_EQ(s.mode, bypass == 1 ? 0 : 7) << bypass;
        EXPECT_EQ(s.bypass, bypass);
    }
}

TEST(ReadLayerParameters, OutOfRangeIndicesFallBackAndAreWrittenBack) {
    ReaderHost h;
    h.params.setInt(id::ForegroundLayer, 7);
    h.params.setInt(id::BackgroundLayer, -1);
    h.params.setInt(id::MatteLayer, 1);
    BlendSettings s;
    ASSERT_EQ(h.readAll(s), 0);
    EXPECT_EQ(s.foregroundLayer, 1u);
    EXPECT_EQ(s.backgroundLayer, 0u);
    EXPECT_EQ(s.matteLayer, 1u);
    const auto fgWrites = h.params.writes(id::ForegroundLayer);
    ASSERT_EQ(fgWrites.size(), 1u);
    EXPECT_EQ(fgWrites[0].op, "SetValueAt");
    EXPECT_EQ(fgWrites[0].time, kParamTime);
    EXPECT_EQ(fgWrites[0].value, Value::ofInt(1));
    ASSERT_EQ(h.params.writes(id::BackgroundLayer).size(), 1u);
    EXPECT_EQ(h.params.writes(id::BackgroundLayer)[0].value, Value::ofInt(0));
    EXPECT_TRUE(h.params.writes(id::MatteLayer).empty());
    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
}

TEST(ReadAlphaParameters, RangeValuesAreStoredOnlyWhenTheRangeIsOn) {
    for (int32_t on : {1, 0}) {
        ReaderHost h;
        h.params.setBool(id::AlphaRangeEnabled, on);
        h.params.setDouble(id::AlphaValue, 128.0);
        h.params.setDouble(id::AlphaRange, 20.0);
        h.params.setDouble(id::AlphaSoftLow, 10.0);
        h.params.setDouble(id::AlphaSoftHigh, 5.0);
        BlendSettings s;
        ASSERT_EQ(h.readAll(s), 0);
        if (on) {
            EXPECT_EQ(s.alphaLow, static_cast<float>(128.0 / 255 - 20.0 / 255));
            EXPECT_EQ(s.alphaHigh, static_cast<float>(20.0 / 255 + 128.0 / 255));
            EXPECT_EQ(s.alphaSoftLow, static_cast<float>(10.0 / 255));
            EXPECT_EQ(s.alphaSoftHigh, static_cast<float>(5.0 / 255));
        } else {
            EXPECT_EQ(s.alphaLow, 0.0f);
            EXPECT_EQ(s.alphaHigh, 1.0f);
            EXPECT_EQ(s.alphaSoftLow, 0.0f);
            EXPECT_EQ(s.alphaSoftHigh, 0.0f);
        }
    }
}

// The switches are stored as read; each holds a value of its own, so that one read from
// another's id shows.
TEST(ReadAlphaParameters, SwitchesSourceAndRotation) {
    for (const auto& [degrees, turns] : {std::pair{90.0, 0.25f}, {-90.0, -0.25f}, {450.0, 1.25f}}) {
        ReaderHost h;
        h.params.setBool(id::AlphaEnabled, 4);
        h.params.setInt(id::AlphaSource, 5);
        h.params.setBool(id::Unpremultiply, 1);
        h.params.setBool(id::InvertAlpha, 2);
        h.params.setBool(id::ShowAlpha, 3);
        h.params.setBool(id::NormalizeAlpha, 0);
        h.params.setDouble(id::AlphaRotate, degrees);
        BlendSettings s;
        ASSERT_EQ(h.readAll(s), 0);
        EXPECT_EQ(s.alphaRotate, turns);
        EXPECT_EQ(s.alphaEnabled, 4);
        EXPECT_EQ(s.alphaSource, 5u);
        EXPECT_EQ(s.unpremultiply, 1);
        EXPECT_EQ(s.invertAlpha, 2);
        EXPECT_EQ(s.showAlpha, 3);
        EXPECT_EQ(s.normalizeAlpha, 0);
        EXPECT_EQ(s.blackoutHighlights, 1);  // missing: its fallback
    }
}

TEST(ReadAlphaParameters, TheSwitchIsReadAtTheParameterTimeAskedAnew) {
    ReaderHost h;
    h.params.setKey(id::AlphaEnabled, 0.0, Value::ofBool(0));
    h.params.setKey(id::AlphaEnabled, 20.0, Value::ofBool(1));
    BlendSettings s;
    ASSERT_EQ(h.readBlend(s), 0);
    h.field.setParamTime(25.0);  // the render field now answers a later time
    ASSERT_EQ(Corvane_Processor::readAlphaParameters(&h.context, &h.field, &s), 0);
    EXPECT_EQ(s.alphaEnabled, 1);
}

}  // namespace
