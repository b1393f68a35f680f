// The choice of the pixel loops' width.
#include "pixel/simd_path.h"

#include <gtest/gtest.h>

namespace {

TEST(SimdPath, TheEnvironmentOnlyNarrowsTheChoice) {
    struct Case {
        SimdSupport support;
        const char* environment;
        SimdPath expected;
    };
    constexpr SimdSupport kAll{true, true}, kAvx2{true, false}, kNone{false, false};
    const Case cases[] = {
        {kAll, nullptr, SimdPath::Avx512vl},   {kAvx2, nullptr, SimdPath::Avx2},
        {kNone, nullptr, SimdPath::Sse41},     {kAll, "sse4.1", SimdPath::Sse41},
        {kAvx2, "sse4.1", SimdPath::Sse41},    {kAll, "avx2", SimdPath::Avx2},
        {kNone, "avx2", SimdPath::Sse41},      {kAll, "avx512vl", SimdPath::Avx512vl},
        {kAvx2, "avx512vl", SimdPath::Avx2},   {kAll, "", SimdPath::Avx512vl},
        {kAll, "sse4.10", SimdPath::Avx512vl}, {kAll, "AVX2", SimdPath::Avx512vl},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseSimdPath(c.support, c.environment), c.expected)
            << c.support.hasAvx2 << c.support.hasAvx512vl << " "
            << (c.environment ? c.environment : "(unset)");
}

}  // namespace
