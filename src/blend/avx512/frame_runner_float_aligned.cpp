#include "blend/frame_runner_avx512.h"

template void avx512::runFrame<DepthPath::FloatAligned>(int, const FrameJob<F4>&, const PassFlags&);
