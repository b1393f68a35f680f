#include "loaded_module.h"

#include <cstdio>
#include <cstdlib>

#include "host/host_ref.h"
#include "host/ids.h"

void oracleFailed(const std::string& what) {
    std::fprintf(stderr, "corvane fuzz: %s\n", what.c_str());
    std::abort();
}

LoadedModule& LoadedModule::instance(const char* path) {
    static LoadedModule* const module = new LoadedModule(path);
    return *module;
}

LoadedModule::LoadedModule(const char* path) : file_(path) {
    if (!file_) oracleFailed("cannot open " + std::string(path) + ": " + file_.error());
    registerPlugin = file_.symbol<decltype(registerPlugin)>("ACFRegisterPlugin");
    registerComponent = file_.symbol<decltype(registerComponent)>("ACFRegisterComponent");
    getClassFactory = file_.symbol<decltype(getClassFactory)>("ACFGetClassFactory");
    canUnloadNow = file_.symbol<decltype(canUnloadNow)>("ACFCanUnloadNow");
    if (!registerPlugin || !registerComponent || !getClassFactory || !canUnloadNow)
        oracleFailed("missing entry point: " + file_.error());
    // First contact: the module takes this host's log and prints its banner. The class id is
    // one no component has, so no factory is left behind.
    HostRef<IACFClassFactory> none;
    getClassFactory(host_.unknown(), iid::IACFUnknown, iid::IACFClassFactory, none.putVoid());
    forgetLog();
}

void LoadedModule::forgetLog() {
    host_.log().clear();
    host_.journal().clear();
}
