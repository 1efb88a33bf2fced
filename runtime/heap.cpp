// The private heap. Every runtime allocation passes through here, so that one counter
// sees them all and a test can make the N-th one fail.
#include "runtime/internal/heap.h"

RuntimeState Runtime;
HeapState Heap;

void *HeapAllocate(uint32_t size, HeapFill fill)
{
    uint32_t count = ++Heap.HeapAllocations;
    if (count == Heap.HeapFailAt || !Runtime.RuntimeHeap) return nullptr;
    return HeapAlloc(Runtime.RuntimeHeap, fill == HeapFillZero ? HEAP_ZERO_MEMORY : 0, size);
}

// The old bytes keep their place; on failure the old block is left as it was.
void *HeapReallocateZero(void *block, uint32_t size)
{
    uint32_t count = ++Heap.HeapAllocations;
    if (count == Heap.HeapFailAt || !Runtime.RuntimeHeap) return nullptr;
    if (!block) return HeapAlloc(Runtime.RuntimeHeap, HEAP_ZERO_MEMORY, size);
    return HeapReAlloc(Runtime.RuntimeHeap, HEAP_ZERO_MEMORY, block, size);
}

void HeapRelease(void *block)
{
    if (block) HeapFree(Runtime.RuntimeHeap, 0, block);
}
