// Pieces written against the end of the scratch buffer, where the native build's allocator
// puts a poisoned zone right behind the 64000 bytes: any byte past ScratchEnd() is caught.
// Also the runtime's invariant checks, which this build compiles in.
#include "support/core_fixture.h"

#include "host_runtime.h"

namespace {

class HostScratchEnd : public CoreTest {
  protected:
    // Puts the cursor `room` bytes before the buffer's last byte.
    char *CursorAtRoom(int room)
    {
        Scratch.ScratchCursor = ScratchEnd() - room;
        return Scratch.ScratchCursor;
    }
    std::string LongText = std::string(300, 'x') + "   ";
};

TEST_F(HostScratchEnd, EveryAppendingOperationStopsAtTheLastByte)
{
    for (int room = 0; room < 14; room++) {
        const char *t = LongText.c_str();
        typedef char *(*Writer)(char *);
        Writer writers[] = {
            [](char *d) {
                StringAppend(std::string(100, 'a').c_str());
                return d;
            },
            [](char *d) { return StringFromLong(-2147483647 - 1, d); },
            [](char *d) { return StringFromUnsigned(0xFFFFFFFFu, 2, d); },
            [](char *d) { return StringFromHex(0xFFFFFFFFu, d); },
            [](char *d) { return StringFromCode(65, d); },
        };
        for (Writer w : writers) {
            char *start = CursorAtRoom(room);
            char *piece = w(start);
            EXPECT_LE(Scratch.ScratchCursor, ScratchEnd()) << "room " << room;
            EXPECT_EQ(*Scratch.ScratchCursor, 0);
            EXPECT_GE(piece, Scratch.ScratchBuffer);
        }
        char *d;
        d = CursorAtRoom(room);
        StringLeftPart(t, 200, d);
        EXPECT_EQ(PieceAt(d).size(), (size_t)room);
        d = CursorAtRoom(room);
        StringRightPart(t, 200, d);
        d = CursorAtRoom(room);
        StringMiddle(t, 2, 250, d);
        d = CursorAtRoom(room);
        StringLowerCase(t, d);
        d = CursorAtRoom(room);
        StringUpperCase(t, d);
        d = CursorAtRoom(room);
        StringTrimLeft(t, d);
        d = CursorAtRoom(room);
        StringTrimRight(t, d);
        EXPECT_EQ(PieceAt(d), std::string(room, 'x'));
    }
}

TEST_F(HostScratchEnd, AnArgumentSteppedPastTheEndYieldsTheEmptyPiece)
{
    // An expression that filled the buffer, then stepped over its terminator as the protocol
    // does before handing it on: the next writer's destination lies behind the last byte.
    char *start = CursorAtRoom(5);
    StringAppend("0123456789");
    Scratch.ScratchCursor++;
    char *piece = StringFromLong(12345, Scratch.ScratchCursor);
    EXPECT_EQ(PieceAt(piece), "");
    EXPECT_EQ(PieceAt(start), "01234");
    StringAppend("more");
    EXPECT_EQ(Scratch.ScratchCursor, ScratchEnd());
}

TEST_F(HostScratchEnd, AssigningAnExpressionThatFillsTheBufferStoresItWhole)
{
    char *start = Scratch.ScratchBuffer;
    std::string chunk(1000, 'q');
    for (int i = 0; i < 70; i++) StringAppend(chunk.c_str());
    StringVar v = 0;
    StringAssign(&v, start);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(StringLength(v), ScratchBufferSize - 1);
    EXPECT_EQ(Scratch.ScratchCursor, start);
    EXPECT_TRUE(HostHeapOwns(Runtime.RuntimeHeap, v));
}

TEST_F(HostScratchEnd, FormattersAgreeWithThePlatformFormatsAcrossTheRange)
{
    const int32_t values[] = {0, 1, -1, 9, 10, -10, 2147483647, -2147483647 - 1, 65535, 255};
    for (int32_t v : values) {
        char expect[32];
        snprintf(expect, sizeof expect, "%ld", (long)v);
        EXPECT_EQ(PieceAt(StringFromLong(v, Scratch.ScratchCursor)), expect);
        snprintf(expect, sizeof expect, "%lX", (unsigned long)(uint32_t)v);
        EXPECT_EQ(PieceAt(StringFromHex((uint32_t)v, Scratch.ScratchCursor)), expect);
        snprintf(expect, sizeof expect, "%lu", (unsigned long)((uint32_t)v & 0xFF));
        EXPECT_EQ(PieceAt(StringFromUnsigned((uint32_t)v, 0, Scratch.ScratchCursor)), expect);
        snprintf(expect, sizeof expect, "%lu", (unsigned long)((uint32_t)v & 0xFFFF));
        EXPECT_EQ(PieceAt(StringFromUnsigned((uint32_t)v, 1, Scratch.ScratchCursor)), expect);
        snprintf(expect, sizeof expect, "%lu", (unsigned long)(uint32_t)v);
        EXPECT_EQ(PieceAt(StringFromUnsigned((uint32_t)v, 7, Scratch.ScratchCursor)), expect);
    }
}

}   // namespace

namespace {

// The largest upper bound: the element count 2^31 does not fit a signed 32-bit sum, and the
// size beyond 32 bits must be refused, under the undefined-behaviour sanitizer's eye.
TEST(HostArrays, LargestUpperBoundIsRefusedWithoutOverflow)
{
    Runtime.RuntimeHeap = HeapCreate(0, RuntimeHeapInitialSize, 0);
    EXPECT_EQ(ArrayAlloc(4, 2147483647, 5), nullptr);
    EXPECT_NE(ArrayAlloc(0, 2147483646, 5), nullptr);
    HeapDestroy(Runtime.RuntimeHeap);
    Runtime = RuntimeState();
    Heap = HeapState();
}

// A list whose links were broken behind the runtime's back stops at the next insertion
// instead of linking on: the check is compiled into this build.
TEST_F(HostScratchEnd, ABrokenListLinkStopsTheNextInsertion)
{
    ListVar list = {};
    ListCreate(&list, 4);
    ListAddElement(&list);
    ListElement *second = ListAddElement(&list);
    ASSERT_NE(second, nullptr);
    second->Previous = nullptr;   // [1 2*], 2 no longer links back to 1
    EXPECT_DEATH(ListAddElement(&list), "");
}

}   // namespace
