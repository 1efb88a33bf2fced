// The scratch buffer as the tests watch it: a stand-in whose last byte is the last one the
// process may touch, so that a writer passing ScratchEnd() faults at once instead of spoiling
// a neighbour, and the piece a reader left in it. Header only: the native build uses it too.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "runtime/internal/strings.h"

// Replaces the scratch buffer for the lifetime of the object. Its bytes are not zero, so that
// a reader that leaves out its terminating zero shows; the cursor starts on an empty text at
// the buffer's start. The buffer and cursor in place before come back afterwards.
class GuardedScratch {
  public:
    GuardedScratch() : Saved(Scratch)
    {
#ifdef _WIN32
        // Behind the buffer lies a PAGE_NOACCESS page.
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const DWORD page = info.dwPageSize;
        const DWORD body = (ScratchBufferSize + page - 1) / page * page;
        Region =
            (char *)VirtualAlloc(nullptr, body + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        DWORD old;
        if (Region && !VirtualProtect(Region + body, page, PAGE_NOACCESS, &old)) {
            VirtualFree(Region, 0, MEM_RELEASE);
            Region = nullptr;
        }
        char *start = Region ? Region + body - ScratchBufferSize : nullptr;
#else
        // The native build's sanitizer poisons the bytes behind a block of exactly this size.
        Region = (char *)malloc(ScratchBufferSize);
        char *start = Region;
#endif
        if (!Region) {
            ADD_FAILURE() << "no guarded scratch buffer";
            return;
        }
        memset(start, 0x5A, ScratchBufferSize);
        *start = 0;
        Scratch.ScratchBuffer = Scratch.ScratchCursor = start;
    }

    ~GuardedScratch()
    {
        if (!Region) return;
        Scratch = Saved;
#ifdef _WIN32
        VirtualFree(Region, 0, MEM_RELEASE);
#else
        free(Region);
#endif
    }

    GuardedScratch(const GuardedScratch &) = delete;
    GuardedScratch &operator=(const GuardedScratch &) = delete;

    // Puts the cursor on an empty text where exactly `characters` characters and a zero fit.
    void LeaveRoom(int characters)
    {
        Scratch.ScratchCursor = ScratchEnd() - characters;
        *Scratch.ScratchCursor = 0;
    }

  private:
    char *Region = nullptr;
    ScratchState Saved;
};

// The piece that starts at a place in the scratch buffer, up to its zero.
inline std::string PieceAt(const char *start)
{
    return start ? std::string(start) : std::string();
}

// What a reader appends at the scratch cursor, with the cursor checked to rest on its zero;
// the cursor is given back after.
template <typename Reader> std::string ScratchRead(Reader read)
{
    char *start = Scratch.ScratchCursor;
    read();
    std::string text = PieceAt(start);
    EXPECT_EQ(Scratch.ScratchCursor, start + text.size()) << "cursor not on the text's zero";
    Scratch.ScratchCursor = start;
    return text;
}
