#!/usr/bin/env bash
# Builds everything and runs the benchmarks of the performance targets (not part of the tests).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh"
exec "$here/build/bench/ozr_bench" "$@"
