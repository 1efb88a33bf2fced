// Dynamic arrays and linked lists, run in-process on the runtime library alone.
#include "support/core_fixture.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "support/heap_census.h"
#include "support/list_model.h"

namespace {

using ArraysTest = CoreTest;

struct Pair {
    int32_t Number;
    int32_t Partner;
};

ListElement *ElementOf(void *data)
{
    return (ListElement *)data - 1;
}
Pair *PairOf(ListElement *element)
{
    return (Pair *)ListData(element);
}

// The blocks the private heap holds right now.
int BusyBlocks()
{
    return (int)HeapCensusOf(Runtime.RuntimeHeap).Blocks;
}

// ---- arrays ----------------------------------------------------------------------------

TEST_F(ArraysTest, AllocPutsTheHeaderInFrontOfZeroElements)
{
    int32_t *data = (int32_t *)ArrayAlloc(4, 3, 5);
    ASSERT_NE(data, nullptr);
    ArrayHeader *header = (ArrayHeader *)data - 1;
    EXPECT_EQ(header->UpperBound, 3);
    EXPECT_EQ(header->KindCode, 5u);
    for (int i = 0; i <= 3; i++) EXPECT_EQ(data[i], 0);
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, header), 8u + 16u);

    void *none = ArrayAlloc(4, -1, 5);   // an array without elements
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(((ArrayHeader *)none - 1)->UpperBound, -1);
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, (ArrayHeader *)none - 1), 8u);

    ArrayFree(nullptr);
    ArrayFree(none);
    ArrayFree(data);
    EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));
}

// Dimensioning again: the old block goes, the new elements are zero even where the old
// contents lay.
TEST_F(ArraysTest, RedimensioningGivesFreshZeroElements)
{
    int32_t *chain = (int32_t *)ArrayAlloc(4, 2, 5);
    ASSERT_NE(chain, nullptr);
    for (int round = 0; round < 20; round++) {
        for (int i = 0; i <= 2; i++) chain[i] = -1;
        ArrayFree(chain);
        chain = (int32_t *)ArrayAlloc(4, 2, 5);
        ASSERT_NE(chain, nullptr);
        for (int i = 0; i <= 2; i++) ASSERT_EQ(chain[i], 0) << round;
    }
}

TEST_F(ArraysTest, SizesOutsideThirtyTwoBitsAndRefusedAllocationsGiveNull)
{
    EXPECT_EQ(ArrayAlloc(4, -2, 0), nullptr);
    EXPECT_EQ(ArrayAlloc(0x10000, 0x10000, 0), nullptr);   // 2^32 bytes of elements
    EXPECT_EQ(ArrayAlloc(4, 0x3FFFFFFE, 0), nullptr);      // 2^32 - 4 plus the header
    // The largest bound: 2^31 elements, a count that does not fit a signed 32-bit sum.
    EXPECT_EQ(ArrayAlloc(4, 2147483647, 5), nullptr);
    void *none = ArrayAlloc(0, 2147483646, 5);   // no bytes of elements at all
    EXPECT_NE(none, nullptr);
    ArrayFree(none);
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(ArrayAlloc(4, 3, 5), nullptr);
}

// ---- lists -----------------------------------------------------------------------------

class ListsTest : public CoreTest {
  protected:
    ListVar list = {};

    void SetUp() override
    {
        CoreTest::SetUp();
        ListCreate(&list, sizeof(Pair));
        ASSERT_NE(list.Header, nullptr);
    }

    // Adds n elements numbered 1..n in order; the last is current.
    std::vector<ListElement *> AddNumbered(int n)
    {
        std::vector<ListElement *> elements;
        for (int i = 1; i <= n; i++) {
            ListElement *e = ListAddElement(&list);
            PairOf(e)->Number = i;
            elements.push_back(e);
        }
        return elements;
    }

    std::vector<int32_t> Numbers()
    {
        std::vector<int32_t> numbers;
        for (ListElement *e = list.Header->First; e; e = e->Next)
            numbers.push_back(PairOf(e)->Number);
        return numbers;
    }

    int32_t CurrentNumber() { return list.Current ? PairOf(list.Current)->Number : 0; }
};

TEST_F(ListsTest, CreateSetsTheElementSizeAndLeavesCurrent)
{
    EXPECT_EQ(list.Header->ElementSize, 8u + sizeof(Pair));
    EXPECT_EQ(list.Header->First, nullptr);
    EXPECT_EQ(list.Header->Last, nullptr);
    EXPECT_EQ(ListCount(&list), 0);
    EXPECT_EQ(ListPosition(&list), 0);
    EXPECT_EQ(ListNext(&list), nullptr);
}

// An element size that wraps past 32 bits would leave no room for the links.
TEST_F(ListsTest, CreateRefusesADataSizeWhoseElementSizeWraps)
{
    ListVar huge = {};
    ListCreate(&huge, 0xFFFFFFFFu - 7);
    EXPECT_EQ(huge.Header, nullptr);
    EXPECT_EQ(ListAddElement(&huge), nullptr);
    ListCreate(&huge, 0xFFFFFFFFu - 8);
    ASSERT_NE(huge.Header, nullptr);
    EXPECT_EQ(huge.Header->ElementSize, 0xFFFFFFFFu);
}

// [] -> add, add, add -> [1 2 3*]
TEST_F(ListsTest, RepeatedAddsAppendInOrder)
{
    std::vector<ListElement *> e = AddNumbered(3);
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(list.Current, e[2]);
    EXPECT_EQ(list.Header->First, e[0]);
    EXPECT_EQ(list.Header->Last, e[2]);
    EXPECT_EQ(ListCount(&list), 3);
    EXPECT_EQ(ListPosition(&list), 3);
}

// [1 2 3*] -> reset, add 4 -> [4* 1 2 3]
TEST_F(ListsTest, AddAfterResetGoesToTheHead)
{
    AddNumbered(3);
    ListReset(&list);
    EXPECT_EQ(ListPosition(&list), 0);
    ListElement *head = ListAddElement(&list);
    PairOf(head)->Number = 4;
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{4, 1, 2, 3}));
    EXPECT_EQ(list.Header->First, head);
    EXPECT_EQ(list.Current, head);
    EXPECT_EQ(ListPosition(&list), 1);
}

// [1 2* 3] -> insert 4 -> [1 4* 2 3]; reset, insert 5 -> [5* 1 4 2 3]
TEST_F(ListsTest, InsertBeforeGoesInFrontOfCurrentOrToTheHead)
{
    std::vector<ListElement *> e = AddNumbered(3);
    ListSetCurrent(&list, ListData(e[1]));
    PairOf(ListInsertBefore(&list))->Number = 4;
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{1, 4, 2, 3}));
    EXPECT_EQ(CurrentNumber(), 4);
    EXPECT_EQ(ListPosition(&list), 2);
    ListReset(&list);
    PairOf(ListInsertBefore(&list))->Number = 5;
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{5, 1, 4, 2, 3}));
    EXPECT_EQ(list.Header->First, list.Current);
    ListFirst(&list);
    PairOf(ListInsertBefore(&list))->Number = 6;
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{6, 5, 1, 4, 2, 3}));
    EXPECT_EQ(list.Header->First, list.Current);
    EXPECT_EQ(list.Header->Last, e[2]);
}

// [1* 2 3] -> delete -> [2* 3];  [1 2 3*] -> delete -> [1 2*];  [1 2* 3] -> delete -> [1* 3]
TEST_F(ListsTest, DeleteLeavesTheNeighbourCurrent)
{
    struct Row {
        int Deleted, Current;   // indexes into the three elements
    } rows[] = {{0, 1}, {2, 1}, {1, 0}};
    for (const Row &row : rows) {
        std::vector<ListElement *> e = AddNumbered(3);
        ListSetCurrent(&list, ListData(e[row.Deleted]));
        ListDeleteCurrent(&list);
        EXPECT_EQ(list.Current, e[row.Current]) << row.Deleted;
        e.erase(e.begin() + row.Deleted);
        EXPECT_EQ(list.Header->First, e[0]);
        EXPECT_EQ(list.Header->Last, e[1]);
        EXPECT_TRUE(!e[0]->Previous && e[0]->Next == e[1] && e[1]->Previous == e[0] && !e[1]->Next);
        ListClear(&list);
    }
}

TEST_F(ListsTest, DeletingTheOnlyElementEmptiesTheList)
{
    AddNumbered(1);
    ListDeleteCurrent(&list);
    EXPECT_EQ(list.Header->First, nullptr);
    EXPECT_EQ(list.Header->Last, nullptr);
    EXPECT_EQ(list.Current, nullptr);
    EXPECT_EQ(ListNext(&list), nullptr);
    ListDeleteCurrent(&list);   // nothing current: nothing happens
    EXPECT_EQ(ListCount(&list), 0);
}

TEST_F(ListsTest, MovesStopAtBothEnds)
{
    std::vector<ListElement *> e = AddNumbered(3);
    EXPECT_EQ(ListNext(&list), nullptr);
    EXPECT_EQ(list.Current, e[2]);
    EXPECT_EQ(ListPrevious(&list), e[1]);
    EXPECT_EQ(ListPrevious(&list), e[0]);
    EXPECT_EQ(ListPrevious(&list), nullptr);
    EXPECT_EQ(list.Current, e[0]);
    ListReset(&list);
    EXPECT_EQ(ListPrevious(&list), nullptr);
    EXPECT_EQ(list.Current, nullptr);
    EXPECT_EQ(ListLast(&list), e[2]);
    EXPECT_EQ(ListFirst(&list), e[0]);

    // The walk: reset, then next until null.
    ListReset(&list);
    std::vector<int32_t> walked;
    while (ListNext(&list)) walked.push_back(CurrentNumber());
    EXPECT_EQ(walked, (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(ListsTest, ClearFreesEveryElementAndKeepsTheHeader)
{
    ListHeader *header = list.Header;
    ListClear(&list);   // empty: nothing to do
    EXPECT_EQ(ListCount(&list), 0);
    for (int n = 1; n <= 6; n++) {
        int before = BusyBlocks();
        std::vector<ListElement *> e = AddNumbered(n);
        EXPECT_EQ(BusyBlocks(), before + n);
        ListSetCurrent(&list, ListData(e[n / 2]));
        ListClear(&list);
        EXPECT_EQ(Containers.ListClearTarget, &list);
        EXPECT_EQ(list.Header, header);
        EXPECT_EQ(header->First, nullptr);
        EXPECT_EQ(header->Last, nullptr);
        EXPECT_EQ(list.Current, nullptr);
        EXPECT_EQ(ListCount(&list), 0);
        EXPECT_EQ(ListPosition(&list), 0);
        EXPECT_EQ(BusyBlocks(), before);   // every element went back to the heap
    }
    EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));
}

TEST_F(ListsTest, NewElementDataIsZeroWhateverLayThereBefore)
{
    for (int round = 0; round < 10; round++) {
        ListElement *e = ListAddElement(&list);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(PairOf(e)->Number, 0);
        EXPECT_EQ(PairOf(e)->Partner, 0);
        memset(ListData(e), 0xFF, sizeof(Pair));
        ListDeleteCurrent(&list);
    }
}

TEST_F(ListsTest, PositionCountsToCurrentOrGivesTheCountForAStranger)
{
    std::vector<ListElement *> e = AddNumbered(4);
    for (int i = 0; i < 4; i++) {
        ListSetCurrent(&list, ListData(e[i]));
        EXPECT_EQ(ListPosition(&list), i + 1);
    }
    ListElement stranger = {};
    list.Current = &stranger;
    EXPECT_EQ(ListPosition(&list), 4);
    ListSetCurrent(&list, nullptr);
    EXPECT_EQ(list.Current, nullptr);
}

TEST_F(ListsTest, WithoutAHeaderOperationsDoNothing)
{
    ListVar bare = {};
    EXPECT_EQ(ListAddElement(&bare), nullptr);
    EXPECT_EQ(ListInsertBefore(&bare), nullptr);
    EXPECT_EQ(ListNext(&bare), nullptr);
    EXPECT_EQ(ListFirst(&bare), nullptr);
    EXPECT_EQ(ListLast(&bare), nullptr);
    EXPECT_EQ(ListPrevious(&bare), nullptr);
    EXPECT_EQ(ListCount(&bare), 0);
    EXPECT_EQ(ListPosition(&bare), 0);
    ListDeleteCurrent(&bare);
    ListClear(&bare);
    ListReset(&bare);
    EXPECT_EQ(bare.Header, nullptr);
    EXPECT_EQ(bare.Current, nullptr);
}

// The heap refuses: the list is as it was and null comes back.
TEST_F(ListsTest, RefusedAllocationsLeaveTheListUnchanged)
{
    std::vector<ListElement *> e = AddNumbered(2);
    ListFirst(&list);
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(ListAddElement(&list), nullptr);
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(ListInsertBefore(&list), nullptr);
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(list.Current, e[0]);
    EXPECT_EQ(list.Header->First, e[0]);
    EXPECT_EQ(list.Header->Last, e[1]);

    ListVar other = {};
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    ListCreate(&other, 4);
    EXPECT_EQ(other.Header, nullptr);
    EXPECT_EQ(ListAddElement(&other), nullptr);
}

// A small run of a program's containers and texts, with the N-th allocation refused for
// every N: exactly that one operation is refused, and everything stays consistent.
TEST_F(ListsTest, WalkingTheRefusedAllocationOverARun)
{
    for (uint32_t n = 1; n <= 23; n++) {
        Heap.HeapFailAt = Heap.HeapAllocations + n;
        ListVar pairs = {};
        ListCreate(&pairs, sizeof(Pair));
        void *chain = ArrayAlloc(4, 9, 5);
        StringVar text = nullptr;
        int refused = (pairs.Header ? 0 : 1) + (chain ? 0 : 1);
        int elementsRefused = 0;
        for (int i = 0; i < 10; i++) {
            if (pairs.Header && !ListAddElement(&pairs)) elementsRefused++;
            char *start = Scratch.ScratchCursor;
            StringAppend("pair ");
            StringFromLong(i, Scratch.ScratchCursor);
            StringAssign(&text, start);
            ASSERT_EQ(Scratch.ScratchCursor, start);
            if (text)
                ASSERT_EQ(PieceAt(text), "pair " + std::to_string(i));
            else
                refused++;
        }
        EXPECT_EQ(refused + elementsRefused, n <= 22 ? 1 : 0) << n;
        EXPECT_EQ(ListCount(&pairs), pairs.Header ? 10 - elementsRefused : 0) << n;
        Heap.HeapFailAt = 0;
        ArrayFree(chain);
        StringFree(text);
        ASSERT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr)) << n;
    }
}

// A seeded random run of every list operation, checked after each step against a plain
// model: order, ends, links both ways, current element, count and position. Some
// allocations are refused on the way.
TEST_F(ListsTest, RandomOperationsMatchAModel)
{
    std::mt19937 random(7031);
    ListModel<ListElement *> model;
    int32_t serial = 0;
    for (int step = 0; step < 5000; step++) {
        bool refuse = random() % 10 == 0;
        if (refuse) Heap.HeapFailAt = Heap.HeapAllocations + 1;
        int operation = random() % 100;
        ListElement *result = nullptr;
        if (operation < 40) {
            // Adding goes in after the current element, inserting before it.
            bool before = operation >= 25;
            result = before ? ListInsertBefore(&list) : ListAddElement(&list);
            if (refuse) {
                ASSERT_EQ(result, nullptr);
            } else {
                ASSERT_NE(result, nullptr);
                ASSERT_EQ(PairOf(result)->Number, 0);
                PairOf(result)->Number = ++serial;
                model.Add(result, before);
            }
        } else if (operation < 60) {
            ListDeleteCurrent(&list);
            model.DeleteCurrent();
        } else if (operation < 70) {
            result = ListNext(&list);
            ASSERT_EQ(result, model.Next() ? model.Items[model.Current] : nullptr);
        } else if (operation < 78) {
            result = ListPrevious(&list);
            ASSERT_EQ(result, model.Previous() ? model.Items[model.Current] : nullptr);
        } else if (operation < 82) {
            result = ListFirst(&list);
            model.First();
            ASSERT_EQ(result, model.Items.empty() ? nullptr : model.Items.front());
        } else if (operation < 86) {
            result = ListLast(&list);
            model.Last();
            ASSERT_EQ(result, model.Items.empty() ? nullptr : model.Items.back());
        } else if (operation < 90) {
            ListReset(&list);
            model.Reset();
        } else if (operation < 98) {
            if (model.Items.empty()) {
                ListSetCurrent(&list, nullptr);
                model.Reset();
            } else {
                model.Current = (int)(random() % model.Items.size());
                ListSetCurrent(&list, ListData(model.Items[model.Current]));
            }
        } else {
            ListClear(&list);
            model.Clear();
        }
        Heap.HeapFailAt = 0;
        ASSERT_EQ(ListModelDiff(&list, model, [](ListElement *e) { return e; }), "") << step;
        for (ListElement *e : model.Items) ASSERT_NE(PairOf(e)->Number, 0);
    }
    EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));
}

}   // namespace
