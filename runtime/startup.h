// What a program on the runtime writes and finds at start: its ProgramStatements, the module
// it runs in and its command tail. The process entry, prologue and epilogue around it:
// internal/startup.h.
#pragma once

#include <windows.h>
#include <stdint.h>

// Exit code when the private heap or the scratch buffer cannot be had at start-up.
enum { StartupExitNoMemory = 3 };

// Process-wide state of the runtime core. Zero at start; the prologue zeroes it again.
struct RuntimeState {
    HMODULE ModuleHandle;        // the program's module: instance of every class and window
    HANDLE RuntimeHeap;          // private heap; destroyed whole by the epilogue
    char ModuleDirectory[500];   // the program's directory with its trailing backslash; kept
                                 // for the program, nothing of the runtime reads it
};

extern RuntimeState Runtime;

// The program's own statements; every program built on the runtime defines it.
void ProgramStatements(void);

// The command tail behind the program's name, as the process entry hands it to the program:
// a pointer into the process command line, which the program must not change.
const char *StartupCommandTail(void);
