// False colour against a model written here from the published palettes: the band at and
// around every threshold, below black, past 110 %, NaN and infinities, the rule of a pair's
// first pixel in every mode, the palette choice, and the gamma of each converter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "pixel/ycbcr_converter.h"
#include "scope/false_colour_map.h"

namespace {

constexpr auto kFull = ValueRange::Full;

struct Band {
    double threshold, y, cb, cr;
    int mode;
};
using Bands = std::vector<Band>;  // the header (lumas below 0) first

const Band kHeader{0, 0.356, -0.086, 0.565, 0}, kTop{2.0, 0.298, -0.146, 0.613, 0};
Bands defaultBands(int m) {
    return {kHeader,
            {0.0, 0.205, 0.114, -0.122, m},
            {0.01, 0.205, 0.114, -0.122, m},
            {0.12, 0.433, 0.216, -0.373, m},
            {0.22, 0.689, 0.152, -0.301, m},
            {0.42, 0.561, -0.127, 0.155, m},
            {0.47, 0.246, 0.204, 0.286, m},
            {0.55, 0.457, 0.098, -0.401, m},
            {0.58, 0.78, -0.045, 0.193, m},
            {0.78, 0.743, -0.002, 0.005, m},
            {0.8, 0.443, -0.191, -0.006, m},
            {0.83, 0.612, -0.299, -0.276, m},
            {1.0, 0.899, -0.377, 0.089, m},
            kTop};
}
const Bands kDefault = defaultBands(0), kShaded = defaultBands(2);
const Bands kNoMap = {{0, 0.5, 0, 0, 3}, {2.0, 0.5, 0, 0, 3}};
const Bands kShadows = {kHeader,
                        {0.0, 0.593, 0.052, 0.082, 0},
                        {0.08, 0.593, 0.052, 0.082, 0},
                        {1.0, 0.9, 0, 0, 3},
                        kTop};
const Bands kHighlights = {kHeader,
                           {0.0, 0, 0, 0.005, 3},
                           {0.78, 0.5, 0, 0.005, 3},
                           {0.8, 0.443, -0.191, -0.006, 0},
                           {0.83, 0.612, -0.299, -0.276, 0},
                           {1.0, 0.899, -0.377, 0.089, 0},
                           kTop};
// Every mode once; no palette of the scope uses mode 1.
const Bands kEveryMode = {kHeader,
                          {0.25, 0.1, 0.2, -0.2, 0},
                          {0.5, 0.3, 0.25, -0.25, 1},
                          {0.75, 0.6, -0.3, 0.3, 2},
                          {2.0, 0.9, 0.35, 0.1, 3}};

// Lumas are looked up in quarter-percent steps, rounded down, and clamped at 110 %.
const Band& bandOf(const Bands& p, double luma) {
    if (!(luma >= 0.0)) return p[0];
    const double q = std::floor(std::min(luma, 1.1) * 400.0) / 400.0;
    for (size_t i = 1; i < p.size(); ++i)
        if (q <= p[i].threshold) return p[i];
    return p.back();
}

struct Pair {
    double cb, y0, cr, y1;
};
Pair modelMap(const Bands& p, Pair in) {
    const Band &a = bandOf(p, in.y0), &b = bandOf(p, in.y1);
    const auto luma = [](const Band& x) { return x.mode == 0 || x.mode == 1; };
    const auto chroma = [](const Band& x, double Band::*c) {
        return x.mode == 0 || x.mode == 2 ? x.*c : 0.0;
    };
    Pair out = in;
    if (luma(a)) out.y0 = a.y;
    if (luma(b)) out.y1 = b.y;
    if (a.mode != 3) {
        out.cb = 0.5 * (chroma(a, &Band::cb) + chroma(b, &Band::cb));
        out.cr = 0.5 * (chroma(a, &Band::cr) + chroma(b, &Band::cr));
    }
    return out;
}

// Four pairs through the converter's lookup, pair k in lane k.
void mapLanes(xmmPixelYCbCr_8bit& c, Pair (&pairs)[4]) {
    double Pair::*fields[4] = {&Pair::cb, &Pair::y0, &Pair::cr, &Pair::y1};
    F4* vectors[4] = {&c.cb, &c.y0, &c.cr, &c.y1};
    for (int f = 0; f < 4; ++f) {
        const auto lane = [&](int k) { return float(pairs[k].*fields[f]); };
        *vectors[f] = F4(_mm_setr_ps(lane(0), lane(1), lane(2), lane(3)));
    }
    mapThroughFalseColour(c);
    for (int f = 0; f < 4; ++f) {
        alignas(16) float out[4];
        _mm_store_ps(out, vectors[f]->v);
        for (int k = 0; k < 4; ++k) pairs[k].*fields[f] = out[k];
    }
}

bool same(double got, double expected) {
    return std::isnan(expected) ? std::isnan(got)
                                : got == expected || std::abs(got - expected) < 1e-6;
}

TEST(FalseColour, EveryPairOfTestLumasMapsAsTheModel) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
    Palette everyMode{int32_t(kEveryMode.size() - 1), {}, {}};
    for (size_t i = 0; i < kEveryMode.size(); ++i) {
        const Band& b = kEveryMode[i];
        (i == 0 ? everyMode.header : everyMode.records[i - 1]) = {
            float(b.threshold), float(b.y), float(b.cb), float(b.cr), BandMode(b.mode)};
    }
    const std::pair<int32_t, const Bands*> cases[] = {
        {0, &kDefault},    {1, &kNoMap},           {2, &kShadows},   {3, &kHighlights},
        {4, &kShaded},     {5, &kDefault},         {6, &kDefault},   {-1, &kDefault},
        {1000, &kDefault}, {INT32_MIN, &kDefault}, {99, &kEveryMode}};  // 99: built directly
    for (const auto& [value, model] : cases) {
        xmmPixelYCbCr_8bit c(kFull, PixelLayout::CbYCrY_NoA);
        if (value == 99)
            c.falseColour.build(everyMode, 1.0f);
        else
            c.falseColour.build(value, 1.0f);
        // Each threshold exactly (as a float), a step below and a step above it.
        std::vector<double> lumas = {-0.01, nan, -inf, inf, 1.1, 1.2};
        for (size_t i = 1; i < model->size(); ++i)
            if (const double th = float((*model)[i].threshold); th < 1.1)
                for (const double d : {0.0, -0.003, 0.003}) lumas.push_back(float(th + d));
        const size_t n = lumas.size();
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; j += 4) {
                Pair pairs[4], expected[4];
                for (size_t k = 0; k < 4; ++k) {
                    pairs[k] = {0.01 * k - 0.2, lumas[i], 0.3 - 0.02 * k, lumas[(j + k) % n]};
                    expected[k] = modelMap(*model, pairs[k]);
                }
                mapLanes(c, pairs);
                // The scalar lookup the legend uses finds the same band.
                EXPECT_EQ(c.falseColour.band(FalseColourLookup::indexOf(float(lumas[i]))).y,
                          float(bandOf(*model, float(lumas[i])).y));
                for (int k = 0; k < 4; ++k)
                    ASSERT_TRUE(
                        same(pairs[k].cb, expected[k].cb) && same(pairs[k].y0, expected[k].y0) &&
                        same(pairs[k].cr, expected[k].cr) && same(pairs[k].y1, expected[k].y1))
                        << "palette " << value << " lane " << k << " lumas " << lumas[i] << ", "
                        << lumas[(j + k) % n] << ": got " << pairs[k].y0 << " " << pairs[k].y1
                        << " " << pairs[k].cb << " " << pairs[k].cr;
            }
    }
}

TEST(FalseColour, GammaBendsOnlyItsOwnConvertersThresholds) {
    struct Case {
        double shift;
        float gamma;
        double t001, t042, t083;  // where 0.01, 0.42 and 0.83 end up
    };
    const Case cases[] = {{0, 1.0f, 0.01, 0.42, 0.83},
                          {1000, 11.0f, 0.6579, 0.9242, 0.9832},
                          {-500, 0.75f, 0.0022, 0.3145, 0.78},
                          {-999.9, 0.0002f, 0, 0, 0}};
    auto other = makePixelConverter(PixelDepth::Bits8, kFull, PixelLayout::CbYCrY_NoA, 2);
    other->falseColour.build(0, 1.0f);
    for (const Case& t : cases) {
        auto c = makePixelConverter(PixelDepth::Float32, kFull, PixelLayout::CbYCrY_NoA, 8);
        const float gamma = gammaFromShift(t.shift);
        EXPECT_NEAR(gamma, t.gamma, 1e-3 * t.gamma) << t.shift;
        c->falseColour.build(0, gamma);
        const auto& r = c->falseColour.palette().records;
        EXPECT_NEAR(r[1].threshold, t.t001, 1e-4) << t.shift;
        EXPECT_NEAR(r[4].threshold, t.t042, 1e-4) << t.shift;
        EXPECT_NEAR(r[10].threshold, t.t083, 1e-4) << t.shift;
        EXPECT_EQ(other->falseColour.palette().records[4].threshold, 0.42f);
        EXPECT_EQ(other->falseColour.band(FalseColourLookup::indexOf(0.3f)).y, 0.561f);
    }
    other->falseColour.build(0, 0.0f);  // no gamma at all
    EXPECT_EQ(other->falseColour.palette().records[1].threshold, 0.01f);
}

}  // namespace
