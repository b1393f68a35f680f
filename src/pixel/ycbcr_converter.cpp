#include "pixel/ycbcr_converter.h"

std::unique_ptr<xmmPixelYCbCr_mtx> makePixelConverter(PixelDepth depth, ValueRange range,
                                                      PixelLayout layout, uint64_t pixelBytes) {
    if (pixelBytes != ycbcr422PixelBytes(depth)) return std::make_unique<xmmPixelYCbCr_mtx>(layout);
    switch (depth) {
        case PixelDepth::Bits8:
            return std::make_unique<xmmPixelYCbCr_8bit>(range, layout);
        case PixelDepth::Fixed2_14:
            return std::make_unique<xmmPixelYCbCr_214bit>(layout);
        case PixelDepth::Float32:
            return std::make_unique<xmmPixelYCbCr_32bit>(layout);
        default:
            return std::make_unique<xmmPixelYCbCr_mtx>(layout);
    }
}
