#!/bin/sh
# The shipped program imports from the five platform libraries and nothing else.
# Usage: imports.sh PROGRAM.exe
exe=$1
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no import table read from $exe"; exit 1; }
status=0
for dll in $dlls; do
  case $dll in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|crtdll.dll) echo "import $dll" ;;
    *) echo "unexpected import: $dll"; status=1 ;;
  esac
done
exit $status
