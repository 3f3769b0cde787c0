# Sourced by the tools that measure the clock on an X server of its own (idle-bench.sh,
# launch-bench.sh): a work folder, the processes to end on exit, and Xvfb on a free display
# number that it picks itself, made DISPLAY.
# Usage: . "$here/tools/own-x-server.sh" NAME   (the work folder is /tmp/ozr-NAME.XXXXXX)
work=$(mktemp -d "/tmp/ozr-$1.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
exec 3>&-
