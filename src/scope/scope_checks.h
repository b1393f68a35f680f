// The legal-range checks of a frame's statistics: a marker for each finding (a green one when
// everything is legal) and, when logging, the finding's text in the report.
#pragma once

#include "scope/scope_canvas.h"
#include "scope/scope_report.h"
#include "scope/scope_statistics.h"

struct ScopeCanvases {
    const ScopeCanvas& waveform;
    const ScopeCanvas& vectorscope;
};

// Runs the checks in their order and draws their markers; appends to `report` when it is
// given. True when any luma or chroma check fired. A frame of which no whole group was read
// has nothing to check.
bool checkFrame(const ScopeStatistics& stats, bool waveformOn, const ScopeCanvases& canvases,
                ScopeReport* report);

// A small filled block of `colour` beside the panel: at column value `x` and level `level` of
// the canvas, as wide as 2 % of half the frame and as high as 1.25 % of it.
void drawMarker(const ScopeCanvas& canvas, float x, float level, ScopeColour colour);
