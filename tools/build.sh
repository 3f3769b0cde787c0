#!/usr/bin/env bash
# Configures and builds everything into build/ (the program folder is build/program).
# Our own builds treat warnings as errors; a plain cmake build does not.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOZR_WERROR=ON >/dev/null
cmake --build "$here/build" -j"$(nproc)"
