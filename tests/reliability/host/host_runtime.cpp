// The platform calls under the runtime core, served natively: heaps whose blocks come from
// the sanitizers' allocator (so every overrun and stale use is caught), and the formatter.
// The core's own heap.cpp runs on top unchanged, with its counter and failure hook.
#include "host_runtime.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <set>

#include "runtime/internal/heap.h"

namespace {

struct HostHeap {
    std::map<void *, size_t> Blocks;   // live block -> requested size
};

std::set<HostHeap *> &LiveHeaps()
{
    static std::set<HostHeap *> heaps;
    return heaps;
}

HostHeap *HeapOf(HANDLE heap)
{
    HostHeap *h = (HostHeap *)heap;
    if (!LiveHeaps().count(h)) {
        fprintf(stderr, "host heap: call on a heap that does not exist (%p)\n", heap);
        abort();
    }
    return h;
}

}   // namespace

HANDLE HeapCreate(DWORD, SIZE_T, SIZE_T)
{
    HostHeap *h = new HostHeap;
    LiveHeaps().insert(h);
    return h;
}

BOOL HeapDestroy(HANDLE heap)
{
    HostHeap *h = HeapOf(heap);
    for (auto &block : h->Blocks) free(block.first);
    LiveHeaps().erase(h);
    delete h;
    return 1;
}

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    HostHeap *h = HeapOf(heap);
    // A zero-byte block is still a block of its own, as on the platform.
    void *block = malloc(size ? size : 1);
    if (!block) return 0;
    if (flags & HEAP_ZERO_MEMORY) memset(block, 0, size);
    h->Blocks[block] = size;
    return block;
}

LPVOID HeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size)
{
    HostHeap *h = HeapOf(heap);
    auto old = h->Blocks.find(block);
    if (old == h->Blocks.end()) {
        fprintf(stderr, "host heap: reallocation of a block the heap does not hold (%p)\n", block);
        abort();
    }
    // Always a new block, so that a caller who keeps the old address is caught.
    void *grown = malloc(size ? size : 1);
    if (!grown) return 0;
    size_t keep = old->second < size ? old->second : size;
    memcpy(grown, block, keep);
    if ((flags & HEAP_ZERO_MEMORY) && size > keep) memset((char *)grown + keep, 0, size - keep);
    h->Blocks.erase(old);
    free(block);
    h->Blocks[grown] = size;
    return grown;
}

BOOL HeapFree(HANDLE heap, DWORD, LPVOID block)
{
    HostHeap *h = HeapOf(heap);
    auto it = h->Blocks.find(block);
    if (it == h->Blocks.end()) {
        fprintf(stderr, "host heap: release of a block the heap does not hold (%p)\n", block);
        abort();
    }
    h->Blocks.erase(it);
    free(block);
    return 1;
}

SIZE_T HeapSize(HANDLE heap, DWORD, LPCVOID block)
{
    HostHeap *h = HeapOf(heap);
    auto it = h->Blocks.find((void *)block);
    return it == h->Blocks.end() ? (SIZE_T)-1 : it->second;
}

// The sanitizers watch every byte; what is left to validate is that a block is live.
BOOL HeapValidate(HANDLE heap, DWORD, LPCVOID block)
{
    HostHeap *h = HeapOf(heap);
    return !block || h->Blocks.count((void *)block);
}

BOOL HeapWalk(HANDLE heap, PROCESS_HEAP_ENTRY *entry)
{
    HostHeap *h = HeapOf(heap);
    auto it = entry->lpData ? h->Blocks.upper_bound(entry->lpData) : h->Blocks.begin();
    if (it == h->Blocks.end()) return 0;
    entry->lpData = it->first;
    entry->cbData = (DWORD)it->second;
    entry->cbOverhead = 0;
    entry->iRegionIndex = 0;
    entry->wFlags = PROCESS_HEAP_ENTRY_BUSY;
    return 1;
}

void RtlZeroMemory(void *destination, SIZE_T length)
{
    memset(destination, 0, length);
}

// The platform's formatter writes at most 1024 bytes, its zero included; its conversions are
// a subset of the C library's, which serves them here.
int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments)
{
    int written = vsnprintf(buffer, 1024, format, arguments);
    return written < 0 ? 0 : written < 1024 ? written : 1023;
}

bool HostHeapOwns(HANDLE heap, const void *block)
{
    HostHeap *h = (HostHeap *)heap;
    return LiveHeaps().count(h) && h->Blocks.count((void *)block);
}
