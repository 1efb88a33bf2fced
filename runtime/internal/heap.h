// The private heap from which every runtime allocation comes. All allocation passes through
// here, so that one counter sees it all and a test can make the N-th allocation fail.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "runtime/startup.h"

// The private heap's first size; it grows as needed, with no maximum. A test that brings up a
// heap of its own starts it at the same size.
enum { RuntimeHeapInitialSize = 4000 };

// The largest block a computed size may ask for: a size that does not fit the heap's 32-bit
// size is refused as a failed allocation is, never cut down to a shorter block.
const uint32_t HeapLargestBlock = 0xFFFFFFFFu;

// What a new block holds: zero bytes (every container and table), or whatever the heap leaves
// in it (the texts of string variables, which are written whole at once).
enum HeapFill { HeapFillNone = 0, HeapFillZero = 1 };

// The heap's counter and its test hook. Zero at start; the prologue zeroes it with Runtime.
struct HeapState {
    uint32_t HeapAllocations;   // blocks handed out so far (tests watch it)
    uint32_t HeapFailAt;        // test hook: the allocation with this count fails; 0 = never
};

extern HeapState Heap;

// The one way to the private heap. A failed allocation returns null and callers refuse the
// operation; nothing is written through a null block.
void *HeapAllocate(uint32_t size, HeapFill fill);
// Grows a zero-filled block: the bytes gained are zero. On failure the old block stays.
void *HeapReallocateZero(void *block, uint32_t size);
void HeapRelease(void *block);
