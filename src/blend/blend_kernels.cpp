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

using Job = FrameJob<F4>;

bool alignedTo(const void* p, uintptr_t bytes) {
    return (reinterpret_cast<uintptr_t>(p) & (bytes - 1)) == 0;
}

Job makeJob(const KernelContext& context, const uint8_t* background, const uint8_t* foreground,
            uint8_t* output) {
    const BlendSettings& s = *context.settings;
    Job job{};
    job.background = background;
    job.foreground = foreground;
    job.matte = s.matteData;
    job.output = output;
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

// The loops of one depth at the width `simd`.
template <DepthPath Path>
void runPath(int kernel, const Job& job, const PassFlags& flags, SimdPath simd) {
    switch (simd) {
        case SimdPath::Avx512:
            return avx512::runFrame<Path>(kernel, job, flags);
        case SimdPath::Avx2:
            return avx2::runFrame<Path>(kernel, job, flags);
        default:
            return runFrame<Path>(kernel, job, flags);
    }
}

// Runs the loops of the frame's depth over `job`, whose groups are of the width of `simd`;
// float frames stream when every buffer is aligned as that width's streaming accesses need.
void runDepth(int kernel, const Job& job, const PassFlags& flags, const FrameFormat& frame,
              SimdPath simd) {
    switch (frame.depth) {
        case PixelDepth::Bits8:
            if (frame.range == ValueRange::Video)
                runPath<DepthPath::Bits8Video>(kernel, job, flags, simd);
            else
                runPath<DepthPath::Bits8Full>(kernel, job, flags, simd);
            break;
        case PixelDepth::Fixed2_14:
            runPath<DepthPath::Fixed2_14>(kernel, job, flags, simd);
            break;
        default: {
            const uintptr_t a = blendLanes(simd) * sizeof(float);
            const bool streaming = alignedTo(job.background, a) && alignedTo(job.output, a) &&
                                   (!job.foreground || alignedTo(job.foreground, a)) &&
                                   (!job.matte || alignedTo(job.matte, a));
            if (streaming)
                runPath<DepthPath::FloatAligned>(kernel, job, flags, simd);
            else
                runPath<DepthPath::FloatUnaligned>(kernel, job, flags, simd);
        }
    }
}

// The job from pixel `first` on, with `groups` groups; a buffer that is not there stays null.
Job partOf(const Job& job, size_t first, size_t groups, uint32_t pixelBytes) {
    const size_t offset = first * pixelBytes;
    const auto from = [offset](auto* p) { return p ? p + offset : p; };
    Job part = job;
    part.background = from(job.background);
    part.foreground = from(job.foreground);
    part.matte = from(job.matte);
    part.output = from(job.output);
    part.groups = groups;
    return part;
}

// The last one to three pixels of a frame whose pixel count is not a multiple of four go
// through the same loop as one group padded with zeros: copied in, processed, copied out.
// Every output pixel is then the result of the same per-lane arithmetic, and nothing is
// read or written past the frames' ends. `job` starts at the first of them.
void runTail(int kernel, const Job& job, const PassFlags& flags, const FrameFormat& frame,
             size_t pixels) {
    struct alignas(16) PaddedGroup {
        uint8_t bytes[4 * 16] = {};  // four pixels of the largest depth
    };
    const size_t bytes = pixels * frame.pixelBytes;
    PaddedGroup background, foreground, matte, output;
    const auto copyIn = [&](const uint8_t* start, PaddedGroup& group) -> const uint8_t* {
        if (!start) return nullptr;
        std::memcpy(group.bytes, start, bytes);
        return group.bytes;
    };
    Job tail = job;
    tail.background = copyIn(job.background, background);
    tail.foreground = copyIn(job.foreground, foreground);
    tail.matte = copyIn(job.matte, matte);
    tail.output = output.bytes;
    tail.groups = 1;
    runDepth(kernel, tail, flags, frame, SimdPath::Sse41);
    std::memcpy(job.output, output.bytes, bytes);
}

// The frame in groups of eight or sixteen on a wider path, then what is left in groups of
// four, then the padded tail: every pixel gets the same per-lane arithmetic whichever loop
// takes it.
void runFrameOf(int kernel, const Job& job, const PassFlags& flags, const FrameFormat& frame,
                size_t pixels, SimdPath simd) {
    const size_t lanes = blendLanes(simd);
    size_t done = 0;
    if (lanes > 4 && pixels >= lanes) {
        runDepth(kernel, partOf(job, 0, pixels / lanes, frame.pixelBytes), flags, frame, simd);
        done = pixels / lanes * lanes;
    }
    if (pixels - done >= 4) {
        const size_t groups = (pixels - done) / 4;
        runDepth(kernel, partOf(job, done, groups, frame.pixelBytes), flags, frame,
                 SimdPath::Sse41);
        done += groups * 4;
    }
    if (done < pixels)
        runTail(kernel, partOf(job, done, 1, frame.pixelBytes), flags, frame, pixels - done);
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

    Job job = makeJob(*context, background, foreground, output);
    const bool matteOn = isSet(s.alphaEnabled) && s.matteData != nullptr;
    PassFlags flags{matteOn, matteOn && isSet(s.showAlpha), context->fgCorrectionOn != 0,
                    context->outCorrectionOn != 0,
                    // Float samples may be infinite, and 0 * b is then not 0.
                    _mm_cvtss_f32(s.mixV) == 1.0f && s.frame.depth != PixelDepth::Float32,
                    context->alphaRangeOn != 0, context->unpremultiplyOn != 0,
                    _mm_cvtss_f32(s.alphaRotateV) != 0.0f || context->invertAlphaOn != 0,
                    alphaStageOf(s.alphaSource)};
    // Normal at a mix of exactly 1 on finite samples leaves m times the corrected foreground,
    // so both corrections and the scale between them are one correction of the same cost.
    if constexpr (std::is_same_v<std::tuple_element_t<Kernel, mode::Kernels>, mode::Normal>) {
        if (flags.mixOne && flags.fgCorrection && flags.outCorrection) {
            job.out = composed(job.fg, job.mode.m, job.out);
            job.mode = makeModeValues(F4::all(1.0f));  // the scale is part of the correction now
            flags.fgCorrection = false;
        }
    }
    runFrameOf(Kernel, job, flags, s.frame, pixels, context->simd);
}

template <size_t... Mode>
constexpr std::array<BlendKernel, sizeof...(Mode)> kernelsByMode(std::index_sequence<Mode...>) {
    return {blendKernel<kernelOfMode(static_cast<int32_t>(Mode) + 1)>...};
}

}  // namespace

const std::array<BlendKernel, kBlendModeCount> kBlendKernels =
    kernelsByMode(std::make_index_sequence<kBlendModeCount>());
