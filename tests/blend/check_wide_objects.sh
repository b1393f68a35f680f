#!/usr/bin/env bash
# check_wide_objects.sh NAMESPACE OBJECT...
# The objects built for the wider paths must not hand the linker a function that another
# object may also define: of two copies of one inline function the linker keeps either, and an
# AVX2 copy would then run on the four-lane path too, an AVX-512 copy on the AVX2 path. So every
# symbol they define for other objects lies in NAMESPACE (avx2; avx512vl for the scope's second
# eight-lane build; avx512 for the sixteen-lane loops) or names a type of it, and none runs code
# while the module loads. The exception personality reference every object with cleanups
# carries is data, the same in all.
set -euo pipefail
namespace=$1
shift
mangled="${#namespace}${namespace}"
objects=()
for arg in "$@"; do  # CMake hands over lists joined with ';'
  IFS=';' read -ra part <<<"$arg"
  objects+=("${part[@]}")
done
status=0
for object in "${objects[@]}"; do
  shared=$(nm --defined-only -P "$object" | awk -v ns="$mangled" '$2 ~ /^[A-Zuvw]$/ && index($1, ns) == 0 && $1 != "DW.ref.__gxx_personality_v0" {print $1}')
  if [ -n "$shared" ]; then
    echo "$object defines outside namespace $namespace:" >&2
    c++filt <<<"$shared" | sed 's/^/  /' >&2
    status=1
  fi
  if nm "$object" | grep -q '_GLOBAL__sub_I'; then
    echo "$object runs code at load" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "${#objects[@]} objects built for the wider paths keep to namespace $namespace"
exit $status
