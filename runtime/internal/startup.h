// The process entry, the runtime prologue and epilogue around a program's statements, and
// the two text scans of start-up. Only the runtime and its tests call these.
#pragma once

#include "runtime/startup.h"

// The process entry: guard, command tail, ProgramMain. Never returns.
extern "C" void __stdcall StartupEntry(void);

// Computes the command tail and calls ProgramMain with it.
int32_t CommandTailSplit(void);

// The tail of a command line, as CommandTailSplit computes it: a pointer into the text.
const char *CommandTailScan(const char *commandLine);

// Cuts a module file name behind its last backslash, in place.
void ModuleDirectoryCut(char *fileName);

// Prologue, static constructors, the program's statements, static destructors, epilogue;
// ends the process with exit code 0.
int32_t __stdcall ProgramMain(HMODULE module, HMODULE previous, const char *tail, int32_t show);

// Prologue steps 1 to 7: runtime state, heap, module directory, both layers, scratch buffer.
// Returns 0 when the heap or the scratch buffer could not be had.
int RuntimePrologue(void);

// Epilogue steps 1 and 2: the gadget and window layers' end steps, then the heap goes. (ProgramMain
// ends the process after it.)
void RuntimeEpilogue(void);

// The program's static constructors and dynamic initialisers, in the compiler's order.
void StartupConstruct(void);

// The destructors registered with atexit, newest first, then the linker's destructor list.
void StartupDestruct(void);
