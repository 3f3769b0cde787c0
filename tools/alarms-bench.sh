#!/usr/bin/env bash
# The cost of 10,000 alarms against its targets, in rounds: on the headless screen with a virtual
# clock (each firing second with its save, the first alarm manager, with their page faults) and on
# an X server of its own (Xvfb) with the real clock, as a user meets it (from the second in which an
# alarm is due until its file is renamed into place, F3 until the alarm manager lists every alarm),
# and the peak memory. The benchmark is bench/program/alarm_scale_bench.cpp of the Release build.
# With a commit after the rounds, the same benchmark (this tree's bench/) is built into that
# commit's code as well, in build-beside/, and each round runs both, one after the other.
# Usage: tools/alarms-bench.sh [rounds] [commit]   (default 3 rounds; the Release build must be made:
# tools/bench.sh makes it)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
beside=${2:-}
builds=("$here/build-release")
[ -x "${builds[0]}/bench/program/ozr_alarm_scale_bench" ] || { echo "build the Release tree first (tools/bench.sh)" >&2; exit 1; }
if [ -n "$beside" ]; then
  commit=$(git -C "$here" rev-parse --short "$beside^{commit}")
  tree="$here/build-beside/$commit"
  if [ ! -d "$tree/src" ]; then
    mkdir -p "$tree/src"
    git -C "$here" archive "$commit" | tar -x -C "$tree/src"
  fi
  cp -r "$here/bench/." "$tree/src/bench/"
  cmake -S "$tree/src" -B "$tree/release" -DCMAKE_BUILD_TYPE=Release -DOZR_WERROR=ON >/dev/null
  cmake --build "$tree/release" -j"$(nproc)" --target OZRClock ozr_alarm_scale_bench >/dev/null
  builds+=("$tree/release")
fi

. "$here/tools/own-x-server.sh" alarms-bench

for round in $(seq "$rounds"); do
  for index in "${!builds[@]}"; do
    binary="${builds[$index]}/bench/program/ozr_alarm_scale_bench"
    "$binary" --benchmark_filter='ManyAlarms/10000' --benchmark_format=json >"$work/headless-$index-$round.json" 2>/dev/null || true
    OZR_PRESENTER=x11 "$binary" --benchmark_filter='ManyAlarmsOnScreen' --benchmark_format=json \
      >"$work/screen-$index-$round.json" 2>/dev/null || true
  done
done

# Instructions, counted by callgrind (deterministic, unlike a time on a busy machine): the saves of
# both firings, and both F3 openings of the settings window at the alarm manager (the benchmark
# opens it twice).
for index in "${!builds[@]}"; do
  for counted in "SaveAlarms core::SaveAlarms()" "LoadSettingsWindow core::LoadSettingsWindow()"; do
    valgrind --tool=callgrind --collect-atstart=no "--toggle-collect=${counted#* }" --callgrind-out-file="$work/${counted%% *}-$index.%p" \
      "${builds[$index]}/bench/program/ozr_alarm_scale_bench" --benchmark_filter='ManyAlarms/10000' >/dev/null 2>&1 || true
  done
done

python3 - "$work" "$rounds" "${#builds[@]}" "${commit:-}" <<'PY'
import glob, json, os, sys
work, rounds, builds, commit = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
def runs(kind, index):
    out = []
    for path in sorted(glob.glob(os.path.join(work, f"{kind}-{index}-*.json"))):
        try:
            out += [b for b in json.load(open(path))["benchmarks"] if "error_message" not in b]
        except (ValueError, KeyError):
            pass
    return out
figures = [  # (kind, counter, what, unit, target)
    ("headless", "fire_and_save_ms", "first firing's second, its save included", "ms", 60),
    ("headless", "fire_and_save_faults", "page faults of the first firing's second", "", None),
    ("headless", "later_fire_and_save_ms", "a later firing's second, its save included", "ms", 60),
    ("headless", "later_fire_and_save_faults", "page faults of the later firing's second", "", None),
    ("headless", "manager_ms", "F3 until the first alarm manager lists every alarm", "ms", 35),
    ("headless", "manager_faults", "page faults of the first alarm manager", "", None),
    ("headless", "peak_MB", "peak memory", "MB", 85),
    ("screen", "first_save_ms", "first firing: due second to the renamed file", "ms", 60),
    ("screen", "later_save_ms", "later firing: due second to the renamed file", "ms", 60),
    ("screen", "manager_ms", "F3 until the first alarm manager lists every alarm", "ms", 35),
    ("screen", "peak_MB", "peak memory", "MB", 85),
]
load = " ".join(open("/proc/loadavg").read().split()[:3])
names = ["this build"] + ([f"beside {commit}"] if builds > 1 else [])
print(f"10,000 alarms, {rounds} rounds, fastest-slowest (load average {load}):" + "".join(f"{n:>22}" for n in names))
place = {"headless": "headless", "screen": "Xvfb    "}
for kind, counter, what, unit, target in figures:
    label = f"  {place[kind]} {what}" + (f" (target <= {target} {unit})" if target else "")
    cells = []
    for index in range(builds):
        values = sorted(b[counter] for b in runs(kind, index) if counter in b)
        cells.append(f"{values[0]:.0f}-{values[-1]:.0f} {unit}".strip() if values else "no run")
    print(f"{label:<92}" + "".join(f"{c:>22}" for c in cells))
def instructions(name, index):
    total = 0
    for path in glob.glob(os.path.join(work, f"{name}-{index}.*")):
        for line in open(path):
            if line.startswith("totals:"):
                total += int(line.split()[1])
    return f"{total / 1e6:.0f} M" if total else "no run"
for name, what in (("SaveAlarms", "instructions of both firings' saves"), ("LoadSettingsWindow", "instructions of both F3 openings of the alarm manager")):
    print(f"{'  headless ' + what:<92}" + "".join(f"{instructions(name, i):>22}" for i in range(builds)))
PY
