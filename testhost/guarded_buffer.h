// A buffer between two inaccessible pages, with one end of its bytes right against a page, so
// that reading or writing one byte past that end faults at once. The bytes between the other
// end and its page hold a known pattern, so a stray write there shows up afterwards. Platform
// code lives in the .cpp only (the system headers there must not meet the host's GUID).
#pragma once

#include <cstddef>
#include <cstdint>

namespace testhost {

// Which end of the bytes touches an inaccessible page.
enum class GuardSide { End, Start };

class GuardedBuffer {
public:
    // `gap` bytes of pattern lie between the guarded end and its page (0: right against it).
    // Throws std::bad_alloc when the pages cannot be had or protected.
    explicit GuardedBuffer(size_t size, GuardSide side = GuardSide::End, size_t gap = 0);
    ~GuardedBuffer();
    GuardedBuffer(GuardedBuffer&& other) noexcept;
    GuardedBuffer& operator=(GuardedBuffer&& other) noexcept;
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // With GuardSide::End and no gap, data() + size() is the first byte of the guard page and
    // the start is 16-byte aligned whenever size is a multiple of 16; otherwise the start is
    // wherever it falls. With GuardSide::Start, data() - gap is the first byte after a page.
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    // False when a byte outside [data(), data() + size()) but inside the pages has changed.
    bool patternIntact() const;

    static size_t pageSize();

private:
    void release() noexcept;

    void* base_ = nullptr;
    size_t mapped_ = 0;
    uint8_t* pages_ = nullptr;  // the first byte after the leading guard page
    size_t pagesBytes_ = 0;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace testhost
