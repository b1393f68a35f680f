// How a host frame is described: sizes, sample depth, component order, value range and
// colour space, read once per render from the output frame and taken as the format of
// every frame of that render.
#pragma once

#include <cstdint>

struct IAVXFrameBuffer;

enum class PixelDepth : int32_t {
    None = 0,
    Bits8 = 1,
    Bits10 = 2,
    Fixed2_14 = 3,
    Fixed10_6 = 4,
    Bits16 = 5,
    Float32 = 6,
    Half = 7,
};

enum class PixelLayout : int32_t {
    None = 0,
    YCbYCr_NoA = 1,
    CbYCrY_NoA = 2,
    ARGB = 3,
    BGRA = 4,
    RGBA = 5,
    ABGR = 6,
    YCbYCr = 7,
    YCbYCr_A_AtEnd = 8,
    RGB_NoA = 9,
    BGR_NoA = 10,
    YCbCrA = 11,
    CbYCrA = 12,
    Mono = 13,
};

enum class ValueRange : int32_t {
    None = 0,
    Video = 1,
    Full = 2,
    Norm = 3,
    Custom = 4,
};

enum class ColourSpace : int32_t {
    None = 0,
    Mono = 1,
    RGB = 2,
    Rec601 = 3,
    Rec709 = 4,
};

// Bytes of one pixel of four channels in the depths the blend kernels convert: 4 at 8-bit,
// 8 at 2.14, 16 at float; 0 for any other depth.
constexpr uint32_t fourChannelPixelBytes(PixelDepth depth) {
    switch (depth) {
        case PixelDepth::Bits8:
            return 4;
        case PixelDepth::Fixed2_14:
            return 8;
        case PixelDepth::Float32:
            return 16;
        default:
            return 0;
    }
}

// Bytes of one pixel of a 4:2:2 YCbCr frame in the depths the converters read: 2 at 8-bit,
// 4 at 2.14, 8 at float (a pair's four samples over its two pixels); 0 for any other depth.
constexpr uint32_t ycbcr422PixelBytes(PixelDepth depth) { return fourChannelPixelBytes(depth) / 2; }

// Console-log tokens of each code; null for a code beyond its table, which prints nothing.
// The depth, layout and range tokens are printf formats that take the text before them.
const char* depthToken(PixelDepth depth);
const char* layoutToken(PixelLayout layout);
const char* rangeToken(ValueRange range);
const char* colourSpaceToken(ColourSpace space);

struct FrameFormat {
    uint64_t frameBytes = 0;  // pixelBytes * height * width, in 64 bits
    uint32_t pixelBytes = 0;  // of plane 0, as the host reports it
    PixelDepth depth = PixelDepth::None;
    PixelLayout layout = PixelLayout::None;
    ValueRange range = ValueRange::None;
    ColourSpace colourSpace = ColourSpace::None;
    int32_t fieldMode = 0;  // passed unchanged when the inputs are fetched
    uint32_t width = 0;
    uint32_t height = 0;
};

// Reads the description of `frame`; raises a host failure (a failing GetLayout status, or
// 0x80000005 for a missing layout). The layout object is released on every path.
FrameFormat readFrameFormat(IAVXFrameBuffer& frame);
