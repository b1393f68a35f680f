# Warnings are errors on our own code. The pixel code targets SSE4.1 and nothing newer, and
# no target is built with fast-math: the NaN handling of the kernels depends on IEEE rules.
function(corvane_strict target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -msse4.1 -fno-fast-math)
  endif()
endfunction()

# A translation unit of the wider paths: AVX2 without FMA, nothing contracted. With AVX512VL,
# the same unit for processors that also have AVX-512VL, its namespace avx2 renamed to avx512vl
# so that no function of one build can stand in for the other's at link time. With AVX512, a
# unit of the sixteen-lane loops (namespace avx512). GCC for Windows does not align the stack
# to 32 or 64 bytes for spilled registers, so the assembler turns its aligned moves into
# unaligned ones there.
function(corvane_wide_unit target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "AVX512VL;AVX512" "" "")
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -mavx2 -mno-fma -ffp-contract=off)
    if(ARG_AVX512VL)
      target_compile_options(${target} PRIVATE -mavx512vl)
      target_compile_definitions(${target} PRIVATE avx2=avx512vl)
    endif()
    if(ARG_AVX512)
      # GCC 12's AVX-512 intrinsics pass a deliberately undefined register (_mm512_undefined_ps)
      # as the unused merge source, which its own uninitialised-use warning then reports.
      target_compile_options(${target} PRIVATE -mavx512f -mavx512vl -mavx512bw -mavx512dq
        $<$<CXX_COMPILER_ID:GNU>:-Wno-uninitialized -Wno-maybe-uninitialized>)
    endif()
    if(WIN32)
      target_compile_options(${target} PRIVATE -Wa,-muse-unaligned-vector-move)
    endif()
  endif()
endfunction()
