#!/bin/sh
# The start-up probe's code, read on the build machine: its 256 KiB frame is set aside through
# the compiler's stack probe (the size in eax, a call, then esp lowered by eax), no frame of a
# page or more by a bare subtraction, and the library that brings the probe adds no DLL.
# Usage: stack_probe.sh PROBE.exe
exe=$1
i686-w64-mingw32-objdump -d --no-show-raw-insn "$exe" | awk -v exe="$exe" '
  { ins = $0; sub(/^[^\t]*\t/, "", ins) }
  ins ~ /^sub +%eax,%esp/ && prev ~ /^call/ && before ~ /^mov +\$0x[0-9a-f]+,%eax/ { probed++ }
  ins ~ /^sub +\$0x[0-9a-f][0-9a-f][0-9a-f][0-9a-f]+,%esp/ {
    print exe ": unprobed frame: " ins; bad = 1
  }
  { before = prev; prev = ins }
  END {
    if (!probed) { print exe ": no frame set aside through the stack probe"; bad = 1 }
    exit bad
  }' || exit 1
i686-w64-mingw32-objdump -p "$exe" | awk -v exe="$exe" '
  /^[[:space:]]*DLL Name:/ {
    dll = tolower($3); dlls++
    if (dll !~ /^(kernel32|user32|gdi32|comctl32|crtdll)\.dll$/) {
      print exe ": imports " dll; bad = 1
    }
  }
  END {
    if (!dlls) { print exe ": no import table read"; bad = 1 }
    else if (!bad) print exe ": frames probed, imports from " dlls " libraries, all allowed"
    exit bad
  }'
