#!/bin/sh
# Every operation the installed headers declare has its line in docs/api.md, and every
# operation line there names something the installed headers still declare.
#
# What is installed: the headers directly in runtime/, window/ and gadget/, that is the chief
# headers programs include and gadget/kinds.h for kind writers; each layer's internal/ folder
# stays behind, so an installed header that includes one would not compile outside the tree.
# What counts: every function declared or defined in a line of those headers that starts in
# column one (not indented, not a comment, preprocessor line, typedef or static_assert); its
# name is the identifier in front of the line's first "(". Members of records are indented
# and so never count. There is no exclusion list: operations a program calls are documented
# under their layer, the kind writer's under "Inside the layers"; either way it has a table
# row of its own whose first cell is `Name`.
# Backwards: the first cell of every table row in docs/api.md that holds a lone `Name` must
# name an identifier found in those headers, so that a renamed or withdrawn operation leaves
# no stale line.
# Usage: api_check.sh SOURCE_DIR
src=${1:-.}
doc=$src/docs/api.md
[ -f "$doc" ] || { echo "missing $doc"; exit 1; }
headers=$(ls "$src"/runtime/*.h "$src"/window/*.h "$src"/gadget/*.h 2>/dev/null)
[ -n "$headers" ] || { echo "no headers found under $src"; exit 1; }
inward=$(grep -l '^#include "[a-z]*/internal/' $headers)
[ -z "$inward" ] || { echo "installed headers that include an internal one: $inward"; exit 1; }
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

cat $headers > "$work/headers"
grep -v -e '^[[:space:]]' -e '^//' -e '^/\*' -e '^#' -e '^typedef' -e '^static_assert' \
    "$work/headers" |
  sed -n 's/^[^(]*[^A-Za-z0-9_(]\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*(.*/\1/p
          s/^\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*(.*/\1/p' | sort -u > "$work/declared"
[ -s "$work/declared" ] || { echo "no operations found in the headers"; exit 1; }
grep -o -w '[A-Za-z_][A-Za-z0-9_]*' "$work/headers" | sort -u > "$work/words"
sed -n 's/^|[[:space:]]*`\([A-Za-z_][A-Za-z0-9_]*\)`[[:space:]]*|.*/\1/p' "$doc" | sort -u \
  > "$work/rows"

status=0
missing=$(comm -23 "$work/declared" "$work/rows" | tr '\n' ' ')
if [ -n "$missing" ]; then
  echo "declared in a header but with no row in docs/api.md: $missing"
  status=1
fi
stale=$(comm -23 "$work/rows" "$work/words" | tr '\n' ' ')
if [ -n "$stale" ]; then
  echo "in docs/api.md but declared in no header: $stale"
  status=1
fi
[ $status -eq 0 ] && echo "$(wc -l < "$work/declared") installed operations, each in docs/api.md"
exit $status
