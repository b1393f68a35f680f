// What the wider loops behind avx2::runFrame and avx512::runFrame share: the four-lane job
// widened once per frame to their lane type, then the same loop tables over their pixel I/O.
// Included only by the files in blend/avx2/ and blend/avx512/.
#pragma once

#include <cstring>
#include <type_traits>

#include "blend/frame_runner_impl.h"

namespace frame_runner_detail {

// A block of per-frame constants, every member one vector, at the width of `Wide`: each 16
// bytes into every 16-byte part of the wider register. Every lane of a constant holds the
// same value, and a shuffle of the frame works on each part alike.
template <class Wide, template <class> class Block>
Block<Wide> widened(const Block<F4>& narrow) {
    using WideBits = typename Wide::Bits;
    constexpr size_t n = sizeof(Block<F4>) / sizeof(__m128i);
    static_assert(
        sizeof(Block<F4>) == n * sizeof(__m128i) && sizeof(Block<Wide>) == n * sizeof(WideBits),
        "every member is one vector");
    static_assert(std::is_trivially_copyable_v<Block<F4>> &&
                  std::is_trivially_copyable_v<Block<Wide>>);
    __m128i in[n];
    WideBits out[n];
    std::memcpy(in, &narrow, sizeof in);
    for (size_t i = 0; i < n; ++i) out[i] = Wide::widened(in[i]);
    Block<Wide> wide;
    std::memcpy(&wide, out, sizeof wide);
    return wide;
}

template <class Wide>
FrameJob<Wide> widenedJob(const FrameJob<F4>& job) {
    return {job.background,
            job.foreground,
            job.matte,
            job.output,
            job.groups,
            widened<Wide, FormatConstants>(job.format),
            widened<Wide, ModeValues>(job.mode),
            Wide::widened(job.mix),
            Wide::widened(job.oneMinusMix),
            widened<Wide, CorrectionConstants>(job.fg),
            widened<Wide, CorrectionConstants>(job.out),
            widened<Wide, AlphaConstants>(job.alpha)};
}

// The loops of the I/O family `Family` over the widened job.
template <class Family, DepthPath Path>
void runWideFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags) {
    using Io = typename IoOf<Family, Path>::type;
    FrameJob<typename Io::Lanes> wide = widenedJob<typename Io::Lanes>(job);
    // A form whose registers do not work as four-pixel parts makes its own constants.
    if constexpr (requires { Io::prepare(wide.format); }) Io::prepare(wide.format);
    runLoops<Io>(kernel, wide, flags);
}

}  // namespace frame_runner_detail
