// Stored samples, 1, 2 or 4 bytes wide: an 8-bit code, a 2.14 word or a float; and the order of
// a 4:2:2 pair, Y0 Cb Y1 Cr (luma first) or Cb Y0 Cr Y1 (chroma first).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace samples {

// Sample i as its code (or float), and written from one.
inline double read(const uint8_t* p, size_t i, int bytes) {
    int16_t word;
    float f;
    if (bytes == 1) return p[i];
    if (bytes == 2) return std::memcpy(&word, p + 2 * i, 2), word;
    return std::memcpy(&f, p + 4 * i, 4), f;
}
inline void write(uint8_t* p, size_t i, int bytes, double code) {
    const auto word = static_cast<int16_t>(code);
    const auto f = static_cast<float>(code);
    if (bytes == 1) p[i] = static_cast<uint8_t>(code);
    if (bytes == 2) std::memcpy(p + 2 * i, &word, 2);
    if (bytes == 4) std::memcpy(p + 4 * i, &f, 4);
}

}  // namespace samples

namespace ycbcr422 {

enum Channel { Cb, Y0, Cr, Y1 };

// Where a channel sits in its pair; also the channel at a position.
constexpr int position(int channel, bool lumaFirst) { return lumaFirst ? channel ^ 1 : channel; }
constexpr Channel channelAt(size_t sample, bool lumaFirst) {
    return Channel(position(int(sample % 4), lumaFirst));
}

// The sample indices of a pixel's luma and of its pair's Cb and Cr.
inline std::array<size_t, 3> slots(size_t pixel, bool lumaFirst) {
    const size_t pair = pixel / 2 * 4;
    return {pair + position(pixel % 2 ? Y1 : Y0, lumaFirst), pair + position(Cb, lumaFirst),
            pair + position(Cr, lumaFirst)};
}

}  // namespace ycbcr422
