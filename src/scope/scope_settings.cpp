#include "scope/scope_settings.h"

#include "effects/param_reading.h"
#include "host/interfaces.h"
#include "scope/scope_catalogue.h"

ScopeSettings readScopeSettings(IAVXEffectContext& context, IAVXRenderTime& renderTime,
                                IAVXRenderField& renderField) {
    namespace p = scope_params;
    using enum ParamType;
    ScopeSettings s;
    s.frameTime = renderTime.GetFrameTime();
    s.field = renderField.GetField();
    s.paramTime = renderField.GetParamTime();

    // Switches count as on only when exactly 1.
    const ParamReader r(context, s.paramTime);
    s.waveformOn = r.read<Bool>(p::WaveformOn) == 1;
    s.resizeWaveform = r.read<Bool>(p::ResizeWaveform) == 1;
    s.logToConsole = r.read<Bool>(p::LogToConsole) == 1;
    s.falseColourOn = r.read<Bool>(p::FalseColourOn) == 1;
    s.waveIntensity = r.readBounded(p::WaveIntensity);
    s.scopeIntensity = r.readBounded(p::ScopeIntensity);
    s.yPosition = r.readBounded(p::YPosition);
    s.scale = r.readBounded(p::Scale);
    s.palette = r.read<Int>(p::Palette);
    s.gammaShift = r.readBounded(p::GammaShift);
    return s;
}
