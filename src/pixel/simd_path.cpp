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

// Whether the operating system saves every state component in `components` (XCR0 bits).
bool osSaves(uint64_t components) {
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    // XGETBV is only there with OSXSAVE.
    if ((c & bit_OSXSAVE) == 0 || (c & bit_AVX) == 0) return false;
    return (extendedControlRegister0() & components) == components;
}

// CPUID leaf 7's feature bits in EBX, or 0.
unsigned leaf7Features() {
    unsigned a, b, c, d;
    return __get_cpuid_count(7, 0, &a, &b, &c, &d) ? b : 0;
}

// Made before any loop can run, while the module loads.
const SimdPath kChosen = chooseSimdPath(
    {processorRuns(SimdPath::Avx2), processorRuns(SimdPath::Avx512)}, std::getenv("CORVANE_SIMD"));

}  // namespace

bool processorRunsAvx2() {
    // XMM and YMM state: bits 1 and 2.
    return osSaves(0x6) && (leaf7Features() & bit_AVX2) != 0;
}

bool processorRunsAvx512() {
    // And the mask registers, the upper halves of ZMM0-15 and ZMM16-31: bits 5 to 7.
    constexpr unsigned kNeeded = bit_AVX512F | bit_AVX512VL | bit_AVX512BW | bit_AVX512DQ;
    return processorRunsAvx2() && osSaves(0xE6) && (leaf7Features() & kNeeded) == kNeeded;
}

bool processorRuns(SimdPath path) {
    switch (path) {
        case SimdPath::Avx2:
            return processorRunsAvx2();
        case SimdPath::Avx512:
            return processorRunsAvx512();
        default:
            return true;
    }
}

SimdPath chooseSimdPath(SimdSupport support, const char* environment) {
    const auto is = [environment](const char* name) {
        return environment != nullptr && std::strcmp(environment, name) == 0;
    };
    if (is("sse4.1") || !support.hasAvx2) return SimdPath::Sse41;
    if (is("avx2") || !support.hasAvx512) return SimdPath::Avx2;
    return SimdPath::Avx512;
}

SimdPath chosenSimdPath() { return kChosen; }

const char* simdPathName(SimdPath path) {
    switch (path) {
        case SimdPath::Avx2:
            return "avx2";
        case SimdPath::Avx512:
            return "avx512";
        default:
            return "sse4.1";
    }
}
