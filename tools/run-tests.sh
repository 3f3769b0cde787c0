#!/usr/bin/env bash
# Checks the layers (tools/check-layers.sh), builds everything and runs every test (unit, desktop and peer tests) under CTest, then builds
# with Clang and the address and undefined-behaviour sanitizers and runs every test again.
# OZR_SKIP_SANITIZED=1 leaves the sanitizer build out (for a quick run while working).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/check-layers.sh"
"$here/tools/build.sh"
(cd "$here/build" && ctest --output-on-failure -j"$(nproc)" --timeout 300)
if [ "${OZR_SKIP_SANITIZED:-0}" != 1 ]; then
  "$here/tools/run-sanitized-tests.sh"
fi
