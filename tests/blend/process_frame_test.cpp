#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "blend/corvane_processor.h"
#include "host/ids.h"
#include "module/module_log.h"
#include "testhost/host.h"

namespace {

using testhost::Frame;
using testhost::FrameShape;
using testhost::Placement;

// The host's log, acquired once for the whole test process (the slot lives as long as the
// loaded module, here the process).
testhost::Host& logHost() {
    static testhost::Host* host = [] {
        auto* h = new testhost::Host;
        acquireModuleLog(*h->unknown());
        return h;
    }();
    return *host;
}

// A render of `inputs` 8-bit BGRA frames of w x h into one output frame.
struct FrameHost {
    testhost::Host host;
    std::vector<Frame*> frames;
    std::vector<testhost::InputTrack*> tracks;
    Frame* output = nullptr;
    testhost::OutputSet* outputs = nullptr;
    testhost::EffectContext& context = host.makeContext("context");

    explicit FrameHost(int inputs, FrameShape shape = {.width = 8, .height = 2}) {
        for (int i = 0; i < inputs; ++i) {
            Frame& f = host.makeFrame(shape, "input " + std::to_string(i));
            for (size_t b = 0; b < f.bytes().size(); ++b)
                f.bytes()[b] = static_cast<uint8_t>(b * 7 + 60 * i + 1);
            frames.push_back(&f);
            tracks.push_back(&host.makeInput("track " + std::to_string(i), &f));
            context.addInput(*tracks.back());
        }
        output = &host.makeFrame(shape, "output");
        output->fill(0xEE);
        outputs = &host.makeOutput("outputs", output);
    }

    // Settings as the readers leave them for this host's output frame.
    BlendSettings settings(int mode) {
        BlendSettings s;
        s.mode = mode;
        s.frameTime = 11;
        s.field = 2;
        const auto& shape = output->shape();
        s.frame = {output->byteCount(),
                   shape.pixelBytes,
                   static_cast<PixelDepth>(shape.depth),
                   static_cast<PixelLayout>(shape.layout),
                   static_cast<ValueRange>(shape.range),
                   static_cast<ColourSpace>(shape.colourSpace),
                   shape.fieldMode,
                   shape.width,
                   shape.height};
        return s;
    }

    int32_t process(BlendSettings& s) {
        return Corvane_Processor::processFrame(&context, outputs, &s);
    }

    bool outputUntouched() const {
        for (uint8_t b : output->bytes())
            if (b != 0xEE) return false;
        return true;
    }
    bool outputEquals(const Frame& f) const {
        return std::memcmp(output->bytes().data(), f.bytes().data(), f.bytes().size()) == 0;
    }
};

TEST(ProcessFrame, FetchesEveryInputAtTheFrameTimeFieldAndFieldMode) {
    FrameHost h(3, {.width = 4, .height = 2, .fieldMode = 5});
    BlendSettings s = h.settings(1);
    ASSERT_EQ(h.process(s), 0);
    for (auto* track : h.tracks) {
        const auto fetches = track->fetches();
        ASSERT_EQ(fetches.size(), 1u);
        EXPECT_EQ(fetches[0].time, 11);
        EXPECT_EQ(fetches[0].field, 2);
        EXPECT_EQ(fetches[0].fieldMode, 5);
    }
    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
}

TEST(ProcessFrame, LayerIndicesAreForcedIntoTheInputs) {
    {
        FrameHost h(1);
        BlendSettings s = h.settings(1);
        ASSERT_EQ(h.process(s), 0);
        EXPECT_EQ(s.matteLayer, 0u);
        EXPECT_EQ(s.foregroundLayer, 0u);
        EXPECT_EQ(s.backgroundLayer, 0u);
    }
    {
        FrameHost h(2);
        BlendSettings s = h.settings(1);
        s.foregroundLayer = 0;
        s.backgroundLayer = 1;
        ASSERT_EQ(h.process(s), 0);
        EXPECT_EQ(s.matteLayer, 1u);
        EXPECT_EQ(s.foregroundLayer, 0u);
        EXPECT_EQ(s.backgroundLayer, 1u);
        // Normal at mix 1 and m 1: the output is the foreground, here input 0.
        for (size_t i = 0; i < h.output->bytes().size(); ++i) {
            if (i % 4 != 3) {
                ASSERT_EQ(h.output->bytes()[i], h.frames[0]->bytes()[i]) << i;
            }
        }
    }
}

TEST(ProcessFrame, FiveInputsFetchOnlyThree) {
    FrameHost h(5);
    BlendSettings s = h.settings(4);
    ASSERT_EQ(h.process(s), 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(h.tracks[i]->fetches().size(), i < 3 ? 1u : 0u) << i;
}

TEST(ProcessFrame, NoInputFailsBeforeTheIndexCorrection) {
    FrameHost h(2);
    h.context.setInputCount(0);
    BlendSettings s = h.settings(1);
    EXPECT_EQ(h.process(s), status::kNullObject);
    EXPECT_EQ(s.foregroundLayer, 1u);
    EXPECT_TRUE(h.outputUntouched());
    h.context.setInputCount(-4);
    EXPECT_EQ(h.process(s), status::kNullObject);
    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
}

TEST(ProcessFrame, ModesOutsideTheTableCopyTheBackground) {
    for (int mode : {0, -1, 26, 0x7FFFFFFF, static_cast<int>(0x80000000u)}) {
        FrameHost h(2);
        BlendSettings s = h.settings(mode);
        ASSERT_EQ(h.process(s), 0) << mode;
        EXPECT_TRUE(h.outputEquals(*h.frames[0])) << mode;
        EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
    }
}

TEST(ProcessFrame, TheCopyIsSkippedForTheSameBufferOrNoBytes) {
    {
        FrameHost h(2);
        h.frames[0]->sharePixelsWith(*h.output);  // the background is the output buffer
        BlendSettings s = h.settings(0);
        ASSERT_EQ(h.process(s), 0);
        EXPECT_TRUE(h.outputUntouched());
    }
    {
        FrameHost h(2, {.width = 0, .height = 3});
        BlendSettings s = h.settings(0);
        ASSERT_EQ(h.process(s), 0);
    }
}

TEST(ProcessFrame, TheSkipModeAlertsOnceAndWritesNothing) {
    testhost::Host& log = logHost();
    log.log().clear();
    FrameHost h(2);
    BlendSettings s = h.settings(0x7FFFFFFE);
    ASSERT_EQ(h.process(s), 0);
    EXPECT_TRUE(h.outputUntouched());
    const auto alerts = log.log().alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].level, 2);
    EXPECT_EQ(alerts[0].text, "\nCorvane::generic::CRITICAL - EFFECT SKIPPED\n");
}

TEST(ProcessFrame, FramesSmallerThanTheFormatFailWithoutWriting) {
    for (int which = 0; which < 3; ++which) {  // background, foreground, output
        FrameHost h(2);
        Frame& small = which == 2 ? *h.output : *h.frames[which];
        // A frame that claims fewer bytes than the output's format needs.
        FrameShape shape = small.shape();
        shape.byteCountOverride = static_cast<uint32_t>(small.byteCount() - 1);
        Frame& liar = h.host.makeFrame(shape, "short");
        liar.fill(0xEE);
        if (which == 2)
            h.outputs->setFrame(&liar);
        else
            h.tracks[which]->setFrame(&liar);
        BlendSettings s = h.settings(1);
        for (int mode : {1, 0}) {
            s.mode = mode;
            EXPECT_EQ(h.process(s), status::kInvalidArgument) << which << " mode " << mode;
        }
        const Frame& written = which == 2 ? liar : *h.output;
        for (uint8_t b : written.bytes()) ASSERT_EQ(b, 0xEE) << which;
        EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
    }
}

TEST(ProcessFrame, NullPixelsOfAFrameInUseFail) {
    for (int which = 0; which < 3; ++which) {
        FrameHost h(2);
        (which == 2 ? *h.output : *h.frames[which]).setPixelsNull(true);
        BlendSettings s = h.settings(1);
        EXPECT_EQ(h.process(s), status::kNullObject) << which;
        EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
    }
}

TEST(ProcessFrame, TheMatteIsReadOnlyWithAlphaOn) {
    FrameHost h(3, {.width = 4, .height = 1});
    for (size_t i = 0; i < 4; ++i) h.frames[2]->bytes()[i * 4 + 3] = static_cast<uint8_t>(i * 80);
    BlendSettings s = h.settings(1);
    ASSERT_EQ(h.process(s), 0);
    EXPECT_EQ(s.matteData, nullptr);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(h.output->bytes()[i * 4 + 3], 0);

    s = h.settings(1);
    s.alphaEnabled = 1;  // source Matte: 1 - A
    ASSERT_EQ(h.process(s), 0);
    EXPECT_EQ(s.matteData, h.frames[2]->bytes().data());
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(h.output->bytes()[i * 4 + 3], 255 - i * 80) << i;
}

TEST(ProcessFrame, GuardPagesAfterEveryFrame) {
    for (int32_t depth : {1, 3, 6}) {
        FrameHost h(3,
                    {.width = 5, .height = 3, .depth = depth, .placement = Placement::GuardPage});
        for (int mode = 0; mode <= 25; ++mode) {
            BlendSettings s = h.settings(mode);
            s.alphaEnabled = 1;
            ASSERT_EQ(h.process(s), 0);
        }
    }
}

TEST(ProcessFrame, AFailureAtAnyHostCallReturnsItsStatusAndWritesNothing) {
    constexpr int32_t kFailure = static_cast<int32_t>(0x80076666u);
    std::vector<testhost::Call> calls;
    {
        FrameHost h(3);
        h.host.inject().reset();
        BlendSettings s = h.settings(7);
        s.alphaEnabled = 1;
        ASSERT_EQ(h.process(s), 0);
        calls = h.host.journal().calls();
    }
    size_t injected = 0;
    for (const auto& call : calls) {
        for (bool null : {false, true}) {
            if (null ? !call.nullable : !call.failable) continue;
            SCOPED_TRACE(call.op + " #" + std::to_string(call.seq) + (null ? " null" : " fails"));
            FrameHost h(3);
            h.host.inject().reset();
            if (null)
                h.host.inject().nullCall(call.seq);
            else
                h.host.inject().failCall(call.seq, kFailure);
            BlendSettings s = h.settings(7);
            s.alphaEnabled = 1;
            EXPECT_EQ(h.process(s), null ? status::kNullObject : kFailure);
            EXPECT_TRUE(h.outputUntouched());
            EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
            ++injected;
        }
    }
    EXPECT_GE(injected, 13u);
}

// The road of one frame: alpha on, Normal at mix 1, source Matte. Every whole group carries
// m x a of the foreground (clamped when the clamp is on) and 1 - A of the matte; the pixels
// after the last whole group stay as the host gave them, and every host object is released.
TEST(ProcessFrame, RoadOfOneFrameThroughTheMatte) {
    struct Road {
        int inputs;
        size_t matte;  // the input that the matte layer resolves to
    };
    for (const Road road : {Road{3, 2}, Road{2, 1}}) {
        for (const FrameShape shape :
             {FrameShape{.width = 8, .height = 2}, FrameShape{.width = 7, .height = 3}}) {
            for (const float magic : {1.0f, 1.5f}) {
                for (const int clamp : {1, 0}) {
                    SCOPED_TRACE(std::to_string(road.inputs) + " inputs, " +
                                 std::to_string(shape.width) + "x" + std::to_string(shape.height) +
                                 ", m " + std::to_string(magic) + ", clamp " +
                                 std::to_string(clamp));
                    FrameHost h(road.inputs, shape);
                    BlendSettings s = h.settings(1);
                    s.alphaEnabled = 1;
                    s.alphaSource = 0;
                    s.magic = magic;
                    s.mix = 1.0f;
                    s.clampToLegal = clamp;
                    ASSERT_EQ(h.process(s), 0);
                    EXPECT_EQ(s.matteLayer, road.matte);
                    EXPECT_EQ(s.matteData, h.frames[road.matte]->bytes().data());

                    const auto out = h.output->bytes();
                    const auto fg = h.frames[1]->bytes();
                    const auto matte = h.frames[road.matte]->bytes();
                    const size_t pixels = out.size() / 4;
                    for (size_t i = 0; i < pixels; ++i) {
                        for (size_t c = 0; c < 4; ++c) {
                            const size_t at = i * 4 + c;
                            // 8-bit saturates at 255 without the clamp.
                            const int want =
                                c == 3 ? 255 - matte[at]
                                       : static_cast<int>(std::fmin(
                                             255.0, std::nearbyint(double(magic) * fg[at])));
                            ASSERT_NEAR(out[at], want, magic == 1.0f || c == 3 ? 0 : 1)
                                << "pixel " << i << " channel " << c;
                        }
                    }
                    EXPECT_TRUE(h.output->guardsIntact());
                    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
                }
            }
        }
    }
}

}  // namespace
