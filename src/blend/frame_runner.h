// Runs one blend kernel over a frame in one sample depth: picks the pass and the alpha
// source once, then calls the loop instantiated for exactly that case.
#pragma once

#include <cstdint>

#include "blend/pipeline.h"

struct PassFlags {
    bool matteOn;    // alpha enabled and a matte buffer present
    bool showAlpha;  // only with matteOn
    bool fgCorrection;
    bool outCorrection;
    bool mixOne;  // the mix is exactly 1 and the samples are finite (not float)
    bool alphaRange;
    bool unpremultiply;  // the matte pass divides the foreground by the raw source value
    bool alphaTurned;    // the alpha is rotated or inverted
    uint32_t alphaSource;
};

enum class DepthPath { Bits8Full, Bits8Video, Fixed2_14, FloatAligned, FloatUnaligned };

// One per sample depth, each instantiated in a translation unit of its own.
template <DepthPath Path>
void runFrame(int kernel, const FrameJob& job, const PassFlags& flags);

extern template void runFrame<DepthPath::Bits8Full>(int, const FrameJob&, const PassFlags&);
extern template void runFrame<DepthPath::Bits8Video>(int, const FrameJob&, const PassFlags&);
extern template void runFrame<DepthPath::Fixed2_14>(int, const FrameJob&, const PassFlags&);
extern template void runFrame<DepthPath::FloatAligned>(int, const FrameJob&, const PassFlags&);
extern template void runFrame<DepthPath::FloatUnaligned>(int, const FrameJob&, const PassFlags&);
