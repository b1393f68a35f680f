#include "testhost/frames.h"

#include <cstring>
#include <stdexcept>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/journal.h"

namespace testhost {

namespace {

constexpr size_t kGuardBytes = 64;
constexpr uint8_t kGuardByte = 0xA5;

}  // namespace

uint32_t derivedPixelBytes(int32_t depth, int32_t layout) {
    int index;
    switch (depth) {
        case 1:
            index = 0;
            break;  // 8bit
        case 3:
            index = 1;
            break;  // 2.14
        case 6:
            index = 2;
            break;  // float
        default:
            return 0;
    }
    static constexpr uint32_t kFour[] = {4, 8, 16}, kPair[] = {2, 4, 8}, kThree[] = {3, 6, 12};
    switch (layout) {
        case 3:
        case 4:
        case 5:
        case 6:
            return kFour[index];
        case 1:
        case 2:
            return kPair[index];
        case 9:
        case 10:
            return kThree[index];
        default:
            return 0;
    }
}

// ---- FrameLayout ----

FrameLayout::FrameLayout(Census& census, Journal& journal, const Frame& frame, std::string name)
    : Counted(census, journal, "layout", std::move(name)), frame_(frame) {}

int32_t FrameLayout::QueryInterface(const GUID& iid, void** out) {
    // The layout interface has no id of its own that the module asks for.
    return answer(iid, out, {{iid::IACFUnknown, static_cast<IAVXFrameLayout*>(this)}});
}

int32_t FrameLayout::code(const char* op, int32_t value) {
    journal().enter(op, describe(), "", Result::Value);
    return value;
}

int32_t FrameLayout::GetColourSpace() { return code("GetColourSpace", frame_.shape().colourSpace); }
int32_t FrameLayout::GetDepthCode() { return code("GetDepthCode", frame_.shape().depth); }
int32_t FrameLayout::GetLayoutCode() { return code("GetLayoutCode", frame_.shape().layout); }
int32_t FrameLayout::GetRangeCode() { return code("GetRangeCode", frame_.shape().range); }

uint32_t FrameLayout::GetBytesPerPixel(int32_t plane) {
    journal().enter("GetBytesPerPixel", describe(), "plane " + std::to_string(plane),
                    Result::Value);
    return plane == 0 ? frame_.shape().pixelBytes : 0;
}

// ---- Frame ----

Frame::Frame(Census& census, Journal& journal, const FrameShape& shape, std::string name)
    : Counted(census, journal, "frame", name), shape_(shape) {
    if (shape_.pixelBytes == 0) shape_.pixelBytes = derivedPixelBytes(shape_.depth, shape_.layout);
    if (shape_.pixelBytes == 0)
        throw std::logic_error("frame '" + name + "': give pixelBytes for depth " +
                               std::to_string(shape_.depth) + " in layout " +
                               std::to_string(shape_.layout));
    size_ = uint64_t{shape_.width} * shape_.height * shape_.pixelBytes;

    switch (shape_.placement) {
        case Placement::None:
            break;
        case Placement::GuardPage:
            guarded_.emplace(static_cast<size_t>(size_));
            data_ = guarded_->data();
            // The page after the end faults; the bytes before the start are guard bytes.
            guardStart_ = guarded_->front();
            guardEnd_ = data_ + size_;
            std::memset(guardStart_, kGuardByte, static_cast<size_t>(data_ - guardStart_));
            break;
        case Placement::Aligned16:
        case Placement::Unaligned: {
            // Guard bytes, slack for the alignment, pixels, guard bytes.
            const size_t total = kGuardBytes + 16 + 4 + static_cast<size_t>(size_) + kGuardBytes;
            heap_.reset(new uint8_t[total]);
            std::memset(heap_.get(), kGuardByte, total);
            auto start = reinterpret_cast<uintptr_t>(heap_.get()) + kGuardBytes;
            start = (start + 15) & ~uintptr_t{15};
            if (shape_.placement == Placement::Unaligned) start += 4;
            data_ = reinterpret_cast<uint8_t*>(start);
            guardStart_ = heap_.get();
            guardEnd_ = heap_.get() + total;
            break;
        }
    }
    if (data_) std::memset(data_, 0, static_cast<size_t>(size_));
    layout_ = std::make_unique<FrameLayout>(census, journal, *this, std::move(name));
}

Frame::~Frame() = default;

void Frame::fill(uint8_t value) {
    if (data_) std::memset(data_, value, static_cast<size_t>(size_));
}

bool Frame::guardsIntact() const {
    if (!data_) return true;
    for (const uint8_t* p = guardStart_; p < data_; ++p)
        if (*p != kGuardByte) return false;
    for (const uint8_t* p = data_ + size_; p < guardEnd_; ++p)
        if (*p != kGuardByte) return false;
    return true;
}

void* Frame::pixels() const {
    const Frame* from = shared_.load();
    return from ? from->data_ : data_;
}

int32_t Frame::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IAVXFrameBuffer, static_cast<IAVXFrameBuffer*>(this)}});
}

int32_t Frame::value(const char* op, int32_t v) {
    journal().enter(op, describe(), "", Result::Value);
    return v;
}

int32_t Frame::GetWidth() { return value("GetWidth", static_cast<int32_t>(shape_.width)); }
int32_t Frame::GetHeight() { return value("GetHeight", static_cast<int32_t>(shape_.height)); }
int32_t Frame::GetFieldMode() { return value("GetFieldMode", shape_.fieldMode); }
int32_t Frame::GetFieldSubMode() { return value("GetFieldSubMode", shape_.fieldSubMode); }
int32_t Frame::GetFrameField() { return value("GetFrameField", shape_.frameField); }

int32_t Frame::GetLayout(IAVXFrameLayout** out) {
    const Verdict v = journal().enter("GetLayout", describe(), "", Result::StatusOut);
    if (!out) return status::kInvalidArgument;
    *out = nullptr;
    if (v.failed()) return v.status;
    if (v.nulled()) return status::kOk;
    layout_->addRef();
    *out = layout_.get();
    return status::kOk;
}

uint32_t Frame::GetByteCount() {
    journal().enter("GetByteCount", describe(), "", Result::Value);
    if (shape_.byteCountOverride) return *shape_.byteCountOverride;
    return size_ > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(size_);
}

void* Frame::GetPixels() {
    const Verdict v = journal().enter("GetPixels", describe(), "", Result::Pointer);
    if (v.nulled() || pixelsNull_.load()) return nullptr;
    return pixels();
}

}  // namespace testhost
