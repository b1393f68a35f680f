#include "tool_error.h"

#include <cstdio>

#include "host/status.h"

namespace corvane {

std::string statusText(int32_t s) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%08X", static_cast<uint32_t>(s));
    const char* name = status::name(s);
    return name ? std::string(number) + " " + name : std::string(number);
}

void checkModule(int32_t s, const std::string& what) {
    if (status::failed(s)) throw ModuleFailure(what + ": " + statusText(s), s);
}

}  // namespace corvane
