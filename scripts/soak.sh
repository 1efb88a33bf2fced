#!/bin/sh
# The long soak: the program under a steady stream of input from a second process, and the
# search in-process with its heap walked, for SOAK_SECONDS (default 150) of input each
# (the in-process flavour runs half of it). Prints the figures each soak measured; only
# here does the program soak check its pace (candidates reached, the longest stall). The
# divisor sums run their large exactness sets whole here (about a minute and a half), where
# make test keeps to samples of them, the handle census runs its thousand rounds and the model
# test of the event layer its five thousand sequences. Last,
# the whole test bundle for Windows runs from an unpacked copy under Wine's command
# interpreter, as its run-tests.cmd runs it there.
# Usage: scripts/soak.sh [BUILD_DIR]
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
export SOAK_SECONDS=${SOAK_SECONDS:-150} DIVISOR_SUM_FULL=1 CENSUS_FULL=1 EVENT_MODEL_FULL=1 \
  DIST_TESTS_ALL=1
log=$(mktemp)
"$here/test.sh" "$build" -R 'reliability_(program|search)_soak|perf_divisor_sum|panel_kinds_test|window_model_test|package_dist_tests' \
  -V >"$log" 2>&1
rc=$?
grep -E 'soak:|tests passed|Failure|Expected|actual|FAILED|(PASS|FAIL) |programs:|rely on Wine' \
  "$log" | sed 's/^[0-9]*: //'
[ $rc -eq 0 ] || tail -n 40 "$log"
rm -f "$log"
exit $rc
