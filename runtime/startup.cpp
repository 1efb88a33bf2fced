// The runtime's prologue and epilogue around a program's statements, and the two text
// scans of start-up: the command tail and the module directory.
#include "runtime/internal/startup.h"

#include <string.h>

#include "runtime/internal/containers.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "gadget/internal/gadgets.h"
#include "window/internal/windows.h"

const char *CommandTailScan(const char *line)
{
    const char *p = line;
    if (*p == '"') {
        const char *close = strchr(p + 1, '"');
        if (!close) return line;
        p = close + 1;
    } else {
        while (*p && *p != ' ') p++;
    }
    while (*p == ' ') p++;
    return p;
}

const char *StartupCommandTail(void)
{
    return CommandTailScan(GetCommandLineA());
}

void ModuleDirectoryCut(char *fileName)
{
    char *cut = fileName;
    for (char *p = fileName; *p; p++)
        if (*p == '\\') cut = p + 1;
    *cut = 0;
}

int RuntimePrologue(void)
{
    RtlZeroMemory(&Runtime, sizeof Runtime);
    RtlZeroMemory(&Heap, sizeof Heap);
    RtlZeroMemory(&Scratch, sizeof Scratch);
    RtlZeroMemory(&Containers, sizeof Containers);
    Runtime.ModuleHandle = GetModuleHandleA(nullptr);
    Runtime.RuntimeHeap = HeapCreate(0, RuntimeHeapInitialSize, 0);
    if (!Runtime.RuntimeHeap) return 0;
    GetModuleFileNameA(Runtime.ModuleHandle, Runtime.ModuleDirectory,
                       sizeof Runtime.ModuleDirectory);
    // A name cut short by the platform may lack its terminator.
    Runtime.ModuleDirectory[sizeof Runtime.ModuleDirectory - 1] = 0;
    ModuleDirectoryCut(Runtime.ModuleDirectory);
    GadgetLayerInit();
    WindowLayerInit();
    return ScratchBufferInit();
}

void RuntimeEpilogue(void)
{
    GadgetLayerEnd();
    WindowLayerEnd();
    if (Runtime.RuntimeHeap) HeapDestroy(Runtime.RuntimeHeap);
    Runtime.RuntimeHeap = nullptr;
    Scratch.ScratchBuffer = Scratch.ScratchCursor = nullptr;
}
