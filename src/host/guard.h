// The one way host failures travel inside the module: `check` and `require` raise a
// HostFailure carrying the status; `guarded` runs the body of a host-facing operation and
// turns what it raises into the operation's result. Nothing crosses the boundary.
#pragma once

#include <cstdint>
#include <type_traits>

#include "host/status.h"

class HostFailure {
public:
    explicit HostFailure(int32_t s) : status_(s) {}
    int32_t status() const { return status_; }

private:
    int32_t status_;
};

// Raises a failing (negative) host status; passes any other status through.
inline int32_t check(int32_t s) {
    if (status::failed(s)) throw HostFailure(s);
    return s;
}

// Raises 0x80000005 for an object a successful host call failed to hand back.
template <class T>
T* require(T* p) {
    if (!p) throw HostFailure(status::kNullObject);
    return p;
}

// Runs `body` (which returns a status or nothing); a host failure becomes its status, any
// other exception 0x8000FFFF.
template <class Body>
int32_t guarded(Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            return status::kOk;
        } else {
            return static_cast<int32_t>(body());
        }
    } catch (const HostFailure& failure) {
        return failure.status();
    } catch (...) {
        return status::kUnexpected;
    }
}
