#!/bin/sh
# A shipped program imports from the five platform libraries only, and from each of them only
# the functions the runtime is built on: a name the compiler slipped in (strlen) fails here.
# Beyond them: InSendMessageEx tells the window procedure a message came from another thread;
# GetWindowThreadProcessId and GetCurrentThreadId let an operation refuse another program's
# window; DestroyAcceleratorTable gives the Tab table back at the end.
# Usage: imports.sh PROGRAM.exe...
status=0
for exe in "$@"; do
  i686-w64-mingw32-objdump -p "$exe" | awk -v exe="$exe" '
    BEGIN {
      allowed["kernel32.dll"] = "GetCommandLineA GetModuleHandleA GetModuleFileNameA HeapCreate" \
        " HeapAlloc HeapReAlloc HeapFree HeapDestroy RtlZeroMemory ExitProcess GetCurrentThreadId"
      allowed["user32.dll"] = "RegisterClassA UnregisterClassA CreateWindowExA DestroyWindow" \
        " AdjustWindowRect GetWindowRect GetClientRect MoveWindow SetWindowPos ShowWindow SetMenu" \
        " RedrawWindow GetMessageA PeekMessageA TranslateAcceleratorA CreateAcceleratorTableA" \
        " TranslateMessage DispatchMessageA DefWindowProcA PostMessageA SendMessageA GetFocus" \
        " SetFocus GetActiveWindow IsChild EnumChildWindows IsWindowEnabled IsWindowVisible" \
        " EnableWindow GetWindow GetParent GetWindowLongA GetClassNameA SetWindowTextA" \
        " GetWindowTextA wvsprintfA LoadIconA LoadCursorA GetSysColor GetSystemMetrics" \
        " GetCursorPos InSendMessageEx GetWindowThreadProcessId DestroyAcceleratorTable"
      allowed["gdi32.dll"] = "GetStockObject"
      allowed["comctl32.dll"] = "InitCommonControls"
      allowed["crtdll.dll"] = "__GetMainArgs exit strchr signal raise"
      for (dll in allowed) {
        n = split(allowed[dll], names, " ")
        for (i = 1; i <= n; i++) ok[dll, names[i]] = 1
      }
    }
    /^[[:space:]]*DLL Name:/ {
      dll = tolower($3); dlls++; listing = 0
      if (!(dll in allowed)) { print exe ": unexpected library " dll; bad = 1 }
      next
    }
    /^[[:space:]]*vma:[[:space:]]*Hint\/Ord/ { listing = dll != ""; next }
    /^[[:space:]]*$/ { listing = 0; next }
    listing {
      # vma, hint or ordinal, name; an import by ordinal alone has no name to allow
      name = NF >= 3 ? $3 : "(ordinal " $2 ")"
      if (!ok[dll, name]) { print exe ": unexpected import " dll " " name; bad = 1 }
      else imports++
    }
    END {
      if (!dlls) { print exe ": no import table read"; exit 1 }
      if (!bad) print exe ": " imports " imports from " dlls " libraries, all allowed"
      exit bad
    }' || status=1
done
exit $status
