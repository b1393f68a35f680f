#include "pixel/ycbcr_converter.h"
#include "pixel/ymm_lanes.h"
#include "scope_convert.h"

namespace avx2 {

void convertFrame(PixelDepth depth, bool falseColour, const uint8_t* in, uint8_t* out,
                  size_t bytes) {
    const auto run = [&](auto&& c) {
        falseColour ? ::convertFrame<true>(c, in, out, bytes)
                    : ::convertFrame<false>(c, in, out, bytes);
    };
    const PixelLayout layout = PixelLayout::CbYCrY_NoA;
    if (depth == PixelDepth::Bits8) run(PixelYCbCr_8bit<YmmLanes>(ValueRange::Video, layout));
    if (depth == PixelDepth::Fixed2_14) run(PixelYCbCr_214bit<YmmLanes>(layout));
    if (depth == PixelDepth::Float32) run(PixelYCbCr_32bit<YmmLanes>(layout));
}

}  // namespace avx2
