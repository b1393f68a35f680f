// The plot operations of the waveform and the vectorscope: what one point does to the pair it
// lands on, in each sample depth. A pair holds Cb, Cr and two lumas; `second` picks the luma of
// the pixel the point landed on.
//
// The trace brightens the luma it lands on by a screen blend with a brightness k:
//   float  new = 1 - (1 - k) (1 - old)
//   2.14   new = 16384 - ((16384 - k) (16384 - old) >> 14)
//   8-bit  new = 255 - ((255 - k) f >> 8), clamped to 16..235, where f = 255 - old for the
//          green trace and, relative to black, f = 255 - (old - 16) (255 below 17) otherwise.
// Chroma is averaged with integer halving at 8-bit and 2.14, by halves in float.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "scope/scope_canvas.h"

namespace plot {

// The stored code of a working value in each depth: 8-bit luma rint(v 219 + 16) and chroma
// rint(v 224 + 128), saturated; 2.14 trunc(v 16384), saturated; float as it is. Clamped in
// float first, so NaN and infinities never reach a conversion.
template <class S>
struct Codes;

template <>
struct Codes<uint8_t> {
    static uint8_t byte(float v) {
        return static_cast<uint8_t>(std::nearbyint(std::clamp(v, 0.0f, 255.0f)));
    }
    static uint8_t luma(float v) { return byte(v * 219.0f + 16.0f); }
    static uint8_t chroma(float v) { return byte(v * 224.0f + 128.0f); }
    static uint8_t half(int a, int b) { return static_cast<uint8_t>((a + b) >> 1); }
    static constexpr uint8_t kHueLuma = 169;  // the code of 0.7
};

template <>
struct Codes<int16_t> {
    static int16_t sample(float v) {
        return static_cast<int16_t>(std::clamp(v * 16384.0f, -32768.0f, 32767.0f));
    }
    static int16_t luma(float v) { return sample(v); }
    static int16_t chroma(float v) { return sample(v); }
    static int16_t half(int a, int b) { return static_cast<int16_t>((a + b) >> 1); }
    static constexpr int16_t kHueLuma = 11468;
};

template <>
struct Codes<float> {
    static float luma(float v) { return v; }
    static float chroma(float v) { return v; }
    static float half(float a, float b) { return (a + b) * 0.5f; }
    static constexpr float kHueLuma = 0.7f;
};

// The screen blend of `old` with brightness k; `fromBlack` selects the 8-bit rule relative
// to black.
inline uint8_t screen(uint8_t old, int k, bool fromBlack) {
    const int f = !fromBlack ? 255 - old : old < 17 ? 255 : 255 - (old - 16);
    return static_cast<uint8_t>(std::clamp(255 - (((255 - k) * f) >> 8), 16, 235));
}
inline int16_t screen(int16_t old, int k, bool) {
    const int64_t v = 16384 - ((int64_t{16384 - k} * (16384 - old)) >> 14);
    return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767));
}
inline float screen(float old, float k, bool) { return 1.0f - (1.0f - k) * (1.0f - old); }

// The brightness type of a depth: integer codes, or the float itself.
template <class S>
using Brightness = std::conditional_t<std::is_same_v<S, float>, float, int>;

// A screen blend of one brightness for a whole trace: at 8-bit a table of every luma code, so
// that a point costs one load; the formula at the other depths.
template <class S>
class FixedScreen {
public:
    FixedScreen(Brightness<S> k, bool fromBlack) : k_(k), fromBlack_(fromBlack) {
        if constexpr (std::is_same_v<S, uint8_t>)
            for (int old = 0; old < 256; ++old)
                table_[old] = screen(static_cast<uint8_t>(old), k, fromBlack);
    }
    S operator()(S old) const {
        if constexpr (std::is_same_v<S, uint8_t>)
            return table_[old];
        else
            return screen(old, k_, fromBlack_);
    }

private:
    Brightness<S> k_;
    bool fromBlack_;
    std::conditional_t<std::is_same_v<S, uint8_t>, uint8_t[256], char> table_{};
};

// The plot operations of one canvas in sample type S (uint8_t, int16_t or float), each on the
// pair a point landed on. Each touches only the samples it changes: a run of points on one
// pair then waits on as few of its own stores as it can.
template <class S>
class Plotter {
public:
    using K = Brightness<S>;

    explicit Plotter(const ScopeCanvas& c) : order_(pairOrder(c.layout)) {
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 3; ++j) colours_[i][j] = colourCode(c.colours, i, j);
    }

    S colour(ScopeColour colour, int component) const {
        return colours_[static_cast<int>(colour)][component];
    }

    // Averaged waveform: chroma halfway to green, both lumas brightened.
    void lumaPair(PairHit h, const FixedScreen<S>& brighten) const {
        halfwayChroma(h, ScopeColour::Green75);
        set(h, order_.y0, brighten(get(h, order_.y0)));
        set(h, order_.y1, brighten(get(h, order_.y1)));
    }
    // Full waveform: chroma halfway to green, the point's luma brightened.
    void lumaPoint(PairHit h, const FixedScreen<S>& brighten) const {
        halfwayChroma(h, ScopeColour::Green75);
        const int pos = lumaSlot(h);
        set(h, pos, brighten(get(h, pos)));
    }
    // Vectorscope trace: the point's own chroma, its luma brightened relative to black.
    void colouredPoint(PairHit h, const FixedScreen<S>& brighten, S cb, S cr) const {
        set(h, order_.cb, cb);
        set(h, order_.cr, cr);
        const int pos = lumaSlot(h);
        set(h, pos, brighten(get(h, pos)));
    }
    // False-colour trace: the same, at the brightness of the point's own colour.
    void colouredPoint(PairHit h, K k, S cb, S cr) const {
        set(h, order_.cb, cb);
        set(h, order_.cr, cr);
        const int pos = lumaSlot(h);
        set(h, pos, screen(get(h, pos), k, true));
    }
    // Graticule lines: chroma and both lumas halfway to the colour.
    void line(PairHit h, ScopeColour c) const {
        halfwayChroma(h, c);
        set(h, order_.y0, Codes<S>::half(get(h, order_.y0), colour(c, 0)));
        set(h, order_.y1, Codes<S>::half(get(h, order_.y1), colour(c, 0)));
    }
    // The hue ring: the point's own chroma, its luma halfway to 0.7.
    void huePoint(PairHit h, S cb, S cr) const {
        set(h, order_.cb, cb);
        set(h, order_.cr, cr);
        const int pos = lumaSlot(h);
        set(h, pos, Codes<S>::half(get(h, pos), Codes<S>::kHueLuma));
    }
    // Ticks: chroma and the point's luma halfway to green.
    void tick(PairHit h) const {
        halfwayChroma(h, ScopeColour::Green75);
        const int pos = lumaSlot(h);
        set(h, pos, Codes<S>::half(get(h, pos), colour(ScopeColour::Green75, 0)));
    }
    // Cross-hair, skin line: the colour's chroma and luma at the point.
    void colourPoint(PairHit h, ScopeColour c) const {
        write(h, colour(c, 0), colour(c, 1), colour(c, 2));
    }
    // The palette legend: the given samples at the point, unblended.
    void write(PairHit h, S y, S cb, S cr) const {
        set(h, order_.cb, cb);
        set(h, order_.cr, cr);
        set(h, lumaSlot(h), y);
    }
    // The target boxes: the whole pair in the colour.
    void fill(PairHit h, ScopeColour c) const {
        set(h, order_.cb, colour(c, 1));
        set(h, order_.cr, colour(c, 2));
        set(h, order_.y0, colour(c, 0));
        set(h, order_.y1, colour(c, 0));
    }

private:
    static S colourCode(const ScopeColourTable& t, int i, int j) {
        if constexpr (std::is_same_v<S, uint8_t>)
            return t.bits8[i][j];
        else if constexpr (std::is_same_v<S, int16_t>)
            return t.fixed2_14[i][j];
        else
            return t.floats[i][j];
    }
    int lumaSlot(PairHit h) const { return h.second ? order_.y1 : order_.y0; }
    static S get(PairHit h, int slot) { return sampleAt<S>(h.pair, slot); }
    static void set(PairHit h, int slot, S v) { setSample<S>(h.pair, slot, v); }
    void halfwayChroma(PairHit h, ScopeColour c) const {
        set(h, order_.cb, Codes<S>::half(get(h, order_.cb), colour(c, 1)));
        set(h, order_.cr, Codes<S>::half(get(h, order_.cr), colour(c, 2)));
    }

    PairOrder order_;
    S colours_[8][3];
};

// The green trace's brightness at `level`: the colour's luma code times the level, truncated
// at the integer depths.
template <class S>
Brightness<S> greenBrightness(const Plotter<S>& p, float level) {
    const float luma = static_cast<float>(p.colour(ScopeColour::Green75, 0));
    if constexpr (std::is_same_v<S, float>)
        return luma * level;
    else
        return static_cast<int>(luma * level);
}

// The brightness of a coloured point of working luma y: 8-bit the luma's code times the
// level, 2.14 y 16384 level, float y level.
template <class S>
Brightness<S> colourBrightness(float y, float level) {
    if constexpr (std::is_same_v<S, uint8_t>)
        return static_cast<int>(static_cast<float>(Codes<uint8_t>::luma(y)) * level);
    else if constexpr (std::is_same_v<S, int16_t>)
        return static_cast<int>(std::clamp(y * 16384.0f * level, -32768.0f, 32767.0f));
    else
        return y * level;
}

// The vectorscope trace's brightness at `level`: 8-bit the level as a luma code, 2.14
// trunc(level 16384), float the level.
template <class S>
Brightness<S> chromaBrightness(float level) {
    if constexpr (std::is_same_v<S, float>)
        return level;
    else if constexpr (std::is_same_v<S, uint8_t>)
        return Codes<uint8_t>::luma(level);
    else
        return static_cast<int>(std::clamp(level * 16384.0f, -32768.0f, 32767.0f));
}

}  // namespace plot
