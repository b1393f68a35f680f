#include "scope/scope_render.h"

#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "host/frame_requests.h"
#include "host/guard.h"
#include "host/host_ref.h"
#include "host/interfaces.h"
#include "module/module_log.h"
#include "pixel/frame_format.h"
#include "pixel/input_pixels.h"
#include "pixel/ycbcr_converter.h"
#include "scope/eight_bit_codes.h"
#include "scope/fill_black.h"
#include "scope/main_pass.h"
#include "scope/scope_checks.h"
#include "scope/scope_layout.h"
#include "scope/scope_report.h"
#include "scope/scope_settings.h"
#include "scope/scope_workers.h"
#include "scope/vectorscope.h"
#include "scope/waveform.h"

namespace {

// The field call the host expects of a field-based output frame; its answer is not used.
void touchField(IAVXFrameBuffer& output, int32_t fieldMode) {
    if (fieldMode == 1 || ((fieldMode == 2 || fieldMode == 3) && output.GetFieldSubMode() == 3))
        output.GetFrameField();
}

MainPassMode passMode(const ScopeSettings& s) {
    if (s.waveformOn)
        return s.falseColourOn ? MainPassMode::FalseColourAround : MainPassMode::PictureAround;
    return s.falseColourOn ? MainPassMode::FalseColour : MainPassMode::LegalMap;
}

// With the waveform on: the picture's rows above the panel (false colour maps them in the
// pass instead), then black from the panel's top row to the end of the frame.
void prepareOutput(const ScopeSettings& s, const FrameFormat& frame, const ScopeLayout& layout,
                   const uint8_t* input, uint8_t* output) {
    const uint64_t above = uint64_t{layout.geometry.y0} * frame.width * frame.pixelBytes;
    if (!s.falseColourOn) std::memcpy(output, input, above);
    fillBlack(output + above, frame.frameBytes - above, frame);
}

// The worker tasks of a frame with the waveform on, each with a converter of its own made
// before any of them starts.
class ScopeTasks {
public:
    ScopeTasks(const ScopeSettings& s, const FrameFormat& frame) : settings_(s) {
        const int count = s.falseColourOn ? 1 : 2;
        for (int i = 0; i < count; ++i)
            converters_[i] =
                makePixelConverter(frame.depth, frame.range, frame.layout, frame.pixelBytes);
    }

    void start(ScopeWorkers& workers, const ScopeLayout& layout, const ScopeLevels& levels,
               const uint8_t* input, uint64_t groups) {
        const ScopeCanvas* wave = &layout.waveform;
        const ScopeCanvas* scope = &layout.vectorscope;
        const bool resized = settings_.resizeWaveform;
        xmmPixelYCbCr_mtx* waveConverter = converters_[0].get();
        if (settings_.falseColourOn) {
            const auto variant =
                resized ? WaveformVariant::FalseColour : WaveformVariant::LevelStrip;
            workers.start([=, level = levels.waveLevel] {
                drawWaveform(variant, *wave, input, groups, level, *waveConverter);
            });
            return;
        }
        xmmPixelYCbCr_mtx* scopeConverter = converters_[1].get();
        workers.start([=, level = levels.waveLevel] {
            drawWaveform(resized ? WaveformVariant::Full : WaveformVariant::Averaged, *wave, input,
                         groups, level, *waveConverter);
        });
        workers.start([=, level = levels.scopeLevel] {
            drawVectorscope(resized ? VectorscopeVariant::Full : VectorscopeVariant::Averaged,
                            *scope, input, groups, level, *scopeConverter);
        });
    }

private:
    const ScopeSettings& settings_;
    std::unique_ptr<xmmPixelYCbCr_mtx> converters_[2];
};

// The warning line; a host without a log simply gets none.
void sendReport(const ScopeReport& report) {
    try {
        logPrint("\nCorvane::QCLog::***WARNING***::%s \n", report.text());
    } catch (const HostFailure&) {
    }
}

}  // namespace

uint64_t runWideMainPass(SimdPath path, const MainPassJob& job, const FrameFormat& frame,
                         int32_t palette, float gamma, ScopeStatistics& stats) {
    switch (path) {
        case SimdPath::Avx512:
            return avx512vl::runWideMainPass(job, frame, palette, gamma, stats);
        case SimdPath::Avx2:
            return avx2::runWideMainPass(job, frame, palette, gamma, stats);
        default:
            return job.first;
    }
}

int32_t renderScope(IAVXEffectContext* context, IAVXRenderTime* renderTime,
                    IAVXRenderField* renderField, IAVXOutputSet* outputSet, SimdPath simd) {
    return guarded([&] {
        IAVXEffectContext& ctx = *require(context);
        const ScopeSettings settings =
            readScopeSettings(ctx, *require(renderTime), *require(renderField));

        HostRef<IAVXFrameBuffer> output = outputFrame(outputSet);
        const FrameFormat frame = readFrameFormat(*output);
        ReportSizes sizes{};
        sizes.projectHeight = ctx.GetProjectHeight();
        sizes.projectWidth = ctx.GetProjectWidth();
        sizes.auxHeight = ctx.GetAuxHeight();
        sizes.auxWidth = ctx.GetAuxWidth();
        touchField(*output, frame.fieldMode);

        // The last input; a host that reports none gives nothing to fetch.
        const int32_t count = ctx.GetInputCount();
        if (count < 1) throw HostFailure(status::kNullObject);
        HostRef<IAVXInputTrack> track = inputTrack(ctx, count - 1);
        HostRef<IAVXFrameBuffer> input;
        check(track->FetchFrame(settings.frameTime, settings.field, frame.fieldMode, input.put()));
        require(input.get());
        // Both frames must hold the whole output frame and hand over their pixels.
        if (input->GetByteCount() < frame.frameBytes || output->GetByteCount() < frame.frameBytes)
            throw HostFailure(status::kInvalidArgument);
        const auto* inPixels = static_cast<const uint8_t*>(input->GetPixels());
        auto* outPixels = static_cast<uint8_t*>(output->GetPixels());
        if (frame.frameBytes != 0) {
            require(inPixels);
            require(outPixels);
        }

        const ScopeLayout layout =
            layoutScope(settings, frame, sizes.projectWidth, sizes.projectHeight, outPixels);
        const ScopeLevels levels = scopeLevels(settings);
        ScopeReport report;
        if (settings.logToConsole) writeReportHeader(report, frame, sizes);

        // A depth the scope cannot read, or a pixel size that does not fit it, is left as the
        // host gave it: nothing is drawn and nothing is walked.
        bool outOfRange = false;
        if (frame.frameBytes != 0 && drawable(frame.depth, frame.pixelBytes)) {
            // The workers read the input while the main pass writes: never in place.
            const InputPixels source(inPixels, outPixels, frame.frameBytes, false);
            if (settings.waveformOn)
                prepareOutput(settings, frame, layout, source.get(), outPixels);

            // Every converter is made before a worker starts.
            const auto converter =
                makePixelConverter(frame.depth, frame.range, frame.layout, frame.pixelBytes);
            converter->falseColour.build(settings.palette, levels.gamma);
            const MainPassMode mode = passMode(settings);
            const EightBitCodes codes = buildEightBitCodes(
                *converter, mode == MainPassMode::LegalMap, mode == MainPassMode::FalseColour);
            std::optional<ScopeTasks> tasks;
            if (settings.waveformOn) tasks.emplace(settings, frame);

            const uint64_t groups = frame.frameBytes / (uint64_t{frame.pixelBytes} * 8);
            ScopeStatistics stats;
            {
                ScopeWorkers workers;  // joined on every path out of this block
                if (tasks) tasks->start(workers, layout, levels, source.get(), groups);
                MainPassJob job{source.get(), outPixels,       groups,
                                frame.width,  layout.reserved, mode};
                job.legalCodes = codes.legal.get();
                job.falseColourCodes = codes.falseColour.get();
                // Sixteen pixels at a time where the processor allows; the four-lane walk
                // takes what is left, or everything.
                job.first =
                    runWideMainPass(simd, job, frame, settings.palette, levels.gamma, stats);
                GroupStatistics narrow;
                withReadingConverter(*converter, [&](auto& c) { runMainPass(c, job, narrow); });
                stats = combined(stats, narrow.result());
                workers.join();
            }
            // After the join, so the markers are the last writers whatever the timing.
            outOfRange =
                checkFrame(stats, settings.waveformOn, {layout.waveform, layout.vectorscope},
                           settings.logToConsole ? &report : nullptr);
        }
        if (settings.logToConsole)
            report.append(":frame %ld", static_cast<long>(settings.frameTime));

        input.reset();
        track.reset();
        if (settings.logToConsole && outOfRange) sendReport(report);
    });
}
