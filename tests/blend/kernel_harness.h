// Drives the blend kernels directly on plain buffers: stored samples in, stored samples out,
// with a scalar double-precision reading of the stored formats for the expectations.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "blend/blend_settings.h"
#include "blend/kernel_context.h"
#include "samples.h"
#include "simd_path_report.h"

namespace kernel_test {

using Rgba = std::array<double, 4>;

struct Format {
    PixelDepth depth;
    PixelLayout layout;
    ValueRange range;
    const char* name;
};

inline const Format kFormats[] = {
    {PixelDepth::Bits8, PixelLayout::BGRA, ValueRange::Full, "8bit-BGRA-full"},
    {PixelDepth::Bits8, PixelLayout::ARGB, ValueRange::Video, "8bit-ARGB-video"},
    {PixelDepth::Bits8, PixelLayout::RGBA, ValueRange::Full, "8bit-RGBA-full"},
    {PixelDepth::Fixed2_14, PixelLayout::BGRA, ValueRange::Full, "2_14-BGRA"},
    {PixelDepth::Fixed2_14, PixelLayout::ARGB, ValueRange::Full, "2_14-ARGB"},
    {PixelDepth::Fixed2_14, PixelLayout::RGBA, ValueRange::Video, "2_14-RGBA-video"},
    {PixelDepth::Float32, PixelLayout::BGRA, ValueRange::Full, "float-BGRA"},
    {PixelDepth::Float32, PixelLayout::ARGB, ValueRange::Full, "float-ARGB"},
    {PixelDepth::Float32, PixelLayout::RGBA, ValueRange::Video, "float-RGBA-video"},
};

inline uint32_t pixelBytes(PixelDepth d) {
    return d == PixelDepth::Bits8 ? 4 : d == PixelDepth::Fixed2_14 ? 8 : 16;
}

// Index of channel c (0 R, 1 G, 2 B, 3 A) inside a stored pixel, written out per layout.
inline int slot(PixelLayout layout, int c) {
    static const int argb[4] = {1, 2, 3, 0}, rgba[4] = {0, 1, 2, 3}, bgra[4] = {2, 1, 0, 3};
    return layout == PixelLayout::ARGB ? argb[c] : layout == PixelLayout::RGBA ? rgba[c] : bgra[c];
}

inline bool video8(const Format& f) {
    return f.depth == PixelDepth::Bits8 && f.range == ValueRange::Video;
}

// A frame of stored samples, with canary bytes before its start and after its end.
class Frame {
public:
    static constexpr size_t kCanary = 64;

    // Starts on a 64-byte boundary (plus `misalign`) so that float frames stream on every path.
    Frame(const Format& f, size_t pixels, size_t misalign = 0)
        : format_(f),
          pixels_(pixels),
          misalign_(misalign),
          bytes_(pixels * pixelBytes(f.depth) + 2 * kCanary + 64 + misalign, 0xA5) {
        const auto base = reinterpret_cast<uintptr_t>(bytes_.data()) + kCanary;
        start_ = kCanary + (64 - base % 64) % 64 + misalign;
    }

    uint8_t* data() { return bytes_.data() + start_; }
    const uint8_t* data() const { return bytes_.data() + start_; }
    size_t byteCount() const { return pixels_ * pixelBytes(format_.depth); }
    size_t pixels() const { return pixels_; }
    // Every byte, canaries included.
    const std::vector<uint8_t>& all() const { return bytes_; }

    // Channel c of pixel i as its stored value (a code, or the float itself).
    double stored(size_t i, int c) const {
        return samples::read(data(), index(i, c), sampleBytes());
    }
    void setStored(size_t i, int c, double v) {
        samples::write(data(), index(i, c), sampleBytes(), v);
    }
    // Stores pixel i as the working values at(i) gives: R G B, then the alpha.
    template <class PixelAt>
    void paint(PixelAt&& at) {
        for (size_t i = 0; i < pixels_; ++i) {
            const Rgba v = at(i);
            for (int c = 0; c < 4; ++c) setStored(i, c, store(v[c], c == 3));
        }
    }

    // The working value of a stored colour code: (stored - offset) * (1 / scale) in floats.
    double working(double stored) const {
        if (format_.depth == PixelDepth::Float32) return stored;
        if (format_.depth == PixelDepth::Fixed2_14) return float(stored) * (1.0f / 16384.0f);
        return video8(format_) ? float(stored - 16) * (1.0f / 219.0f)
                               : float(stored) * (1.0f / 255.0f);
    }
    // Pixel i in working form, R G B A; the alpha has no offset, also at video levels.
    std::array<double, 4> pixel(size_t i) const {
        return {working(stored(i, 0)), working(stored(i, 1)), working(stored(i, 2)),
                stored(i, 3) / store(1.0, true)};
    }
    // The stored value of v: nearest with ties to even at 8 bits, toward zero at 2.14.
    double store(double v, bool alpha = false) const {
        if (format_.depth == PixelDepth::Float32) return v;
        if (format_.depth == PixelDepth::Fixed2_14)
            return std::fmin(32767, std::fmax(-32768, std::trunc(v * 16384)));
        const bool video = !alpha && video8(format_);
        const double x = v * (video ? 219 : 255) + (video ? 16 : 0);
        return std::fmin(255, std::fmax(0, std::nearbyint(x)));
    }
    // Allowed distance between a kernel's stored result and the model's.
    double tolerance(double expected) const {
        if (format_.depth == PixelDepth::Bits8) return 1.0;
        if (format_.depth == PixelDepth::Fixed2_14) return 2.0;
        return 1e-3 * std::fmax(1.0, std::fabs(expected));
    }

    bool canariesIntact() const {
        for (size_t i = 0; i < bytes_.size(); ++i)
            if ((i < start_ || i >= start_ + byteCount()) && bytes_[i] != 0xA5) return false;
        return true;
    }
    // A frame of the same format, size and alignment, canaries only.
    Frame blank() const { return Frame(format_, pixels_, misalign_); }
    bool bytesEqual(const Frame& other) const {
        return byteCount() == other.byteCount() &&
               std::memcmp(data(), other.data(), byteCount()) == 0;
    }

private:
    int sampleBytes() const { return static_cast<int>(pixelBytes(format_.depth) / 4); }
    size_t index(size_t i, int c) const { return 4 * i + slot(format_.layout, c); }

    Format format_;
    size_t pixels_;
    size_t misalign_;
    std::vector<uint8_t> bytes_;
    size_t start_;
};

// The frames a kernel reads, of one format, size and alignment.
struct Inputs {
    Frame bg, fg, matte;
    Inputs(const Format& f, size_t pixels, size_t misalign = 0)
        : bg(f, pixels, misalign), fg(f, pixels, misalign), matte(f, pixels, misalign) {}
};

// A colour clamped to the legal bounds, or without the clamp to [-2, just below 2], where
// 2.14 stores 32766 at most.
inline double clampColour(double v, bool legal) {
    return std::clamp(v, legal ? 0.0 : -2.0,
                      legal ? 1.0 : double(std::bit_cast<float>(0x3FFFFDF8u)));
}

inline BlendSettings settingsFor(const Format& f, size_t pixels, int mode) {
    BlendSettings s;
    s.frame.depth = f.depth;
    s.frame.layout = f.layout;
    s.frame.range = f.range;
    s.frame.pixelBytes = pixelBytes(f.depth);
    s.frame.width = static_cast<uint32_t>(pixels);
    s.frame.height = 1;
    s.frame.frameBytes = pixels * pixelBytes(f.depth);
    s.mode = mode;
    return s;
}

// Runs the kernel of `settings.mode` as the frame processor does, on the process's path or `path`.
inline void runKernel(BlendSettings& settings, const uint8_t* bg, const uint8_t* fg, uint8_t* out,
                      SimdPath path = chosenSimdPath()) {
    KernelContext context = makeKernelContext(settings);
    context.simd = path;
    kBlendKernels[settings.mode - 1](&context, bg, fg, out);
}

// The same on frames, checking that no input changed and nothing was written just outside the
// output; on a wider path the four-lane loops must write the same bytes.
inline void run(BlendSettings& settings, const Frame* bg, const Frame* fg, Frame& out,
                const Frame* matte = nullptr) {
    const Frame* inputs[] = {bg, fg, matte};
    std::vector<uint8_t> before[3];
    for (int i = 0; i < 3; ++i)
        if (inputs[i]) before[i] = inputs[i]->all();
    if (matte) settings.matteData = matte->data();
    runKernel(settings, bg ? bg->data() : nullptr, fg ? fg->data() : nullptr, out.data());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(!inputs[i] || inputs[i]->all() == before[i]) << "input " << i << " written";
    EXPECT_TRUE(out.canariesIntact()) << "a write just outside the output";
    if (blendLanes(chosenSimdPath()) > 4) {
        Frame narrow = out.blank();
        runKernel(settings, bg ? bg->data() : nullptr, fg ? fg->data() : nullptr, narrow.data(),
                  SimdPath::Sse41);
        EXPECT_TRUE(out.bytesEqual(narrow))
            << blendLanes(chosenSimdPath()) << " lanes wrote other bytes than four";
    }
}

}  // namespace kernel_test
