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
    bool unpremultiply;   // the matte pass divides the foreground by the raw source value
    bool alphaTurned;     // the alpha is rotated or inverted
    uint32_t alphaStage;  // alphaStageOf the source
};

enum class DepthPath { Bits8Full, Bits8Video, Fixed2_14, FloatAligned, FloatUnaligned };

// The four-lane loops of one sample depth, each instantiated in a translation unit of its
// own; job.groups counts groups of four pixels.
template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags);

extern template void runFrame<DepthPath::Bits8Full>(int, const FrameJob<F4>&, const PassFlags&);
extern template void runFrame<DepthPath::Bits8Video>(int, const FrameJob<F4>&, const PassFlags&);
extern template void runFrame<DepthPath::Fixed2_14>(int, const FrameJob<F4>&, const PassFlags&);
extern template void runFrame<DepthPath::FloatAligned>(int, const FrameJob<F4>&, const PassFlags&);
extern template void runFrame<DepthPath::FloatUnaligned>(int, const FrameJob<F4>&,
                                                         const PassFlags&);

namespace avx2 {

// The same loops over eight lanes, built for AVX2 in translation units of their own (src/
// blend/avx2/); job.groups counts groups of eight pixels, and float frames stream only when
// every buffer is aligned to 32 bytes. Called only where the processor runs AVX2
// (pixel/simd_path.h).
template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags);

}  // namespace avx2

namespace avx512 {

// The same loops over sixteen lanes, built for AVX-512 (pixel/f16.h) in translation units of
// their own (src/blend/avx512/); job.groups counts groups of sixteen pixels, and float frames
// stream only when every buffer is aligned to 64 bytes. Called only where the processor runs
// AVX-512.
template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags);

}  // namespace avx512
