// Paints a stretch of the output black in the frame's own format.
#pragma once

#include <cstdint>

#include "pixel/frame_format.h"

// Rec.601 and Rec.709 frames take the black group a fresh converter stores (legal black,
// neutral chroma); RGB frames the RGB black of the depth; any other colour space zero bytes.
// Whole groups first, then only the bytes of the stretch that remain: never past its end.
void fillBlack(uint8_t* pixels, uint64_t byteCount, const FrameFormat& frame);
