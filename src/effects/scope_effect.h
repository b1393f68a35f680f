// "Corvane REC.709 Oscilloscope": a legal-range map or false colour of the picture, a luma
// waveform and a vectorscope in a panel of the output, and a warning line per offending frame.
#pragma once

#include "effects/corvane_effect.h"
#include "scope/scope_render.h"

class Corvane_QCLogger_Effect final : public CorvaneEffect {
public:
    explicit Corvane_QCLogger_Effect(IACFUnknown* outer) : CorvaneEffect(outer) {}

    int32_t SetUpInstance(IAVXEffectContext* context) override {
        return context ? status::kOk : status::kInvalidArgument;
    }
    int32_t Render(IAVXEffectContext* context, void*, void*, IAVXRenderTime* renderTime, void*,
                   IAVXRenderField* renderField, IAVXOutputSet* outputSet) override {
        return renderScope(context, renderTime, renderField, outputSet);
    }
};
