#!/bin/sh
# Writes the test bundle for Windows: every test program that ctest runs under Wine, the
# programs they start beside them (they look there when the build tree is not at hand), and
# run-tests.cmd with the list of programs it runs. The list is the build's dist-tests.txt.
# Usage: scripts/dist-tests.sh BUILD_DIR OUT_DIR
set -e
build=$(cd "${1:-build}" && pwd)
out=${2:-dist}
root=$(cd "$(dirname "$0")/.." && pwd)
list="$build/dist-tests.txt"
[ -f "$list" ] || { echo "dist-tests: $list is missing (configure first)" >&2; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="$stage/amicable-tests"
mkdir -p "$folder"
while read -r kind file; do
  [ -f "$file" ] || { echo "dist-tests: $file is missing (build first)" >&2; exit 1; }
  cp "$file" "$folder/"
  [ "$kind" = test ] || continue
  # Symbols would triple the download; a failing test names itself in its output.
  i686-w64-mingw32-strip "$folder/$(basename "$file")"
  printf '%s\r\n' "$(basename "$file" .exe)" >>"$folder/tests.txt"
done <"$list"
# The command interpreter wants Windows line ends.
sed 's/$/\r/' "$root/scripts/run-tests.cmd" >"$folder/run-tests.cmd"
mkdir -p "$out"
zipfile="$(cd "$out" && pwd)/amicable-tests-win32.zip"
rm -f "$zipfile"
(cd "$stage" && zip -qrX "$zipfile" amicable-tests)
echo "$zipfile"
