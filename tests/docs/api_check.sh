#!/bin/sh
# Every operation the installed headers declare has its line in docs/api.md, and every
# operation line there names something the installed headers still declare; the same between
# the internal headers and docs/internals.md.
#
# What is installed: the headers directly in runtime/, window/ and gadget/, that is the chief
# headers programs include and gadget/kinds.h for kind writers. Each layer's internal/ folder
# stays behind, so an installed header that includes one would not compile outside the tree.
# What counts: every function declared or defined in a line of those headers that starts in
# column one (not indented, not a comment, preprocessor line, typedef or static_assert); its
# name is the identifier in front of the line's first "(". Members of records are indented
# and so never count. There is no exclusion list: every such operation has a table row of its
# own whose first cell is `Name`.
# Backwards: the first cell of every table row that holds a lone `Name` must name an
# identifier found in those headers, so that a renamed, withdrawn or moved operation leaves no
# stale line.
# Usage: api_check.sh SOURCE_DIR
src=${1:-.}
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
status=0

# check NAME DOC HEADERS...: the headers' operations against the rows of DOC.
check() {
  name=$1 doc=$2
  shift 2
  [ -f "$doc" ] || { echo "missing $doc"; status=1; return; }
  [ $# -gt 0 ] && [ -f "$1" ] || { echo "no $name headers found under $src"; status=1; return; }
  cat "$@" > "$work/headers"
  grep -v -e '^[[:space:]]' -e '^//' -e '^/\*' -e '^#' -e '^typedef' -e '^static_assert' \
      "$work/headers" |
    sed -n 's/^[^(]*[^A-Za-z0-9_(]\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*(.*/\1/p
            s/^\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*(.*/\1/p' | sort -u > "$work/declared"
  [ -s "$work/declared" ] || { echo "no operations found in the $name headers"; status=1; return; }
  grep -o -w '[A-Za-z_][A-Za-z0-9_]*' "$work/headers" | sort -u > "$work/words"
  sed -n 's/^|[[:space:]]*`\([A-Za-z_][A-Za-z0-9_]*\)`[[:space:]]*|.*/\1/p' "$doc" | sort -u \
    > "$work/rows"
  ok=1
  missing=$(comm -23 "$work/declared" "$work/rows" | tr '\n' ' ')
  if [ -n "$missing" ]; then
    echo "declared in an $name header but with no row in $doc: $missing"
    ok=0
  fi
  stale=$(comm -23 "$work/rows" "$work/words" | tr '\n' ' ')
  if [ -n "$stale" ]; then
    echo "in $doc but declared in no $name header: $stale"
    ok=0
  fi
  if [ $ok -eq 1 ]; then
    echo "$(wc -l < "$work/declared") $name operations, each in $doc"
  else
    status=1
  fi
}

installed=$(ls "$src"/runtime/*.h "$src"/window/*.h "$src"/gadget/*.h 2>/dev/null)
inward=$(grep -l '^#include "[a-z]*/internal/' $installed)
if [ -n "$inward" ]; then
  echo "installed headers that include an internal one: $inward"
  status=1
fi
check installed "$src/docs/api.md" $installed
check internal "$src/docs/internals.md" \
  $(ls "$src"/runtime/internal/*.h "$src"/window/internal/*.h "$src"/gadget/internal/*.h 2>/dev/null)
exit $status
