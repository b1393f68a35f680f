// The three parameter readers of the blend processor.
#include "blend/corvane_processor.h"
#include "effects/param_reading.h"
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
    double value = p::Magic.fallback;
    // Only a state of 1 says the stored value applies.
    if (param->QueryState() == 1) reader.valueAt(*param, p::Magic, &value, sizeof value);
    const float magic = fraction(value, 100.0);
    // Tested on the stored float, so a tiny value that rounds to 0 is caught too: the
    // kernels divide by the Magic.
    return magic == 0.0f ? 1e-9f : magic;
}

// A layer index of 3 or more (negative ones included) falls back and is written back into
// the parameter at the parameter time.
uint32_t readLayer(const ParamReader& reader, const ParamDef& def) {
    HostRef<IAVXParamAccess> param;
    const int32_t value = reader.read<Int>(def, &param);
    if (static_cast<uint32_t>(value) < 3) return static_cast<uint32_t>(value);
    const int32_t fallback = fallbackOf<Int>(def);
    require(param.get());
    check(param->SetValueAt(&reader.time(), value_type::Int, &fallback, value_type::kIntBytes));
    return static_cast<uint32_t>(fallback);
}

// Where one correction group's settings go in the record.
struct CorrectionFields {
    int32_t& on;
    int32_t& invert;
    float& brightness;
    float& contrast;
    float& saturation;
    std::array<float, 3>& shift;
};

void readCorrection(const ParamReader& r, const p::CorrectionGroupDef& group,
                    const CorrectionFields& into) {
    into.on = r.read<Bool>(group.enabler);
    into.invert = r.read<Bool>(group.invert);
    into.brightness = fraction(r.read<Double>(group.brightness), 100.0);
    into.contrast = fraction(r.read<Double>(group.contrast), 100.0);
    into.saturation = fraction(r.read<Double>(group.saturation), 100.0);
    const std::array<double, 3> shift = r.read<Triple>(group.shift);
    for (size_t i = 0; i < 3; ++i) into.shift[i] = static_cast<float>(shift[i]);
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
        s.mix = fraction(r.read<Double>(p::Mix), 100.0);
        s.magic = readMagic(r, ctx);
        s.mode = r.read<Int>(p::BlendMode);
        s.bypass = r.read<Bool>(p::Bypass);
        if (isSet(s.bypass)) s.mode = 0;
        s.clampToLegal = r.read<Bool>(p::ClampToLegal);
        readCorrection(r, p::FgCorrectionGroup,
                       {s.fgCorrection, s.invertForeground, s.fgBrightness, s.fgContrast,
                        s.fgSaturation, s.fgShift});
        readCorrection(r, p::OutCorrectionGroup,
                       {s.outCorrection, s.invertOutput, s.outBrightness, s.outContrast,
                        s.outSaturation, s.outShift});

        s.frame = readFrameFormat(*outputFrame(outputSet));
    });
}

int32_t Corvane_Processor::readLayerParameters(IAVXEffectContext* context,
                                               BlendSettings* settings) {
    return guarded([&] {
        BlendSettings& s = *require(settings);
        const ParamReader r(*require(context), s.paramTime);
        s.foregroundLayer = readLayer(r, p::ForegroundLayer);
        s.backgroundLayer = readLayer(r, p::BackgroundLayer);
        s.matteLayer = readLayer(r, p::MatteLayer);
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
            ParamReader(ctx, require(renderField)->GetParamTime()).read<Bool>(p::AlphaEnabled);

        const ParamReader r(ctx, s.paramTime);
        s.alphaSource = static_cast<uint32_t>(r.read<Int>(p::AlphaSource));
        s.unpremultiply = r.read<Bool>(p::Unpremultiply);
        s.invertAlpha = r.read<Bool>(p::InvertAlpha);
        s.showAlpha = r.read<Bool>(p::ShowAlpha);
        s.alphaRotate = fraction(r.read<Double>(p::AlphaRotate), 360.0);
        s.alphaRangeEnabled = r.read<Bool>(p::AlphaRangeEnabled);
        s.normalizeAlpha = r.read<Bool>(p::NormalizeAlpha);
        s.blackoutHighlights = r.read<Bool>(p::BlackoutHighlights);
        const double value = r.read<Double>(p::AlphaValue);
        const double range = r.read<Double>(p::AlphaRange);
        const double softLow = r.read<Double>(p::AlphaSoftLow);
        const double softHigh = r.read<Double>(p::AlphaSoftHigh);
        if (isSet(s.alphaRangeEnabled)) {
            s.alphaLow = static_cast<float>(value / 255.0 - range / 255.0);
            s.alphaHigh = static_cast<float>(range / 255.0 + value / 255.0);
            s.alphaSoftHigh = fraction(softHigh, 255.0);
            s.alphaSoftLow = fraction(softLow, 255.0);
        }
    });
}
