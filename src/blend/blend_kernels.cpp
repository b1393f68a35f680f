// The 24 blend kernels: each sets up its frame once (format, pass, constants), then runs
// the loop of its blend formula for that case.
#include <bit>
#include <cstdint>
#include <tuple>
#include <type_traits>

#include "blend/frame_runner.h"
#include "blend/kernel_context.h"
#include "blend/mode_list.h"

namespace {

bool aligned16(const void* p) { return (reinterpret_cast<uintptr_t>(p) & 15u) == 0; }

FrameJob makeJob(const KernelContext& context, const uint8_t* background, const uint8_t* foreground,
                 uint8_t* output, size_t groups) {
    const BlendSettings& s = *context.settings;
    FrameJob job{};
    job.background = background;
    job.foreground = foreground;
    job.matte = s.matteData;
    job.output = output;
    job.groups = groups;
    const bool legal = isSet(s.clampToLegal);
    // Without the clamp the upper bound stays just below 2.0, so 2.14 stores 32766 at most.
    job.format =
        makeFormatConstants(s.frame.depth, s.frame.layout, s.frame.range, legal ? 0.0f : -2.0f,
                            legal ? 1.0f : std::bit_cast<float>(0x3FFFFDF8u));
    // Everything the formulas derive from m, once per frame; m is never 0.
    job.mode = makeModeValues(s.magicV);
    job.mix = s.mixV;
    job.oneMinusMix = F4::all(1.0f) - F4(s.mixV);
    job.fg = makeCorrection(context.invertForegroundOn != 0, s.fgContrastV, s.fgBrightnessV,
                            s.fgSaturationV, s.fgShiftRV, s.fgShiftGV, s.fgShiftBV);
    job.out = makeCorrection(context.invertOutputOn != 0, s.outContrastV, s.outBrightnessV,
                             s.outSaturationV, s.outShiftRV, s.outShiftGV, s.outShiftBV);
    job.alpha = makeAlphaConstants(context);
    return job;
}

template <int Kernel>
void blendKernel(const KernelContext* context, const uint8_t* background, const uint8_t* foreground,
                 uint8_t* output) {
    const BlendSettings& s = *context->settings;
    const uint32_t pixelBytes = fourChannelPixelBytes(s.frame.depth);
    // An unknown depth, or a pixel size that does not fit it, writes nothing.
    if (pixelBytes == 0 || s.frame.pixelBytes != pixelBytes) return;
    const size_t groups = static_cast<size_t>(s.frame.frameBytes / (4 * pixelBytes));
    if (groups == 0) return;

    FrameJob job = makeJob(*context, background, foreground, output, groups);
    const bool matteOn = isSet(s.alphaEnabled) && s.matteData != nullptr;
    PassFlags flags{matteOn, matteOn && isSet(s.showAlpha), context->fgCorrectionOn != 0,
                    context->outCorrectionOn != 0,
                    // Float samples may be infinite, and 0 * b is then not 0.
                    _mm_cvtss_f32(s.mixV) == 1.0f && s.frame.depth != PixelDepth::Float32,
                    context->alphaRangeOn != 0, context->unpremultiplyOn != 0,
                    _mm_cvtss_f32(s.alphaRotateV) != 0.0f || context->invertAlphaOn != 0,
                    s.alphaSource};
    // Normal at a mix of exactly 1 on finite samples leaves m times the corrected foreground,
    // so both corrections and the scale between them are one correction of the same cost.
    if constexpr (std::is_same_v<std::tuple_element_t<Kernel, mode::Kernels>, mode::Normal>) {
        if (flags.mixOne && flags.fgCorrection && flags.outCorrection) {
            job.out = composed(job.fg, job.mode.m, job.out);
            job.mode = makeModeValues(F4::all(1.0f));  // the scale is part of the correction now
            flags.fgCorrection = false;
        }
    }
    switch (s.frame.depth) {
        case PixelDepth::Bits8:
            if (s.frame.range == ValueRange::Video)
                runFrame<DepthPath::Bits8Video>(Kernel, job, flags);
            else
                runFrame<DepthPath::Bits8Full>(Kernel, job, flags);
            break;
        case PixelDepth::Fixed2_14:
            runFrame<DepthPath::Fixed2_14>(Kernel, job, flags);
            break;
        default: {
            const bool streaming = aligned16(background) && aligned16(output) &&
                                   (!foreground || aligned16(foreground)) &&
                                   (!job.matte || aligned16(job.matte));
            if (streaming)
                runFrame<DepthPath::FloatAligned>(Kernel, job, flags);
            else
                runFrame<DepthPath::FloatUnaligned>(Kernel, job, flags);
        }
    }
}

}  // namespace

const BlendKernel kBlendKernels[25] = {
#define K(n) blendKernel<mode::kKernelOfMode[(n)-1]>
    K(1),  K(2),  K(3),  K(4),  K(5),  K(6),  K(7),  K(8),  K(9),  K(10), K(11), K(12), K(13),
    K(14), K(15), K(16), K(17), K(18), K(19), K(20), K(21), K(22), K(23), K(24), K(25),
#undef K
};
