// The fuzzer's input read as a stream of choices. Past its end every read gives zero, so a
// short input still makes a whole case: the plainest one.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : next_(data), end_(data + size) {}

    uint8_t byte() { return next_ != end_ ? *next_++ : 0; }
    // 0 to n - 1, for n up to 256.
    uint32_t below(uint32_t n) { return n == 0 ? 0 : byte() % n; }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t{byte()} << (8 * i);
        return v;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    double f64() { return std::bit_cast<double>(uint64_t{u32()} | uint64_t{u32()} << 32); }

    template <class T, size_t N>
    T pick(const T (&options)[N]) {
        return options[below(N)];
    }
    // A small code most of the time (0 to n - 1), any 32-bit value now and then.
    int32_t code(uint32_t n) {
        const uint8_t b = byte();
        return b < 240 ? static_cast<int32_t>(b % n) : i32();
    }

private:
    const uint8_t* next_;
    const uint8_t* end_;
};
