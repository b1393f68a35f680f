// The sixteen-lane loops behind avx512::runFrame. Included only by the files in blend/avx512/.
#pragma once

#include "blend/frame_runner_wide.h"
#include "blend/pixel_io_avx512.h"

namespace avx512 {

struct SixteenLanes {
    template <bool Video>
    using Io8bit = avx512::Io8bit<Video>;
    using Io2_14 = avx512::Io2_14;
    template <bool Aligned>
    using IoFloat = avx512::IoFloat<Aligned>;
};

template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags) {
    frame_runner_detail::runWideFrame<SixteenLanes, Path>(kernel, job, flags);
}

}  // namespace avx512
