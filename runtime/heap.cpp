// The private heap. Every runtime allocation passes through here, so that one counter
// sees them all and a test can make the N-th one fail.
#include "runtime/startup.h"

RuntimeState Runtime;

void *HeapAllocate(uint32_t size, int zeroFill)
{
    uint32_t count = ++Runtime.HeapAllocations;
    if (count == Runtime.HeapFailAt || !Runtime.RuntimeHeap) return 0;
    return HeapAlloc(Runtime.RuntimeHeap, zeroFill ? HEAP_ZERO_MEMORY : 0, size);
}

// Grows a zero-filled block; the bytes gained are zero, the old ones keep their place.
// On failure the old block is left as it was and null comes back.
void *HeapReallocateZero(void *block, uint32_t size)
{
    uint32_t count = ++Runtime.HeapAllocations;
    if (count == Runtime.HeapFailAt || !Runtime.RuntimeHeap) return 0;
    if (!block) return HeapAlloc(Runtime.RuntimeHeap, HEAP_ZERO_MEMORY, size);
    return HeapReAlloc(Runtime.RuntimeHeap, HEAP_ZERO_MEMORY, block, size);
}

void HeapRelease(void *block)
{
    if (block) HeapFree(Runtime.RuntimeHeap, 0, block);
}
