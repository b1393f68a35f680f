// Time per frame of the blend kernels, called directly on host-sized frames, next to a
// plain SSE4.1 average of the same two frames: the memory traffic no mode can avoid.
//
// Case names stay fixed so that runs can be compared:
//   baseline/<depth>/<W>x<H>
//   blend/<mode>/<depth>/<W>x<H>/mix<percent>/<path>
//   correction/<mode>/<depth>/<W>x<H>/<path>    foreground and output correction on, mix 100
//   matte/<mode>/<depth>/<W>x<H>/<path>         alpha from the luminance of a matte frame
//   matte-window/<mode>/<depth>/<W>x<H>/<path>  the same through the keying window, soft edges
// <depth> is the host's depth code: 1 for 8-bit, 3 for 2.14, 6 for float. <path> is the width
// of the loops, sse41 or avx2; avx2 cases exist where the processor runs AVX2. Every frame is
// BGRA, full range, Magic 100 %, clamp to legal on.
#include <benchmark/benchmark.h>
#include <smmintrin.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_main.h"
#include "blend/alpha_sources.h"
#include "blend/blend_settings.h"
#include "blend/kernel_context.h"
#include "frames.h"
#include "path_suffix.h"
#include "pixel/simd_path.h"

namespace {

struct Size {
    uint32_t width, height;
};
constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};
constexpr PixelDepth kDepths[] = {PixelDepth::Bits8, PixelDepth::Fixed2_14, PixelDepth::Float32};

// The baseline walks whole cache lines.
constexpr bool wholeCacheLines(Size size) {
    return size.width * size.height * fourChannelPixelBytes(PixelDepth::Bits8) % 64 == 0;
}
static_assert(wholeCacheLines(kSizes[0]) && wholeCacheLines(kSizes[1]));

std::string sizeName(Size size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The four frames of one depth and size: background, foreground, output, matte.
struct FrameSet {
    PixelDepth depth;
    uint32_t width, height;
    size_t bytes;  // of one frame
    bench::FrameBuffer background, foreground, output, matte;
};

// Sets are kept while they fit a budget, so a run interleaved at random does not refill
// frames between every two cases; past the budget the others are freed first, since four
// 4K float frames alone are over half a gigabyte on a machine shared with other builds.
FrameSet& framesFor(PixelDepth depth, Size size) {
    constexpr size_t kBudget = size_t{768} << 20;
    static std::vector<std::unique_ptr<FrameSet>> sets;
    for (auto& set : sets)
        if (set->depth == depth && set->width == size.width && set->height == size.height)
            return *set;
    const size_t pixels = size_t{size.width} * size.height;
    const size_t bytes = pixels * fourChannelPixelBytes(depth);
    size_t held = 0;
    for (auto& set : sets) held += 4 * set->bytes;
    if (held + 4 * bytes > kBudget) sets.clear();
    sets.push_back(std::make_unique<FrameSet>(FrameSet{
        depth, size.width, size.height, bytes, bench::allocateFrame(bytes),
        bench::allocateFrame(bytes), bench::allocateFrame(bytes), bench::allocateFrame(bytes)}));
    FrameSet& set = *sets.back();
    bench::fillFrame(depth, set.background.get(), pixels, 1);
    bench::fillFrame(depth, set.foreground.get(), pixels, 2);
    bench::fillFrame(depth, set.matte.get(), pixels, 3);
    return set;
}

enum class Pass { Plain, Correction, Matte, MatteWindow };

struct BlendCase {
    int mode;
    PixelDepth depth;
    Size size;
    float mix;
    Pass pass;
    SimdPath path;
};

BlendSettings settingsFor(const BlendCase& c, const FrameSet& frames) {
    BlendSettings s;
    s.frame.depth = c.depth;
    s.frame.layout = PixelLayout::BGRA;
    s.frame.range = ValueRange::Full;
    s.frame.pixelBytes = fourChannelPixelBytes(c.depth);
    s.frame.width = c.size.width;
    s.frame.height = c.size.height;
    s.frame.frameBytes = frames.bytes;
    s.mode = c.mode;
    s.mix = c.mix;
    s.magic = 1.0f;
    s.clampToLegal = 1;
    if (c.pass == Pass::Correction) {
        // Values away from the identity, so that no term folds away.
        s.fgCorrection = 1;
        s.fgBrightness = 0.03f;
        s.fgContrast = 0.2f;
        s.fgSaturation = 1.3f;
        s.fgShift = {0.02f, -0.01f, 0.015f};
        s.outCorrection = 1;
        s.outBrightness = 0.05f;
        s.outContrast = -0.1f;
        s.outSaturation = 0.9f;
        s.outShift = {-0.01f, 0.02f, 0.0f};
    }
    if (c.pass == Pass::Matte || c.pass == Pass::MatteWindow) {
        s.alphaEnabled = 1;
        s.matteData = frames.matte.get();
        s.alphaSource = static_cast<uint32_t>(AlphaSource::Luminance);
    }
    if (c.pass == Pass::MatteWindow) {
        // Both soft edges: the costliest keying window. On noise its per-group branches
        // mispredict about as often as they can; a real matte is kinder to them.
        s.alphaRangeEnabled = 1;
        s.alphaLow = 0.2f;
        s.alphaHigh = 0.8f;
        s.alphaSoftLow = 0.1f;
        s.alphaSoftHigh = 0.1f;
    }
    return s;
}

void runBlend(benchmark::State& state, BlendCase c) {
    FrameSet& frames = framesFor(c.depth, c.size);
    BlendSettings s = settingsFor(c, frames);
    KernelContext context = makeKernelContext(s);
    context.simd = c.path;
    const BlendKernel kernel = kBlendKernels[c.mode - 1];
    for (auto _ : state) {
        kernel(&context, frames.background.get(), frames.foreground.get(), frames.output.get());
        benchmark::ClobberMemory();
    }
    // Frames moved per pass: background, foreground and output, and the matte when it is read.
    const int64_t framesMoved = c.pass == Pass::Plain || c.pass == Pass::Correction ? 3 : 4;
    state.SetBytesProcessed(state.iterations() * framesMoved * static_cast<int64_t>(frames.bytes));
}

// Two frames read, their average streamed out, a cache line per step: as close to the bare
// traffic of a blend as SSE4.1 gets. 2.14 samples are averaged as unsigned; only the traffic
// counts here.
void averageFrames(PixelDepth depth, const uint8_t* a, const uint8_t* b, uint8_t* out,
                   size_t bytes) {
    const size_t lines = bytes / 64;
    if (depth == PixelDepth::Float32) {
        const auto* x = reinterpret_cast<const float*>(a);
        const auto* y = reinterpret_cast<const float*>(b);
        auto* z = reinterpret_cast<float*>(out);
        const __m128 half = _mm_set1_ps(0.5f);
        for (size_t i = 0; i < lines * 16; i += 16)
            for (size_t j = i; j < i + 16; j += 4)
                _mm_stream_ps(z + j,
                              _mm_mul_ps(_mm_add_ps(_mm_load_ps(x + j), _mm_load_ps(y + j)), half));
    } else {
        const bool bytes8 = depth == PixelDepth::Bits8;
        const auto* x = reinterpret_cast<const __m128i*>(a);
        const auto* y = reinterpret_cast<const __m128i*>(b);
        auto* z = reinterpret_cast<__m128i*>(out);
        if (bytes8)
            for (size_t i = 0; i < lines * 4; i += 4)
                for (size_t j = i; j < i + 4; ++j)
                    _mm_stream_si128(z + j,
                                     _mm_avg_epu8(_mm_load_si128(x + j), _mm_load_si128(y + j)));
        else
            for (size_t i = 0; i < lines * 4; i += 4)
                for (size_t j = i; j < i + 4; ++j)
                    _mm_stream_si128(z + j,
                                     _mm_avg_epu16(_mm_load_si128(x + j), _mm_load_si128(y + j)));
    }
    _mm_sfence();
}

void runBaseline(benchmark::State& state, PixelDepth depth, Size size) {
    FrameSet& frames = framesFor(depth, size);
    for (auto _ : state) {
        averageFrames(depth, frames.background.get(), frames.foreground.get(), frames.output.get(),
                      frames.bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 3 * static_cast<int64_t>(frames.bytes));
}

// Per frame in milliseconds. The minimum time is a default flag (see main) rather than
// MinTime(), and the time is not switched to wall time, because either would append a suffix
// to every case name. Wall and CPU time are both in the output; the iteration count follows
// CPU time, which on a shared machine leaves out the slices other processes take.
void configure(benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); }

void registerAll() {
    constexpr int kPassModes[] = {1, 6, 9};  // Normal, Screen, Softlight
    std::vector<std::pair<SimdPath, std::string>> paths;
    for (const SimdPath path : kEverySimdPath)
        if (processorRuns(path)) paths.push_back({path, bench::pathSuffix(path)});
    for (const Size size : kSizes)
        for (const PixelDepth depth : kDepths) {
            const std::string d = std::to_string(static_cast<int>(depth));
            const std::string wh = sizeName(size);
            configure(benchmark::RegisterBenchmark(("baseline/" + d + "/" + wh).c_str(),
                                                   runBaseline, depth, size));
            for (const auto& [path, pathName] : paths)
                for (const int percent : {100, 50})
                    for (int mode = 1; mode <= 25; ++mode) {
                        const std::string name = "blend/" + std::to_string(mode) + "/" + d + "/" +
                                                 wh + "/mix" + std::to_string(percent) + pathName;
                        const BlendCase c{mode, depth, size, percent / 100.0f, Pass::Plain, path};
                        configure(benchmark::RegisterBenchmark(name.c_str(), runBlend, c));
                    }
            const std::pair<Pass, const char*> passes[] = {{Pass::Correction, "correction/"},
                                                           {Pass::Matte, "matte/"},
                                                           {Pass::MatteWindow, "matte-window/"}};
            for (const auto& [path, pathName] : paths)
                for (const auto& [pass, prefix] : passes)
                    for (const int mode : kPassModes) {
                        const std::string name =
                            prefix + std::to_string(mode) + "/" + d + "/" + wh + pathName;
                        const BlendCase c{mode, depth, size, 1.0f, pass, path};
                        configure(benchmark::RegisterBenchmark(name.c_str(), runBlend, c));
                    }
        }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    return bench::runRegistered(argc, argv);
}
