# Warnings are errors on our own code. The pixel code targets SSE4.1 and nothing newer, and
# no target is built with fast-math: the NaN handling of the kernels depends on IEEE rules.
function(corvane_strict target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -msse4.1 -fno-fast-math)
  endif()
endfunction()
