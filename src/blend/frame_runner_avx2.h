// The eight-lane loops behind avx2::runFrame: the four-lane job widened once per frame, then
// the same loop tables over the eight-pixel I/O. Included only by the files in blend/avx2/.
#pragma once

#include <cstring>
#include <type_traits>

#include "blend/frame_runner_impl.h"
#include "blend/pixel_io_avx2.h"

namespace avx2 {

struct EightLanes {
    template <bool Video>
    using Io8bit = avx2::Io8bit<Video>;
    using Io2_14 = avx2::Io2_14;
    template <bool Aligned>
    using IoFloat = avx2::IoFloat<Aligned>;
};

// A block of per-frame constants, every member one vector, at twice the width: each 16 bytes
// into both halves of 32. Every lane of a constant holds the same value, and a shuffle of the
// frame works on each half alike.
template <template <class> class Block>
Block<F8> widened(const Block<F4>& narrow) {
    constexpr size_t n = sizeof(Block<F4>) / sizeof(__m128i);
    static_assert(
        sizeof(Block<F4>) == n * sizeof(__m128i) && sizeof(Block<F8>) == n * sizeof(__m256i),
        "every member is one vector");
    static_assert(std::is_trivially_copyable_v<Block<F4>> &&
                  std::is_trivially_copyable_v<Block<F8>>);
    __m128i in[n];
    __m256i out[n];
    std::memcpy(in, &narrow, sizeof in);
    for (size_t i = 0; i < n; ++i) out[i] = widened(in[i]);
    Block<F8> wide;
    std::memcpy(&wide, out, sizeof wide);
    return wide;
}

inline FrameJob<F8> widenedJob(const FrameJob<F4>& job) {
    return {job.background,
            job.foreground,
            job.matte,
            job.output,
            job.groups,
            widened<FormatConstants>(job.format),
            widened<ModeValues>(job.mode),
            widened(job.mix),
            widened(job.oneMinusMix),
            widened<CorrectionConstants>(job.fg),
            widened<CorrectionConstants>(job.out),
            widened<AlphaConstants>(job.alpha)};
}

template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags) {
    using namespace frame_runner_detail;
    runLoops<typename IoOf<EightLanes, Path>::type>(kernel, widenedJob(job), flags);
}

}  // namespace avx2
