#!/usr/bin/env bash
# What the waiting clock costs, in real time beside xclock, on an X server of its own (Xvfb):
# CPU %, the ratio to xclock, peak RSS and wake-ups per second (voluntary context switches) for
# the floating clock and then the systray clock; then, from strace, the bytes each writes to its
# X connection per second (Xlib writes to the server with writev, and nothing else of either
# program does) and, for the floating clock, how long after each wall-clock second its first
# write to X goes out (the shown second changing). Last, the CPU of a headless virtual hour.
# Usage: tools/idle-bench.sh [seconds]   (default 60; the program must be built: tools/build.sh OZRClock)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
traced=30
program="$here/build/program"
[ -x "$program/OZRClock" ] || { echo "build the program first (tools/build.sh OZRClock)" >&2; exit 1; }
for tool in Xvfb xclock strace python3; do
  command -v "$tool" >/dev/null || { echo "idle-bench needs $tool (tools/install-deps.sh installs it)" >&2; exit 1; }
done

. "$here/tools/own-x-server.sh" idle-bench

# A copy of the program folder with the settings of one mode, so that nothing of the build changes.
prepare() {
  local folder="$work/$1"
  cp -r "$program" "$folder"
  printf '[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n%s' "$2" \
    >"$folder/Settings.ozrini"
  echo "$folder"
}
floating=$(prepare floating "")
systray=$(prepare systray "SystrayClock=1
")

ticks=$(getconf CLK_TCK)
# CPU nanoseconds of a process's threads (the scheduler's own count: /proc/PID/stat counts whole
# clock ticks, too coarse for a process that runs a few milliseconds a minute) and its voluntary
# context switches. A thread that ended between two samples is not counted.
sample() {
  echo "$(cat /proc/$1/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%.0f", n}') $(awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status")"
}
peak_kb() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }

# From a trace of writev calls: bytes per second, and with "offsets" also the median and largest
# offset (ms) of the first write after each wall-clock second and how many seconds had one.
x_traffic() {
  python3 - "$1" "$traced" "${2:-}" <<'PY'
import math, statistics, sys
path, span, offsets_wanted = sys.argv[1], float(sys.argv[2]), sys.argv[3] == "offsets"
total, firsts = 0, {}
for line in open(path):
    parts = line.split(None, 1)
    if len(parts) < 2 or not parts[1].startswith("writev(") or "= " not in parts[1]:
        continue
    try:
        t, written = float(parts[0]), int(parts[1].rsplit("= ", 1)[1].split()[0])
    except ValueError:
        continue
    total += max(0, written)
    firsts.setdefault(math.floor(t), t - math.floor(t))
out = [f"{total / span:.0f}"]
if offsets_wanted and firsts:
    offsets = sorted(1000 * v for v in firsts.values())
    out += [f"{statistics.median(offsets):.1f}", f"{max(offsets):.1f}", str(len(offsets))]
print(" ".join(out))
PY
}

measure() {
  local name=$1 folder=$2
  OZR_PRESENTER=x11 "$folder/OZRClock" >"$work/$name.out" 2>&1 &
  local clock=$!
  pids+=($clock)
  xclock -digital -update 1 >/dev/null 2>&1 &
  local xclock=$!
  pids+=($xclock)
  sleep 5  # past the start
  local c0 x0 c1 x1 start end peak_clock peak_x
  start=$(date +%s.%N)
  c0=$(sample $clock)
  x0=$(sample $xclock)
  sleep "$seconds"
  c1=$(sample $clock)
  x1=$(sample $xclock)
  end=$(date +%s.%N)
  peak_clock=$(peak_kb $clock)
  peak_x=$(peak_kb $xclock)
  # The X traffic comes from a separate traced span, so that tracing does not weigh on the CPU.
  timeout $((traced + 1)) strace -q -p "$clock" -ttt -e trace=writev -o "$work/$name.clock.trace" 2>/dev/null &
  local tracer=$!
  timeout $((traced + 1)) strace -q -p "$xclock" -ttt -e trace=writev -o "$work/$name.xclock.trace" 2>/dev/null || true
  wait "$tracer" || true
  python3 - "$name" "$start" "$end" "$c0" "$c1" "$x0" "$x1" "$peak_clock" "$peak_x" \
    "$(x_traffic "$work/$name.clock.trace" offsets)" "$(x_traffic "$work/$name.xclock.trace")" <<'PY'
import sys
name, start, end = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
c0, c1, x0, x1 = (list(map(int, a.split())) for a in sys.argv[4:8])
peak_clock, peak_x = int(sys.argv[8]), int(sys.argv[9])
clock_traffic, x_traffic = sys.argv[10].split(), sys.argv[11].split()
span = end - start
def figures(a, b):
    return 100.0 * (b[0] - a[0]) / 1e9 / span, (b[1] - a[1]) / span
cc, cw = figures(c0, c1)
xc, xw = figures(x0, x1)
ratio = cc / xc if xc > 0 else float("inf")
print(f"{name:9} clock : CPU {cc:6.3f} %   peak RSS {peak_clock/1024:5.1f} MB   X bytes/s {clock_traffic[0]:>7}   wake-ups/s {cw:6.1f}")
print(f"{'':9} xclock: CPU {xc:6.3f} %   peak RSS {peak_x/1024:5.1f} MB   X bytes/s {x_traffic[0]:>7}   wake-ups/s {xw:6.1f}")
print(f"{'':9} CPU ratio clock/xclock: {ratio:.1f}  (CPU over {span:.0f} s, X bytes over 30 s)")
if name == "floating" and len(clock_traffic) == 4:
    print(f"{'':9} second change: first X write {clock_traffic[1]} ms after the wall-clock second (median), "
          f"{clock_traffic[2]} ms at most, over {clock_traffic[3]} seconds")
PY
  kill "$clock" "$xclock" 2>/dev/null || true
}

# CPU shares are only comparable on a quiet machine: the load is printed beside them.
load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "Real time, ${seconds} s side by side with xclock -digital -update 1 on $DISPLAY (load average $(load)):"
measure floating "$floating"
measure systray "$systray"

# A virtual hour on the headless screen: the CPU an hour of waiting costs without any waiting.
virtual_hour() {
  local folder=$1 runs=()
  for _ in 1 2 3; do
    # A shell runs the clock and then reads its own children's CPU (fields 16 and 17).
    /usr/bin/env OZR_PRESENTER=headless OZR_CLOCK=virtual:2026-03-01T13:04:05 OZR_RUN_FOR=3600 \
      bash -c '"$1/OZRClock" >/dev/null 2>&1; cat /proc/$$/stat' _ "$folder" >"$work/child.stat" || true
    runs+=("$(awk -v t="$ticks" '{printf "%.3f", ($16 + $17) / t}' "$work/child.stat")")
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 2p
}
echo "Headless virtual hour (median of 3): floating $(virtual_hour "$floating") s CPU, systray $(virtual_hour "$systray") s CPU"
echo "Load average at the end: $(load)"
