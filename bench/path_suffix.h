// The path dimension of a case's name: /sse41, /avx2 or /avx512, the width of pixel loops it
// ran, as bench/ratios.py reads it.
#pragma once

#include <string>

#include "pixel/simd_path.h"

namespace bench {

inline std::string pathSuffix(SimdPath path) {
    std::string name = simdPathName(path);
    std::erase(name, '.');
    return "/" + name;
}

}  // namespace bench
