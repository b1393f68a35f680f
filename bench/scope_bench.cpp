// Time per frame of the scope's building blocks on 4:2:2 YCbCr frames, next to a plain copy
// of the same bytes: what a pass of the scope costs beyond moving the frame.
//
// Case names stay fixed so that runs can be compared:
//   copy/<depth>/<W>x<H>         memcpy of the frame
//   convert/<depth>/<W>x<H>      load and store of every group
//   falsecolour/<depth>/<W>x<H>  load, false-colour mapping (Default palette) and store
// <depth> is the host's depth code: 1 for 8-bit (video levels), 3 for 2.14, 6 for float.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_main.h"
#include "frames.h"
#include "pixel/ycbcr_converter.h"
#include "scope/false_colour_map.h"

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

// One frame group by group with the converter as its concrete class, as a scope pass walks
// it: flattened, so that every operation is inlined into the loop. The false-colour case
// builds its lookup once per frame, as the render does.
template <bool FalseColour, class Converter>
[[gnu::flatten]] void convertFrame(Converter& c, const uint8_t* in, uint8_t* out, size_t end,
                                   size_t groupBytes) {
    if constexpr (FalseColour) c.falseColour.build(0, 1.0f);
    for (size_t i = 0; i < end; i += groupBytes) {
        c.load(in + i);
        if constexpr (FalseColour) mapThroughFalseColour(c);
        c.store(out + i);
    }
    c.finish();
}

template <bool FalseColour>
void runConvert(benchmark::State& state, PixelDepth depth) {
    FramePair& f = framesFor(depth);
    auto converter = makePixelConverter(depth, ValueRange::Video, PixelLayout::CbYCrY_NoA,
                                        ycbcr422PixelBytes(depth));
    const size_t groupBytes = size_t{ycbcr422PixelBytes(depth)} * 8;
    const size_t end = f.bytes / groupBytes * groupBytes;
    withConcreteConverter(*converter, [&](auto& c) {
        for (auto _ : state) {
            convertFrame<FalseColour>(c, f.input.get(), f.output.get(), end, groupBytes);
            benchmark::ClobberMemory();
        }
    });
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
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    return bench::runRegistered(argc, argv);
}
