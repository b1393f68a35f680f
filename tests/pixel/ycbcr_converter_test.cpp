// The YCbCr converters against a scalar reading of the stored formats written here.
#include "pixel/ycbcr_converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "samples.h"

namespace {

using namespace ycbcr422;
constexpr auto k8 = PixelDepth::Bits8, k214 = PixelDepth::Fixed2_14, k32 = PixelDepth::Float32;
constexpr auto kVideo = ValueRange::Video, kFull = ValueRange::Full;
constexpr auto kYFirst = PixelLayout::YCbYCr_NoA, kCFirst = PixelLayout::CbYCrY_NoA;

struct Format {
    PixelDepth depth;
    ValueRange range;
    PixelLayout layout;
    Channel at(int sample) const { return channelAt(sample, layout == kYFirst); }
    int sampleBytes() const { return depth == k8 ? 1 : depth == k214 ? 2 : 4; }
    int groupBytes() const { return 16 * sampleBytes(); }
    double get(const uint8_t* p, int i) const { return samples::read(p, i, sampleBytes()); }
    // The working value of a stored code.
    double decode(Channel ch, double code) const {
        if (depth == k214) return code / 16384.0;
        if (depth != k8) return code;
        if (ch == Cb || ch == Cr) return (code - 128.0) / 224.0;
        return range == kVideo ? (code - 16.0) / 219.0 : code / 255.0;
    }
    double blackCode(Channel ch) const {
        if (depth != k8) return 0;
        return ch == Cb || ch == Cr ? 128 : range == kVideo ? 16 : 0;
    }
};

F4& member(xmmPixelYCbCr_mtx& c, Channel ch) {
    F4* m[4] = {&c.cb, &c.y0, &c.cr, &c.y1};
    return *m[ch];
}
float lane(F4 v, int k) {
    alignas(16) float f[4];
    _mm_store_ps(f, v.v);
    return f[k];
}
std::unique_ptr<xmmPixelYCbCr_mtx> make(const Format& f) {
    return makePixelConverter(f.depth, f.range, f.layout, ycbcr422PixelBytes(f.depth));
}

// Room for a few groups of any depth, 16-byte aligned, with guard bytes after them.
struct Buffer {
    alignas(16) uint8_t bytes[6 * 64 + 32];
    Buffer() { std::memset(bytes, 0xA5, sizeof bytes); }
    bool guardIntact(size_t from) const {
        for (size_t i = from; i < sizeof bytes; ++i)
            if (bytes[i] != 0xA5) return false;
        return true;
    }
};

TEST(YCbCrConverter, EveryCodeLoadsToTheModelAndStoresBack) {
    const Format formats[] = {{k8, kVideo, kYFirst},  {k8, kFull, kCFirst},   {k8, kVideo, kCFirst},
                              {k214, kFull, kYFirst}, {k214, kFull, kCFirst}, {k32, kFull, kYFirst},
                              {k32, kFull, kCFirst}};
    for (const Format& f : formats) {
        auto c = make(f);
        const int lo = f.depth == k214 ? -32768 : -128 * (f.depth == k32),
                  count = f.depth == k214 ? 65536 : 256;
        // A different code in every sample; each sample position runs through its share.
        for (int first = 0; first < count; first += f.depth == k214 ? 16 : 1) {
            Buffer in, out, raw;
            for (int i = 0; i < 16; ++i) {
                const int code = lo + (first + 17 * i) % count;
                samples::write(in.bytes, i, f.sampleBytes(), f.depth == k32 ? code / 64.0 : code);
            }
            c->load(in.bytes);
            for (int i = 0; i < 16; ++i) {
                const double expected = f.decode(f.at(i), f.get(in.bytes, i));
                // Within the processor's reciprocal estimate, which the format allows.
                ASSERT_NEAR(lane(member(*c, f.at(i)), i / 4), expected, 4e-4 * std::abs(expected))
                    << "depth " << int(f.depth) << " sample " << i << " code "
                    << f.get(in.bytes, i);
            }
            c->store(out.bytes);
            ASSERT_EQ(std::memcmp(out.bytes, in.bytes, f.groupBytes()), 0) << int(f.depth);
            ASSERT_TRUE(out.guardIntact(f.groupBytes()));
            // The two steps store stands for, by hand: the same bytes.
            c->toStorageOrder();
            c->storeRaw(raw.bytes);
            ASSERT_EQ(std::memcmp(raw.bytes, in.bytes, f.groupBytes()), 0) << int(f.depth);
        }
    }
}

TEST(YCbCrConverter, StoresRoundTruncateAndClampOverBlack) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
    // One sample set; the other samples of the group stay black.
    struct Case {
        Format f;
        Channel ch;
        double value, code;
    };
    const Case cases[] = {
        // 8-bit rounds to nearest, ties to even: 4/256 and 12/256 scale to 131.5 and 138.5.
        {{k8, kFull, kCFirst}, Cb, 4.0 / 256, 132},
        {{k8, kFull, kCFirst}, Cr, 12.0 / 256, 138},
        {{k8, kFull, kCFirst}, Y0, 2.7 / 255, 3},
        {{k8, kFull, kCFirst}, Cb, -131.0 / 224, 0},
        {{k8, kFull, kCFirst}, Cb, 172.0 / 224, 255},
        {{k8, kVideo, kYFirst}, Y1, 1.0, 235},
        {{k8, kVideo, kYFirst}, Y1, 1e30, 255},
        {{k8, kVideo, kYFirst}, Y0, inf, 255},
        {{k8, kVideo, kYFirst}, Cr, -inf, 0},
        {{k8, kVideo, kYFirst}, Y0, nan, 0},
        // 2.14 truncates toward zero.
        {{k214, kFull, kCFirst}, Y0, 2.0, 32767},
        {{k214, kFull, kCFirst}, Y1, 16383.9 / 16384, 16383},
        {{k214, kFull, kCFirst}, Cb, -0.9 / 16384, 0},
        {{k214, kFull, kCFirst}, Cr, -1.9 / 16384, -1},
        {{k214, kFull, kYFirst}, Cr, -2.5, -32768},
        {{k214, kFull, kYFirst}, Y0, inf, 32767},
        {{k214, kFull, kYFirst}, Y0, -inf, -32768},
        {{k214, kFull, kYFirst}, Cb, nan, -32768},
        // Float is written as it is.
        {{k32, kFull, kCFirst}, Y0, 1.5, 1.5},
        {{k32, kFull, kCFirst}, Cr, -0.7, -0.7},
        {{k32, kFull, kYFirst}, Cb, -inf, -inf},
    };
    for (const Case& t : cases) {
        auto c = make(t.f);
        member(*c, t.ch) = F4::all(static_cast<float>(t.value));
        // Through the saved group, as the black background is painted.
        c->storeSaved();
        Buffer out;
        c->copySaved(out.bytes);
        c->finish();
        for (int i = 0; i < 16; ++i) {
            const double expected = t.f.at(i) == t.ch ? t.code : t.f.blackCode(t.f.at(i));
            EXPECT_EQ(t.f.get(out.bytes, i), static_cast<float>(expected))
                << "depth " << int(t.f.depth) << " value " << t.value << " sample " << i;
        }
        EXPECT_TRUE(out.guardIntact(t.f.groupBytes()));
    }
}

TEST(YCbCrConverter, UnalignedFloatFramesGiveTheAlignedBytes) {
    const float special[] = {0.25f,     -0.7f,      1.5f,   std::numeric_limits<float>::quiet_NaN(),
                             HUGE_VALF, -HUGE_VALF, 1e-40f, -0.0f};
    for (const size_t from : {0, 4, 8, 12})
        for (const size_t to : {0, 4, 12}) {
            Buffer in, out;
            const int groups = 5;
            for (int i = 0; i < groups * 16; ++i)
                std::memcpy(in.bytes + from + 4 * i, &special[(i * 3) % 8], 4);
            auto c = make({k32, kFull, kYFirst});
            for (int g = 0; g < groups; ++g) {
                c->load(in.bytes + from + 64 * g);
                // The last group goes out unchanged through the saved copy.
                if (g + 1 < groups)
                    c->store(out.bytes + to + 64 * g);
                else
                    c->copySaved(out.bytes + to + 64 * g);
            }
            c->finish();
            EXPECT_EQ(std::memcmp(in.bytes + from, out.bytes + to, 64 * groups), 0)
                << "source +" << from << ", destination +" << to;
            EXPECT_TRUE(out.guardIntact(to + 64 * groups));
        }
}

}  // namespace
