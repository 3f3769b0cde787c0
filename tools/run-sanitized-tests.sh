#!/usr/bin/env bash
# Builds everything with Clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs every test there, the peer tests included (that build has no benchmarks). It is the
# Clang build of CI: whatever Clang refuses in any test program fails it.
# The first memory or undefined-behaviour fault stops the test that made it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"
# Every library with thread-local data is loaded at start-up, so its data lies in the static TLS
# block that the leak checker scans anyway. Its own book of dynamic TLS (kept by intercepting
# __tls_get_addr) goes wrong with this C library now and then, depending only on how the test
# program is laid out, and then the checker crashes at exit ("Tracer caught signal 11"): it is off.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/tools/sanitizer-leaks.supp:print_suppressions=0"
# Test discovery runs the test programs during the build, so the options hold there too.
CC=clang CXX=clang++ cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOZR_SANITIZE=ON -DOZR_WERROR=ON >/dev/null
cmake --build "$here/build-asan" -j"$(nproc)"
cd "$here/build-asan"
ctest --output-on-failure -j"$(nproc)" --timeout 300
