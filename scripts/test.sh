#!/bin/sh
# Runs every test program under Wine on one virtual X display, with one wineserver kept
# alive for the whole run. Each build folder has a Wine prefix of its own, so that ending
# this run's wineserver cannot cut short another run's programs.
# Usage: scripts/test.sh BUILD_DIR [ctest arguments]
build=${1:-build}; shift 2>/dev/null
build=$(cd "$build" && pwd)
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# A kernel booted without 32-bit emulation refuses every 32-bit program, Wine's own loader
# included. Such a machine can run only the tests that execute no 32-bit x86 code; it says
# so, names every test it could not run, and leaves them out rather than failing them.
loader=/usr/lib/wine/wine
if [ -x "$loader" ] && { "$loader" --version >/dev/null 2>&1; [ $? -eq 126 ]; }; then
  echo "test: THIS MACHINE'S KERNEL REFUSES 32-BIT PROGRAMS (Exec format error from $loader)."
  echo "test: Not run here, every one of them untested by this run:"
  ctest --test-dir "$build" -N -L x86-32 | sed -n 's/^ *Test *#[0-9]*: /test:   /p'
  exec ctest --test-dir "$build" --output-on-failure -LE x86-32 "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  wineserver -p
  # A command shell that waits on an empty pipe for the whole run keeps the Wine desktop up.
  # Otherwise the desktop ends after a few idle seconds, and every later test program starts
  # it again with the test'"'"'s output pipe inherited, so ctest waits about a second after each.
  pipe=$(mktemp -u) && mkfifo "$pipe" && { wine cmd <"$pipe" >/dev/null 2>&1 & exec 3>"$pipe"; }
  rm -f "$pipe"
  wine cmd /c exit >/dev/null 2>&1   # bring the prefix up once, outside any test timing
  ctest --test-dir "$0" --output-on-failure "$@"
  rc=$?
  wineserver -k
  exit $rc' "$build" "$@"
