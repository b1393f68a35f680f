// The luma waveform: for every column of the picture, the lumas found in it, drawn over a
// graticule into the waveform panel by a worker of its own.
#pragma once

#include <cstdint>

#include "pixel/ycbcr_converter.h"
#include "scope/scope_canvas.h"

enum class WaveformVariant {
    Averaged,     // one green point per group at the group's average luma
    Full,         // one green point per pair at the pair's average luma
    FalseColour,  // one point per pair in its false colour, with the palette legend
    LevelStrip,   // one point per group, false colour, squeezed into a narrow strip
};

// Draws `variant` of the input's whole groups on the canvas at trace brightness `level`,
// reading through `converter` (made for the canvas's format; its lookup is built here for the
// false-colour variants). Writes only inside the canvas's area.
void drawWaveform(WaveformVariant variant, const ScopeCanvas& canvas, const uint8_t* input,
                  uint64_t groups, float level, xmmPixelYCbCr_mtx& converter);
