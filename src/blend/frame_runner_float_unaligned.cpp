#include "blend/frame_runner_impl.h"

template void runFrame<DepthPath::FloatUnaligned>(int, const FrameJob<F4>&, const PassFlags&);
