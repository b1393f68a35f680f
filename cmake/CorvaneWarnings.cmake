# Warnings are errors on our own code. The pixel code targets SSE4.1 and nothing newer, and
# no target is built with fast-math: the NaN handling of the kernels depends on IEEE rules.
function(corvane_strict target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -msse4.1 -fno-fast-math)
  endif()
endfunction()

# A translation unit of the AVX2 path: AVX2 without FMA, nothing contracted. GCC for Windows
# does not align the stack to 32 bytes for spilled registers, so the assembler turns its
# aligned moves into unaligned ones there.
function(corvane_avx2_unit target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -mavx2 -mno-fma -ffp-contract=off)
    if(WIN32)
      target_compile_options(${target} PRIVATE -Wa,-muse-unaligned-vector-move)
    endif()
  endif()
endfunction()
