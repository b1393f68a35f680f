#include "testhost/guarded_buffer.h"

#include <new>
#include <utility>

#include "testhost/platform_windows.h"
#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace testhost {

namespace {

#ifdef _WIN32
void* mapPages(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}
bool protectPage(void* page, size_t bytes) {
    DWORD old = 0;
    return VirtualProtect(page, bytes, PAGE_NOACCESS, &old) != 0;
}
void unmapPages(void* base, size_t) { VirtualFree(base, 0, MEM_RELEASE); }
#else
void* mapPages(size_t bytes) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}
bool protectPage(void* page, size_t bytes) { return mprotect(page, bytes, PROT_NONE) == 0; }
void unmapPages(void* base, size_t bytes) { munmap(base, bytes); }
#endif

}  // namespace

size_t GuardedBuffer::pageSize() {
#ifdef _WIN32
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
#else
    return static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

GuardedBuffer::GuardedBuffer(size_t size) : size_(size) {
    const size_t page = pageSize();
    const size_t dataPages = (size + page - 1) / page;
    mapped_ = (dataPages + 2) * page;
    base_ = mapPages(mapped_);
    if (!base_) throw std::bad_alloc();
    front_ = static_cast<uint8_t*>(base_) + page;
    uint8_t* guard = front_ + dataPages * page;
    if (!protectPage(base_, page) || !protectPage(guard, page)) {
        unmapPages(base_, mapped_);
        throw std::bad_alloc();
    }
    data_ = guard - size;
}

GuardedBuffer::~GuardedBuffer() { release(); }

GuardedBuffer::GuardedBuffer(GuardedBuffer&& other) noexcept
    : base_(std::exchange(other.base_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)),
      front_(std::exchange(other.front_, nullptr)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

GuardedBuffer& GuardedBuffer::operator=(GuardedBuffer&& other) noexcept {
    if (this != &other) {
        release();
        base_ = std::exchange(other.base_, nullptr);
        mapped_ = std::exchange(other.mapped_, 0);
        front_ = std::exchange(other.front_, nullptr);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void GuardedBuffer::release() noexcept {
    if (base_) unmapPages(base_, mapped_);
    base_ = nullptr;
}

}  // namespace testhost
