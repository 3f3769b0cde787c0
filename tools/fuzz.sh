#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with Clang (AddressSanitizer and UndefinedBehavior-
# Sanitizer on) into build-fuzz/ and runs each of them for the given number of seconds (default
# 60), all at once, each from its committed seed corpus and its dictionary:
#   tools/fuzz.sh [SECONDS] [NAME...]      e.g. tools/fuzz.sh 300 settings_file
# Inputs found along the way go to build-fuzz/corpus/NAME (the committed corpus stays as it is);
# an input that makes a fault is kept in build-fuzz/findings/NAME/ and the script fails.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
case $seconds in '' | *[!0-9]*) echo "fuzz.sh: the time must be a whole number of seconds, not \"$seconds\"" >&2; exit 2 ;; esac
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in "$here"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    names+=("${name%_fuzz}")
  done
fi

"$here/tools/install-deps.sh"
build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOZR_FUZZ=ON -DOZR_WERROR=ON >/dev/null
targets=()
for name in "${names[@]}"; do targets+=("fuzz_$name"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/tools/sanitizer-leaks.supp:print_suppressions=0"

pids=()
for name in "${names[@]}"; do
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  # A target's dictionary (tests/fuzz/NAME.dict) names what its input format gives a meaning to.
  dict=()
  [ ! -f "$here/tests/fuzz/$name.dict" ] || dict=(-dict="$here/tests/fuzz/$name.dict")
  # A single input that takes longer than 10 s counts as a hang; one that needs more than 2 GiB
  # as a fault.
  "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "${dict[@]}" -artifact_prefix="$findings/" "$corpus" "$here/tests/fuzz/corpus/$name" >"$build/fuzz-$name.log" 2>&1 &
  pids+=($!)
done

passed=0
failed=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    passed=$((passed + 1))
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz-$name.log" | grep -o '[0-9]*$' || echo "?")
    echo "fuzz_$name: no fault in ${seconds} s ($runs inputs)"
  else
    failed=$((failed + 1))
    echo "fuzz_$name: FAULT (inputs kept in build-fuzz/findings/$name/); the end of its log:"
    tail -n 60 "$build/fuzz-$name.log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
