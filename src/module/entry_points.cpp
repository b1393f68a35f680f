// The four functions the host finds in the module file. Nothing else is exported.
#include <new>

#include "host/interfaces.h"
#include "host/status.h"
#include "module/banner.h"
#include "module/class_factory.h"
#include "module/module_log.h"
#include "module/registration.h"

#if defined(_WIN32)
#define CORVANE_EXPORT extern "C" __declspec(dllexport)
#else
#define CORVANE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

CORVANE_EXPORT int32_t ACFRegisterPlugin(IACFUnknown* host, IACFPluginRecord** out) {
    return registerPlugin(host, out);
}

CORVANE_EXPORT int32_t ACFRegisterComponent(IACFUnknown* host, uint32_t index,
                                            IAVXComponentRecord** out) {
    return registerComponent(host, index, out);
}

CORVANE_EXPORT int32_t ACFGetClassFactory(IACFUnknown* host, const GUID& classId, const GUID& iid,
                                          void** out) {
    if (!host || !out) return status::kInvalidArgument;
    *out = nullptr;
    // The first call fills the module log, on however many threads it arrives at once;
    // without a host log the factories are still handed out, only the banner is not printed.
    if (acquireModuleLog(*host) && moduleLog().log) logPrint("%s", moduleBanner());

    const EffectCreator creator = creatorFor(classId);
    if (!creator) return status::kClassNotAvailable;
    auto* factory = new (std::nothrow) CACFClassFactory(creator);
    if (!factory) return status::kOutOfMemory;
    factory->AddRef();
    const int32_t result = factory->QueryInterface(iid, out);
    factory->Release();
    return result;
}

CORVANE_EXPORT int32_t ACFCanUnloadNow(IACFUnknown* host) {
    if (!host) return status::kInvalidArgument;
    return liveObjectCount() != 0 ? status::kCannotUnload : status::kOk;
}
