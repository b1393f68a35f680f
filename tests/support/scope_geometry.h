// Where the oscilloscope's panels belong, worked out here from the published proportions in
// single precision, so that the layout and the render can be checked against it.
#pragma once

#include <algorithm>
#include <cstdint>

namespace scope_model {

struct Panels {
    uint32_t x0, y0, height, waveWidth, scopeWidth, scopeLeft;
    // The rectangle the workers own, by pixel index.
    uint64_t start, end, columnLimit;
};

struct PanelCase {
    uint32_t width, height;
    int32_t projectWidth = 0, projectHeight = 0;  // 0 or less: the frame's proportions
    bool waveform = true, falseColour = false, resized = true;
    double yPosition = 49.0, scale = 100.0;
};

inline uint32_t whole(float v, int64_t limit) {
    return static_cast<uint32_t>(std::clamp<int64_t>(static_cast<int64_t>(v), 0, limit));
}

inline Panels expectedPanels(const PanelCase& p) {
    const float w = static_cast<float>(p.width), h = static_cast<float>(p.height);
    const float aspect = p.projectWidth > 0 && p.projectHeight > 0
                             ? static_cast<float>(p.projectHeight) / p.projectWidth
                             : h / w;
    const float s = static_cast<float>(p.scale / 100.0),
                y = static_cast<float>(p.yPosition / 100.0);
    const float yPos = y + 0.475f * s <= 1.0f ? y : 1.0f - 0.475f * s;
    float x0 = 0.05f * w, y0 = 0.7f * h, ph = 0.25f * h, ww = 0.25f * w, vs = aspect * 0.25f * w;
    if (p.waveform && p.resized) {
        y0 = yPos * h, ph = 0.475f * s * h, ww = 0.475f * s * w, vs = aspect * 0.475f * w * s;
    } else if (p.waveform && p.falseColour) {
        x0 = 0.02f * w, y0 = 0.03f * h, ph = 0.944f * h, ww = 0.025f * w, vs = aspect * 0.025f * w;
    }
    Panels r{};
    r.x0 = whole(x0, p.width);
    r.y0 = whole(y0, p.height);
    r.height = whole(ph, p.height - r.y0);
    r.waveWidth = whole(ww, p.width - r.x0);
    const bool beside = p.waveform && !p.falseColour;
    r.scopeLeft = std::min(p.width, beside ? r.waveWidth + 2 * r.x0 : r.x0);
    r.scopeWidth = whole(vs, p.width - r.scopeLeft);
    const uint64_t extra = r.waveWidth + r.x0 + (p.waveform && p.falseColour ? 0 : r.scopeWidth);
    r.start = uint64_t{r.y0} * p.width + r.x0 / 2;
    r.end = (uint64_t{r.y0} + r.height) * p.width + r.x0 + extra;
    r.columnLimit = r.x0 + extra;
    return r;
}

// Whether the pair whose first pixel is `pixel` belongs to the workers.
inline bool reserved(const Panels& r, uint32_t width, uint64_t pixel) {
    return r.start <= pixel && pixel <= r.end && pixel % width <= r.columnLimit;
}

}  // namespace scope_model
