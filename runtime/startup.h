// Process entry, runtime prologue and epilogue, and the private heap from which every
// runtime allocation comes. The program itself supplies ProgramStatements.
#pragma once

#include <windows.h>
#include <stdint.h>

// Process-wide state of the runtime core. Zero at start; the prologue zeroes it again.
struct RuntimeState {
    HMODULE ModuleHandle;        // the program's module: instance of every class and window
    HANDLE RuntimeHeap;          // private heap; destroyed whole by the epilogue
    char ModuleDirectory[500];   // the program's directory with its trailing backslash
    uint32_t HeapAllocations;    // blocks handed out so far (tests watch it)
    uint32_t HeapFailAt;         // test hook: the allocation with this count fails; 0 = never
};

extern RuntimeState Runtime;

// Exit code when the private heap or the scratch buffer cannot be had at start-up.
enum { StartupExitNoMemory = 3 };

// The process entry: guard, command tail, ProgramMain. Never returns.
extern "C" void __stdcall StartupEntry(void);

// Computes the command tail and calls ProgramMain with it.
int32_t CommandTailSplit(void);

// The tail of a command line, as CommandTailSplit computes it: a pointer into the text.
const char *CommandTailScan(const char *commandLine);

// Cuts a module file name behind its last backslash, in place.
void ModuleDirectoryCut(char *fileName);

// Prologue, the program's statements, epilogue; ends the process with exit code 0.
int32_t __stdcall ProgramMain(HMODULE module, HMODULE previous, const char *tail, int32_t show);

// Prologue steps 1 to 7: runtime state, heap, module directory, both layers, scratch buffer.
// Returns 0 when the heap or the scratch buffer could not be had.
int RuntimePrologue(void);

// Epilogue steps 1 and 2: the window layer's end step, then the heap goes. (ProgramMain
// ends the process after it.)
void RuntimeEpilogue(void);

// The program's own statements; every program built on the runtime defines it.
void ProgramStatements(void);

// The one way to the private heap. A failed allocation returns null and callers refuse the
// operation; nothing is written through a null block.
void *HeapAllocate(uint32_t size, int zeroFill);
void *HeapReallocateZero(void *block, uint32_t size);
void HeapRelease(void *block);
