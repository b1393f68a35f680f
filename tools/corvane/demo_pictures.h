// The demo's pictures, made in code: 75 % colour bars, a luma ramp from below black to above
// white, a hue and saturation sweep, a soft-edged matte, and an interlaced picture whose two
// fields differ.
#pragma once

#include "ffmpeg_util.h"

namespace corvane {

FramePtr colourBars(int width, int height);          // 16-bit RGB
FramePtr lumaRamp(int width, int height);            // 16-bit 4:4:4 YCbCr, video range
FramePtr hueSaturationSweep(int width, int height);  // 16-bit RGB
FramePtr softMatte(int width, int height);           // 16-bit RGBA: a grey ramp, alpha an ellipse
FramePtr twoFieldPicture(int width, int height);  // 16-bit RGB: bars on the top field, sweep below

}  // namespace corvane
