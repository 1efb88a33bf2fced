#!/bin/sh
# A few seconds of one fuzz target, from its checked-in seeds, in a scratch corpus so
# that nothing in the source tree changes. Usage: fuzz_smoke.sh TARGET SEED_DIR
target=${1:?fuzz target}; seeds=${2:?seed directory}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
[ -d "$seeds" ] && cp "$seeds"/* "$work/corpus/" 2>/dev/null
cd "$work" || exit 1
"$target" -max_total_time=4 -max_len=1024 -print_final_stats=1 corpus >log 2>&1
rc=$?
tail -15 log
exit $rc
