// The three parameter readers of the blend processor.
#include "blend/corvane_processor.h"
#include "blend/param_reading.h"
#include "effects/blend_catalogue.h"
#include "host/frame_requests.h"
#include "host/guard.h"
#include "host/ids.h"

namespace {

namespace p = blend_params;
using enum ParamType;

// Percent, degrees and 8-bit codes are divided in double precision, then stored as float.
float fraction(double value, double whole) { return static_cast<float>(value / whole); }

float readMagic(const ParamReader& reader, IAVXEffectContext& context) {
    HostRef<IAVXParamAccess> param;
    check(context.GetParam(p::Magic.id, iid::IAVXParamAccess, param.putVoid()));
    require(param.get());
    double value = 100.0;
    // Only a state of 1 says the stored value applies.
    if (param->QueryState() == 1) reader.valueAt(*param, p::Magic, &value, sizeof value);
    const float magic = fraction(value, 100.0);
    // Tested on the stored float, so a tiny value that rounds to 0 is caught too: the
    // kernels divide by the Magic.
    return magic == 0.0f ? 1e-9f : magic;
}

// A layer index of 3 or more (negative ones included) falls back and is written back into
// the parameter at the parameter time.
uint32_t readLayer(const ParamReader& reader, const ParamDef& def, int32_t fallback) {
    HostRef<IAVXParamAccess> param;
    const int32_t value = reader.read<Int>(def, fallback, &param);
    if (static_cast<uint32_t>(value) < 3) return static_cast<uint32_t>(value);
    require(param.get());
    check(param->SetValueAt(&reader.time(), value_type::Int, &fallback, value_type::kIntBytes));
    return static_cast<uint32_t>(fallback);
}

void copyTriple(std::array<float, 3>& into, const std::array<double, 3>& value) {
    for (size_t i = 0; i < 3; ++i) into[i] = static_cast<float>(value[i]);
}

}  // namespace

int32_t Corvane_Processor::readBlendParameters(IAVXEffectContext* context,
                                               IAVXRenderTime* renderTime,
                                               IAVXRenderField* renderField,
                                               IAVXOutputSet* outputSet, BlendSettings* settings) {
    return guarded([&] {
        BlendSettings& s = *require(settings);
        IAVXEffectContext& ctx = *require(context);
        s.frameTime = require(renderTime)->GetFrameTime();
        s.field = require(renderField)->GetField();
        s.paramTime = renderField->GetParamTime();

        const ParamReader r(ctx, s.paramTime);
        s.mix = fraction(r.read<Double>(p::Mix, 0.0), 100.0);
        s.magic = readMagic(r, ctx);
        s.mode = r.read<Int>(p::BlendMode, 6);
        s.bypass = r.read<Bool>(p::Bypass, 0);
        if (isSet(s.bypass)) s.mode = 0;
        s.clampToLegal = r.read<Bool>(p::ClampToLegal, 1);
        s.fgCorrection = r.read<Bool>(p::FgCorrection, 0);
        s.invertForeground = r.read<Bool>(p::InvertFg, 0);
        s.fgBrightness = fraction(r.read<Double>(p::FgBrightness, 0.0), 100.0);
        s.fgContrast = fraction(r.read<Double>(p::FgContrast, 0.0), 100.0);
        s.fgSaturation = fraction(r.read<Double>(p::FgSaturation, 0.0), 100.0);
        copyTriple(s.fgShift, r.read<Triple>(p::FgShift, {}));
        s.outCorrection = r.read<Bool>(p::OutCorrection, 0);
        s.invertOutput = r.read<Bool>(p::InvertOut, 0);
        s.outBrightness = fraction(r.read<Double>(p::OutBrightness, 0.0), 100.0);
        s.outContrast = fraction(r.read<Double>(p::OutContrast, 0.0), 100.0);
        s.outSaturation = fraction(r.read<Double>(p::OutSaturation, 0.0), 100.0);
        copyTriple(s.outShift, r.read<Triple>(p::OutShift, {}));

        s.frame = readFrameFormat(*outputFrame(outputSet));
    });
}

int32_t Corvane_Processor::readLayerParameters(IAVXEffectContext* context,
                                               BlendSettings* settings) {
    return guarded([&] {
        BlendSettings& s = *require(settings);
        const ParamReader r(*require(context), s.paramTime);
        s.foregroundLayer = readLayer(r, p::ForegroundLayer, 1);
        s.backgroundLayer = readLayer(r, p::BackgroundLayer, 0);
        s.matteLayer = readLayer(r, p::MatteLayer, 2);
    });
}

int32_t Corvane_Processor::readAlphaParameters(IAVXEffectContext* context,
                                               IAVXRenderField* renderField,
                                               BlendSettings* settings) {
    return guarded([&] {
        BlendSettings& s = *require(settings);
        IAVXEffectContext& ctx = *require(context);
        // The switch is read at the render field's parameter time, asked anew.
        s.alphaEnabled =
            ParamReader(ctx, require(renderField)->GetParamTime()).read<Bool>(p::AlphaEnabled, 0);

        const ParamReader r(ctx, s.paramTime);
        s.alphaSource = static_cast<uint32_t>(r.read<Int>(p::AlphaSource, 0));
        s.unpremultiply = r.read<Bool>(p::Unpremultiply, 0);
        s.invertAlpha = r.read<Bool>(p::InvertAlpha, 0);
        s.showAlpha = r.read<Bool>(p::ShowAlpha, 0);
        s.alphaRotate = fraction(r.read<Double>(p::AlphaRotate, 0.0), 360.0);
        s.alphaRangeEnabled = r.read<Bool>(p::AlphaRangeEnabled, 0);
        s.normalizeAlpha = r.read<Bool>(p::NormalizeAlpha, 1);
        s.blackoutHighlights = r.read<Bool>(p::BlackoutHighlights, 1);
        const double value = r.read<Double>(p::AlphaValue, 0.0);
        const double range = r.read<Double>(p::AlphaRange, 255.0);
        const double softLow = r.read<Double>(p::AlphaSoftLow, 0.0);
        const double softHigh = r.read<Double>(p::AlphaSoftHigh, 0.0);
        if (isSet(s.alphaRangeEnabled)) {
            s.alphaLow = static_cast<float>(value / 255.0 - range / 255.0);
            s.alphaHigh = static_cast<float>(range / 255.0 + value / 255.0);
            s.alphaSoftHigh = fraction(softHigh, 255.0);
            s.alphaSoftLow = fraction(softLow, 255.0);
        }
    });
}
