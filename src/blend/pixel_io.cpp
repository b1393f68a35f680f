#include "blend/pixel_io.h"

#include <array>

ChannelPositions channelPositions(PixelLayout layout) {
    switch (layout) {
        case PixelLayout::ARGB:
            return {1, 2, 3, 0};
        case PixelLayout::RGBA:
            return {0, 1, 2, 3};
        default:
            return {2, 1, 0, 3};  // B, G, R, A
    }
}

namespace {

// Builds the shuffles between memory order and channel-major order for channels of
// `width` bytes, `pixels` pixels per register.
void makeShuffles(ChannelPositions pos, int width, int pixels, __m128i& load, __m128i& store) {
    const int position[4] = {pos.r, pos.g, pos.b, pos.a};
    std::array<uint8_t, 16> toChannels{}, toMemory{};
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < pixels; ++i)
            for (int byte = 0; byte < width; ++byte) {
                const int memory = (i * 4 + position[c]) * width + byte;
                const int channelMajor = (c * pixels + i) * width + byte;
                toChannels[channelMajor] = static_cast<uint8_t>(memory);
                toMemory[memory] = static_cast<uint8_t>(channelMajor);
            }
    load = _mm_loadu_si128(reinterpret_cast<const __m128i*>(toChannels.data()));
    store = _mm_loadu_si128(reinterpret_cast<const __m128i*>(toMemory.data()));
}

// For each channel of an 8-bit register of four pixels: the shuffle that moves the byte of
// pixel i into the low byte of lane i and clears the other three.
void makeChannelShuffles(ChannelPositions pos, __m128i (&shuffles)[4]) {
    const int position[4] = {pos.r, pos.g, pos.b, pos.a};
    for (int c = 0; c < 4; ++c) {
        std::array<uint8_t, 16> bytes;
        bytes.fill(0x80);  // a set top bit clears the byte
        for (int i = 0; i < 4; ++i) bytes[4 * i] = static_cast<uint8_t>(i * 4 + position[c]);
        shuffles[c] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data()));
    }
}

}  // namespace

FormatConstants<F4> makeFormatConstants(PixelDepth depth, PixelLayout layout, ValueRange range,
                                        float lo, float hi) {
    FormatConstants<F4> k{};
    const ChannelPositions pos = channelPositions(layout);
    const bool video = range == ValueRange::Video;
    float offset = 0.0f, scale = 1.0f, alphaScale = 1.0f;
    // Depths without a case of their own never reach a kernel loop.
    switch (static_cast<int32_t>(depth)) {
        case static_cast<int32_t>(PixelDepth::Bits8):
            makeShuffles(pos, 1, 4, k.loadShuffle, k.storeShuffle);
            makeChannelShuffles(pos, k.channelShuffle);
            offset = video ? 16.0f : 0.0f;
            scale = video ? 219.0f : 255.0f;
            alphaScale = 255.0f;
            break;
        case static_cast<int32_t>(PixelDepth::Fixed2_14):
            makeShuffles(pos, 2, 2, k.loadShuffle, k.storeShuffle);
            scale = alphaScale = 16384.0f;
            break;
        default:  // float: one pixel per register, the shuffle only reorders its channels
            makeShuffles(pos, 4, 1, k.loadShuffle, k.storeShuffle);
            break;
    }
    // Exact reciprocals: every stored 8-bit code survives the round trip, on every processor.
    k.offset = F4::all(offset);
    k.scale = F4::all(scale);
    k.invScale = F4::all(1.0f / scale);
    k.alphaScale = F4::all(alphaScale);
    k.invAlphaScale = F4::all(1.0f / alphaScale);
    k.lo = F4::all(lo);
    k.hi = F4::all(hi);
    // The code of lo is made by the very conversion the stores use.
    const Group<F4> lowest{k.lo, k.lo, k.lo, F4::zero()};
    if (depth == PixelDepth::Bits8) {
        k.codeLo[0] = video ? Io8bit<true>::pack(lowest, k) : Io8bit<false>::pack(lowest, k);
    } else if (depth == PixelDepth::Fixed2_14) {
        const Io2_14::Packed s = Io2_14::pack(lowest, k);
        k.codeLo[0] = s.rg;
        k.codeLo[1] = s.ba;
    }
    return k;
}
