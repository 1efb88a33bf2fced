// The private heap. Every runtime allocation passes through here, so that one counter
// sees them all and a test can make the N-th one fail.
#include "runtime/internal/heap.h"

#include "runtime/internal/check.h"
#include "runtime/internal/containers.h"
#include "runtime/internal/strings.h"

RUNTIME_RECORD(RuntimeState, Runtime);
RUNTIME_RECORD(HeapState, Heap);

// Counts the allocation; only an armed failure hook refuses it, so a counter that wraps to 0
// does not match the unarmed hook.
static bool HeapRefuses(void)
{
    uint32_t count = ++Heap.HeapAllocations;
    if (Heap.HeapFailAt != 0 && count == Heap.HeapFailAt) return true;
    return !Runtime.RuntimeHeap;
}

void *HeapAllocate(uint32_t size, HeapFill fill)
{
    if (HeapRefuses()) return nullptr;
    return HeapAlloc(Runtime.RuntimeHeap, fill == HeapFillZero ? HEAP_ZERO_MEMORY : 0, size);
}

// The old bytes keep their place; on failure the old block is left as it was.
void *HeapReallocateZero(void *block, uint32_t size)
{
    if (HeapRefuses()) return nullptr;
    if (!block) return HeapAlloc(Runtime.RuntimeHeap, HEAP_ZERO_MEMORY, size);
    return HeapReAlloc(Runtime.RuntimeHeap, HEAP_ZERO_MEMORY, block, size);
}

void HeapRelease(void *block)
{
    if (block) HeapFree(Runtime.RuntimeHeap, 0, block);
}

#if defined(RUNTIME_CHECKS)
RuntimeCheckState RuntimeChecks;

void RuntimeCheckFailed(void)
{
    RuntimeChecks.Failed++;
    if (!RuntimeChecks.Expected) __builtin_trap();
}

void RuntimeCheckRecords(void)
{
    RUNTIME_ASSERT(RUNTIME_RECORD_INTACT(Runtime));
    RUNTIME_ASSERT(RUNTIME_RECORD_INTACT(Heap));
    RUNTIME_ASSERT(RUNTIME_RECORD_INTACT(Scratch));
    RUNTIME_ASSERT(RUNTIME_RECORD_INTACT(Containers));
}
#endif
