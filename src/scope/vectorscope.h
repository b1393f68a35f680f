// The vectorscope: every chroma sample of the picture as a point (Cb right, Cr up) over a hue
// ring at the legal limit, ticks, a cross-hair, the skin-tone line and the colour-bar targets,
// drawn into the vectorscope panel by a worker of its own.
#pragma once

#include <cstdint>

#include "pixel/ycbcr_converter.h"
#include "scope/scope_canvas.h"

enum class VectorscopeVariant {
    Averaged,  // one point per group at its average chroma
    Full,      // one point per pair
};

// Draws `variant` of the input's whole groups on the canvas at trace brightness `level`,
// reading through `converter`. Writes only inside the canvas's area.
void drawVectorscope(VectorscopeVariant variant, const ScopeCanvas& canvas, const uint8_t* input,
                     uint64_t groups, float level, xmmPixelYCbCr_mtx& converter);
