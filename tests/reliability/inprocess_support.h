// The runtime brought up once per test program, as the program's prologue does, and a
// scratch buffer that ends at a page the process may not touch.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/startup.h"
#include "runtime/strings.h"

// A ScratchBufferSize buffer whose last byte is the last byte before a PAGE_NOACCESS page:
// a writer that passes ScratchEnd() faults at once instead of spoiling a neighbour.
class GuardedScratch {
public:
    GuardedScratch();
    ~GuardedScratch();
    char *Buffer() const { return Start; }

private:
    char *Region = nullptr;
    char *Start = nullptr;
    ScratchState Saved;
};

// Reads the piece that starts at a place in the scratch buffer, up to its zero.
inline std::string PieceAt(const char *start) { return start ? std::string(start) : std::string(); }
