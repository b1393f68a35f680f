// Where the scope puts its panels in the output frame: the waveform and vectorscope canvases,
// the rectangle their workers own, and the part of it each worker may write.
#pragma once

#include <cstdint>

#include "pixel/frame_format.h"
#include "scope/scope_canvas.h"
#include "scope/scope_settings.h"

// The panel geometry in whole pixels: margin, top row, height, waveform width, vectorscope
// width and left column. Clipped to the frame: left + width never passes the frame's width,
// nor top + height its height.
struct PanelGeometry {
    uint32_t x0 = 0, y0 = 0, height = 0;
    uint32_t waveWidth = 0, scopeWidth = 0, scopeLeft = 0;
};

// The pixels the workers own, by pixel index: from `start` to `end`, in the columns up to
// `columnLimit`. The main pass leaves these pixels alone.
struct ReservedArea {
    uint64_t start = 0, end = 0, columnLimit = 0;
};

struct ScopeLayout {
    PanelGeometry geometry;
    ScopeCanvas waveform, vectorscope;
    ReservedArea reserved;
};

// The values the panels derive from the parameters.
struct ScopeLevels {
    float gamma;       // of the false-colour palette
    float waveLevel;   // brightness of the waveform trace
    float scopeLevel;  // brightness of the vectorscope trace
};
ScopeLevels scopeLevels(const ScopeSettings& settings);

// A project size of 0 or less takes the frame's own proportions.
ScopeLayout layoutScope(const ScopeSettings& settings, const FrameFormat& frame,
                        int32_t projectWidth, int32_t projectHeight, uint8_t* pixels);

// Whether the pair whose first pixel is `pixel` (column `column`) belongs to the workers.
// Inlined everywhere, the eight-lane walk included, so no object keeps a copy of its own.
[[gnu::always_inline]] inline bool reservedPixel(const ReservedArea& a, uint64_t pixel,
                                                 uint64_t column) {
    return a.start <= pixel && pixel <= a.end && column <= a.columnLimit;
}
