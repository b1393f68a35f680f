// The class factory the host obtains per creation class: it creates effect instances with
// its creator function.
#pragma once

#include "module/cacf_unknown.h"

// Creates one effect object: host, outer (aggregating object or null), iid, out.
using EffectCreator = int32_t (*)(IACFUnknown* host, IACFUnknown* outer, const GUID& iid,
                                  void** out);

class CACFClassFactory final : public IACFClassFactory, public CACFUnknown {
public:
    explicit CACFClassFactory(EffectCreator creator) : CACFUnknown(nullptr), creator_(creator) {}
    ~CACFClassFactory() override { creator_ = nullptr; }

    CORVANE_FORWARD_UNKNOWN
    int32_t CreateInstance(IACFUnknown* host, IACFUnknown* outer, const GUID& iid,
                           void** out) override;
    int32_t InnerQueryInterface(const GUID& iid, void** out) override;

private:
    EffectCreator creator_;
};
