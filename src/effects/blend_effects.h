// The three blend effects. They share the blend processor and differ only in the settings
// a new instance gets and in whether the layer switcher and the alpha group are read.
#pragma once

#include "blend/corvane_processor.h"
#include "effects/corvane_effect.h"

class BlendEffect : public CorvaneEffect, public Corvane_Processor {
public:
    BlendEffect(IACFUnknown* outer, bool threeInputs)
        : CorvaneEffect(outer), threeInputs_(threeInputs) {}

    int32_t Render(IAVXEffectContext* context, void* a2, void* a3, IAVXRenderTime* renderTime,
                   void* a5, IAVXRenderField* renderField, IAVXOutputSet* outputSet) override;

private:
    const bool threeInputs_;
};

// "Corvane generic": keys its mix from 0 to 100 over the effect when the host sets up a
// new instance with usage kind 2.
class Corvane_generic_Effect final : public BlendEffect {
public:
    explicit Corvane_generic_Effect(IACFUnknown* outer) : BlendEffect(outer, false) {}
    int32_t SetUpInstance(IAVXEffectContext* context) override;
};

// "Corvane Alpha advanced": starts in Overlay.
class Corvane_3way_Effect final : public BlendEffect {
public:
    explicit Corvane_3way_Effect(IACFUnknown* outer) : BlendEffect(outer, true) {}
    int32_t SetUpInstance(IAVXEffectContext* context) override;
};

// "Corvane Matte key": starts in Normal with alpha on.
class Corvane_3wayMatte_Effect final : public BlendEffect {
public:
    explicit Corvane_3wayMatte_Effect(IACFUnknown* outer) : BlendEffect(outer, true) {}
    int32_t SetUpInstance(IAVXEffectContext* context) override;
};
