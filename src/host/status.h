// The 32-bit results of every operation across the host boundary: 0 is success, negative
// is failure.
#pragma once

#include <cstdint>

namespace status {

inline constexpr int32_t kOk = 0;
inline constexpr int32_t kNotImplemented = static_cast<int32_t>(0x80000001u);
inline constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x80000002u);
inline constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80000003u);
inline constexpr int32_t kNoInterface = static_cast<int32_t>(0x80000004u);
inline constexpr int32_t kNullObject = static_cast<int32_t>(0x80000005u);
inline constexpr int32_t kCannotUnload = static_cast<int32_t>(0x80000008u);
inline constexpr int32_t kUnexpected = static_cast<int32_t>(0x8000FFFFu);
inline constexpr int32_t kNoAggregation = static_cast<int32_t>(0x80040110u);
inline constexpr int32_t kClassNotAvailable = static_cast<int32_t>(0x80040111u);

constexpr bool failed(int32_t s) { return s < 0; }

// What a status means, in the words a person reads beside its number; null for a status of
// no name.
constexpr const char* name(int32_t s) {
    switch (s) {
        case kOk:
            return "success";
        case kNotImplemented:
            return "not implemented";
        case kOutOfMemory:
            return "out of memory";
        case kInvalidArgument:
            return "invalid argument";
        case kNoInterface:
            return "no such interface";
        case kNullObject:
            return "null object";
        case kCannotUnload:
            return "cannot unload now";
        case kUnexpected:
            return "unexpected failure";
        case kNoAggregation:
            return "aggregation not supported";
        case kClassNotAvailable:
            return "class not available";
        default:
            return nullptr;
    }
}

}  // namespace status
