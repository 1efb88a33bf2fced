// The guarded scratch buffer: ScratchBufferSize bytes placed so that the last one is the last
// byte before a PAGE_NOACCESS page.
#include "scratch.h"

#include <gtest/gtest.h>

#include <string.h>

enum { GuardedScratchFill = 0x5A };

GuardedScratch::GuardedScratch() : Saved(Scratch)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    const DWORD body = (ScratchBufferSize + page - 1) / page * page;
    Region = (char *)VirtualAlloc(nullptr, body + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old;
    if (!Region || !VirtualProtect(Region + body, page, PAGE_NOACCESS, &old)) {
        ADD_FAILURE() << "no guarded scratch buffer: error " << GetLastError();
        if (Region) VirtualFree(Region, 0, MEM_RELEASE);
        Region = nullptr;
        return;
    }
    Start = Region + body - ScratchBufferSize;
    memset(Start, GuardedScratchFill, ScratchBufferSize);
    *Start = 0;
    Scratch.ScratchBuffer = Scratch.ScratchCursor = Start;
}

GuardedScratch::~GuardedScratch()
{
    if (!Region) return;
    Scratch = Saved;
    VirtualFree(Region, 0, MEM_RELEASE);
}

void GuardedScratch::LeaveRoom(int characters)
{
    Scratch.ScratchCursor = ScratchEnd() - characters;
    *Scratch.ScratchCursor = 0;
}
