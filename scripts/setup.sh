#!/bin/sh
# Installs what building and testing need on a fresh Debian 12 machine; a second call
# finds everything in place and returns at once. A package index that fails to refresh
# (a mirror in the middle of a sync) does not stop it: the packages may still be had.
set -e
need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
for p in g++-mingw-w64-i686-posix mingw-w64-i686-dev wine wine32:i386 xvfb xauth cmake googletest make clang libclang-rt-14-dev g++-multilib clang-format zip unzip; do
  have "$p" || need="$need $p"
done
[ -z "$need" ] && exit 0
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
echo "setup: installing$need"
$SUDO dpkg --add-architecture i386
if ! $SUDO apt-get update -q; then
  echo "setup: the package index did not refresh whole; trying once more" >&2
  sleep 5
  $SUDO apt-get update -q || echo "setup: going on with the indexes that did refresh" >&2
fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $need || true
missing=""
for p in $need; do
  have "$p" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "setup: could not install:$missing" >&2
  exit 1
fi
