#!/bin/sh
# Checks, without changing anything, that the shipped code, the tests and the benchmarks
# read as the project's .clang-format lays them out; names every file that does not and
# fails then. Usage: scripts/format-check.sh [FILE...] (default: every source file)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
format=$(command -v clang-format-14 || command -v clang-format) ||
  { echo "format-check: clang-format is missing (make setup installs it)" >&2; exit 2; }
if [ $# -eq 0 ]; then
  set -- $(find runtime window gadget app examples tests bench -type f \
             \( -name '*.cpp' -o -name '*.h' \) -not -path '*/corpus/*' | sort)
fi
bad=0
for f in "$@"; do
  if ! "$format" --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "format-check: not formatted: $f"
    bad=$((bad + 1))
  fi
done
if [ $bad -ne 0 ]; then
  echo "format-check: $bad of $# files differ; clang-format -i --style=file FILE shows how" >&2
  exit 1
fi
echo "format-check: $# files formatted"
