// The module file loaded the way the editor loads it, driven only through its four exported
// functions, with helpers for the steps every module test takes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effects/corvane_ids.h"
#include "host/host_ref.h"
#include "host/ids.h"
#include "render_frames.h"
#include "simd_path_report.h"
#include "testhost/host.h"
#include "testhost/module_file.h"

using RegisterPluginFn = int32_t (*)(IACFUnknown*, IACFPluginRecord**);
using RegisterComponentFn = int32_t (*)(IACFUnknown*, uint32_t, IAVXComponentRecord**);
using GetClassFactoryFn = int32_t (*)(IACFUnknown*, const GUID&, const GUID&, void**);
using CanUnloadNowFn = int32_t (*)(IACFUnknown*);

// A 4:2:2 frame of the scope's, Rec.709 at video levels; layout 2 is CbYCrY, 1 YCbYCr.
inline testhost::FrameShape ycc(uint32_t w, uint32_t h, int32_t depth, int32_t layout = 2,
                                testhost::Placement placement = testhost::Placement::Aligned16) {
    testhost::FrameShape shape{w, h, depth, layout, 1, 4};
    shape.placement = placement;
    return shape;
}

// Creation class of each component, in registration order.
inline const GUID* const kCreationClasses[5] = {
    &corvane_id::creation_class::Generic, &corvane_id::creation_class::AlphaAdvanced,
    &corvane_id::creation_class::MatteKey, &corvane_id::creation_class::Oscilloscope,
    &corvane_id::creation_class::FieldSwap};

class CorvaneModule {
public:
    CorvaneModule() : file_(CORVANE_MODULE_PATH) {
        EXPECT_TRUE(file_.isOpen()) << file_.error();
        registerPlugin = file_.symbol<RegisterPluginFn>("ACFRegisterPlugin");
        registerComponent = file_.symbol<RegisterComponentFn>("ACFRegisterComponent");
        getClassFactory = file_.symbol<GetClassFactoryFn>("ACFGetClassFactory");
        canUnloadNow = file_.symbol<CanUnloadNowFn>("ACFCanUnloadNow");
        EXPECT_TRUE(registerPlugin && registerComponent && getClassFactory && canUnloadNow);
    }
    // Unloads the module: its host log reference is released then.
    void unload() { file_.close(); }

    RegisterPluginFn registerPlugin = nullptr;
    RegisterComponentFn registerComponent = nullptr;
    GetClassFactoryFn getClassFactory = nullptr;
    CanUnloadNowFn canUnloadNow = nullptr;

    // Registers component `index` and hands back its record as the test host keeps it.
    testhost::ComponentRecord& registered(testhost::Host& host, uint32_t index) {
        HostRef<IAVXComponentRecord> record;
        EXPECT_EQ(registerComponent(host.unknown(), index, record.put()), 0);
        return *host.records().components().back();
    }

    HostRef<IACFClassFactory> factory(testhost::Host& host, const GUID& creationClass) {
        HostRef<IACFClassFactory> f;
        EXPECT_EQ(
            getClassFactory(host.unknown(), creationClass, iid::IACFClassFactory, f.putVoid()), 0);
        return f;
    }

    HostRef<IAVXEffect> effect(testhost::Host& host, uint32_t index) {
        HostRef<IAVXEffect> e;
        auto f = factory(host, *kCreationClasses[index]);
        if (f) {
            EXPECT_EQ(f->CreateInstance(host.unknown(), nullptr, iid::IAVXEffect, e.putVoid()), 0);
        }
        return e;
    }

private:
    testhost::ModuleFile file_;
};

// A test host and the module freshly loaded on it; the module goes first, as when the editor
// unloads a plug-in before it shuts down.
struct FreshModuleTest : ::testing::Test {
    testhost::Host host;
    CorvaneModule module;
};

// The same, with the module's first contact made: it holds this host's log, so tests may
// bring further hosts without the log ever pointing at one that has gone.
struct ModuleTest : FreshModuleTest {
    ModuleTest() { module.factory(host, corvane_id::creation_class::Generic); }
};

struct InstanceBase {
    testhost::Host& host;
    testhost::EffectContext& context;
    HostRef<IAVXEffect> effect;
    testhost::RenderTime& time;
    testhost::RenderField& field;
};

// One instance of a registered component with its context, inputs and output.
struct Instance : InstanceBase, RenderFrames {
    Instance(CorvaneModule& module, testhost::Host& h, uint32_t index, int inputCount,
             testhost::FrameShape shape = {.width = 8, .height = 4})
        : InstanceBase{h, h.makeContextFor(module.registered(h, index), "context"),
                       module.effect(h, index), h.makeRenderTime(3), h.makeRenderField(2.0, 1)},
          RenderFrames(h, context, inputCount, shape) {}

    int32_t render() {
        return checked([&] {
            return effect->Render(&context, nullptr, nullptr, &time, nullptr, &field, outputs);
        });
    }
};

// Every host call of one render failed, or nulled, in turn: the status comes back, nothing more
// is held and the output is untouched. A parameter not found falls back, but `needed`.
inline void expectEveryRenderFailureReturned(CorvaneModule& module, uint32_t index, int inputs,
                                             const testhost::FrameShape& shape,
                                             const std::function<void(Instance&)>& arrange,
                                             const char* needed, size_t least) {
    constexpr int32_t kFailure = static_cast<int32_t>(0x80073333u);
    const auto instance = [&](testhost::Host& h) {
        auto in = std::make_unique<Instance>(module, h, index, inputs, shape);
        arrange(*in);
        h.inject().reset();
        return in;
    };
    std::vector<testhost::Call> calls;
    {
        testhost::Host h;
        const auto in = instance(h);
        h.journal().clear();
        ASSERT_EQ(in->render(), 0);
        calls = h.journal().calls();
    }
    size_t injected = 0;
    for (const auto& call : calls)
        for (bool null : {false, true}) {
            if (null ? !call.nullable : !call.failable) continue;
            SCOPED_TRACE(call.op + " #" + std::to_string(call.seq) + " " + call.detail);
            testhost::Host h;
            const auto in = instance(h);
            const auto before = h.census().report();
            null ? h.inject().nullCall(call.seq) : h.inject().failCall(call.seq, kFailure);
            const int32_t result = in->render();
            const bool missing = call.op == "GetParam" && !null &&
                                 !(needed && call.detail.find(needed) != std::string::npos);
            if (missing) {
                EXPECT_EQ(result, 0);
            } else {
                EXPECT_EQ(result, null ? status::kNullObject : kFailure);
                EXPECT_TRUE(in->outputUntouched());
            }
            EXPECT_EQ(h.census().report(), before);
            ++injected;
        }
    EXPECT_GT(injected, least);
}
