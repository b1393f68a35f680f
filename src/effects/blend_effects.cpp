#include "effects/blend_effects.h"

#include "blend/mode_table.h"
#include "effects/blend_catalogue.h"
#include "host/guard.h"
#include "host/ids.h"

namespace {

// Writes an Int or Bool value into the parameter if the component has it; the host's answer
// to the write is not examined.
void setIfPresent(IAVXEffectContext& context, const ParamDef& def, int32_t value) {
    HostRef<IAVXParamAccess> param;
    if (status::failed(context.GetParam(def.id, iid::IAVXParamAccess, param.putVoid()))) return;
    require(param.get())->SetValue(valueTypeId(def.type), &value, sizeof value);
}

}  // namespace

int32_t BlendEffect::Render(IAVXEffectContext* context, void*, void*, IAVXRenderTime* renderTime,
                            void*, IAVXRenderField* renderField, IAVXOutputSet* outputSet) {
    return guarded([&] {
        BlendSettings settings;
        check(readBlendParameters(context, renderTime, renderField, outputSet, &settings));
        if (threeInputs_) {
            check(readLayerParameters(context, &settings));
            check(readAlphaParameters(context, renderField, &settings));
        }
        check(processFrame(context, outputSet, &settings));
    });
}

int32_t Corvane_generic_Effect::SetUpInstance(IAVXEffectContext* context) {
    if (!context) return status::kInvalidArgument;
    return guarded([&] {
        if (context->GetUsageKind() != 2) return;
        HostRef<IAVXParamKeys> mix;
        check(context->GetParam(blend_params::Mix.id, iid::IAVXParamKeys, mix.putVoid()));
        require(mix.get());
        const double last = static_cast<double>(context->GetFrameCount()) - 1.0;
        const double start = 0.0, end = 100.0, first = 0.0;
        check(mix->SetKey(&first, value_type::Double, &start, value_type::kDoubleBytes));
        check(mix->SetKey(&last, value_type::Double, &end, value_type::kDoubleBytes));
    });
}

int32_t Corvane_3way_Effect::SetUpInstance(IAVXEffectContext* context) {
    if (!context) return status::kInvalidArgument;
    return guarded([&] {
        HostRef<IAVXParamAccess> mode;
        check(context->GetParam(blend_params::BlendMode.id, iid::IAVXParamAccess, mode.putVoid()));
        const auto overlay = static_cast<int32_t>(::BlendMode::Overlay);
        require(mode.get())->SetValue(value_type::Int, &overlay, value_type::kIntBytes);
    });
}

int32_t Corvane_3wayMatte_Effect::SetUpInstance(IAVXEffectContext* context) {
    if (!context) return status::kInvalidArgument;
    return guarded([&] {
        setIfPresent(*context, blend_params::BlendMode, static_cast<int32_t>(::BlendMode::Normal));
        setIfPresent(*context, blend_params::AlphaEnabled, 1);
    });
}
