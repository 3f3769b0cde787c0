#!/usr/bin/env bash
# Checks the rule of the layers: the clock's own code (core/, hooklib/, settings/, alarmmanager/,
# alarmwizard/) includes only the C++ standard library, its own headers and the platform's public
# headers. Only platform/ may include a system header (Linux, X11, FreeType, ALSA, curl, ...) or a
# platform internal one (a header under a detail/ folder), or reach into platform::...::detail.
# Usage: tools/check-layers.sh [source-root]   (default: this checkout). Exits 1 on a breach.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
subsystems=(core hooklib settings alarmmanager alarmwizard)

# The headers of the C++ standard library (C++20), C compatibility headers in their <c...> form.
standard="algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv
chrono cinttypes climits clocale cmath codecvt compare complex concepts condition_variable coroutine
csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque
exception execution expected filesystem format forward_list fstream functional future
initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map memory
memory_resource mutex new numbers numeric optional ostream queue random ranges ratio regex
scoped_allocator semaphore set shared_mutex source_location span sstream stack stdexcept stop_token
streambuf string string_view syncstream system_error thread tuple type_traits typeindex typeinfo
unordered_map unordered_set utility valarray variant vector version"
declare -A allowed
for h in $standard; do allowed[$h]=1; done

breaches=0
report() {
  echo "check-layers: $1: $2" >&2
  breaches=$((breaches + 1))
}

for folder in "${subsystems[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS= read -r -d '' file; do
    rel=${file#"$root"/}
    n=0
    while IFS= read -r line || [ -n "$line" ]; do
      n=$((n + 1))
      if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^>]+)\> ]]; then
        header=${BASH_REMATCH[1]}
        [ -n "${allowed[$header]:-}" ] || report "$rel:$n" "<$header> is not a C++ standard header; only platform/ may include it"
      elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
        header=${BASH_REMATCH[1]}
        if [[ $header == platform/* ]]; then
          [[ $header == */detail/* ]] && report "$rel:$n" "\"$header\" is internal to the platform"
        elif [[ ! $header =~ ^(core|hooklib|settings|alarmmanager|alarmwizard)/ ]]; then
          report "$rel:$n" "\"$header\" is neither the clock's own header nor a platform header"
        fi
      elif [[ $line =~ (^|[^A-Za-z0-9_])([A-Za-z_]+::)*detail:: || $line =~ platform::([A-Za-z_]+::)*detail([^A-Za-z0-9_]|$) ]]; then
        report "$rel:$n" "reaches into the platform's internals (platform::...::detail)"
      fi
    done <"$file"
  done < <(find "$root/$folder" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' \) -print0 | sort -z)
done

if [ "$breaches" -gt 0 ]; then
  echo "check-layers: $breaches breach(es) of the layers" >&2
  exit 1
fi
echo "check-layers: the clock's code keeps to the platform's public headers"
