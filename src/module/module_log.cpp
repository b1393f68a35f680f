#include "module/module_log.h"

#include <cstdarg>
#include <mutex>

#include "host/guard.h"
#include "host/ids.h"
#include "host/interfaces.h"

namespace {

// Releases the held log when the module unloads (static destruction of the loaded module).
struct ModuleLogSlot {
    ModuleLog record;
    std::once_flag filled;
    ~ModuleLogSlot() {
        if (IACFHostLog* log = record.log) {
            record.log = nullptr;
            log->Release();
        }
    }
};

ModuleLogSlot& slot() {
    static ModuleLogSlot instance;  // thread-safe one-time initialisation
    return instance;
}

IACFHostLog& heldLog() { return *require(moduleLog().log); }

}  // namespace

ModuleLog& moduleLog() { return slot().record; }

bool acquireModuleLog(IACFUnknown& host) {
    ModuleLogSlot& s = slot();
    bool filledHere = false;
    std::call_once(s.filled, [&] {
        if (s.record.log) {
            s.record.log->Release();
            s.record.log = nullptr;
        }
        void* log = nullptr;
        if (status::failed(host.QueryInterface(iid::IACFHostLog, &log))) log = nullptr;
        s.record.log = static_cast<IACFHostLog*>(log);
        s.record.acquired = 1;
        filledHere = true;
    });
    return filledHere;
}

void logPrint(const char* format, ...) {
    IACFHostLog& log = heldLog();
    va_list args;
    va_start(args, format);
    log.Print(2, format, args);
    va_end(args);
}

void logAlert(const char16_t* format, ...) {
    IACFHostLog& log = heldLog();
    va_list args;
    va_start(args, format);
    log.PrintAlert(2, format, args);
    va_end(args);
}
