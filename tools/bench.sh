#!/usr/bin/env bash
# Builds everything and runs the benchmarks of the performance targets (not part of the tests):
# the in-process benchmarks, then the waiting clock in real time beside xclock (tools/idle-bench.sh;
# OZR_IDLE_SECONDS sets its length, 0 leaves it out).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh"
"$here/build/bench/ozr_bench" "$@"
seconds=${OZR_IDLE_SECONDS:-60}
if [ "$seconds" != 0 ]; then "$here/tools/idle-bench.sh" "$seconds"; fi
