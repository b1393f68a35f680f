#include "blend/frame_runner_impl.h"

template void runFrame<DepthPath::FloatAligned>(int, const FrameJob<F4>&, const PassFlags&);
