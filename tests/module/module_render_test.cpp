// Instances set up and rendered through the exported ABI, as the editor drives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "corvane_module.h"

namespace {

namespace param = corvane_id::param;
using testhost::Frame;
using testhost::FrameShape;
using testhost::Placement;

using InstanceSetUp = ModuleTest;

TEST_F(InstanceSetUp, GenericKeysItsMixOverTheEffectForUsageKindTwo) {
    struct Case {
        int32_t usage, frames;
        std::vector<double> keyTimes;
    };
    for (const Case& c :
         {Case{2, 50, {0.0, 49.0}}, Case{2, 1, {0.0, 0.0}}, Case{0, 50, {}}, Case{3, 50, {}}}) {
        testhost::Host h;
        Instance in(module, h, 0, 2);
        in.context.setUsageKind(c.usage);
        in.context.setFrameCount(c.frames);
        ASSERT_EQ(in.effect->SetUpInstance(&in.context), 0);
        const auto writes = in.context.params().writes(param::Mix);
        ASSERT_EQ(writes.size(), c.keyTimes.size());
        for (size_t k = 0; k < writes.size(); ++k) {
            EXPECT_EQ(writes[k].op, "SetKey");
            EXPECT_EQ(writes[k].time, c.keyTimes[k]);
            EXPECT_EQ(writes[k].value.asDouble(), k == 0 ? 0.0 : 100.0);
        }
    }
}

TEST_F(InstanceSetUp, ThreeInputEffectsStartInTheirModes) {
    struct Case {
        uint32_t index;
        int32_t mode, alpha;
    };
    // The matte key in Normal with alpha on, Alpha advanced in Overlay.
    for (const Case c : {Case{2, 1, 1}, Case{1, 7, 0}}) {
        testhost::Host h;
        Instance in(module, h, c.index, 3);
        ASSERT_EQ(in.effect->SetUpInstance(&in.context), 0);
        EXPECT_EQ(in.context.params().getInt(param::BlendMode), c.mode);
        EXPECT_EQ(in.context.params().getInt(param::AlphaEnabled), c.alpha);
    }
}

TEST_F(InstanceSetUp, MissingParameters) {
    auto& bare = host.makeContext("bare");
    HostRef<IAVXEffect> matte = module.effect(host, 2), advanced = module.effect(host, 1),
                        swap = module.effect(host, 4), scope = module.effect(host, 3),
                        generic = module.effect(host, 0);
    EXPECT_EQ(matte->SetUpInstance(&bare), 0);
    EXPECT_EQ(advanced->SetUpInstance(&bare), status::kNoInterface);  // GetParam's status
    EXPECT_EQ(swap->SetUpInstance(&bare), 0);
    EXPECT_EQ(scope->SetUpInstance(&bare), 0);
    bare.setUsageKind(2);
    EXPECT_EQ(generic->SetUpInstance(&bare), status::kNoInterface);
    EXPECT_EQ(bare.params().size(), 0u);  // nothing written
}

using Render = ModuleTest;

// The matte key's alpha is 1 - A of input 2; the generic effect fetches a third input but has
// neither layers nor alpha, whatever the host holds for them.
TEST_F(Render, NormalAtFullMixGivesTheForeground) {
    Instance matteKey(module, host, 2, 3);
    ASSERT_EQ(matteKey.effect->SetUpInstance(&matteKey.context), 0);  // Normal, alpha on
    matteKey.context.params().setDouble(param::Mix, 100.0);
    testhost::Host h;
    Instance generic(module, h, 0, 3);
    auto& p = generic.context.params();
    p.setInt(param::ForegroundLayer, 2);
    p.setInt(param::BackgroundLayer, 2);
    p.setBool(param::AlphaEnabled, 1);
    p.setInt(param::BlendMode, 1);
    for (Instance* in : {&matteKey, &generic}) {
        SCOPED_TRACE(in == &matteKey ? "matte key" : "generic");
        ASSERT_EQ(in->render(), 0);
        const auto &fg = in->inputs[1]->bytes(), &matte = in->inputs[2]->bytes();
        const auto& out = in->output->bytes();
        for (size_t px = 0; px < out.size() / 4; ++px) {
            for (int c = 0; c < 3; ++c) ASSERT_EQ(out[px * 4 + c], fg[px * 4 + c]) << px;
            ASSERT_EQ(out[px * 4 + 3], in == &matteKey ? 255 - matte[px * 4 + 3] : 0) << px;
        }
        for (auto* t : in->tracks) {
            ASSERT_EQ(t->fetches().size(), 1u);
            EXPECT_EQ(t->fetches()[0].time, 3);
            EXPECT_EQ(t->fetches()[0].field, 1);
        }
        in->effect.reset();
        for (const auto& e : in->host.census().held())
            EXPECT_EQ(e.kind, "log") << in->host.census().report();
    }
}

using RenderFirstContact = FreshModuleTest;

// Only the skip alert needs the log; the scope draws its picture without one.
TEST_F(RenderFirstContact, AHostWithoutALog) {
    host.offer(iid::IACFHostLog, false);
    Instance blend(module, host, 0, 2);
    blend.context.params().setInt(param::BlendMode, 0x7FFFFFFE);
    EXPECT_EQ(blend.render(), status::kNullObject);
    EXPECT_TRUE(blend.outputUntouched());
    Instance scope(module, host, 3, 1, ycc(16, 2, 1));
    scope.context.params().setBool(param::LogToConsole, 1);
    std::ranges::fill(scope.inputs[0]->bytes(), 255);
    EXPECT_EQ(scope.render(), 0);
    EXPECT_FALSE(scope.outputUntouched());
}

TEST_F(Render, AFailureAtAnyHostCallOfTheMatteKeyIsReturned) {
    // Three inputs, alpha on, a foreground layer out of range so that it is written back; a
    // missing "the Magic" fails the render.
    expectEveryRenderFailureReturned(
        module, 2, 3, {.width = 8, .height = 4},
        [](Instance& in) {
            EXPECT_EQ(in.effect->SetUpInstance(&in.context), 0);
            in.context.params().setInt(param::ForegroundLayer, 7);
        },
        "corvane.blend.magicvalue", 60);
}

using FieldSwap = ModuleTest;

TEST_F(FieldSwap, DeliversTheOtherField) {
    struct Case {
        int32_t rendered, fetched;
    };
    for (const Case c : {Case{1, 2}, Case{2, 1}, Case{0, 0}, Case{3, 3}}) {
        testhost::Host h;
        Instance in(module, h, 4, 1, {.width = 6, .height = 4, .layout = 1, .fieldMode = 9});
        in.field.setField(c.rendered);
        ASSERT_EQ(in.render(), 0);
        const auto fetches = in.tracks[0]->fetches();
        ASSERT_EQ(fetches.size(), 1u);
        EXPECT_EQ(fetches[0].field, c.fetched);
        EXPECT_EQ(fetches[0].fieldMode, 9);
        EXPECT_EQ(fetches[0].time, 3);
        EXPECT_EQ(std::memcmp(in.output->bytes().data(), in.inputs[0]->bytes().data(),
                              in.output->bytes().size()),
                  0);
        in.effect.reset();
        EXPECT_EQ(h.census().held().size(), 0u) << h.census().report();
    }
}

TEST_F(FieldSwap, RetriesTheUnswappedFieldOnce) {
    Instance in(module, host, 4, 1);
    in.tracks[0]->refuseField(2, static_cast<int32_t>(0x80001002u));
    ASSERT_EQ(in.render(), 0);
    ASSERT_EQ(in.tracks[0]->fetches().size(), 2u);
    EXPECT_EQ(in.tracks[0]->fetches()[1].field, 1);
    EXPECT_FALSE(in.outputUntouched());

    in.output->fill(0xEE);
    in.tracks[0]->refuseField(1, static_cast<int32_t>(0x80001001u));
    EXPECT_EQ(in.render(), static_cast<int32_t>(0x80001001u));  // the second status
    EXPECT_TRUE(in.outputUntouched());
}

TEST_F(FieldSwap, CopiesNoMoreThanTheOutputHoldsAndNothingOntoItself) {
    Instance in(module, host, 4, 1, {.width = 8, .height = 4, .placement = Placement::GuardPage});
    Frame& bigger = host.makeFrame({.width = 8, .height = 6}, "bigger");
    bigger.fill(0x42);
    in.tracks[0]->setFrame(&bigger);
    ASSERT_EQ(in.render(), 0);  // a guard page follows the output
    for (uint8_t b : in.output->bytes()) ASSERT_EQ(b, 0x42);

    in.output->fill(0xEE);
    in.tracks[0]->setFrame(in.output);  // the host hands the output as the source
    ASSERT_EQ(in.render(), 0);
    EXPECT_TRUE(in.outputUntouched());
}

// Several threads rendering at once give the pixels one thread gives.
TEST_F(Render, ConcurrentRendersMatchASingleThread) {
    constexpr int kThreads = 4, kFrames = 6;
    const FrameShape shape{.width = 64, .height = 16, .depth = 6};
    Instance reference(module, host, 1, 3, shape);
    reference.context.params().setInt(param::BlendMode, 9);
    reference.context.params().setBool(param::AlphaEnabled, 1);
    reference.context.params().setInt(param::AlphaSource, 5);
    ASSERT_EQ(reference.render(), 0);
    const std::vector<uint8_t> expected(reference.output->bytes().begin(),
                                        reference.output->bytes().end());

    // Through one instance, each thread with its own output frame.
    std::vector<Frame*> outputs;
    std::vector<testhost::OutputSet*> sets;
    for (int t = 0; t < kThreads; ++t) {
        outputs.push_back(&host.makeFrame(shape, "thread output"));
        sets.push_back(&host.makeOutput("thread outputs", outputs.back()));
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int f = 0; f < kFrames; ++f)
                EXPECT_EQ(
                    reference.effect->Render(&reference.context, nullptr, nullptr, &reference.time,
                                             nullptr, &reference.field, sets[t]),
                    0);
        });
    for (auto& t : threads) t.join();
    for (Frame* o : outputs)
        EXPECT_EQ(std::memcmp(o->bytes().data(), expected.data(), expected.size()), 0);
}

}  // namespace
