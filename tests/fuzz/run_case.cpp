#include "run_case.h"

#include <climits>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "case_frames.h"
#include "case_params.h"
#include "fuzz_bytes.h"
#include "host/host_ref.h"
#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"

namespace {

// The step during which one host call fails or answers with null.
enum class Phase { None, Plugin, Register, SetUp, Render };

struct Injection {
    Phase phase = Phase::None;
    uint64_t call = 0;  // its position among the step's host calls, from 1
    bool null = false;
    int32_t status = 0;
};

Injection decodeInjection(FuzzBytes& in) {
    static constexpr Phase kPhases[] = {Phase::None,  Phase::None,   Phase::None,
                                        Phase::None,  Phase::Plugin, Phase::Register,
                                        Phase::SetUp, Phase::Render};
    static constexpr int32_t kStatuses[] = {status::kUnexpected, status::kNullObject,
                                            status::kInvalidArgument, status::kOutOfMemory,
                                            kHostOwnFailure};
    Injection j;
    j.phase = in.pick(kPhases);
    j.call = 1 + (uint64_t{in.byte()} | uint64_t{in.byte()} << 8) % 512;
    j.null = in.byte() & 1;
    j.status = in.pick(kStatuses);
    return j;
}

// Runs `step` with the injection armed when it belongs to `phase`, and checks its status.
template <class Step>
int32_t injected(testhost::Host& host, const Injection& j, Phase phase, const char* what,
                 Step step) {
    host.inject().reset();
    if (j.phase == phase)
        j.null ? host.inject().nullCall(j.call) : host.inject().failCall(j.call, j.status);
    const int32_t result = step();
    host.inject().reset();
    const bool known = status::name(result) != nullptr && result != status::kCannotUnload;
    if (!known && result != kHostOwnFailure)
        oracleFailed(std::string(what) + " returned the unknown status " + std::to_string(result));
    return result;
}

void expectClean(testhost::Host& host, LoadedModule& module, const char* after) {
    if (!host.census().clean())
        oracleFailed(std::string("after ") + after + ":\n" + host.census().report());
    if (const int32_t s = module.canUnloadNow(host.unknown()); s != 0)
        oracleFailed(std::string("ACFCanUnloadNow answered ") + std::to_string(s) + " after " +
                     after);
}

const testhost::ComponentRecord& recordBehind(testhost::Host& host, IAVXComponentRecord* record) {
    for (const testhost::ComponentRecord* c : host.records().components())
        if (static_cast<const IAVXComponentRecord*>(c) == record) return *c;
    oracleFailed("the component record handed back is not one the host made");
}

struct RenderCall {
    int32_t frameTime = 0;
    int32_t field = 0;
    double paramTime = 0;
    uint8_t nullArgument = 0;  // 1 to 4: context, render time, render field, output set
};

RenderCall decodeRender(FuzzBytes& in) {
    RenderCall r;
    r.frameTime = in.code(8);
    r.field = in.code(4);
    r.paramTime = decodeTime(in);
    const uint8_t b = in.byte();
    r.nullArgument = b >= 248 ? 1 + b % 4 : 0;
    return r;
}

// The bytes a frame hands out as its pixels, which may be another frame's.
std::span<const uint8_t> viewOf(const testhost::Frame& f) {
    return {static_cast<const uint8_t*>(f.pixels()), static_cast<size_t>(f.byteCount())};
}

bool overlap(std::span<const uint8_t> a, std::span<const uint8_t> b) {
    return !a.empty() && !b.empty() && a.data() < b.data() + b.size() &&
           b.data() < a.data() + a.size();
}

using Bytes = std::vector<uint8_t>;

bool same(std::span<const uint8_t> now, const Bytes& before) {
    return before.empty() || std::memcmp(now.data(), before.data(), before.size()) == 0;
}

void render(testhost::Host& host, const Injection& j, bool armed, IAVXEffect& effect,
            testhost::EffectContext& context, const CaseFrames& frames, const RenderCall& call) {
    testhost::RenderTime& time = host.makeRenderTime(call.frameTime);
    testhost::RenderField& field = host.makeRenderField(call.paramTime, call.field);
    const auto outputView = viewOf(*frames.output);
    const Bytes output(outputView.begin(), outputView.end());
    // Inputs the render only reads: all but those that are, or overlap, the output.
    std::vector<std::pair<const testhost::Frame*, Bytes>> inputs;
    for (const testhost::Frame* f : frames.inputs)
        if (const auto v = viewOf(*f); !overlap(v, outputView))
            inputs.emplace_back(f, Bytes(v.begin(), v.end()));

    const int32_t result = injected(host, j, armed ? Phase::Render : Phase::None, "Render", [&] {
        return effect.Render(call.nullArgument == 1 ? nullptr : &context, nullptr, nullptr,
                             call.nullArgument == 2 ? nullptr : &time, nullptr,
                             call.nullArgument == 3 ? nullptr : &field,
                             call.nullArgument == 4 ? nullptr : frames.outputSet);
    });
    if (status::failed(result) && !same(outputView, output))
        oracleFailed("Render failed with " + std::to_string(result) + " and wrote the output");
    for (const auto& [f, before] : inputs)
        if (!same(viewOf(*f), before)) oracleFailed("Render changed " + f->describe());
    for (const testhost::Frame* f : frames.all)
        if (!f->guardsIntact()) oracleFailed("Render wrote beside " + f->describe());
}

}  // namespace

void runCase(LoadedModule& module, const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const uint32_t index = in.below(5);
    const Injection j = decodeInjection(in);
    testhost::Host host;

    if (j.phase == Phase::Plugin) {
        HostRef<IACFPluginRecord> plugin;
        const int32_t s = injected(host, j, Phase::Plugin, "ACFRegisterPlugin", [&] {
            return module.registerPlugin(host.unknown(), plugin.put());
        });
        if (status::failed(s) && plugin) oracleFailed("a failed ACFRegisterPlugin handed a record");
        plugin.reset();
        expectClean(host, module, "ACFRegisterPlugin");
        return;
    }

    HostRef<IAVXComponentRecord> record;
    const int32_t registered = injected(host, j, Phase::Register, "ACFRegisterComponent", [&] {
        return module.registerComponent(host.unknown(), index, record.put());
    });
    if (status::failed(registered)) {
        if (record) oracleFailed("a failed ACFRegisterComponent handed a record");
        expectClean(host, module, "a failed ACFRegisterComponent");
        return;
    }
    const testhost::ComponentRecord& component = recordBehind(host, record.get());
    record.reset();

    testhost::EffectContext& context = host.makeContextFor(component, "context");
    context.setUsageKind(in.code(4));
    static constexpr int32_t kFrameCounts[] = {1, 2, 50, 0, -1, INT_MAX, INT_MIN};
    context.setFrameCount(in.pick(kFrameCounts));
    static constexpr int32_t kSizes[] = {1920, 1080, 720, 0, -1, -1920, 64, INT_MIN};
    const int32_t projectWidth = in.pick(kSizes), projectHeight = in.pick(kSizes);
    context.setProjectSize(projectWidth, projectHeight);
    const int32_t auxWidth = in.pick(kSizes), auxHeight = in.pick(kSizes);
    context.setAuxSize(auxWidth, auxHeight);
    const uint32_t setUp = in.below(4);  // 0: none, 3: with a null context

    const CaseFrames frames = decodeFrames(in, host, component, context);
    decodeParams(in, host.records(), context.params());
    std::vector<RenderCall> calls(1 + in.below(2));
    for (RenderCall& c : calls) c = decodeRender(in);

    HostRef<IACFClassFactory> factory;
    HostRef<IAVXEffect> effect;
    if (module.getClassFactory(host.unknown(), component.classId, iid::IACFClassFactory,
                               factory.putVoid()) != 0 ||
        factory->CreateInstance(host.unknown(), nullptr, iid::IAVXEffect, effect.putVoid()) != 0)
        oracleFailed("no instance of component " + std::to_string(index));

    if (setUp != 0)
        injected(host, j, Phase::SetUp, "SetUpInstance",
                 [&] { return effect->SetUpInstance(setUp == 3 ? nullptr : &context); });
    for (size_t i = 0; i < calls.size(); ++i)
        render(host, j, i == 0, *effect, context, frames, calls[i]);

    effect.reset();
    factory.reset();
    expectClean(host, module, "the instance was released");
    module.forgetLog();
}
