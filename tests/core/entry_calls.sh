#!/bin/sh
# The process entry's platform calls, read from a program as linked: the calls reached from the
# entry point (through an import's jump or straight through its address-table slot), following
# direct calls a few levels down in the order they stand, include the
# start-up's steps in the start-up's order (the main arguments from crtdll before the command
# line is taken, the command line before the module, the heap and the module's file name).
# Usage: entry_calls.sh PROGRAM.exe...
status=0
for exe in "$@"; do
  { i686-w64-mingw32-objdump -p "$exe"; echo "==== code"
    i686-w64-mingw32-objdump -d --no-show-raw-insn "$exe"; } | awk -v exe="$exe" '
    function hex(s,    i, v) {
      v = 0; s = tolower(s)
      for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
      return v
    }
    # The platform calls of the function at address a, in order, into calls[]; its calls to
    # functions of the program are followed depth levels further down.
    function walk(a, depth,    i, ins, target) {
      if (seen[a]++ || !(a in at)) return
      for (i = at[a]; i <= count; i++) {
        ins = code[i]
        if (ins ~ /^(ret|nop|xchg +%ax,%ax|lea +0x0\(%e[sd]i|int3)/) return
        if (ins ~ /^call +\*0x[0-9a-f]+$/) {
          target = hex(substr(ins, index(ins, "0x") + 2))
          if (target in name) calls[++called] = name[target]
          if (name[target] == "ExitProcess") return
        } else if (ins ~ /^(call|jmp) +0x[0-9a-f]+$/) {
          target = hex(substr(ins, index(ins, "0x") + 2))
          if (target in thunk) {
            calls[++called] = thunk[target]
            if (thunk[target] == "ExitProcess" || thunk[target] == "exit") return
          } else if (depth > 0) walk(target, depth - 1)
          if (ins ~ /^jmp/) return
        }
      }
    }
    /^ImageBase/ { base = hex($2) }
    /^AddressOfEntryPoint/ { entry = hex($2) }
    # An import directory row: ..., name RVA, first thunk (the import address table) RVA.
    /^ [0-9a-f]+\t[0-9a-f]+ [0-9a-f]+ [0-9a-f]+ [0-9a-f]+ [0-9a-f]+$/ && !code_part {
      slot = hex($6); next
    }
    /^\tvma: +Hint/ { listing = 1; next }
    listing && /^\t[0-9a-f]+\t/ { name[base + slot] = $3; slot += 4; next }
    /^[[:space:]]*$/ { listing = 0 }
    /^==== code/ { code_part = 1; next }
    code_part && /^ +[0-9a-f]+:\t/ {
      split($0, part, "\t")
      gsub(/[ :]/, "", part[1])
      address = hex(part[1]); ins = part[2]; count++
      code[count] = ins; at[address] = count
      if (ins ~ /^jmp +\*0x[0-9a-f]+$/) {
        slotAddress = hex(substr(ins, index(ins, "0x") + 2))
        if (slotAddress in name) thunk[address] = name[slotAddress]
      }
    }
    END {
      walk(base + entry, 4)
      n = split("__GetMainArgs GetCommandLineA GetModuleHandleA HeapCreate GetModuleFileNameA", want, " ")
      j = 1; list = ""
      for (i = 1; i <= called; i++) {
        list = list " " calls[i]
        if (j <= n && calls[i] == want[j]) j++
      }
      if (j <= n) {
        print exe ": the entry calls" list "; missing in order from " want[j]
        exit 1
      }
      print exe ": the entry calls" list
    }' || status=1
done
exit $status
