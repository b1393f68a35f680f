// False colour against the model: the band at and around every threshold, below black, past
// 110 %, NaN and infinities, a pair's first pixel in every mode, and the gamma.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "false_colour_model.h"
#include "pixel/ycbcr_converter.h"
#include "scope/false_colour_map.h"

namespace {

constexpr auto kFull = ValueRange::Full;

using namespace false_colour_model;

// Every mode once; no palette of the scope uses mode 1.
const Bands kEveryMode = {kHeader,
                          {0.25, 0.1, 0.2, -0.2, 0},
                          {0.5, 0.3, 0.25, -0.25, 1},
                          {0.75, 0.6, -0.3, 0.3, 2},
                          {2.0, 0.9, 0.35, 0.1, 3}};

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
    for (const int32_t value : {0, 1, 2, 3, 4, 5, 6, -1, 1000, INT32_MIN, 99}) {
        const Bands* model = value == 99 ? &kEveryMode : &bandsOf(value);  // 99: built directly
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
