// What the native build adds to the platform stand-in: whether a block is a live block of a
// heap, which the platform does not answer, and the fuzz targets' model check. (The blocks a
// heap holds are counted by the heap walk, as on the platform: support/heap_census.h.)
#pragma once

#include <windows.h>

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>

// True when the block is a live block of the heap (a stale or foreign pointer is not).
bool HostHeapOwns(HANDLE heap, const void *block);

// A fuzz target's check against its model: a mismatch stops the run where it happens.
#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "model mismatch at %s:%d: %s\n", __FILE__, __LINE__, #condition);      \
            abort();                                                                               \
        }                                                                                          \
    } while (0)
