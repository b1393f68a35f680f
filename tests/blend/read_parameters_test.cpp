#include <gtest/gtest.h>

#include <array>
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

// Each setting, read from a value of its own (so that one read from another's id shows), or
// the reader's fallback where the host has no such parameter.
TEST(ReadBlendParameters, EverySettingConvertedOrItsFallback) {
    using Triple = std::array<float, 3>;
    struct Case {
        GUID id;
        Value stored;
        float BlendSettings::*member;
        float expected, fallback;
    };
    const Case floats[] = {
        {id::Mix, Value::ofDouble(37.5), &BlendSettings::mix, 0.375f, 0.0f},  // not the initial 1
        {id::FgBrightness, Value::ofDouble(-255), &BlendSettings::fgBrightness, -2.55f, 0},
        {id::FgContrast, Value::ofDouble(30), &BlendSettings::fgContrast, 0.3f, 0},
        {id::FgSaturation, Value::ofDouble(200), &BlendSettings::fgSaturation, 2.0f, 0},
        {id::OutBrightness, Value::ofDouble(12), &BlendSettings::outBrightness, 0.12f, 0},
        {id::OutContrast, Value::ofDouble(-100), &BlendSettings::outContrast, -1.0f, 0},
        {id::OutSaturation, Value::ofDouble(50), &BlendSettings::outSaturation, 0.5f, 0},
    };
    struct IntCase {
        GUID id;
        Value stored;
        int32_t BlendSettings::*member;
        int32_t expected, fallback;
    };
    const IntCase ints[] = {
        {id::BlendMode, Value::ofInt(19), &BlendSettings::mode, 19, 6},
        {id::ClampToLegal, Value::ofBool(0), &BlendSettings::clampToLegal, 0, 1},
        {id::FgCorrection, Value::ofBool(1), &BlendSettings::fgCorrection, 1, 0},
        {id::InvertFg, Value::ofBool(1), &BlendSettings::invertForeground, 1, 0},
        {id::OutCorrection, Value::ofBool(1), &BlendSettings::outCorrection, 1, 0},
        {id::InvertOut, Value::ofBool(1), &BlendSettings::invertOutput, 1, 0},
    };
    ReaderHost bare, h;  // bare holds only the Magic
    for (const Case& c : floats) h.params.set(c.id, c.stored);
    for (const IntCase& c : ints) h.params.set(c.id, c.stored);
    h.params.setTriple(id::FgShift, {1.5, -2.0, 255.0});  // unscaled
    h.params.setTriple(id::OutShift, {-255.0, 0.25, 3.0});
    BlendSettings fallen, read;
    ASSERT_EQ(bare.readBlend(fallen), 0);
    ASSERT_EQ(h.readBlend(read), 0);
    for (const Case& c : floats) {
        EXPECT_EQ(read.*c.member, c.expected) << c.stored.asDouble();
        EXPECT_EQ(fallen.*c.member, c.fallback) << c.stored.asDouble();
    }
    for (const IntCase& c : ints) {
        EXPECT_EQ(read.*c.member, c.expected) << c.expected;
        EXPECT_EQ(fallen.*c.member, c.fallback) << c.expected;
    }
    EXPECT_EQ(read.fgShift, (Triple{1.5f, -2.0f, 255.0f}));
    EXPECT_EQ(read.outShift, (Triple{-255.0f, 0.25f, 3.0f}));
    EXPECT_EQ(fallen.fgShift, (Triple{0, 0, 0}));
    EXPECT_EQ(fallen.magic, 1.0f);
    EXPECT_EQ(fallen.frameTime, 7);
    EXPECT_EQ(fallen.field, 2);
    EXPECT_EQ(fallen.paramTime, kParamTime);
    EXPECT_EQ(fallen.frame.frameBytes, 6u * 5u * 4u);  // the output's format
    EXPECT_TRUE(bare.host.census().clean()) << bare.host.census().report();
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
        using Window = std::array<float, 4>;
        const Window expected =
            on ? Window{static_cast<float>(128.0 / 255 - 20.0 / 255),
                        static_cast<float>(20.0 / 255 + 128.0 / 255),
                        static_cast<float>(10.0 / 255), static_cast<float>(5.0 / 255)}
               : Window{0.0f, 1.0f, 0.0f, 0.0f};
        EXPECT_EQ((Window{s.alphaLow, s.alphaHigh, s.alphaSoftLow, s.alphaSoftHigh}), expected);
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
