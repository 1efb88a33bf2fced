#!/bin/sh
# Writes the Windows download: one zip holding both programs, the installed runtime package,
# the API reference and a text on running the programs (with Windows line ends).
# Usage: scripts/dist.sh BUILD_DIR OUT_DIR
set -e
build=$(cd "${1:-build}" && pwd)
out=${2:-dist}
root=$(cd "$(dirname "$0")/.." && pwd)
for file in "$root/docs/api.md" "$build/bin/amicable.exe" "$build/bin/gallery.exe"; do
  [ -f "$file" ] || { echo "dist: $file is missing" >&2; exit 1; }
done
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="$stage/amicable"
cmake --install "$build" --prefix "$folder" >/dev/null
cp "$build/bin/amicable.exe" "$build/bin/gallery.exe" "$folder/"
mkdir -p "$folder/docs"
cp "$root/docs/api.md" "$folder/docs/"
sed 's/$/\r/' "$root/docs/windows.txt" >"$folder/README.txt"
mkdir -p "$out"
zipfile="$(cd "$out" && pwd)/amicable-win32.zip"
rm -f "$zipfile"
(cd "$stage" && zip -qrX "$zipfile" amicable)
echo "$zipfile"
