#!/bin/sh
# The test bundle for Windows, written and unpacked as a user gets it, run by its own
# run-tests.cmd under Wine's command interpreter. By default two quick programs and a name
# that is not in the bundle, with the tests that rely on Wine taken down their Windows path:
# the run must fail for the missing one alone and list the skipped test apart. With
# DIST_TESTS_ALL set (make soak) every program runs, as under Wine, and all must pass.
# Usage: dist_tests_check.sh BUILD_DIR
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/scripts/dist-tests.sh" "$build" "$work" >/dev/null || exit 1
unzip -q "$work/amicable-tests-win32.zip" -d "$work" || exit 1
cd "$work/amicable-tests" || exit 1

# Prints the logs of the programs that failed, so that ctest shows why.
failed_logs() {
  sed -n 's/^FAIL \([^:]*\): exit code.*/\1/p' "$work/out" | while read -r name; do
    echo "--- $name"
    cat "logs/$name.txt"
  done
}

if [ -n "$DIST_TESTS_ALL" ]; then
  # As a user starts it: the programs' own lengths, not the soak's.
  env -u SOAK_SECONDS -u DIVISOR_SUM_FULL -u CENSUS_FULL wine cmd /c run-tests.cmd >"$work/raw" 2>&1
  rc=$?
  tr -d '\r' <"$work/raw" >"$work/out"
  cat "$work/out"
  count=$(wc -l <tests.txt)
  grep -qx "programs: $count passed, 0 failed" "$work/out" || rc=1
  [ $rc -eq 0 ] || { failed_logs; exit 1; }
  exit 0
fi

WINE_ASSUMES_AS_ON_WINDOWS=1 wine cmd /c run-tests.cmd core_runtime_test window_events_test \
  no_such_test >"$work/raw" 2>&1
rc=$?
tr -d '\r' <"$work/raw" >"$work/out"
cat "$work/out"
# Each line must be there as it stands (a grep pattern of a whole line).
fail=0
for line in 'PASS core_runtime_test' 'PASS window_events_test' \
  'FAIL no_such_test: no such program' 'Tests that rely on Wine, skipped: 1' \
  '  window_events_test: Events\.AWindowOpenedHiddenIsSizedWhenFirstShown: .*' \
  'programs: 2 passed, 1 failed'; do
  grep -qx "$line" "$work/out" || { echo "dist-tests: no line \"$line\""; fail=1; }
done
[ $rc -eq 1 ] || { echo "dist-tests: exit code $rc, not 1"; fail=1; }
[ $fail -eq 0 ] || failed_logs
exit $fail
