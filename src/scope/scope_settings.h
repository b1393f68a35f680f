// What one scope render reads from the host before it looks at a frame: the render time and
// field, and the scope's parameters at the parameter time.
#pragma once

#include <cstdint>

struct IAVXEffectContext;
struct IAVXRenderTime;
struct IAVXRenderField;

struct ScopeSettings {
    int32_t frameTime = 0;
    int32_t field = 0;
    double paramTime = 0.0;

    bool waveformOn = false;
    bool resizeWaveform = false;
    bool logToConsole = false;
    bool falseColourOn = false;
    double waveIntensity = 0.0;   // percent
    double scopeIntensity = 0.0;  // percent
    double yPosition = 0.0;       // percent of the frame height
    double scale = 0.0;           // percent
    int32_t palette = 0;          // the "Palette" value
    double gammaShift = 0.0;
};

// Reads, in this order: the frame time, the field, the parameter time, then each parameter
// once at the parameter time. A parameter the host cannot find takes its fallback; a Double
// the host holds is kept within its range and a NaN takes its default. Raises a host failure
// when a found parameter cannot be read.
ScopeSettings readScopeSettings(IAVXEffectContext& context, IAVXRenderTime& renderTime,
                                IAVXRenderField& renderField);
