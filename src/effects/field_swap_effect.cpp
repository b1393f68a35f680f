#include "effects/field_swap_effect.h"

#include <algorithm>
#include <cstring>

#include "host/frame_requests.h"
#include "host/guard.h"
#include "host/ids.h"

namespace {

int32_t swappedField(int32_t field) { return field == 1 ? 2 : field == 2 ? 1 : field; }

}  // namespace

int32_t Corvane_FieldSwap_Effect::Render(IAVXEffectContext* context, void*, void*,
                                         IAVXRenderTime* renderTime, void*,
                                         IAVXRenderField* renderField, IAVXOutputSet* outputSet) {
    return guarded([&] {
        const int32_t frameTime = require(renderTime)->GetFrameTime();
        const int32_t field = require(renderField)->GetField();

        HostRef<IAVXFrameBuffer> output = outputFrame(outputSet);
        const int32_t fieldMode = output->GetFieldMode();
        HostRef<IAVXFrameLayout> outputLayout;
        check(output->GetLayout(outputLayout.put()));
        require(outputLayout.get());

        // The last input, which for this one-input effect is "InputOne".
        const int32_t count = require(context)->GetInputCount();
        if (count <= 0) throw HostFailure(status::kNullObject);
        HostRef<IAVXInputTrack> input = inputTrack(*context, count - 1);

        HostRef<IAVXFrameBuffer> source;
        if (status::failed(
                input->FetchFrame(frameTime, swappedField(field), fieldMode, source.put())))
            check(input->FetchFrame(frameTime, field, fieldMode, source.put()));
        require(source.get());
        HostRef<IAVXFrameLayout> sourceLayout;
        check(source->GetLayout(sourceLayout.put()));
        require(sourceLayout.get());

        const size_t n = std::min(source->GetByteCount(), output->GetByteCount());
        const void* from = source->GetPixels();
        void* to = output->GetPixels();
        if (n == 0 || from == to) return;
        std::memmove(require(to), require(from), n);
    });
}

int32_t Corvane_FieldSwap_Effect::InnerQueryInterface(const GUID& iid, void** out) {
    if (out && iid == iid::IAVXTimeNeighborhood)
        return handOut(static_cast<IAVXTimeNeighborhood*>(this), out);
    return CorvaneEffect::InnerQueryInterface(iid, out);
}
