#!/usr/bin/env bash
# Builds everything and runs every test (unit, desktop and peer tests) under CTest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" --timeout 300
