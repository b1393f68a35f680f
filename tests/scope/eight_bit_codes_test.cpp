// The 8-bit legal map and false colour by the code tables on both widths, and through the
// floats, against the model over every pair of luma codes and every chroma code; the table
// walk's statistics are the float walk's, bit for bit.
#include "scope/eight_bit_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "false_colour_model.h"
#include "pixel/simd_path.h"
#include "pixel/ycbcr_converter.h"
#include "scope/main_pass.h"

namespace {

struct Levels {
    float offset, scale;
};

// The working value of a stored code, and the code a working value is stored as (ties to
// even, clamped), in single precision as the converters define them.
float lumaOf(int code, Levels l) { return (float(code) - l.offset) * (1.0f / l.scale); }
float chromaOf(int code) { return (float(code) - 128.0f) * (1.0f / 224.0f); }
uint8_t stored(float value, float scale, float offset) {
    const double c = std::nearbyint(double(value * scale)) + offset;
    return static_cast<uint8_t>(std::clamp(c, 0.0, 255.0));
}

// One stored pair {Cb, Y0, Cr, Y1} as the model maps it.
using Codes = std::array<uint8_t, 4>;
using Walked = std::pair<std::vector<uint8_t>, ScopeStatistics>;  // output and statistics
Codes legalModel(const Codes& in, Levels l) {
    const auto luma = [&](uint8_t c) {
        const float y = lumaOf(c, l);
        return stored(y > 1.0f ? 0.9f : y >= 0.0f ? 0.3f : 0.0f, l.scale, l.offset);
    };
    const auto chroma = [](uint8_t c) {
        const float v = chromaOf(c);
        return stored(v < -0.375f ? -0.375f : v > 0.375f ? 0.375f : 0.0f, 224.0f, 128.0f);
    };
    return {chroma(in[0]), luma(in[1]), chroma(in[2]), luma(in[3])};
}
Codes falseColourModel(const Codes& in, Levels l, const false_colour_model::Bands& bands) {
    const false_colour_model::Pair p = false_colour_model::modelMap(
        bands, {chromaOf(in[0]), lumaOf(in[1], l), chromaOf(in[2]), lumaOf(in[3], l)});
    return {stored(float(p.cb), 224.0f, 128.0f), stored(float(p.y0), l.scale, l.offset),
            stored(float(p.cr), 224.0f, 128.0f), stored(float(p.y1), l.scale, l.offset)};
}

}  // namespace

TEST(EightBitCodes, EveryLumaPairAndChromaCodeAsTheModelOnBothWidths) {
    // Pair p holds the luma codes p / 256 and p % 256; its chroma runs through every code. An
    // odd count of groups leaves the last to the four-lane walk after the eight-lane one.
    constexpr uint64_t kPairs = 65536 + 4, kGroups = kPairs / 4;
    std::vector<Codes> pairs(kPairs);
    for (uint64_t p = 0; p < kPairs; ++p)
        pairs[p] = {uint8_t(p * 37 + p / 256), uint8_t(p / 256), uint8_t(p * 101 + 7), uint8_t(p)};
    struct Case {
        MainPassMode mode;
        int32_t palette;
        float gamma;
    };
    std::vector<Case> cases = {{MainPassMode::LegalMap, 0, 1.0f}};
    for (int32_t palette : {0, 1, 2, 3, 4})
        cases.push_back({MainPassMode::FalseColour, palette, 1.0f});
    for (float gamma : {11.0f, 0.75f, 0.0002f})
        cases.push_back({MainPassMode::FalseColour, 0, gamma});
    for (PixelLayout layout : {PixelLayout::YCbYCr_NoA, PixelLayout::CbYCrY_NoA})
        for (ValueRange range : {ValueRange::Video, ValueRange::Full})
            for (const Case& t : cases) {
                SCOPED_TRACE(::testing::Message()
                             << "layout " << int(layout) << " range " << int(range) << " mode "
                             << int(t.mode) << " palette " << t.palette << " gamma " << t.gamma);
                const bool lumaFirst = layout == PixelLayout::YCbYCr_NoA;
                const Levels levels = range == ValueRange::Video ? Levels{16, 219} : Levels{0, 255};
                const auto storedOrder = [&](const Codes& q) {
                    return lumaFirst ? Codes{q[1], q[0], q[3], q[2]} : q;
                };
                std::vector<uint8_t> input(kPairs * 4);
                for (uint64_t p = 0; p < kPairs; ++p)
                    std::memcpy(&input[p * 4], storedOrder(pairs[p]).data(), 4);
                const auto bands =
                    false_colour_model::withGamma(false_colour_model::bandsOf(t.palette), t.gamma);

                auto converter = makePixelConverter(PixelDepth::Bits8, range, layout, 2);
                converter->falseColour.build(t.palette, t.gamma);
                const EightBitCodes codes =
                    buildEightBitCodes(*converter, t.mode == MainPassMode::LegalMap,
                                       t.mode == MainPassMode::FalseColour);
                ASSERT_TRUE(t.mode == MainPassMode::LegalMap ? !!codes.legal : !!codes.falseColour);
                const auto walk = [&](bool byCodes, SimdPath path) {
                    Walked w{std::vector<uint8_t>(input.size(), 0xEE), {}};
                    MainPassJob job{input.data(), w.first.data(), kGroups, 512, {}, t.mode};
                    if (byCodes) {
                        job.legalCodes = codes.legal.get();
                        job.falseColourCodes = codes.falseColour.get();
                    }
                    FrameFormat f;
                    f.depth = PixelDepth::Bits8, f.layout = layout, f.range = range;
                    f.pixelBytes = 2;
                    job.first = runWideMainPass(path, job, f, t.palette, t.gamma, w.second);
                    EXPECT_EQ(job.first, eightLanes(path) ? kGroups - 1 : 0);
                    GroupStatistics rest;
                    runMainPass(static_cast<xmmPixelYCbCr_8bit&>(*converter), job, rest);
                    w.second = combined(w.second, rest.result());
                    return w;
                };
                const Walked floats = walk(false, SimdPath::Sse41);
                std::vector<Walked> byCodes;
                for (SimdPath path : kEverySimdPath)
                    if (processorRuns(path)) byCodes.push_back(walk(true, path));
                const auto bounds = [](const ScopeStatistics& s) {
                    return std::array{s.yMin, s.yMax, s.cbMin, s.cbMax, s.crMin, s.crMax};
                };
                for (const Walked& w : byCodes)  // the same floats, bit for bit
                    EXPECT_EQ(std::memcmp(bounds(w.second).data(), bounds(floats.second).data(),
                                          6 * sizeof(float)),
                              0);
                byCodes.push_back(floats);  // today's walk answers to the same model
                for (uint64_t p = 0; p < kPairs; ++p) {
                    const Codes expected =
                        storedOrder(t.mode == MainPassMode::LegalMap
                                        ? legalModel(pairs[p], levels)
                                        : falseColourModel(pairs[p], levels, bands));
                    for (size_t i = 0; i < byCodes.size(); ++i)
                        ASSERT_EQ(std::memcmp(&byCodes[i].first[p * 4], expected.data(), 4), 0)
                            << "walk " << i << " pair " << p;
                }
            }
}
