#include "scope/fill_black.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "pixel/ycbcr_converter.h"

namespace {

// One 8-pixel group of the RGB black of the depth. At 8-bit video levels a colour component
// is 16; the alpha component of the four-component layouts is 0.
bool rgbBlack(const FrameFormat& frame, uint8_t* group, uint64_t groupBytes) {
    std::memset(group, 0, groupBytes);
    if (frame.depth == PixelDepth::Bits8) {
        if (frame.range != ValueRange::Video) return true;
        std::memset(group, 16, groupBytes);
        const int alpha = frame.layout == PixelLayout::ARGB ? 0
                          : frame.layout == PixelLayout::BGRA || frame.layout == PixelLayout::RGBA
                              ? 3
                              : -1;
        if (alpha >= 0 && frame.pixelBytes == 4)
            for (uint64_t i = static_cast<uint64_t>(alpha); i < groupBytes; i += 4) group[i] = 0;
        return true;
    }
    return frame.depth == PixelDepth::Fixed2_14 || frame.depth == PixelDepth::Float32;
}

}  // namespace

void fillBlack(uint8_t* pixels, uint64_t byteCount, const FrameFormat& frame) {
    if (byteCount == 0 || frame.pixelBytes == 0) return;
    const uint64_t groupBytes = uint64_t{frame.pixelBytes} * 8;
    alignas(16) uint8_t group[8 * 16];
    if (groupBytes > sizeof group) return;
    if (frame.colourSpace == ColourSpace::Rec601 || frame.colourSpace == ColourSpace::Rec709) {
        auto converter =
            makePixelConverter(frame.depth, frame.range, frame.layout, frame.pixelBytes);
        if (!converter || converter->depth() == PixelDepth::None) return;
        converter->storeSaved();  // working vectors still zero: black
        converter->copySaved(group);
    } else if (frame.colourSpace == ColourSpace::RGB) {
        if (!rgbBlack(frame, group, groupBytes)) return;
    } else {
        std::memset(group, 0, groupBytes);
    }
    uint64_t done = 0;
    for (; byteCount - done >= groupBytes; done += groupBytes)
        std::memcpy(pixels + done, group, groupBytes);
    std::memcpy(pixels + done, group, byteCount - done);
}
