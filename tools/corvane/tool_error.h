// What every command raises when it cannot go on: one line a person can act on. main prints
// it on stderr and exits with status 2.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failing status handed back by the module.
class ModuleFailure : public ToolError {
public:
    ModuleFailure(const std::string& message, int32_t status)
        : ToolError(message), status_(status) {}
    int32_t status() const { return status_; }

private:
    int32_t status_;
};

// "0x80000003 invalid argument"; the number alone for a status of no name.
std::string statusText(int32_t status);

// Raises a ModuleFailure "<what>: <statusText>" for a failing status.
void checkModule(int32_t status, const std::string& what);

}  // namespace corvane
