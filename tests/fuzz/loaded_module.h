// The module file opened once per process, as the editor opens it, on a host of its own that
// keeps the host log the module takes at first contact for as long as the process lives. Each
// case brings a host of its own for everything else.
#pragma once

#include <cstdint>
#include <string>

#include "host/interfaces.h"
#include "testhost/host.h"
#include "testhost/module_file.h"

class LoadedModule {
public:
    // Opened on first use; never closed, so the log stays valid for every later case.
    static LoadedModule& instance(const char* path);

    int32_t (*registerPlugin)(IACFUnknown*, IACFPluginRecord**) = nullptr;
    int32_t (*registerComponent)(IACFUnknown*, uint32_t, IAVXComponentRecord**) = nullptr;
    int32_t (*getClassFactory)(IACFUnknown*, const GUID&, const GUID&, void**) = nullptr;
    int32_t (*canUnloadNow)(IACFUnknown*) = nullptr;

    // Drops the lines and calls the first host gathered during a case, which would otherwise
    // pile up over millions of them.
    void forgetLog();

private:
    explicit LoadedModule(const char* path);

    testhost::Host host_;  // declared first: it must outlive the module's reference to its log
    testhost::ModuleFile file_;
};

// Prints what went wrong and aborts, which the fuzzer records as a finding.
[[noreturn]] void oracleFailed(const std::string& what);
