#!/usr/bin/env bash
# The objects built for AVX2 must not hand the linker a function that a four-lane object may
# also define: of two copies of one inline function the linker keeps either, and an AVX2 copy
# would then run on the four-lane path too. So every symbol they define for other objects lies
# in namespace avx2 (or names a type of it), and none runs code while the module loads. The
# exception personality reference every object with cleanups carries is data, the same in all.
set -euo pipefail
objects=()
for arg in "$@"; do  # CMake hands over lists joined with ';'
  IFS=';' read -ra part <<<"$arg"
  objects+=("${part[@]}")
done
status=0
for object in "${objects[@]}"; do
  shared=$(nm --defined-only -P "$object" | awk '$2 ~ /^[A-Zuvw]$/ && $1 !~ /4avx2/ && $1 != "DW.ref.__gxx_personality_v0" {print $1}')
  if [ -n "$shared" ]; then
    echo "$object defines outside namespace avx2:" >&2
    c++filt <<<"$shared" | sed 's/^/  /' >&2
    status=1
  fi
  if nm "$object" | grep -q '_GLOBAL__sub_I'; then
    echo "$object runs code at load" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "${#objects[@]} objects built for AVX2 keep to namespace avx2"
exit $status
