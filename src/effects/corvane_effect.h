// What every effect class shares: the IAVXEffect face with its fixed slot answers, the
// reference to the host object it was created with, and its creation.
#pragma once

#include <new>

#include "host/host_ref.h"
#include "host/interfaces.h"
#include "host/status.h"
#include "module/cacf_unknown.h"

class CorvaneEffect : public IAVXEffect, public CACFUnknown {
public:
    explicit CorvaneEffect(IACFUnknown* outer) : CACFUnknown(outer) {}
    ~CorvaneEffect() override;

    CORVANE_FORWARD_UNKNOWN
    int32_t EffectSlot3() override { return status::kNotImplemented; }
    int32_t EffectSlot5() override { return status::kOk; }
    int32_t EffectSlot6() override { return status::kOk; }
    int32_t EffectSlot7() override { return status::kOk; }
    int32_t EffectSlot9() override { return status::kOk; }
    int32_t EffectSlot10() override { return status::kOk; }
    int32_t EffectSlot11() override { return status::kOk; }

    int32_t InitializeHost(IACFUnknown* host) override;
    int32_t InnerQueryInterface(const GUID& iid, void** out) override;

private:
    HostRef<IACFUnknown> host_;
};

// The creator the class factory calls: builds one `Effect`, gives it the host, and hands
// out the interface asked for. The object lives on only if that query handed out a
// reference.
template <class Effect>
int32_t createEffect(IACFUnknown* host, IACFUnknown* outer, const GUID& iid, void** out) {
    auto* effect = new (std::nothrow) Effect(outer);
    if (!effect) return status::kOutOfMemory;
    effect->InnerAddRef();
    const int32_t initialized = effect->InitializeHost(host);
    if (status::failed(initialized)) {
        delete effect;
        return initialized;
    }
    const int32_t result = effect->InnerQueryInterface(iid, out);
    effect->InnerRelease();
    return result;
}
