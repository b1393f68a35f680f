// A module file that refuses to register: it has the four exports of a real module, and the
// first of them answers 0x80000003. The command-line host must report that status by name
// and stop, as it would for any module that fails.
#include <cstdint>

#define REFUSING_EXPORT extern "C" __attribute__((visibility("default")))

REFUSING_EXPORT int32_t ACFRegisterPlugin(void*, void** out) {
    if (out) *out = nullptr;
    return static_cast<int32_t>(0x80000003u);
}
REFUSING_EXPORT int32_t ACFRegisterComponent(void*, uint32_t, void** out) {
    if (out) *out = nullptr;
    return static_cast<int32_t>(0x80000003u);
}
REFUSING_EXPORT int32_t ACFGetClassFactory(void*, const void*, const void*, void** out) {
    if (out) *out = nullptr;
    return static_cast<int32_t>(0x80000003u);
}
REFUSING_EXPORT int32_t ACFCanUnloadNow(void*) { return 0; }
