#include "module/cacf_unknown.h"

#include "host/ids.h"
#include "host/status.h"

namespace {

std::atomic<uint32_t> gLiveObjects{0};

}  // namespace

uint32_t liveObjectCount() { return gLiveObjects.load(std::memory_order_acquire); }

CACFUnknown::CACFUnknown(IACFUnknown* outer) : outer_(outer ? outer : &private_), private_(*this) {
    gLiveObjects.fetch_add(1, std::memory_order_acq_rel);
}

CACFUnknown::~CACFUnknown() { gLiveObjects.fetch_sub(1, std::memory_order_acq_rel); }

int32_t CACFUnknown::InitializeHost(IACFUnknown*) { return status::kOk; }

int32_t CACFUnknown::InnerQueryInterface(const GUID& iid, void** out) {
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (iid == iid::IACFUnknown) return handOut(&private_, out);
    return status::kNoInterface;
}

uint32_t CACFUnknown::InnerAddRef() {
    return refCount_.fetch_add(1, std::memory_order_relaxed) + 1;
}

uint32_t CACFUnknown::InnerRelease() {
    // Acquire-release on the final release, so every write of other owners happens before
    // the destruction.
    const uint32_t count = refCount_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (count == 0) {
        FinalRelease();
        DestroySelf();
    }
    return count;
}
