// The blocks a heap holds and their bytes, counted by a heap walk: the same figure on the
// platform and under the native build's stand-in heap, so the in-process, core and sanitizer
// tests share it (header only, as the native build compiles no other support file).
#pragma once

#include <windows.h>

#include <stddef.h>

struct HeapCensus {
    size_t Blocks;   // blocks handed out and not given back
    size_t Bytes;    // their sizes, added up
};

inline HeapCensus HeapCensusOf(HANDLE heap)
{
    HeapCensus census = {0, 0};
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            census.Blocks++;
            census.Bytes += entry.cbData;
        }
    return census;
}
