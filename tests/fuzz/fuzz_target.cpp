// The libFuzzer entry points: the module is opened once, before the first input, so that its
// coverage counters are known from the start.
#include <cstddef>
#include <cstdint>

#include "run_case.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LoadedModule::instance(CORVANE_MODULE_PATH);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runCase(LoadedModule::instance(CORVANE_MODULE_PATH), data, size);
    return 0;
}
