// "Corvane Field Swap": delivers the other field of interlaced material by fetching its
// input with fields 1 and 2 exchanged and copying the bytes.
#pragma once

#include "effects/corvane_effect.h"

class Corvane_FieldSwap_Effect final : public CorvaneEffect, public IAVXTimeNeighborhood {
public:
    explicit Corvane_FieldSwap_Effect(IACFUnknown* outer) : CorvaneEffect(outer) {}

    // Both faces forward IACFUnknown to the controlling object.
    int32_t QueryInterface(const GUID& iid, void** out) override {
        return CorvaneEffect::QueryInterface(iid, out);
    }
    uint32_t AddRef() override { return CorvaneEffect::AddRef(); }
    uint32_t Release() override { return CorvaneEffect::Release(); }

    int32_t SetUpInstance(IAVXEffectContext* context) override {
        return context ? status::kOk : status::kInvalidArgument;
    }
    int32_t Render(IAVXEffectContext* context, void* a2, void* a3, IAVXRenderTime* renderTime,
                   void* a5, IAVXRenderField* renderField, IAVXOutputSet* outputSet) override;

    int32_t NeighborhoodSlot3() override { return status::kOk; }
    int32_t NeighborhoodSlot4() override { return status::kNotImplemented; }
    int32_t NeighborhoodSlot5() override { return status::kNotImplemented; }

    int32_t InnerQueryInterface(const GUID& iid, void** out) override;
};
