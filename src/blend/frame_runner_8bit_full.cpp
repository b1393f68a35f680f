#include "blend/frame_runner_impl.h"

template void runFrame<DepthPath::Bits8Full>(int, const FrameJob<F4>&, const PassFlags&);
