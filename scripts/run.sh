#!/bin/sh
# Starts the search program under Wine. On a desktop (DISPLAY set) its window opens there.
# Without one it runs on a virtual display, and the terminal mirrors what its window shows,
# read from the window itself: the number under test and each new pair line. Ctrl-C then
# closes the window through its close box and prints the program's exit code.
# Usage: scripts/run.sh BUILD_DIR
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
exe="$build/bin/amicable.exe"
watch="$build/bin/amicable_watch.exe"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

if [ -n "$DISPLAY" ]; then
    wine "$exe"
    rc=$?
    echo "amicable.exe ended with exit code $rc"
    exit "${rc:-1}"
fi

[ -f "$watch" ] || cmake --build "$build" --target amicable_watch >/dev/null || exit 1

# A free display number for the virtual screen.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -br >/dev/null 2>&1 &
xvfb=$!
i=0
while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
export DISPLAY=":$n"
echo "virtual display $DISPLAY"

# The watcher and the program run in a session of their own, so that Ctrl-C reaches this
# script alone; its trap leaves the stop file, on which the watcher closes the window as a
# click on its close box would. The watcher writes through a pipe, so that its line updates
# reach the terminal unchanged.
rcfile=$(mktemp /tmp/amicable-run.XXXXXX)
stopfile="$rcfile.stop"
# Wine's own complaints (a lost X connection at the end) go to a log shown on failure only.
( trap '' INT; setsid wine "$watch" --stop-file "$stopfile" 2>"$rcfile.log"; echo $? > "$rcfile" ) |
    ( trap '' INT; exec cat ) &
mirror=$!
trap 'touch "$stopfile"' INT TERM
while kill -0 "$mirror" 2>/dev/null; do wait "$mirror"; done
rc=$(cat "$rcfile")
[ "$rc" = 0 ] || cat "$rcfile.log" >&2
rm -f "$rcfile" "$rcfile.log" "$stopfile"
trap - INT TERM
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit "${rc:-1}"
