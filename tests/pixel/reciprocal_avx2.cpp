// The eight-lane reciprocal estimate, built for AVX2 apart from the tests that call it.
#include <immintrin.h>

#include <cstddef>

namespace avx2 {

void estimateReciprocals(const float* x, float* r, size_t n) {
    for (size_t i = 0; i + 8 <= n; i += 8)
        _mm256_storeu_ps(r + i, _mm256_rcp_ps(_mm256_loadu_ps(x + i)));
}

}  // namespace avx2
