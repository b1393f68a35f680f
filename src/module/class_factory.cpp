#include "module/class_factory.h"

#include "host/ids.h"
#include "host/status.h"

int32_t CACFClassFactory::CreateInstance(IACFUnknown* host, IACFUnknown* outer, const GUID& iid,
                                         void** out) {
    if (!creator_) return status::kUnexpected;
    if (!host || !out) return status::kInvalidArgument;
    *out = nullptr;
    // An aggregating object may only ask for the inner object's own IACFUnknown.
    if (outer && !(iid == iid::IACFUnknown)) return status::kNoAggregation;
    return creator_(host, outer, iid, out);
}

int32_t CACFClassFactory::InnerQueryInterface(const GUID& iid, void** out) {
    if (out && iid == iid::IACFClassFactory)
        return handOut(static_cast<IACFClassFactory*>(this), out);
    return CACFUnknown::InnerQueryInterface(iid, out);
}
