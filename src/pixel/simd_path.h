// Which width the pixel loops run at, chosen once when the module loads: the eight-lane AVX2
// loops where the processor has AVX2 and the operating system saves its registers, else the
// four-lane SSE4.1 loops, the floor. CORVANE_SIMD=sse4.1 in the environment forces the floor.
#pragma once

enum class SimdPath { Sse41, Avx2 };

// The path of this process, fixed at load.
SimdPath chosenSimdPath();

// Whether the processor runs AVX2 code here: CPUID leaf 7 has AVX2, and XGETBV shows that
// the operating system saves the YMM state (CPUID leaf 1: OSXSAVE and AVX).
bool processorRunsAvx2();

// The choice itself: the floor when `environment` (the value of CORVANE_SIMD, or null) is
// "sse4.1" or the processor cannot run AVX2; any other value leaves the choice to the
// processor.
SimdPath chooseSimdPath(bool avx2Runs, const char* environment);

// "sse4.1" or "avx2", as CORVANE_SIMD names them.
const char* simdPathName(SimdPath path);
