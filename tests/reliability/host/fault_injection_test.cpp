// Allocation-failure walk: a representative run of core operations, written as a program
// that never tests a result would write it, is repeated with the N-th allocation refused for
// N = 1, 2, 3, ... until a run no longer reaches N. After every run each variable and list
// must be valid, each refused operation must have left its list as it was, and the
// sanitizers must have seen no write through a null pointer.
#include "support/core_fixture.h"

#include <list>
#include <vector>

#include "host_runtime.h"
#include "support/heap_census.h"

namespace {

struct Pair {
    int32_t Members[2];
};

// What a list held, read by walking it; fails the test on a broken link.
std::vector<int32_t> ListContents(ListVar *list, int *currentIndex)
{
    std::vector<int32_t> values;
    *currentIndex = -1;
    if (!list->Header) {
        EXPECT_EQ(list->Current, nullptr);
        return values;
    }
    ListHeader *h = list->Header;
    ListElement *previous = nullptr;
    for (ListElement *e = h->First; e; e = e->Next) {
        EXPECT_TRUE(HostHeapOwns(Runtime.RuntimeHeap, e));
        EXPECT_EQ(e->Previous, previous);
        if (e == list->Current) *currentIndex = (int)values.size();
        values.push_back(h->ElementSize > sizeof(ListElement) ? *(int32_t *)ListData(e) : 0);
        previous = e;
        if (values.size() > 10000) {
            ADD_FAILURE() << "list does not end";
            break;
        }
    }
    EXPECT_EQ(h->Last, previous);
    if (list->Current) EXPECT_NE(*currentIndex, -1) << "Current is not an element of the list";
    return values;
}

void ExpectValidText(StringVar v, const char *expected)
{
    if (!v) return;   // refused: the empty text
    EXPECT_TRUE(HostHeapOwns(Runtime.RuntimeHeap, v));
    EXPECT_STREQ(v, expected);
}

// One list operation that may allocate; a refusal must return null and change nothing.
template <typename Operation>
ListElement *Allocating(ListVar *list, Operation operation, int32_t value, int *refusals)
{
    int before;
    std::vector<int32_t> old = ListContents(list, &before);
    ListHeader *header = list->Header;
    ListElement *current = list->Current;
    ListElement *e = operation(list);
    if (!e) {
        ++*refusals;
        int after;
        EXPECT_EQ(ListContents(list, &after), old);
        EXPECT_EQ(list->Header, header);
        EXPECT_EQ(list->Current, current);
        return nullptr;
    }
    EXPECT_EQ(list->Current, e);
    EXPECT_EQ(*(int32_t *)ListData(e), 0) << "a new element starts zero";
    *(int32_t *)ListData(e) = value;
    return e;
}

class FaultWalk : public CoreTest {
  protected:
    StringVar Name = 0, Line = 0;
    ListVar Pairs = {}, Words = {};
    int32_t *Chain = 0;
    int Refusals = 0;

    // The representative run. Returns nothing; its state is checked by Check().
    void Run()
    {
        // Texts: assignments of plain texts and of expressions, a variable given its own text.
        StringAssignText(&Name, "Befreundete Zahlen");
        ExpectValidText(Name, "Befreundete Zahlen");
        StringAssignText(&Name, Name);
        ExpectValidText(Name, "Befreundete Zahlen");
        char *start = Scratch.ScratchCursor;
        StringAppend(Name);
        StringAppend(": ");
        StringFromLong(-2147483647 - 1, Scratch.ScratchCursor);
        StringAssign(&Line, start);
        EXPECT_EQ(Scratch.ScratchCursor, start);
        std::string expect = Name ? std::string(Name) + ": -2147483648" : ": -2147483648";
        ExpectValidText(Line, expect.c_str());
        StringAssignText(&Name, "");
        ExpectValidText(Name, "");

        // The chain array, dimensioned twice as a program does.
        ArrayFree(Chain);
        Chain = (int32_t *)ArrayAlloc(4, 3, 5);
        if (Chain) {
            EXPECT_EQ(((ArrayHeader *)Chain - 1)->UpperBound, 3);
            for (int i = 0; i < 4; i++) Chain[i] = i;
        }
        ArrayFree(Chain);
        Chain = (int32_t *)ArrayAlloc(4, 9, 5);
        if (Chain)
            for (int i = 0; i < 10; i++) EXPECT_EQ(Chain[i], 0);

        // The pair list and its texts, recorded the way the search records a pair.
        ListCreate(&Pairs, sizeof(Pair));
        const int32_t found[][2] = {{220, 284}, {284, 220}, {1184, 1210}, {1210, 1184}};
        for (auto &pair : found) {
            ListElement *e = Allocating(
                &Pairs, [](ListVar *l) { return ListAddElement(l); }, pair[0], &Refusals);
            if (e) ((Pair *)ListData(e))->Members[1] = pair[1];
            StringAssignText(&Line, "");
            for (int i = 0; i < 2; i++) {
                start = Scratch.ScratchCursor;
                StringAppend(Line);
                if (i > 0) StringAppend(", ");
                StringFromLong(pair[i], Scratch.ScratchCursor);
                StringAssign(&Line, start);
            }
        }

        // A second list worked from both ends, then emptied and filled again.
        ListCreate(&Words, 4);
        for (int32_t v = 1; v <= 3; v++)
            Allocating(
                &Words, [](ListVar *l) { return ListInsertBefore(l); }, v, &Refusals);
        ListReset(&Words);
        Allocating(
            &Words, [](ListVar *l) { return ListAddElement(l); }, 10, &Refusals);
        ListLast(&Words);
        Allocating(
            &Words, [](ListVar *l) { return ListAddElement(l); }, 20, &Refusals);
        ListFirst(&Words);
        ListNext(&Words);
        ListDeleteCurrent(&Words);
        int index;
        ListContents(&Words, &index);
        ListClear(&Words);
        EXPECT_EQ(ListCount(&Words), 0);
        EXPECT_EQ(ListPosition(&Words), 0);
        Allocating(
            &Words, [](ListVar *l) { return ListAddElement(l); }, 30, &Refusals);
    }

    // What a run must leave, whichever allocation was refused.
    void Check()
    {
        int current;
        std::vector<int32_t> pairs = ListContents(&Pairs, &current);
        // Pairs come in the order found, with gaps only where an element was refused.
        const int32_t order[] = {220, 284, 1184, 1210};
        size_t k = 0;
        for (int32_t v : pairs) {
            while (k < 4 && order[k] != v) k++;
            EXPECT_LT(k, 4u) << "pair " << v << " out of order";
            k++;
        }
        if (Line) EXPECT_TRUE(HostHeapOwns(Runtime.RuntimeHeap, Line));
        if (Name) ExpectValidText(Name, "");
        std::vector<int32_t> words = ListContents(&Words, &current);
        EXPECT_LE(words.size(), 1u);
        EXPECT_EQ(Scratch.ScratchCursor, Scratch.ScratchBuffer);
    }
};

TEST_F(FaultWalk, EveryRefusedAllocationTakesItsOrderlyPath)
{
    // Allocations before the run (the scratch buffer) are not part of the walk.
    uint32_t base = Heap.HeapAllocations;
    Run();
    Check();
    const uint32_t total = Heap.HeapAllocations - base;
    ASSERT_GT(total, 20u);
    EXPECT_EQ(Refusals, 0);
    printf("fault walk: %u allocations in the run, each refused once\n", total);

    for (uint32_t n = 1; n <= total + 1; n++) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " refused");
        TearDown();
        SetUp();
        Name = Line = nullptr;
        Pairs = Words = ListVar();
        Chain = nullptr;
        Refusals = 0;
        Heap.HeapFailAt = Heap.HeapAllocations + n;
        Run();
        Check();
        if (n > total) EXPECT_EQ(Refusals, 0);
        if (HasFailure()) break;
    }
}

// The core works on heaps that are exhausted for good, not just for one call: with every
// allocation refused, nothing may crash and every variable stays null or as it was.
TEST_F(FaultWalk, NothingCrashesWhenEveryAllocationIsRefused)
{
    HANDLE heap = Runtime.RuntimeHeap;
    Runtime.RuntimeHeap = nullptr;   // heap.cpp refuses everything without a heap
    Run();
    Runtime.RuntimeHeap = heap;
    EXPECT_EQ(Name, nullptr);
    EXPECT_EQ(Line, nullptr);
    EXPECT_EQ(Chain, nullptr);
    EXPECT_EQ(Pairs.Header, nullptr);
    EXPECT_EQ(Words.Header, nullptr);
    EXPECT_EQ(ListCount(&Pairs), 0);
    EXPECT_EQ(ListNext(&Pairs), nullptr);
    ListClear(&Pairs);
    EXPECT_EQ(Scratch.ScratchCursor, Scratch.ScratchBuffer);
}

// Giving back everything the run still holds leaves the heap as it was before the run.
TEST_F(FaultWalk, ARunLeavesOnlyWhatItStillReaches)
{
    HeapCensus before = HeapCensusOf(Runtime.RuntimeHeap);
    Run();
    ListClear(&Pairs);
    ListClear(&Words);
    HeapRelease(Pairs.Header);
    HeapRelease(Words.Header);
    StringFree(Name);
    StringFree(Line);
    ArrayFree(Chain);
    HeapCensus after = HeapCensusOf(Runtime.RuntimeHeap);
    EXPECT_EQ(after.Blocks, before.Blocks);
    EXPECT_EQ(after.Bytes, before.Bytes);
}

}   // namespace
