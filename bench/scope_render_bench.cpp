// Time per frame of the whole oscilloscope render, next to a plain copy of the frame, and of
// each worker alone. The picture is colour bars over a luma ramp with a hue sweep and a little
// noise: traces land where a real picture puts them, not scattered at random.
//
// Case names stay fixed so that runs can be compared:
//   copy/<depth>/<W>x<H>                   memcpy of the frame
//   scope/<mode>/<depth>/<W>x<H>/<path>    the render through its entry, on the test host, with
//                                          the main pass on sse41 or (where the processor has
//                                          it) avx2
//   worker/<waveform|vectorscope>-<variant>/<depth>/<W>x<H>   one worker's drawing alone
// <mode>: legalmap, falsecolour (whole frame), averaged and full (waveform and vectorscope),
// fcwaveform, fcstrip. <depth> is the host's depth code: 1 8-bit, 3 2.14, 6 float.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_main.h"
#include "effects/corvane_ids.h"
#include "frames.h"
#include "path_suffix.h"
#include "pixel/simd_path.h"
#include "pixel/ycbcr_converter.h"
#include "scope/scope_layout.h"
#include "scope/scope_render.h"
#include "scope/vectorscope.h"
#include "scope/waveform.h"
#include "testhost/host.h"

namespace {

namespace id = corvane_id::param;

struct Size {
    uint32_t width, height;
};
constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};
constexpr PixelDepth kDepths[] = {PixelDepth::Bits8, PixelDepth::Fixed2_14, PixelDepth::Float32};

// The working value of pixel (x, y): bars in the upper half, a ramp from below black to above
// white with a hue sweep in the lower half, noise of a few codes everywhere.
struct Sample {
    float y, cb, cr;
};
Sample pictureAt(uint32_t x, uint32_t y, const Size& s, bench::Random& random) {
    static constexpr Sample kBars[] = {{0.75f, 0, 0},          {0.69f, -0.35f, 0.03f},
                                       {0.59f, 0.08f, -0.35f}, {0.53f, -0.27f, -0.32f},
                                       {0.21f, 0.27f, 0.32f},  {0.16f, -0.08f, 0.35f},
                                       {0.05f, 0.35f, -0.03f}};
    const float u = static_cast<float>(x) / static_cast<float>(s.width);
    const float noise = static_cast<float>(random.unit() - 0.5) * 0.02f;
    if (y < s.height / 2) {
        const Sample b = kBars[static_cast<size_t>(u * 7.0f) % 7];
        return {b.y + noise, b.cb + noise, b.cr};
    }
    const float angle = u * 6.2831853f;
    return {-0.05f + 1.1f * u + noise, 0.3f * std::cos(angle), 0.3f * std::sin(angle)};
}

// The frame's bytes in 4:2:2 CbYCrY order at the depth's codes (8-bit video levels).
void fillPicture(PixelDepth depth, uint8_t* p, const Size& s) {
    bench::Random random(11);
    const uint32_t sampleBytes = ycbcr422PixelBytes(depth) / 2;
    const auto put = [&](size_t index, float v, bool chroma) {
        uint8_t* q = p + index * sampleBytes;
        if (depth == PixelDepth::Bits8) {
            const float code = chroma ? v * 224.0f + 128.0f : v * 219.0f + 16.0f;
            *q = static_cast<uint8_t>(std::fmin(255.0f, std::fmax(0.0f, std::nearbyint(code))));
        } else if (depth == PixelDepth::Fixed2_14) {
            const auto code =
                static_cast<int16_t>(std::fmin(32767.0f, std::fmax(-32768.0f, v * 16384.0f)));
            std::memcpy(q, &code, 2);
        } else {
            std::memcpy(q, &v, 4);
        }
    };
    size_t index = 0;
    for (uint32_t y = 0; y < s.height; ++y)
        for (uint32_t x = 0; x < s.width; x += 2) {
            const Sample a = pictureAt(x, y, s, random), b = pictureAt(x + 1, y, s, random);
            put(index++, (a.cb + b.cb) * 0.5f, true);
            put(index++, a.y, false);
            put(index++, (a.cr + b.cr) * 0.5f, true);
            put(index++, b.y, false);
        }
}

struct Frames {
    size_t bytes;
    bench::FrameBuffer input, output;
};
Frames& framesFor(PixelDepth depth, const Size& s) {
    static std::unique_ptr<Frames> cache[8][2];
    auto& f = cache[static_cast<int>(depth)][s.width > 2000 ? 1 : 0];
    if (!f) {
        const size_t bytes = size_t{s.width} * s.height * ycbcr422PixelBytes(depth);
        f = std::make_unique<Frames>(
            Frames{bytes, bench::allocateFrame(bytes), bench::allocateFrame(bytes)});
        fillPicture(depth, f->input.get(), s);
    }
    return *f;
}

struct Mode {
    const char* name;
    bool waveform, falseColour, resize;
};
constexpr Mode kModes[] = {{"legalmap", false, false, false}, {"falsecolour", false, true, false},
                           {"averaged", true, false, false},  {"full", true, false, true},
                           {"fcwaveform", true, true, true},  {"fcstrip", true, true, false}};

void runCopy(benchmark::State& state, PixelDepth depth, Size s) {
    Frames& f = framesFor(depth, s);
    for (auto _ : state) {
        std::memcpy(f.output.get(), f.input.get(), f.bytes);
        benchmark::ClobberMemory();
    }
}

// The render through its entry, with the test host standing in for the editor.
void runScope(benchmark::State& state, PixelDepth depth, Size s, Mode mode, SimdPath path) {
    Frames& f = framesFor(depth, s);
    testhost::Host host;
    testhost::FrameShape shape{.width = s.width,
                               .height = s.height,
                               .depth = static_cast<int32_t>(depth),
                               .layout = 2,
                               .range = 1,
                               .colourSpace = 4};
    testhost::Frame& input = host.makeFrame(shape, "input");
    testhost::Frame& output = host.makeFrame(shape, "output");
    std::memcpy(input.data(), f.input.get(), f.bytes);
    auto& context = host.makeContext("context");
    context.addInput(host.makeInput("track", &input));
    context.setProjectSize(static_cast<int32_t>(s.width), static_cast<int32_t>(s.height));
    auto& params = context.params();
    params.setBool(id::WaveformOn, mode.waveform);
    params.setBool(id::FalseColourOn, mode.falseColour);
    params.setBool(id::ResizeWaveform, mode.resize);
    params.setDouble(id::Scale, 100.0);
    params.setDouble(id::YPosition, 49.0);
    params.setDouble(id::WaveIntensity, 100.0);
    params.setDouble(id::ScopeIntensity, 100.0);
    auto& outputs = host.makeOutput("outputs", &output);
    auto& time = host.makeRenderTime();
    auto& field = host.makeRenderField();
    for (auto _ : state) {
        if (renderScope(&context, &time, &field, &outputs, path) != 0)
            state.SkipWithError("render failed");
        benchmark::ClobberMemory();
        host.journal().clear();
    }
}

// One worker alone on the layout the render would make, with its own converter.
template <bool Waveform>
void runWorker(benchmark::State& state, PixelDepth depth, Size s, bool full) {
    Frames& f = framesFor(depth, s);
    FrameFormat frame;
    frame.width = s.width;
    frame.height = s.height;
    frame.depth = depth;
    frame.layout = PixelLayout::CbYCrY_NoA;
    frame.range = ValueRange::Video;
    frame.colourSpace = ColourSpace::Rec709;
    frame.pixelBytes = ycbcr422PixelBytes(depth);
    frame.frameBytes = uint64_t{frame.pixelBytes} * s.width * s.height;
    ScopeSettings settings;
    settings.waveformOn = true;
    settings.resizeWaveform = full;
    settings.scale = 100.0;
    settings.yPosition = 49.0;
    const ScopeLayout layout = layoutScope(settings, frame, s.width, s.height, f.output.get());
    auto converter = makePixelConverter(depth, frame.range, frame.layout, frame.pixelBytes);
    const uint64_t groups = frame.frameBytes / (uint64_t{frame.pixelBytes} * 8);
    for (auto _ : state) {
        if constexpr (Waveform)
            drawWaveform(full ? WaveformVariant::Full : WaveformVariant::Averaged, layout.waveform,
                         f.input.get(), groups, 0.5f, *converter);
        else
            drawVectorscope(full ? VectorscopeVariant::Full : VectorscopeVariant::Averaged,
                            layout.vectorscope, f.input.get(), groups, 0.5f, *converter);
        benchmark::ClobberMemory();
    }
}

void registerAll() {
    for (const Size& s : kSizes) {
        const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
        for (const PixelDepth depth : kDepths) {
            const std::string tail = "/" + std::to_string(static_cast<int>(depth)) + "/" + size;
            benchmark::RegisterBenchmark(("copy" + tail).c_str(), runCopy, depth, s)
                ->Unit(benchmark::kMillisecond);
            for (const Mode& m : kModes)
                for (const SimdPath path : kEverySimdPath) {
                    if (!processorRuns(path)) continue;
                    const std::string name =
                        std::string("scope/") + m.name + tail + bench::pathSuffix(path);
                    benchmark::RegisterBenchmark(name.c_str(), runScope, depth, s, m, path)
                        ->Unit(benchmark::kMillisecond)
                        ->UseRealTime();
                }
            for (const bool full : {false, true}) {
                const std::string variant = full ? "full" : "averaged";
                benchmark::RegisterBenchmark(("worker/waveform-" + variant + tail).c_str(),
                                             runWorker<true>, depth, s, full)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(("worker/vectorscope-" + variant + tail).c_str(),
                                             runWorker<false>, depth, s, full)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    return bench::runRegistered(argc, argv);
}
