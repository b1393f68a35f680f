// The host's console, reached through one module-wide slot that holds the host log for the
// life of the loaded module.
#pragma once

#include <cstdint>

struct IACFHostLog;
struct IACFUnknown;

struct ModuleLog {
    uint8_t acquired = 0;
    IACFHostLog* log = nullptr;
};

// The one slot, set up on first use by a thread-safe one-time initialisation; the log it
// holds is released when the module unloads.
ModuleLog& moduleLog();

// Fills the slot from `host` once per loaded module, however many threads arrive at once.
// Returns true for the one call that filled it (the caller then prints the banner). A host
// without a log leaves the slot empty but acquired.
bool acquireModuleLog(IACFUnknown& host);

// printf-style messages at level 2; the host does the formatting. Both raise 0x80000005
// when no log is held, and ignore the status the host returns.
void logPrint(const char* format, ...);
void logAlert(const char16_t* format, ...);
