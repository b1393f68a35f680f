// Frames for the benchmarks: 64-byte aligned, every page touched before any timing, filled
// with a fixed pseudo-random pattern so that every run blends the same samples.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "pixel/frame_format.h"

namespace bench {

struct FreeBytes {
    void operator()(uint8_t* p) const { std::free(p); }
};
using FrameBuffer = std::unique_ptr<uint8_t[], FreeBytes>;

inline FrameBuffer allocateFrame(size_t bytes) {
    const size_t rounded = (bytes + 63) / 64 * 64;  // aligned_alloc wants a multiple of 64
    auto* p = static_cast<uint8_t*>(std::aligned_alloc(64, rounded));
    if (p == nullptr) throw std::bad_alloc();
    // Page faults belong to the allocation, not to the first timed pass.
    std::memset(p, 0, rounded);
    return FrameBuffer(p);
}

// SplitMix64: cheap, and the same sequence on every machine.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    uint64_t state_;
};

// Every channel (alpha too) drawn independently, so the per-lane cases of the modes and of
// the keying window are as mixed as they get. Beyond 8 bits about one sample in 32 lies
// outside 0..1 (super-white up to 2, super-black down to -0.5), as graded material has.
inline void fillFrame(PixelDepth depth, uint8_t* p, size_t pixels, uint64_t seed) {
    Random random(seed);
    const size_t samples = pixels * 4;
    const auto workingValue = [&random] {
        const uint64_t bits = random.next();
        const double u = random.unit();
        if ((bits & 31) != 0) return u;
        return (bits & 32) != 0 ? 1.0 + u : -0.5 * u;
    };
    switch (depth) {
        case PixelDepth::Bits8:
            for (size_t i = 0; i < samples; ++i) p[i] = static_cast<uint8_t>(random.next() >> 56);
            break;
        case PixelDepth::Fixed2_14:
            for (size_t i = 0; i < samples; ++i) {
                const double code = workingValue() * 16384.0;
                const auto v = static_cast<int16_t>(code < 32767.0 ? code : 32767.0);
                std::memcpy(p + 2 * i, &v, 2);
            }
            break;
        default:
            for (size_t i = 0; i < samples; ++i) {
                const auto v = static_cast<float>(workingValue());
                std::memcpy(p + 4 * i, &v, 4);
            }
    }
}

}  // namespace bench
