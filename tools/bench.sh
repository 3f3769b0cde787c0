#!/usr/bin/env bash
# Builds the Release tree (build-release/, as a packager builds it) and runs the benchmarks of the
# performance targets there (not part of the tests): the in-process benchmarks, the ones that
# start programs of their own (bench/program/), then the waiting clock in real time beside xclock
# (tools/idle-bench.sh, on the usual build; OZR_IDLE_SECONDS sets its length, 0 leaves it out).
# Arguments go to every benchmark program, e.g. --benchmark_filter=Labels.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"
release="$here/build-release"
cmake -S "$here" -B "$release" -DCMAKE_BUILD_TYPE=Release -DOZR_WERROR=ON >/dev/null
targets=(OZRClock ozr_bench)
for source in "$here"/bench/program/*_bench.cpp; do targets+=("ozr_$(basename "$source" .cpp)"); done
cmake --build "$release" -j"$(nproc)" --target "${targets[@]}"
for target in "${targets[@]:1}"; do
  binary="$release/bench/$target"
  [ -x "$binary" ] || binary="$release/bench/program/$target"
  "$binary" "$@"
done
seconds=${OZR_IDLE_SECONDS:-60}
if [ "$seconds" != 0 ]; then
  "$here/tools/build.sh"
  "$here/tools/idle-bench.sh" "$seconds"
fi
