#!/usr/bin/env bash
# Builds the whole tree, tests and benchmarks included, in every build type (Debug,
# RelWithDebInfo, Release) with GCC and with Clang, warnings as errors, each into
# build-types/COMPILER-TYPE/ (OZR_JOBS jobs at once, default one per core). Fails on the first tree
# that does not build.
#   tools/build-every-type.sh [COMPILER-TYPE...]     e.g. tools/build-every-type.sh clang-Release
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"
trees=("$@")
[ ${#trees[@]} -ne 0 ] || trees=(gcc-Debug gcc-RelWithDebInfo gcc-Release clang-Debug clang-RelWithDebInfo clang-Release)
for tree in "${trees[@]}"; do
  compiler=${tree%-*} type=${tree#*-}
  case $compiler in
    gcc) cc=gcc cxx=g++ ;;
    clang) cc=clang cxx=clang++ ;;
    *) echo "build-every-type: unknown compiler \"$compiler\" (gcc or clang)" >&2; exit 2 ;;
  esac
  case $type in Debug | RelWithDebInfo | Release) ;; *) echo "build-every-type: unknown build type \"$type\"" >&2; exit 2 ;; esac
  echo "== $compiler $type"
  CC=$cc CXX=$cxx cmake -S "$here" -B "$here/build-types/$tree" -DCMAKE_BUILD_TYPE="$type" -DOZR_WERROR=ON >/dev/null
  cmake --build "$here/build-types/$tree" -j"${OZR_JOBS:-$(nproc)}"
done
echo "every tree built: ${trees[*]}"
