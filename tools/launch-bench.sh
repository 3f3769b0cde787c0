#!/usr/bin/env bash
# Launch to first window, side by side with xclock, on an X server of its own (Xvfb): the time
# from starting each program to the first window it maps, as the X server reports the map (xev
# watching the root window), alternating the two programs. Prints the median and the spread of
# each, their ratio and the machine's load.
# Usage: tools/launch-bench.sh [rounds]   (default 15; the program must be built: tools/build.sh OZRClock;
# OZR_LAUNCH_PROGRAM names another program folder, e.g. build-release/program)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-15}
program=${OZR_LAUNCH_PROGRAM:-$here/build/program}
[ -x "$program/OZRClock" ] || { echo "build the program first (tools/build.sh OZRClock)" >&2; exit 1; }
for tool in Xvfb xclock xev stdbuf python3; do
  command -v "$tool" >/dev/null || { echo "launch-bench needs $tool (tools/install-deps.sh installs it)" >&2; exit 1; }
done

. "$here/tools/own-x-server.sh" launch-bench

# A copy of the program folder for a later run without splash that asks no time server.
cp -r "$program" "$work/clock"
printf '[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n' \
  >"$work/clock/Settings.ozrini"

python3 - "$rounds" "$work/clock/OZRClock" <<'PY'
import os, select, statistics, subprocess, sys, time
rounds, clock = int(sys.argv[1]), sys.argv[2]
# xev reports every map on the screen as it happens; its lines are read as they come, unbuffered.
xev = subprocess.Popen(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"], stdout=subprocess.PIPE)
pending = b""
def next_line(timeout):
    global pending
    deadline = time.monotonic() + timeout
    while b"\n" not in pending:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([xev.stdout], [], [], left)[0]:
            return None
        chunk = os.read(xev.stdout.fileno(), 65536)
        if not chunk:
            return None
        pending += chunk
    line, pending = pending.split(b"\n", 1)
    return line.decode(errors="replace")
def drain(timeout):
    while next_line(timeout) is not None:
        pass
time.sleep(0.5)
drain(0.2)
def launch(argv, env):
    start = time.monotonic()
    child = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    while mapped is None and time.monotonic() - start < 10:
        line = next_line(0.5)
        if line and (line.startswith("MapNotify") or line.startswith("MapRequest")):
            mapped = time.monotonic() - start
    time.sleep(0.3)
    child.kill()
    child.wait()
    drain(0.3)
    return mapped
env = dict(os.environ, OZR_PRESENTER="x11")
times = {"OZRClock": [], "xclock": []}
for _ in range(rounds):
    for name, argv in (("xclock", ["xclock", "-digital", "-update", "1"]), ("OZRClock", [clock])):
        t = launch(argv, env)
        if t is not None:
            times[name].append(1000 * t)
xev.kill()
load = open("/proc/loadavg").read().split()[:3]
print(f"Launch to first map on Xvfb, {rounds} rounds each, alternating (load average {' '.join(load)}):")
for name, values in times.items():
    if not values:
        print(f"  {name:8}: never mapped")
        continue
    values.sort()
    print(f"  {name:8}: median {statistics.median(values):6.1f} ms   fastest {values[0]:6.1f} ms   slowest {values[-1]:6.1f} ms   ({len(values)} maps)")
if times["OZRClock"] and times["xclock"]:
    print(f"  ratio OZRClock/xclock (medians): {statistics.median(times['OZRClock']) / statistics.median(times['xclock']):.2f}")
PY
