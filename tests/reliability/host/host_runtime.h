// What the native build adds to the platform stand-in: whether a block is a live block of a
// heap, which the platform does not answer. (The blocks a heap holds are counted by the heap
// walk, as on the platform: support/heap_census.h.)
#pragma once

#include <windows.h>

#include <stddef.h>

// True when the block is a live block of the heap (a stale or foreign pointer is not).
bool HostHeapOwns(HANDLE heap, const void *block);
