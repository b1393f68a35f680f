// The lane type's corner cases that the pixel code relies on: the NaN rule of min and max,
// and the reciprocal at its edges.
#include "pixel/f4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

float lane0(F4 x) { return _mm_cvtss_f32(x.v); }

TEST(F4, MinAndMaxGiveTheSecondOperandForNaN) {
    const F4 nan = F4::all(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(lane0(max(nan, F4::zero())), 0.0f);
    EXPECT_EQ(lane0(min(nan, F4::all(1.0f))), 1.0f);
    EXPECT_EQ(lane0(clamp(nan, F4::all(-2.0f), F4::all(2.0f))), -2.0f);
    EXPECT_TRUE(std::isnan(lane0(max(F4::zero(), nan))));
}

TEST(F4, ReciprocalAcrossItsRange) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float x;
        float expected;  // 0 here means: within 1e-6 relative of 1 / x
    };
    const Case
        cases[] =
            {
                {1.0f, 0},     {3.0f, 0},     {0.5f, 0},       {-7.25f, 0},
                {1e30f, 0},    {1e-30f, 0},   {0.0f, inf},     {-0.0f, -inf},
                {1e-40f, inf}, {3e-39f, inf}, {-1e-40f, -inf},  // denormals: too small to invert
            };
    for (const Case& c : cases) {
        const float r = lane0(rcp(F4::all(c.x)));
        if (c.expected == 0) {
            EXPECT_NEAR(r * c.x, 1.0f, 1e-6f) << c.x;
        } else {
            EXPECT_EQ(r, c.expected) << c.x;
        }
    }
}

}  // namespace
