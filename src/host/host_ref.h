// HostRef<T>: owns one reference to a host object and releases it on every path. It never
// adopts a raw pointer implicitly: `attach` takes over a reference, `detach` hands it on
// (to the host through an out argument), `put` gives the slot to a host call that fills it.
#pragma once

#include <utility>

template <class T>
class HostRef {
public:
    HostRef() = default;
    HostRef(const HostRef&) = delete;
    HostRef& operator=(const HostRef&) = delete;
    HostRef(HostRef&& other) noexcept : ptr_(other.detach()) {}
    HostRef& operator=(HostRef&& other) noexcept {
        if (this != &other) attach(other.detach());
        return *this;
    }
    ~HostRef() { reset(); }

    // Takes over a reference the caller already owns.
    void attach(T* p) noexcept {
        reset();
        ptr_ = p;
    }
    // Adds a reference of its own to an object it does not own yet.
    void copyFrom(T* p) noexcept {
        if (p) p->AddRef();
        attach(p);
    }
    [[nodiscard]] T* detach() noexcept { return std::exchange(ptr_, nullptr); }

    // Releases what it holds and returns its slot for a host call to fill.
    T** put() noexcept {
        reset();
        return &ptr_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

    // Clears itself before calling Release, so a re-entrant release through this owner
    // finds it empty.
    void reset() noexcept {
        if (T* p = std::exchange(ptr_, nullptr)) p->Release();
    }

    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    T& operator*() const noexcept { return *ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

private:
    T* ptr_ = nullptr;
};
