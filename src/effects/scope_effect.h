// "Corvane REC.709 Oscilloscope": registered with its pins and formats; it does not render
// yet.
#pragma once

#include "effects/corvane_effect.h"

class Corvane_QCLogger_Effect final : public CorvaneEffect {
public:
    explicit Corvane_QCLogger_Effect(IACFUnknown* outer) : CorvaneEffect(outer) {}

    int32_t SetUpInstance(IAVXEffectContext* context) override {
        return context ? status::kOk : status::kInvalidArgument;
    }
    int32_t Render(IAVXEffectContext*, void*, void*, IAVXRenderTime*, void*, IAVXRenderField*,
                   IAVXOutputSet*) override {
        return status::kNotImplemented;
    }
};
