// Time per 1080p frame of the command-line host's conversions between planar 10-bit 4:2:2 and
// the module's packed 2.14 BGRA, both ways, against a plain copy of the packed frame.
#include <cstring>
#include <vector>

#include "bench_main.h"
#include "working_format.h"
#include "ycbcr_loops.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

corvane::WorkingFormat bgra214() {
    corvane::WorkingFormat w;
    w.depth = corvane::code::kDepth214;
    w.layout = corvane::code::kBGRA;
    return w;
}

corvane::FramePtr planarFrame() {
    corvane::FramePtr f = corvane::allocFrame(AV_PIX_FMT_YUV422P10, kWidth, kHeight);
    for (int p = 0; p < 3; ++p)
        for (int y = 0; y < kHeight; ++y) {
            auto* row = reinterpret_cast<uint16_t*>(f->data[p] + y * f->linesize[p]);
            for (int x = 0; x < (p ? kWidth / 2 : kWidth); ++x)
                row[x] = static_cast<uint16_t>(64 + (x * 7 + y * 3 + p * 101) % 877);
        }
    return f;
}

void ToRgb(benchmark::State& state) {
    const corvane::FramePtr in = planarFrame();
    std::vector<uint8_t> out(size_t{kWidth} * kHeight * 8);
    std::vector<float> scratch;
    const auto levels = corvane::ycbcrLevels(10, false);
    for (auto _ : state) {
        corvane::planarToPacked(*in, 10, levels, bgra214(), out.data(), scratch);
        benchmark::DoNotOptimize(out.data());
    }
}

void FromRgb(benchmark::State& state) {
    const corvane::FramePtr planar = planarFrame();
    std::vector<uint8_t> in(size_t{kWidth} * kHeight * 8);
    std::vector<float> scratch;
    const auto levels = corvane::ycbcrLevels(10, false);
    corvane::planarToPacked(*planar, 10, levels, bgra214(), in.data(), scratch);
    corvane::FramePtr out = corvane::allocFrame(AV_PIX_FMT_YUV422P10, kWidth, kHeight);
    for (auto _ : state) {
        corvane::packedToPlanar(in.data(), bgra214(), 10, levels, *out, scratch);
        benchmark::DoNotOptimize(out->data[0]);
    }
}

void CopyPacked(benchmark::State& state) {
    std::vector<uint8_t> in(size_t{kWidth} * kHeight * 8, 1), out(in.size());
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), in.size());
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(ToRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(FromRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyPacked)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runRegistered(argc, argv); }
