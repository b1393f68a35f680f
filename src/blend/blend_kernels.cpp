// The 24 blend kernels: each sets up its frame once (format, pass, constants), then runs
// the loop of its blend formula for that case.
#include <bit>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

#include "blend/frame_runner.h"
#include "blend/kernel_context.h"
#include "blend/mode_table.h"

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

// Runs the loops of the frame's depth over `job`; float frames stream when every buffer
// allows it.
void runDepth(int kernel, const FrameJob& job, const PassFlags& flags, const FrameFormat& frame) {
    switch (frame.depth) {
        case PixelDepth::Bits8:
            if (frame.range == ValueRange::Video)
                runFrame<DepthPath::Bits8Video>(kernel, job, flags);
            else
                runFrame<DepthPath::Bits8Full>(kernel, job, flags);
            break;
        case PixelDepth::Fixed2_14:
            runFrame<DepthPath::Fixed2_14>(kernel, job, flags);
            break;
        default: {
            const bool streaming = aligned16(job.background) && aligned16(job.output) &&
                                   (!job.foreground || aligned16(job.foreground)) &&
                                   (!job.matte || aligned16(job.matte));
            if (streaming)
                runFrame<DepthPath::FloatAligned>(kernel, job, flags);
            else
                runFrame<DepthPath::FloatUnaligned>(kernel, job, flags);
        }
    }
}

// The last one to three pixels of a frame whose pixel count is not a multiple of four go
// through the same loop as one group padded with zeros: copied in, processed, copied out.
// Every output pixel is then the result of the same per-lane arithmetic, and nothing is
// read or written past the frames' ends.
void runTail(int kernel, const FrameJob& job, const PassFlags& flags, const FrameFormat& frame,
             size_t pixels) {
    struct alignas(16) PaddedGroup {
        uint8_t bytes[4 * 16] = {};  // four pixels of the largest depth
    };
    const size_t offset = job.groups * 4 * frame.pixelBytes;
    const size_t bytes = pixels * frame.pixelBytes;
    PaddedGroup background, foreground, matte, output;
    const auto copyIn = [&](const uint8_t* frameStart, PaddedGroup& group) -> const uint8_t* {
        if (!frameStart) return nullptr;
        std::memcpy(group.bytes, frameStart + offset, bytes);
        return group.bytes;
    };
    FrameJob tail = job;
    tail.background = copyIn(job.background, background);
    tail.foreground = copyIn(job.foreground, foreground);
    tail.matte = copyIn(job.matte, matte);
    tail.output = output.bytes;
    tail.groups = 1;
    runDepth(kernel, tail, flags, frame);
    std::memcpy(job.output + offset, output.bytes, bytes);
}

template <int Kernel>
void blendKernel(const KernelContext* context, const uint8_t* background, const uint8_t* foreground,
                 uint8_t* output) {
    const BlendSettings& s = *context->settings;
    const uint32_t pixelBytes = fourChannelPixelBytes(s.frame.depth);
    // An unknown depth, or a pixel size that does not fit it, writes nothing.
    if (pixelBytes == 0 || s.frame.pixelBytes != pixelBytes) return;
    const size_t pixels = static_cast<size_t>(s.frame.frameBytes / pixelBytes);
    if (pixels == 0) return;

    FrameJob job = makeJob(*context, background, foreground, output, pixels / 4);
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
    if (job.groups != 0) runDepth(Kernel, job, flags, s.frame);
    if (pixels % 4 != 0) runTail(Kernel, job, flags, s.frame, pixels % 4);
}

template <size_t... Mode>
constexpr std::array<BlendKernel, sizeof...(Mode)> kernelsByMode(std::index_sequence<Mode...>) {
    return {blendKernel<kernelOfMode(static_cast<int32_t>(Mode) + 1)>...};
}

}  // namespace

const std::array<BlendKernel, kBlendModeCount> kBlendKernels =
    kernelsByMode(std::make_index_sequence<kBlendModeCount>());
