#!/usr/bin/env bash
# Builds the Release tree (build-release/, as a packager builds it) and runs the benchmarks of the
# performance targets there (not part of the tests): the in-process benchmarks, the ones that
# start programs of their own (bench/program/, each in a process of its own), the idle systray
# clock's instructions a clock second under callgrind, the cost of 10,000 alarms against its
# targets headless and on Xvfb (tools/alarms-bench.sh; OZR_ALARM_ROUNDS sets its rounds, 0 leaves
# it out, and OZR_BENCH_BESIDE=<commit> measures that commit's build beside this one in the same
# rounds), then, on the usual build, the launch to the first window beside xclock's
# (tools/launch-bench.sh; OZR_LAUNCH_ROUNDS sets its rounds, 0 leaves it out) and the waiting
# clock in real time beside xclock (tools/idle-bench.sh; OZR_IDLE_SECONDS sets its length, 0
# leaves it out).
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
# The idle systray clock's instructions a clock second, counted by callgrind (deterministic, unlike
# a time): its counted benchmark runs 60 clock seconds with callgrind's instrumentation on.
counted_seconds=60
callgrind_out=$(mktemp)
valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$callgrind_out" \
  "$release/bench/program/ozr_systray_clock_bench" --benchmark_filter=CountedSeconds >/dev/null 2>&1
instructions=$(awk '/^totals:/ {print $2}' "$callgrind_out")
rm -f "$callgrind_out"
echo "idle systray clock: $((instructions / counted_seconds)) instructions a clock second (target <= 130000)"
alarm_rounds=${OZR_ALARM_ROUNDS:-3}
if [ "$alarm_rounds" != 0 ]; then "$here/tools/alarms-bench.sh" "$alarm_rounds" ${OZR_BENCH_BESIDE:+"$OZR_BENCH_BESIDE"}; fi
rounds=${OZR_LAUNCH_ROUNDS:-15}
seconds=${OZR_IDLE_SECONDS:-60}
if [ "$rounds" != 0 ] || [ "$seconds" != 0 ]; then "$here/tools/build.sh" OZRClock; fi
if [ "$rounds" != 0 ]; then "$here/tools/launch-bench.sh" "$rounds"; fi
if [ "$seconds" != 0 ]; then "$here/tools/idle-bench.sh" "$seconds"; fi
