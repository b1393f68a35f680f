// The eight-lane loops behind avx2::runFrame. Included only by the files in blend/avx2/.
#pragma once

#include "blend/frame_runner_wide.h"
#include "blend/pixel_io_avx2.h"

namespace avx2 {

struct EightLanes {
    template <bool Video>
    using Io8bit = avx2::Io8bit<Video>;
    using Io2_14 = avx2::Io2_14;
    template <bool Aligned>
    using IoFloat = avx2::IoFloat<Aligned>;
};

template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags) {
    frame_runner_detail::runWideFrame<EightLanes, Path>(kernel, job, flags);
}

}  // namespace avx2
