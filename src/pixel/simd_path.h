// Which width the pixel loops run at, chosen once when the module loads. Eight lanes where the
// processor has AVX2 and the operating system saves its registers. Where the processor has
// AVX-512 (F, VL, BW and DQ) too, the blend loops run sixteen lanes, and the scope's eight-lane
// walk is built a second time with AVX-512VL, for its one-instruction lane select (the AVX2
// blend is three micro-operations on recent processors). Else the four-lane SSE4.1 loops, the
// floor. CORVANE_SIMD=sse4.1 in the environment forces the floor, CORVANE_SIMD=avx2 the AVX2
// loops.
#pragma once

enum class SimdPath { Sse41, Avx2, Avx512 };
// Narrowest first.
inline constexpr SimdPath kEverySimdPath[] = {SimdPath::Sse41, SimdPath::Avx2, SimdPath::Avx512};

// The path of this process, fixed at load.
SimdPath chosenSimdPath();

// Whether the processor runs AVX2 code here: CPUID leaf 7 has AVX2, and XGETBV shows that
// the operating system saves the YMM state (CPUID leaf 1: OSXSAVE and AVX).
bool processorRunsAvx2();

// Whether it runs the AVX-512 code too: CPUID leaf 7 also has AVX-512 F, VL, BW and DQ, and
// the operating system also saves the mask registers and the upper ZMM state.
bool processorRunsAvx512();

// Whether the processor runs `path` here.
bool processorRuns(SimdPath path);

// What the processor allows.
struct SimdSupport {
    bool hasAvx2;
    bool hasAvx512;
};

// The choice itself: the floor when `environment` (the value of CORVANE_SIMD, or null) is
// "sse4.1", at most the AVX2 loops when it is "avx2", and never more than the processor
// allows; any other value leaves the choice to the processor.
SimdPath chooseSimdPath(SimdSupport support, const char* environment);

// Whether the scope's walk runs groups of eight pixels on `path`.
inline bool eightLanes(SimdPath path) { return path != SimdPath::Sse41; }

// The pixels in a group of the blend loops on `path`.
inline unsigned blendLanes(SimdPath path) {
    return path == SimdPath::Avx512 ? 16 : path == SimdPath::Avx2 ? 8 : 4;
}

// "sse4.1", "avx2" or "avx512".
const char* simdPathName(SimdPath path);
