#!/bin/sh
# Runs every fuzz target of the runtime core for a set time (FUZZ_SECONDS each, default 600)
# or a set number of runs (FUZZ_RUNS each, if given), in the native sanitizer build.
# The corpus grows in build/host/corpus; the checked-in seeds are only read.
# Usage: scripts/fuzz.sh [BUILD_DIR]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
host=$build/host
sh "$root/tests/reliability/host/build.sh" "$root" "$host" >/dev/null
seconds=${FUZZ_SECONDS:-600}
status=0
for target in fuzz_strings fuzz_lists; do
  corpus=$host/corpus/$target
  mkdir -p "$corpus"
  if [ -n "$FUZZ_RUNS" ]; then limit="-runs=$FUZZ_RUNS"; else limit="-max_total_time=$seconds"; fi
  echo "fuzz: $target ($limit)"
  (cd "$host" && "./$target" $limit -max_len=1024 -print_final_stats=1 \
      "$corpus" "$root/tests/reliability/corpus/$target" >"$target.log" 2>&1) || status=1
  grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec|^Done|ERROR|mismatch' \
      "$host/$target.log" || true
done
exit $status
