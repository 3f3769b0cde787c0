#!/usr/bin/env bash
# Configures and builds into build/ (the program folder is build/program): everything, or only the
# given targets and what they need, e.g. tools/build.sh OZRClock for the clock alone.
# Our own builds treat warnings as errors; a plain cmake build does not.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOZR_WERROR=ON >/dev/null
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build "$here/build" -j"$(nproc)" "${targets[@]}"
