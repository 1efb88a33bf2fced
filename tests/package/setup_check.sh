#!/bin/sh
# scripts/setup.sh on a fresh machine made of stand-ins for apt-get, dpkg and dpkg-query that
# install nothing for real: an index that fails to refresh, once or every time, still lets the
# install go on; a package that cannot be had fails the set-up, which names it; a machine that
# has everything asks apt-get nothing.
# Usage: setup_check.sh SOURCE_DIR
root=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
stand_in() { printf '#!/bin/sh\n%s\n' "$2" > "$work/bin/$1" && chmod +x "$work/bin/$1"; }
stand_in sudo 'exec "$@"'
stand_in sleep ':'
stand_in dpkg ':'
# The package is the last argument.
stand_in dpkg-query 'for p; do :; done; grep -qx -- "$p" "$STATE/installed" && echo "install ok installed"'
# update fails the first UPDATE_FAILS times; install takes every package but BROKEN.
stand_in apt-get 'case $1 in
update) echo run >> "$STATE/updates"; [ $(wc -l < "$STATE/updates") -gt "$UPDATE_FAILS" ] ;;
install) shift; status=0
  for p; do case $p in -*) ;; "$BROKEN") status=100 ;; *) echo "$p" >> "$STATE/installed" ;; esac; done
  exit $status ;;
esac'

STATE=$work/state
export STATE
setup() {
  UPDATE_FAILS=$1 BROKEN=$2 PATH="$work/bin:$PATH" sh "$root/scripts/setup.sh" > "$STATE/said" 2>&1
  status=$?
  updates=$(($(wc -l < "$STATE/updates")))
}
fresh() {
  rm -rf "$STATE" && mkdir "$STATE" && : > "$STATE/installed" && : > "$STATE/updates"
  setup "$@"
}
bad=0
expect() {
  eval "$2" && return
  echo "$1: exit $status after $updates updates; it said: $(cat "$STATE/said")"
  bad=1
}

fresh 1 ""
expect "index fails once" '[ $status = 0 ] && [ $updates = 2 ]'
setup 0 ""
expect "everything in place" '[ $status = 0 ] && [ $updates = 2 ] && [ ! -s "$STATE/said" ]'
fresh 9 ""
expect "index always fails" '[ $status = 0 ] && [ $updates = 2 ]'
fresh 0 xvfb
expect "one package fails" '[ $status != 0 ] && grep -q "could not install: xvfb$" "$STATE/said"'
[ $bad = 0 ] && echo "setup.sh: a failing index goes on, a missing package is named"
exit $bad
