#!/usr/bin/env bash
# tools/check-layers.sh on small trees: it passes the clock's own, standard and public platform
# headers, and fails on each kind of breach, naming the file and line.
set -uo pipefail
check=$(cd "$(dirname "$0")/../.." && pwd)/tools/check-layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

# Writes one file into a fresh tree and runs the check; $1 the expected outcome (pass or fail).
expect() {
  local outcome=$1 path=$2 text=$3
  rm -rf "${tree:?}"/*
  mkdir -p "$tree/$(dirname "$path")"
  printf '%s\n' "$text" >"$tree/$path"
  local output status
  output=$("$check" "$tree" 2>&1)
  status=$?
  if [ "$outcome" = pass ] && [ $status -ne 0 ]; then
    echo "FAIL: $path with [$text] should pass: $output"
    failures=$((failures + 1))
  elif [ "$outcome" = fail ] && { [ $status -eq 0 ] || ! grep -q "$path:" <<<"$output"; }; then
    echo "FAIL: $path with [$text] should fail naming the file: $output"
    failures=$((failures + 1))
  fi
}

good='#include <string>
#include <vector>
#include "core/globals.h"
#include "platform/window/window.h"
#include "platform/services/registry.h"
namespace core { void f() { platform::SendMessage({}, 0, 0, 0); } }'
for folder in core hooklib settings alarmmanager alarmwizard; do
  expect pass "$folder/good.cpp" "$good"
done
# The platform itself may include anything.
expect pass platform/present/x11.cpp '#include <X11/Xlib.h>
#include "platform/window/detail/window_store.h"
void g() { platform::detail::Find({}); }'

for folder in core hooklib settings alarmmanager alarmwizard; do
  expect fail "$folder/bad.cpp" '#include <X11/Xlib.h>'
done
expect fail core/bad.h '#include <unistd.h>'
expect fail settings/bad.cpp '#  include <sys/socket.h>'
expect fail hooklib/bad.cpp '#include <stdio.h>'
expect fail core/bad.cpp '#include <ft2build.h>'
expect fail core/bad.cpp '#include "ft2build.h"'
expect fail alarmmanager/bad.cpp '#include "platform/window/detail/window_store.h"'
expect fail core/bad.cpp 'HWND h = platform::detail::FindRemoteWindow(nullptr, "x");'
expect fail core/bad.cpp 'using namespace platform::forms::detail;'
expect fail core/bad.cpp 'auto n = detail::LiveTimerCount();'

if [ $failures -gt 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all cases passed"
