#include "effects/corvane_effect.h"

#include "host/ids.h"

CorvaneEffect::~CorvaneEffect() {
    holdWhileDestroying();
    host_.reset();
}

int32_t CorvaneEffect::InitializeHost(IACFUnknown* host) {
    if (!host) return status::kInvalidArgument;
    if (host != host_.get()) host_.copyFrom(host);
    return status::kOk;
}

int32_t CorvaneEffect::InnerQueryInterface(const GUID& iid, void** out) {
    if (out && iid == iid::IAVXEffect) return handOut(static_cast<IAVXEffect*>(this), out);
    return CACFUnknown::InnerQueryInterface(iid, out);
}
