// The choice of the pixel loops' width, and the eight-lane reciprocal estimate against the
// four-lane one on this processor.
#include "pixel/simd_path.h"

#include <gtest/gtest.h>
#include <smmintrin.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

namespace avx2 {
// vrcpps on eight lanes at a time (reciprocal_avx2.cpp); n a multiple of 8.
void estimateReciprocals(const float* x, float* r, size_t n);
}  // namespace avx2

namespace {

TEST(SimdPath, TheEnvironmentOnlyNarrowsTheChoice) {
    struct Case {
        SimdSupport support;
        const char* environment;
        SimdPath expected;
    };
    constexpr SimdSupport kAll{true, true}, kAvx2{true, false}, kNone{false, false};
    const Case cases[] = {
        {kAll, nullptr, SimdPath::Avx512},   {kAvx2, nullptr, SimdPath::Avx2},
        {kNone, nullptr, SimdPath::Sse41},   {kAll, "sse4.1", SimdPath::Sse41},
        {kAvx2, "sse4.1", SimdPath::Sse41},  {kAll, "avx2", SimdPath::Avx2},
        {kNone, "avx2", SimdPath::Sse41},    {kAll, "avx512", SimdPath::Avx512},
        {kAvx2, "avx512", SimdPath::Avx2},   {kAll, "", SimdPath::Avx512},
        {kAll, "sse4.10", SimdPath::Avx512}, {kAll, "AVX2", SimdPath::Avx512},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseSimdPath(c.support, c.environment), c.expected)
            << c.support.hasAvx2 << c.support.hasAvx512 << " "
            << (c.environment ? c.environment : "(unset)");
}

// Every float of the binade [1, 2), each sign, and a spread of exponents and specials: the
// estimate depends on the leading bits of the mantissa and on the exponent, so together these
// meet every table entry of it in every lane position.
std::vector<float> reciprocalInputs() {
    std::vector<float> x;
    for (uint32_t m = 0; m < (1u << 23); ++m) x.push_back(std::bit_cast<float>(0x3F800000u | m));
    for (uint32_t e = 0; e < 256; ++e)
        for (uint32_t m : {0u, 1u, 0x2AAAAAu, 0x400000u, 0x7FFFFFu})
            for (uint32_t sign : {0u, 0x80000000u})
                x.push_back(std::bit_cast<float>(sign | e << 23 | m));
    while (x.size() % 8 != 0) x.push_back(std::numeric_limits<float>::quiet_NaN());
    return x;
}

TEST(ReciprocalEstimate, EightLanesGiveTheFourLaneEstimate) {
    if (!processorRunsAvx2()) GTEST_SKIP() << "this processor has no AVX2: one path only";
    const std::vector<float> x = reciprocalInputs();
    std::vector<float> wide(x.size());
    avx2::estimateReciprocals(x.data(), wide.data(), x.size());
    size_t differ = 0;
    for (size_t i = 0; i < x.size(); i += 4) {
        alignas(16) float narrow[4];
        _mm_store_ps(narrow, _mm_rcp_ps(_mm_loadu_ps(&x[i])));
        for (size_t j = 0; j < 4; ++j)
            if (std::bit_cast<uint32_t>(narrow[j]) != std::bit_cast<uint32_t>(wide[i + j]) &&
                differ++ < 5)
                ADD_FAILURE() << "rcp of " << x[i + j] << " (lane " << (i + j) % 8
                              << "): four lanes " << narrow[j] << ", eight lanes " << wide[i + j];
    }
    EXPECT_EQ(differ, 0u)
        << "on this processor the eight-lane estimate is not the four-lane one: the two paths "
           "differ where a formula divides by it, each within its tolerance";
}

}  // namespace
