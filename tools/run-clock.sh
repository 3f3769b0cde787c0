#!/usr/bin/env bash
# Builds the clock (the program, its library and its program folder, not the tests) and starts it
# from its program folder. Without a display it runs headless.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh" OZRClock
if [ -z "${DISPLAY:-}" ] && [ -z "${OZR_PRESENTER:-}" ]; then
  echo "No X display (DISPLAY is not set): running headless."
  export OZR_PRESENTER=headless
fi
exec "$here/build/program/OZRClock" "$@"
