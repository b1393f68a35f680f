// A buffer whose last byte sits right before an inaccessible page, so that reading or
// writing one byte past its end faults at once. An inaccessible page also precedes the page
// it starts in; the bytes between that page and the start (`front()` to `data()`) are the
// caller's to fill and check. Platform code lives in the .cpp only (the system headers there
// must not meet the host's GUID).
#pragma once

#include <cstddef>
#include <cstdint>

namespace testhost {

class GuardedBuffer {
public:
    // Throws std::bad_alloc when the pages cannot be had or protected.
    explicit GuardedBuffer(size_t size);
    ~GuardedBuffer();
    GuardedBuffer(GuardedBuffer&& other) noexcept;
    GuardedBuffer& operator=(GuardedBuffer&& other) noexcept;
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // data() + size() is the first byte of the guard page. The start is 16-byte aligned
    // whenever size is a multiple of 16; otherwise the end wins and the start is wherever
    // it falls.
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    // The first accessible byte: a write before it faults.
    uint8_t* front() const { return front_; }

    static size_t pageSize();

private:
    void release() noexcept;

    void* base_ = nullptr;
    size_t mapped_ = 0;
    uint8_t* front_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace testhost
