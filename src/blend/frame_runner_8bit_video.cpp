#include "blend/frame_runner_impl.h"

template void runFrame<DepthPath::Bits8Video>(int, const FrameJob<F4>&, const PassFlags&);
