// Our own loops between FFmpeg's planar 4:2:2 YCbCr and the module's packed pixels, which
// FFmpeg has no format for: RGB in 2.14 or float through the Rec.709 matrix, and 4:2:2 in every
// working depth. Chroma sits on the even pixels (co-sited): RGB gets it interpolated on the odd
// ones, and 4:2:2 takes it through a [1 2 1] filter centred on each even pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "ffmpeg_util.h"

namespace corvane {

// Code levels of planar YCbCr samples: black and the span up to white, the chroma zero and the
// span of a full excursion, and the largest code.
struct YCbCrLevels {
    float black, lumaSpan, zero, chromaSpan, top;
};
YCbCrLevels ycbcrLevels(int bits, bool fullRange);

struct WorkingFormat;

// Planar 4:2:2 of `bits` bits (8-bit samples, or 16-bit ones for more) into working pixels,
// rows without gaps at `out`. `scratch` holds a row between calls.
void planarToPacked(const AVFrame& from, int bits, const YCbCrLevels& levels,
                    const WorkingFormat& to, uint8_t* out, std::vector<float>& scratch);

// Working pixels into planar 4:2:2 of `bits` bits.
void packedToPlanar(const uint8_t* in, const WorkingFormat& from, int bits,
                    const YCbCrLevels& levels, AVFrame& to, std::vector<float>& scratch);

}  // namespace corvane
