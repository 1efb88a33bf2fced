// The scratch buffer as the in-process tests watch it: a stand-in that ends right before a
// page the process may not touch, so that a writer passing ScratchEnd() faults at once
// instead of spoiling a neighbour, and the piece a reader left in it.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/strings.h"

// Replaces the scratch buffer for the lifetime of the object. Its bytes are not zero, so that
// a reader that leaves out its terminating zero shows; the cursor starts on an empty text at
// the buffer's start. The runtime's own buffer and cursor come back afterwards.
class GuardedScratch {
public:
    GuardedScratch();
    ~GuardedScratch();
    char *Buffer() const { return Start; }
    // Puts the cursor on an empty text where exactly `characters` characters and a zero fit.
    void LeaveRoom(int characters);

private:
    char *Region = nullptr;
    char *Start = nullptr;
    ScratchState Saved;
};

// The piece that starts at a place in the scratch buffer, up to its zero.
inline std::string PieceAt(const char *start) { return start ? std::string(start) : std::string(); }
