// A module file opened the way the editor opens it: resolved at once, symbols kept local.
// Platform code lives in the .cpp only.
#pragma once

#include <string>

namespace testhost {

class ModuleFile {
public:
    ModuleFile() = default;
    // Opens `path` (UTF-8); check isOpen() and error().
    explicit ModuleFile(const std::string& path);
    ~ModuleFile();
    ModuleFile(ModuleFile&& other) noexcept;
    ModuleFile& operator=(ModuleFile&& other) noexcept;
    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    explicit operator bool() const { return isOpen(); }
    const std::string& path() const { return path_; }
    // Why the last open or symbol look-up failed; empty after a success.
    const std::string& error() const { return error_; }

    // Null when missing (error() says why).
    void* rawSymbol(const char* name);
    // A function pointer type: `file.symbol<int32_t (*)(IACFUnknown*)>("ACFCanUnloadNow")`.
    template <class T>
    T symbol(const char* name) {
        return reinterpret_cast<T>(rawSymbol(name));
    }

    void close();

private:
    void* handle_ = nullptr;
    std::string path_;
    std::string error_;
};

}  // namespace testhost
