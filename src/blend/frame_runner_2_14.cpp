#include "blend/frame_runner_impl.h"

template void runFrame<DepthPath::Fixed2_14>(int, const FrameJob<F4>&, const PassFlags&);
