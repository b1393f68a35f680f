// Says, once per test program that runs tests, which width of pixel loops the process runs:
// the module chooses at load from the same processor and the same environment.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "pixel/simd_path.h"

namespace simd_report {

class Report : public ::testing::Environment {
public:
    void SetUp() override {
        const char* forced = std::getenv("CORVANE_SIMD");
        std::printf(
            "pixel loops of this process: %s (processor %s AVX2, %s AVX-512, "
            "CORVANE_SIMD %s)\n",
            simdPathName(chosenSimdPath()), processorRunsAvx2() ? "runs" : "lacks",
            processorRuns(SimdPath::Avx512) ? "runs" : "lacks", forced ? forced : "unset");
    }
};

inline const bool kRegistered = (::testing::AddGlobalTestEnvironment(new Report), true);

}  // namespace simd_report
