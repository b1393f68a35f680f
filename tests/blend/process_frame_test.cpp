#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "blend/corvane_processor.h"
#include "host/ids.h"
#include "module/module_log.h"
#include "pixel/frame_format.h"
#include "render_frames.h"
#include "testhost/host.h"

namespace {

using testhost::Frame;
using testhost::FrameShape;
using testhost::Placement;

// The host's log, acquired once: the slot lives as long as the loaded module, here the process.
testhost::Host& logHost() {
    static testhost::Host* host = [] {
        auto* h = new testhost::Host;
        acquireModuleLog(*h->unknown());
        return h;
    }();
    return *host;
}

struct HostAndContext {
    testhost::Host host;
    testhost::EffectContext& context = host.makeContext("context");
};

// A render of `inputs` 8-bit BGRA frames of w x h into one output frame.
struct FrameHost : HostAndContext, RenderFrames {
    explicit FrameHost(int inputs, FrameShape shape = {.width = 8, .height = 2})
        : RenderFrames(host, context, inputs, shape) {}

    // Settings as the readers leave them for this host's output frame.
    BlendSettings settings(int mode) {
        BlendSettings s;
        s.mode = mode;
        s.frameTime = 11;
        s.field = 2;
        s.frame = readFrameFormat(*output);
        return s;
    }

    int32_t process(BlendSettings& s) {
        return checked([&] { return Corvane_Processor::processFrame(&context, outputs, &s); });
    }
};

TEST(ProcessFrame, FetchesTheFirstThreeInputsAtTheFrameTimeFieldAndFieldMode) {
    FrameHost h(5, {.width = 4, .height = 2, .fieldMode = 5});
    BlendSettings s = h.settings(1);
    ASSERT_EQ(h.process(s), 0);
    for (int i = 0; i < 5; ++i) {
        const auto fetches = h.tracks[i]->fetches();
        ASSERT_EQ(fetches.size(), i < 3 ? 1u : 0u) << i;
        if (i < 3) {
            EXPECT_EQ(fetches[0].time, 11);
            EXPECT_EQ(fetches[0].field, 2);
            EXPECT_EQ(fetches[0].fieldMode, 5);
        }
    }
    EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
}

// An index past the inputs takes the last one: with one input the background (1) and the
// matte (2) become 0, with two the matte becomes 1.
TEST(ProcessFrame, LayerIndicesAreForcedIntoTheInputs) {
    for (uint32_t inputs : {1u, 2u}) {
        FrameHost h(static_cast<int>(inputs));
        BlendSettings s = h.settings(1);
        s.foregroundLayer = 0;
        s.backgroundLayer = 1;
        ASSERT_EQ(h.process(s), 0);
        EXPECT_EQ(s.matteLayer, inputs - 1);
        EXPECT_EQ(s.foregroundLayer, 0u);
        EXPECT_EQ(s.backgroundLayer, inputs - 1);
        // Normal at mix 1 and m 1: the output is the foreground, here input 0.
        for (size_t i = 0; i < h.output->bytes().size(); ++i) {
            if (i % 4 != 3) {
                ASSERT_EQ(h.output->bytes()[i], h.inputs[0]->bytes()[i]) << i;
            }
        }
    }
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

// Modes outside the table copy the background; the skip mode alerts once and writes nothing.
TEST(ProcessFrame, ModesOutsideTheTableCopyTheBackgroundOrSkip) {
    testhost::Host& log = logHost();
    constexpr int kSkip = 0x7FFFFFFE;
    for (int mode : {0, -1, 26, 0x7FFFFFFF, static_cast<int>(0x80000000u), kSkip}) {
        log.log().clear();
        FrameHost h(2);
        BlendSettings s = h.settings(mode);
        ASSERT_EQ(h.process(s), 0) << mode;
        EXPECT_TRUE(mode == kSkip ? h.outputUntouched()
                                  : std::ranges::equal(h.output->bytes(), h.inputs[0]->bytes()))
            << mode;
        EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
        ASSERT_EQ(log.log().alerts().size(), mode == kSkip ? 1u : 0u) << mode;
    }
    EXPECT_EQ(log.log().alerts()[0].level, 2);
    EXPECT_EQ(log.log().alerts()[0].text, "\nCorvane::generic::CRITICAL - EFFECT SKIPPED\n");
}

TEST(ProcessFrame, TheCopyIsSkippedForTheSameBufferOrNoBytes) {
    {
        FrameHost h(2);
        h.inputs[0]->sharePixelsWith(*h.output);  // the background is the output buffer
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

// An output that is the background's buffer, or overlaps it at an offset (a host's view into
// one buffer), is blended from the background as it was, as from a buffer of its own.
TEST(ProcessFrame, AnOutputOverlappingAnInputBlendsFromTheInputAsItWas) {
    for (size_t shift : {0u, 4u, 60u}) {
        FrameHost separate(2, {.width = 33, .height = 1});
        BlendSettings s = separate.settings(6);  // Screen
        ASSERT_EQ(separate.process(s), 0);

        FrameHost overlapping(2, {.width = 33, .height = 1});
        Frame& carrier = overlapping.host.makeFrame({.width = 33 + 16, .height = 1}, "carrier");
        std::memcpy(carrier.data(), separate.inputs[0]->data(), separate.inputs[0]->byteCount());
        overlapping.inputs[0]->sharePixelsWith(carrier);
        overlapping.output->sharePixelsWith(carrier, shift);
        BlendSettings t = overlapping.settings(6);
        ASSERT_EQ(Corvane_Processor::processFrame(&overlapping.context, overlapping.outputs, &t),
                  0);
        EXPECT_EQ(std::memcmp(carrier.data() + shift, separate.output->data(),
                              separate.output->byteCount()),
                  0)
            << shift;
    }
}

// Background, foreground or output: fewer bytes than the output's format needs, or no pixels.
TEST(ProcessFrame, AShortFrameOrOneWithoutPixelsFailsWithoutWriting) {
    for (int which = 0; which < 3; ++which) {
        for (bool noPixels : {false, true}) {
            SCOPED_TRACE(std::to_string(which) + (noPixels ? " without pixels" : " short"));
            FrameHost h(2);
            Frame& frame = which == 2 ? *h.output : *h.inputs[which];
            FrameShape shape = frame.shape();
            if (!noPixels) shape.byteCountOverride = static_cast<uint32_t>(frame.byteCount() - 1);
            Frame& bad = h.host.makeFrame(shape, "bad");
            bad.fill(0xEE);
            bad.setPixelsNull(noPixels);
            if (which == 2)
                h.outputs->setFrame(&bad);
            else
                h.tracks[which]->setFrame(&bad);
            BlendSettings s = h.settings(1);
            EXPECT_EQ(h.process(s), noPixels ? status::kNullObject : status::kInvalidArgument);
            s.mode = 0;  // the copy checks the sizes too
            if (!noPixels) {
                EXPECT_EQ(h.process(s), status::kInvalidArgument);
            }
            const Frame& written = which == 2 ? bad : *h.output;
            for (uint8_t b : written.bytes()) ASSERT_EQ(b, 0xEE);
            EXPECT_TRUE(h.host.census().clean()) << h.host.census().report();
        }
    }
}

TEST(ProcessFrame, TheMatteIsReadOnlyWithAlphaOn) {
    FrameHost h(3, {.width = 4, .height = 1});
    for (size_t i = 0; i < 4; ++i) h.inputs[2]->bytes()[i * 4 + 3] = static_cast<uint8_t>(i * 80);
    BlendSettings s = h.settings(1);
    ASSERT_EQ(h.process(s), 0);
    EXPECT_EQ(s.matteData, nullptr);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(h.output->bytes()[i * 4 + 3], 0);

    s = h.settings(1);
    s.alphaEnabled = 1;  // source Matte: 1 - A
    ASSERT_EQ(h.process(s), 0);
    EXPECT_EQ(s.matteData, h.inputs[2]->bytes().data());
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(h.output->bytes()[i * 4 + 3], 255 - i * 80) << i;
}

// 5 x 3 pixels, and fewer than one group; the check of every render looks before the start.
TEST(ProcessFrame, NoAccessOutsideGuardPagedFrames) {
    for (int32_t depth : {1, 3, 6}) {
        for (const auto& [width, height] : {std::pair{5u, 3u}, std::pair{3u, 1u}}) {
            FrameHost h(3, {.width = width,
                            .height = height,
                            .depth = depth,
                            .placement = Placement::GuardPage});
            for (int mode = 0; mode <= 25; ++mode) {
                BlendSettings s = h.settings(mode);
                s.alphaEnabled = 1;
                ASSERT_EQ(h.process(s), 0);
            }
        }
    }
}

}  // namespace
