// Frames the host hands the module: pixel storage of any size, format and placement
// (aligned, deliberately misaligned, against a guard page, or not allocated at all), and
// the layout object that describes the format.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "host/interfaces.h"
#include "testhost/guarded_buffer.h"
#include "testhost/object.h"

namespace testhost {

enum class Placement {
    Aligned16,  // pixels start on a 16-byte boundary, guard bytes around them
    Unaligned,  // pixels start at an address = 4 mod 16, guard bytes around them
    GuardPage,  // the last byte sits right before an inaccessible page, guard bytes before
    None,       // nothing allocated: GetPixels hands out null (sizes too large to allocate)
};

struct FrameShape {
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t depth = 1;        // 8bit
    int32_t layout = 4;       // BGRA
    int32_t range = 2;        // Full
    int32_t colourSpace = 2;  // RGB
    uint32_t pixelBytes = 0;  // 0: derived from depth and layout
    int32_t fieldMode = 0;
    int32_t fieldSubMode = 0;
    int32_t frameField = 0;
    Placement placement = Placement::Aligned16;
    std::optional<uint32_t> byteCountOverride{};  // what GetByteCount reports instead
};

// Bytes per pixel of a depth (8bit, 2.14, float) in a layout (four components, 4:2:2, three
// components); 0 when the pair is not one of these.
uint32_t derivedPixelBytes(int32_t depth, int32_t layout);

class Frame;

class FrameLayout final : public IAVXFrameLayout, public Counted {
public:
    FrameLayout(Census& census, Journal& journal, const Frame& frame, std::string name);

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    int32_t GetColourSpace() override;
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    TESTHOST_RESERVED(6)
    TESTHOST_RESERVED(7)
    TESTHOST_RESERVED(8)
    uint32_t GetBytesPerPixel(int32_t plane) override;  // 0 for any plane but 0
    TESTHOST_RESERVED(10)
    TESTHOST_RESERVED(11)
    TESTHOST_RESERVED(12)
    TESTHOST_RESERVED(13)
    int32_t GetDepthCode() override;
    int32_t GetLayoutCode() override;
    int32_t GetRangeCode() override;

private:
    int32_t code(const char* op, int32_t value);
    const Frame& frame_;
};

class Frame final : public IAVXFrameBuffer, public Counted {
public:
    // Throws std::logic_error when pixelBytes is 0 and cannot be derived.
    Frame(Census& census, Journal& journal, const FrameShape& shape, std::string name);
    ~Frame() override;

    // The description it was made from, with pixelBytes filled in.
    const FrameShape& shape() const { return shape_; }
    uint32_t pixelBytes() const { return shape_.pixelBytes; }
    // The real size, width x height x pixelBytes in 64 bits, allocated or not.
    uint64_t byteCount() const { return size_; }
    // This frame's own storage (empty for Placement::None).
    std::span<uint8_t> bytes() { return {data_, data_ ? static_cast<size_t>(size_) : 0}; }
    std::span<const uint8_t> bytes() const {
        return {data_, data_ ? static_cast<size_t>(size_) : 0};
    }
    uint8_t* data() { return data_; }
    void fill(uint8_t value);
    // False when something wrote into the guard bytes before or after the pixels. A
    // GuardPage frame has guard bytes (or its page) before the start and faults after the
    // end; a frame placed nowhere is always intact.
    bool guardsIntact() const;

    // GetPixels hands out null (without any injection).
    void setPixelsNull(bool on) { pixelsNull_.store(on); }
    // GetPixels hands out `other`'s pixel address, so two frames can share a buffer.
    void sharePixelsWith(Frame& other) { shared_.store(&other); }
    // The address GetPixels hands out when nothing is injected.
    void* pixels() const;

    FrameLayout& layout() { return *layout_; }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    TESTHOST_RESERVED(3)
    int32_t GetWidth() override;
    int32_t GetHeight() override;
    TESTHOST_RESERVED(6)
    TESTHOST_RESERVED(7)
    int32_t GetFieldMode() override;
    int32_t GetFieldSubMode() override;
    int32_t GetLayout(IAVXFrameLayout** out) override;
    TESTHOST_RESERVED(11)
    int32_t GetFrameField() override;
    TESTHOST_RESERVED(13)
    TESTHOST_RESERVED(14)
    TESTHOST_RESERVED(15)
    uint32_t GetByteCount() override;
    void* GetPixels() override;

private:
    int32_t value(const char* op, int32_t v);

    FrameShape shape_;
    uint64_t size_ = 0;
    std::unique_ptr<uint8_t[]> heap_;
    std::optional<GuardedBuffer> guarded_;
    uint8_t* data_ = nullptr;
    uint8_t* guardStart_ = nullptr;  // the guard bytes: [guardStart_, data_) and
    uint8_t* guardEnd_ = nullptr;    // [data_ + size, guardEnd_)
    std::atomic<bool> pixelsNull_{false};
    std::atomic<Frame*> shared_{nullptr};
    std::unique_ptr<FrameLayout> layout_;
};

}  // namespace testhost
