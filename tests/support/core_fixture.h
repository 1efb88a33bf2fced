// A runtime core of its own for every test: a fresh private heap and scratch buffer, and
// nothing of the window or gadget layers, so that the core's tests run under Wine and in the
// native sanitizer build alike (the in-process programs bring the whole runtime up instead).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "runtime/internal/containers.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "support/scratch.h"

class CoreTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        Runtime = RuntimeState();
        Heap = HeapState();
        Scratch = ScratchState();
        Containers = ContainerState();
        Runtime.RuntimeHeap = HeapCreate(0, RuntimeHeapInitialSize, 0);
        ASSERT_NE(Runtime.RuntimeHeap, nullptr);
        ASSERT_EQ(ScratchBufferInit(), 1);
    }

    void TearDown() override
    {
        HeapDestroy(Runtime.RuntimeHeap);
        Runtime = RuntimeState();
        Heap = HeapState();
        Scratch = ScratchState();
    }
};
