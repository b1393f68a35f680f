#include "pixel/input_pixels.h"

#include <cstring>
#include <new>

#include "host/guard.h"

InputPixels::InputPixels(const uint8_t* input, const uint8_t* output, uint64_t bytes, bool inPlace)
    : pixels_(input) {
    const auto in = reinterpret_cast<uintptr_t>(input);
    const auto out = reinterpret_cast<uintptr_t>(output);
    if (!input || !output || bytes == 0 || in >= out + bytes || out >= in + bytes) return;
    if (inPlace && in == out) return;
    // 64 bytes over, to start the copy where the widest streaming loads want it.
    copy_.reset(new (std::nothrow) uint8_t[bytes + 64]);
    if (!copy_) throw HostFailure(status::kOutOfMemory);
    auto* start = copy_.get() + (64 - reinterpret_cast<uintptr_t>(copy_.get()) % 64) % 64;
    std::memcpy(start, input, bytes);
    pixels_ = start;
}
