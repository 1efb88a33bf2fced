#!/bin/sh
# Takes a picture of a program's window: starts it under Wine on a virtual display, waits
# until it has something to show, captures the screen and crops it to the window.
# Usage: scripts/screenshot.sh EXE OUTPUT.png [SECONDS]   (EXE lies in BUILD_DIR/bin)
exe=$1
out=$2
wait=${3:-4}
[ -n "$exe" ] && [ -n "$out" ] || { echo "usage: $0 EXE OUTPUT.png [SECONDS]" >&2; exit 2; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# A prefix of its own beside the build's test prefix, so that ending it ends nobody else's.
own_prefix=""
if [ -z "$WINEPREFIX" ]; then
    WINEPREFIX="$(cd "$(dirname "$exe")/.." && pwd)/wineprefix-screenshot"
    own_prefix=1
fi
export WINEPREFIX

# xwd and a real ImageMagick are needed here only, so they are installed here; so is the
# package that ships the symbol font Wine draws the caption buttons with.
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
need=""
for p in x11-apps imagemagick fonts-wine; do have "$p" || need="$need $p"; done
if [ -n "$need" ]; then
    SUDO=""
    [ "$(id -u)" = 0 ] || SUDO=sudo
    echo "screenshot: installing$need"
    $SUDO apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $need \
        >/dev/null || exit 1
fi

n=80
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
# A black root window, so that trimming the black border leaves the window alone.
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -br >/dev/null 2>&1 &
xvfb=$!
i=0
while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
export DISPLAY=":$n"

# A new prefix shows its "being updated" notice for several seconds, so it is brought up
# before the wait starts. Wine never reads the fonts folder of its own data directory on
# this system (the package's files lie there unseen), but it does read the prefix's Fonts
# folder; without the symbol font there the close box shows the letter "r".
wine cmd /c exit >/dev/null 2>&1
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/" || { kill "$xvfb"; exit 1; }
fi

# A virtual desktop of its own: Wine draws the caption and frame there, no window manager
# being at hand.
wine explorer /desktop=screenshot,1280x1024 "$exe" >/dev/null 2>&1 &
program=$!
sleep "$wait"
shot=$(mktemp /tmp/screenshot.XXXXXX)
xwd -root -silent > "$shot"
rc=0
/usr/bin/convert "xwd:$shot" -trim +repage "$out" || rc=1
rm -f "$shot"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
[ -n "$own_prefix" ] && wineserver -k
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
[ $rc = 0 ] && echo "screenshot: $out"
exit $rc
