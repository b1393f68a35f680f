// The frame processor: fetches the inputs, resolves the layers, and runs the kernel of the
// blend mode over the frame, or copies the background through, or only alerts.
#include <algorithm>
#include <array>
#include <cstring>

#include "blend/corvane_processor.h"
#include "blend/kernel_context.h"
#include "host/frame_requests.h"
#include "host/guard.h"
#include "host/host_ref.h"
#include "host/ids.h"
#include "host/interfaces.h"
#include "module/module_log.h"
#include "pixel/input_pixels.h"

namespace {

constexpr int32_t kSkipMode = 0x7FFFFFFE;
constexpr uint32_t kMaxInputs = 3;

// Members are released in reverse order: track, frame, then layout.
struct FetchedInput {
    HostRef<IAVXFrameLayout> layout;
    HostRef<IAVXFrameBuffer> frame;
    HostRef<IAVXInputTrack> track;
};

// A frame the render reads or writes must hold the whole frame and hand over its pixels.
uint8_t* pixelsOf(IAVXFrameBuffer& frame, uint64_t frameBytes) {
    auto* pixels = static_cast<uint8_t*>(frame.GetPixels());
    if (frameBytes != 0) require(pixels);
    return pixels;
}

void requireBytes(IAVXFrameBuffer& frame, uint64_t frameBytes) {
    if (frame.GetByteCount() < frameBytes) throw HostFailure(status::kInvalidArgument);
}

}  // namespace

int32_t Corvane_Processor::processFrame(IAVXEffectContext* context, IAVXOutputSet* outputSet,
                                        BlendSettings* settings) {
    return guarded([&] {
        BlendSettings& s = *require(settings);
        IAVXEffectContext& ctx = *require(context);
        const uint64_t frameBytes = s.frame.frameBytes;

        HostRef<IAVXFrameBuffer> output = outputFrame(outputSet);
        requireBytes(*output, frameBytes);

        // With no input there is no layer to read; the index correction needs at least one.
        const int32_t count = ctx.GetInputCount();
        if (count <= 0) throw HostFailure(status::kNullObject);
        const uint32_t n = std::min(static_cast<uint32_t>(count), kMaxInputs);
        for (uint32_t* layer : {&s.matteLayer, &s.foregroundLayer, &s.backgroundLayer})
            if (*layer >= n) *layer = n - 1;

        std::array<FetchedInput, kMaxInputs> inputs;
        for (uint32_t i = 0; i < n; ++i) {
            FetchedInput& in = inputs[i];
            in.track = inputTrack(ctx, static_cast<int32_t>(i));
            check(in.track->FetchFrame(s.frameTime, s.field, s.frame.fieldMode, in.frame.put()));
            require(in.frame.get());
            check(in.frame->GetLayout(in.layout.put()));
            require(in.layout.get());
            // Every input is taken to have the output's format: it must be at least as large.
            requireBytes(*in.frame, frameBytes);
        }

        const bool blends = isBlendMode(s.mode);
        if (s.mode == kSkipMode) {
            logAlert(u"\nCorvane::generic::CRITICAL - EFFECT SKIPPED\n");
            return;
        }
        const uint8_t* background = pixelsOf(*inputs[s.backgroundLayer].frame, frameBytes);
        const uint8_t* foreground =
            blends ? pixelsOf(*inputs[s.foregroundLayer].frame, frameBytes) : nullptr;
        if (blends && isSet(s.alphaEnabled))
            s.matteData = pixelsOf(*inputs[s.matteLayer].frame, frameBytes);
        uint8_t* out = pixelsOf(*output, frameBytes);

        if (blends) {
            // An input that overlaps the output without being it is read from a copy: the
            // kernel reads each group before it writes that group, and no other.
            const InputPixels bg(background, out, frameBytes, true);
            const InputPixels fg(foreground, out, frameBytes, true);
            const InputPixels matte(s.matteData, out, frameBytes, true);
            s.matteData = matte.get();
            const KernelContext kernelContext = makeKernelContext(s);
            kBlendKernels[s.mode - 1](&kernelContext, bg.get(), fg.get(), out);
        } else if (frameBytes != 0 && background != out) {
            // The host may hand the output as a view that overlaps the background's bytes.
            std::memmove(out, background, static_cast<size_t>(frameBytes));
        }
    });
}
