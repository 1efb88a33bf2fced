// What the native build adds to the platform stand-in: a look at the blocks a heap holds,
// which on the platform would be a heap walk.
#pragma once

#include <windows.h>

#include <stddef.h>

struct HostHeapCensus {
    size_t Blocks;   // blocks handed out and not given back
    size_t Bytes;    // their requested sizes, added up
};

HostHeapCensus HostHeapCount(HANDLE heap);

// True when the block is a live block of the heap (a stale or foreign pointer is not).
bool HostHeapOwns(HANDLE heap, const void *block);
