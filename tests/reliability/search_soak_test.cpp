// The search in this process, on its own real window, under the same stream of input the
// program soak sends from outside; here the private heap can be walked. Between reports the
// search allocates nothing; each report adds one list element and replaces the pair text.
#include <gtest/gtest.h>

#include <stdio.h>

#include "app/search.h"
#include "gadget/internal/gadgets.h"
#include "runtime/internal/heap.h"
#include "support/events.h"
#include "support/heap_census.h"
#include "support/outside_reader.h"
#include "soak_support.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

namespace {

TEST(SearchSoak, HeapGrowsOnlyByThePairsFound)
{
    ASSERT_EQ(SearchLayout(), 1);
    SearchSetUp();
    ASSERT_NE(Search.Chain, nullptr);
    HWND window = CurrentWindowHandle();
    HWND list = GadgetGetHandle(0);
    // The messages of the opening go first, so that the heap is measured at rest.
    WindowTestDrain();
    const HeapCensus atStart = HeapCensusOf(Runtime.RuntimeHeap);
    const uint32_t allocationsAtStart = Heap.HeapAllocations;

    const DWORD seconds = SoakSeconds(8) / 2 + 1;
    const DWORD begin = GetTickCount();
    DWORD lastInput = begin;
    unsigned inputs = 0, candidates = 0, events = 0;
    while (GetTickCount() - begin < seconds * 1000) {
        if (GetTickCount() - lastInput >= 5) {
            SoakSendInput(window, inputs++);
            lastInput = GetTickCount();
        }
        int32_t code = SearchCandidate();
        candidates++;
        events += code != 0;
        ASSERT_NE(code, EventCodeClose) << "nothing in the stream asks to close";
    }
    const HeapCensus atEnd = HeapCensusOf(Runtime.RuntimeHeap);
    const long long reached = Search.Chain[0];

    // One list element per report, and the latest pair text; nothing else stays.
    const int32_t reports = ListCount(&Search.PairList);
    ASSERT_EQ((size_t)reports, SoakLinesBelow(reached));
    size_t grown = 0;
    for (ListElement *e = Search.PairList.Header->First; e; e = e->Next)
        grown += HeapSize(Runtime.RuntimeHeap, 0, e);
    if (Search.PairText) grown += HeapSize(Runtime.RuntimeHeap, 0, Search.PairText);
    EXPECT_EQ(atEnd.Blocks - atStart.Blocks, (size_t)reports + (Search.PairText ? 1 : 0));
    EXPECT_EQ(atEnd.Bytes - atStart.Bytes, grown);
    // Five allocations per report (element, the empty text, three assignments), none else.
    EXPECT_EQ(Heap.HeapAllocations - allocationsAtStart, 5u * reports);
    EXPECT_EQ(OutsideListLines(list), SoakExpectedLines(reached));

    // The close box: the next candidate's poll returns the close event.
    WindowTestDrain();
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(SearchCandidate(), EventCodeClose);

    printf("search soak: %lu s, %u inputs, %u candidates up to %lld, %u events, %d pairs, "
           "heap %zu blocks %zu bytes -> %zu blocks %zu bytes\n",
           (unsigned long)seconds, inputs, candidates, reached, events, reports, atStart.Blocks,
           atStart.Bytes, atEnd.Blocks, atEnd.Bytes);
}

}   // namespace
