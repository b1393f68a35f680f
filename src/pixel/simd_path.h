// Which width the pixel loops run at, chosen once when the module loads. Eight lanes where the
// processor has AVX2 and the operating system saves its registers: built a second time with
// AVX-512VL where the processor has that too, for its one-instruction lane select (the AVX2
// blend is three micro-operations on recent processors, and the loops are full of selects).
// Else the four-lane SSE4.1 loops, the floor. CORVANE_SIMD=sse4.1 in the environment forces
// the floor, CORVANE_SIMD=avx2 the eight-lane loops without AVX-512VL.
#pragma once

enum class SimdPath { Sse41, Avx2, Avx512vl };
// Narrowest first.
inline constexpr SimdPath kEverySimdPath[] = {SimdPath::Sse41, SimdPath::Avx2, SimdPath::Avx512vl};

// The path of this process, fixed at load.
SimdPath chosenSimdPath();

// Whether the processor runs AVX2 code here: CPUID leaf 7 has AVX2, and XGETBV shows that
// the operating system saves the YMM state (CPUID leaf 1: OSXSAVE and AVX).
bool processorRunsAvx2();

// Whether it runs the AVX2 code built with AVX-512VL too: CPUID leaf 7 also has AVX-512F and
// VL, and the operating system also saves the mask registers and the upper ZMM state.
bool processorRunsAvx512vl();

// Whether the processor runs `path` here.
bool processorRuns(SimdPath path);

// What the processor allows.
struct SimdSupport {
    bool hasAvx2;
    bool hasAvx512vl;
};

// The choice itself: the floor when `environment` (the value of CORVANE_SIMD, or null) is
// "sse4.1", at most the AVX2 loops when it is "avx2", and never more than the processor
// allows; any other value leaves the choice to the processor.
SimdPath chooseSimdPath(SimdSupport support, const char* environment);

// Whether `path` runs groups of eight pixels.
inline bool eightLanes(SimdPath path) { return path != SimdPath::Sse41; }

// "sse4.1", "avx2" or "avx512vl".
const char* simdPathName(SimdPath path);
