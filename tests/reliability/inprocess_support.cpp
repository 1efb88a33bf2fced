// The guarded scratch buffer.
#include "inprocess_support.h"

#include <gtest/gtest.h>

GuardedScratch::GuardedScratch()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    const DWORD body = (ScratchBufferSize + page - 1) / page * page;
    Region = (char *)VirtualAlloc(nullptr, body + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old;
    VirtualProtect(Region + body, page, PAGE_NOACCESS, &old);
    Start = Region + body - ScratchBufferSize;
    Saved = Scratch;
    Scratch.ScratchBuffer = Scratch.ScratchCursor = Start;
}

GuardedScratch::~GuardedScratch()
{
    Scratch = Saved;
    VirtualFree(Region, 0, MEM_RELEASE);
}
