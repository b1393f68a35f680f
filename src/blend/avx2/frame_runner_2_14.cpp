#include "blend/frame_runner_avx2.h"

template void avx2::runFrame<DepthPath::Fixed2_14>(int, const FrameJob<F4>&, const PassFlags&);
