#include "blend/frame_runner_impl.h"

template void runFrame<DepthPath::FloatUnaligned>(int, const FrameJob&, const PassFlags&);
