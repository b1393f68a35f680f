// Time per frame of the scope's building blocks on 4:2:2 YCbCr frames, next to a plain copy
// of the same bytes: what a pass of the scope costs beyond moving the frame.
//
// Case names stay fixed so that runs can be compared:
//   copy/<depth>/<W>x<H>         memcpy of the frame
//   convert/<depth>/<W>x<H>      load and store of every group
//   falsecolour/<depth>/<W>x<H>  load, false-colour mapping (Default palette) and store
// <depth> is the host's depth code: 1 for 8-bit (video levels), 3 for 2.14, 6 for float.
// These run four lanes; where the processor has AVX2 the convert and false-colour cases also
// run eight lanes, named with /avx2 at the end.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "bench_main.h"
#include "frames.h"
#include "pixel/simd_path.h"
#include "pixel/ycbcr_converter.h"
#include "scope_convert.h"

namespace {

constexpr uint32_t kWidth = 1920, kHeight = 1080;
constexpr PixelDepth kDepths[] = {PixelDepth::Bits8, PixelDepth::Fixed2_14, PixelDepth::Float32};

struct FramePair {
    size_t bytes;
    bench::FrameBuffer input, output;
};

// One input and one output frame per depth, filled once.
FramePair& framesFor(PixelDepth depth) {
    static std::unique_ptr<FramePair> pairs[8];
    auto& pair = pairs[static_cast<int>(depth)];
    if (!pair) {
        const size_t pixels = size_t{kWidth} * kHeight;
        const size_t bytes = pixels * ycbcr422PixelBytes(depth);
        pair = std::make_unique<FramePair>(
            FramePair{bytes, bench::allocateFrame(bytes), bench::allocateFrame(bytes)});
        // Two samples per pixel: as many as four-channel pixels of half the count.
        bench::fillFrame(depth, pair->input.get(), pixels / 2, 7);
    }
    return *pair;
}

void runCopy(benchmark::State& state, PixelDepth depth) {
    FramePair& f = framesFor(depth);
    for (auto _ : state) {
        std::memcpy(f.output.get(), f.input.get(), f.bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 2 * static_cast<int64_t>(f.bytes));
}

template <bool FalseColour>
void runConvert(benchmark::State& state, PixelDepth depth) {
    FramePair& f = framesFor(depth);
    auto converter = makePixelConverter(depth, ValueRange::Video, PixelLayout::CbYCrY_NoA,
                                        ycbcr422PixelBytes(depth));
    withReadingConverter(*converter, [&](auto& c) {
        for (auto _ : state) {
            convertFrame<FalseColour>(c, f.input.get(), f.output.get(), f.bytes);
            benchmark::ClobberMemory();
        }
    });
    state.SetBytesProcessed(state.iterations() * 2 * static_cast<int64_t>(f.bytes));
}

void runConvertWide(benchmark::State& state, PixelDepth depth, bool falseColour) {
    FramePair& f = framesFor(depth);
    for (auto _ : state) {
        avx2::convertFrame(depth, falseColour, f.input.get(), f.output.get(), f.bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 2 * static_cast<int64_t>(f.bytes));
}

void registerAll() {
    const std::string size = std::to_string(kWidth) + "x" + std::to_string(kHeight);
    for (const PixelDepth depth : kDepths) {
        const std::string tail = "/" + std::to_string(static_cast<int>(depth)) + "/" + size;
        benchmark::RegisterBenchmark(("copy" + tail).c_str(), runCopy, depth)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("convert" + tail).c_str(), runConvert<false>, depth)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("falsecolour" + tail).c_str(), runConvert<true>, depth)
            ->Unit(benchmark::kMillisecond);
        if (!processorRunsAvx2()) continue;
        for (const bool falseColour : {false, true})
            benchmark::RegisterBenchmark(
                ((falseColour ? "falsecolour" : "convert") + tail + "/avx2").c_str(),
                runConvertWide, depth, falseColour)
                ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    return bench::runRegistered(argc, argv);
}
