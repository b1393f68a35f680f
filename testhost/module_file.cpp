#include "testhost/module_file.h"

#include <utility>

#include "testhost/platform_windows.h"
#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace testhost {

namespace {

#ifdef _WIN32
std::string lastError() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n ? std::string(text, n) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

void* openFile(const std::string& path, std::string& error) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
    HMODULE h = LoadLibraryW(wide.c_str());
    if (!h) error = path + ": " + lastError();
    return reinterpret_cast<void*>(h);
}

void* findSymbol(void* handle, const char* name, std::string& error) {
    FARPROC p = GetProcAddress(static_cast<HMODULE>(handle), name);
    if (!p) error = std::string(name) + ": " + lastError();
    return reinterpret_cast<void*>(p);
}

void closeFile(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void* openFile(const std::string& path, std::string& error) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) error = dlerror();
    return h;
}

void* findSymbol(void* handle, const char* name, std::string& error) {
    dlerror();
    void* p = dlsym(handle, name);
    if (!p) {
        const char* why = dlerror();
        error = why ? why : std::string(name) + ": null symbol";
    }
    return p;
}

void closeFile(void* handle) { dlclose(handle); }
#endif

}  // namespace

ModuleFile::ModuleFile(const std::string& path) : path_(path) { handle_ = openFile(path, error_); }

ModuleFile::~ModuleFile() { close(); }

ModuleFile::ModuleFile(ModuleFile&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      path_(std::move(other.path_)),
      error_(std::move(other.error_)) {}

ModuleFile& ModuleFile::operator=(ModuleFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
        error_ = std::move(other.error_);
    }
    return *this;
}

void* ModuleFile::rawSymbol(const char* name) {
    if (!handle_) {
        error_ = "no module file is open";
        return nullptr;
    }
    error_.clear();
    return findSymbol(handle_, name, error_);
}

void ModuleFile::close() {
    if (handle_) closeFile(std::exchange(handle_, nullptr));
}

}  // namespace testhost
