// What the waveform and vectorscope tasks share: the sample type of a converter's depth, the
// lanes of a working vector, and the clamp that keeps a trace point inside its panel.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "pixel/ycbcr_converter.h"
#include "scope/scope_canvas.h"

template <class Converter>
struct SampleOf;
template <class L>
struct SampleOf<PixelYCbCr_8bit<L>> {
    using type = uint8_t;
};
template <class L>
struct SampleOf<PixelYCbCr_214bit<L>> {
    using type = int16_t;
};
template <class L>
struct SampleOf<PixelYCbCr_32bit<L>> {
    using type = float;
};

inline std::array<float, 4> lanesOf(F4 v) {
    std::array<float, 4> a;
    _mm_storeu_ps(a.data(), v.v);
    return a;
}

// A trace point clamped to the canvas's value range, so that samples of extreme value (2.14
// and float reach beyond the axes) stay in the panel; none for NaN.
struct ValuePoint {
    float x, y;
};
inline std::optional<ValuePoint> withinAxes(const ScopeCanvas& c, float x, float y) {
    if (std::isnan(x) || std::isnan(y)) return std::nullopt;
    return ValuePoint{std::fmin(std::fmax(x, c.xMin), c.xMax),
                      std::fmin(std::fmax(y, c.yMin), c.yMax)};
}

// The pair of a clamped trace point.
inline PairHit tracePair(const ScopeCanvas& c, float x, float y) {
    const auto p = withinAxes(c, x, y);
    return p ? pairOfPoint(c, p->x, p->y) : PairHit{};
}

// Whether a canvas has a panel to draw in.
inline bool hasPanel(const ScopeCanvas& c) {
    return c.panelWidth > 0 && c.panelHeight > 0 && drawable(c.depth, c.pixelBytes);
}
