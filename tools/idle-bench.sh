#!/usr/bin/env bash
# What the waiting clock costs, in real time beside xclock, on an X server of its own (Xvfb):
# CPU %, the ratio to xclock, peak RSS, bytes written per second (the X traffic: neither program
# writes anything else while it waits) and wake-ups per second (voluntary context switches), for
# the floating clock and then the systray clock. Then the shown second's offset from the
# wall-clock second (the first write to X after each second, from strace), and the CPU of a
# headless virtual hour.
# Usage: tools/idle-bench.sh [seconds]   (default 60; the program must be built: tools/build.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
program="$here/build/program"
[ -x "$program/OZRClock" ] || { echo "build the program first (tools/build.sh)" >&2; exit 1; }
for tool in Xvfb xclock strace python3; do
  command -v "$tool" >/dev/null || { echo "idle-bench needs $tool (tools/install-deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/ozr-idle-bench.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# An X server on a free display number that it picks itself.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
exec 3>&-

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
# cpu ticks, bytes written, voluntary context switches of a process
sample() {
  local pid=$1
  local cpu wchar switches
  cpu=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  wchar=$(awk '/^wchar/ {print $2}' "/proc/$pid/io")
  switches=$(awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$pid/status")
  echo "$cpu $wchar $switches"
}
peak_kb() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }

measure() {
  local name=$1 folder=$2
  OZR_PRESENTER=x11 "$folder/OZRClock" >"$work/$name.out" 2>&1 &
  local clock=$!
  pids+=($clock)
  xclock -digital -update 1 >/dev/null 2>&1 &
  local xclock=$!
  pids+=($xclock)
  sleep 5  # past the start
  local c0 x0 c1 x1 start end
  start=$(date +%s.%N)
  c0=$(sample $clock)
  x0=$(sample $xclock)
  sleep "$seconds"
  c1=$(sample $clock)
  x1=$(sample $xclock)
  end=$(date +%s.%N)
  python3 - "$name" "$ticks" "$start" "$end" "$c0" "$c1" "$x0" "$x1" "$(peak_kb $clock)" "$(peak_kb $xclock)" <<'EOF'
import sys
name, ticks, start, end = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
c0, c1, x0, x1 = (list(map(int, a.split())) for a in sys.argv[5:9])
peak_clock, peak_x = int(sys.argv[9]), int(sys.argv[10])
span = end - start
def figures(a, b):
    return (100.0 * (b[0] - a[0]) / ticks / span, (b[1] - a[1]) / span, (b[2] - a[2]) / span)
cc, cb, cw = figures(c0, c1)
xc, xb, xw = figures(x0, x1)
ratio = cc / xc if xc > 0 else float('inf')
print(f"{name:9} clock : CPU {cc:6.3f} %   peak RSS {peak_clock/1024:5.1f} MB   X bytes/s {cb:9.0f}   wake-ups/s {cw:6.1f}")
print(f"{'':9} xclock: CPU {xc:6.3f} %   peak RSS {peak_x/1024:5.1f} MB   X bytes/s {xb:9.0f}   wake-ups/s {xw:6.1f}")
print(f"{'':9} CPU ratio clock/xclock: {ratio:.1f}  (over {span:.0f} s)")
EOF
  echo "$clock" >"$work/$name.pid"
  kill "$xclock" 2>/dev/null || true
}

echo "Real time, ${seconds} s side by side with xclock -digital -update 1 on $DISPLAY:"
measure floating "$floating"

# The shown second: when after each wall-clock second the clock's first write to X goes out.
clock=$(cat "$work/floating.pid")
timeout 32 strace -q -p "$clock" -ttt -e trace=write,writev,sendmsg -o "$work/strace.txt" 2>/dev/null || true
kill "$clock" 2>/dev/null || true
python3 - "$work/strace.txt" <<'EOF'
import math, statistics, sys
firsts = {}
for line in open(sys.argv[1]):
    parts = line.split(None, 1)
    try:
        t = float(parts[0])
    except (ValueError, IndexError):
        continue
    second = math.floor(t)
    firsts.setdefault(second, t - second)
offsets = sorted(1000 * v for v in firsts.values())
if offsets:
    print(f"floating  second change: first X write {statistics.median(offsets):.1f} ms after the second (median), "
          f"{max(offsets):.1f} ms at most, over {len(offsets)} seconds")
else:
    print("floating  second change: no writes seen")
EOF

measure systray "$systray"
kill "$(cat "$work/systray.pid")" 2>/dev/null || true

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
