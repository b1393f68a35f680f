#include "pixel/simd_path.h"

#include <cpuid.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// XCR0, the register of the state components the operating system saves and restores.
uint64_t extendedControlRegister0() {
    uint32_t lo, hi;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    return (uint64_t{hi} << 32) | lo;
}

// Made before any loop can run, while the module loads.
const SimdPath kChosen = chooseSimdPath(processorRunsAvx2(), std::getenv("CORVANE_SIMD"));

}  // namespace

bool processorRunsAvx2() {
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const bool osSaves = (c & bit_OSXSAVE) != 0 && (c & bit_AVX) != 0;
    // XGETBV is only there with OSXSAVE; bits 1 and 2: the XMM and YMM state.
    if (!osSaves || (extendedControlRegister0() & 0x6) != 0x6) return false;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    return (b & bit_AVX2) != 0;
}

SimdPath chooseSimdPath(bool avx2Runs, const char* environment) {
    if (environment != nullptr && std::strcmp(environment, "sse4.1") == 0) return SimdPath::Sse41;
    return avx2Runs ? SimdPath::Avx2 : SimdPath::Sse41;
}

SimdPath chosenSimdPath() { return kChosen; }

const char* simdPathName(SimdPath path) { return path == SimdPath::Avx2 ? "avx2" : "sse4.1"; }
