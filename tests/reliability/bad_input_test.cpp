// Bad arguments at every door of the runtime, each kind once: null texts, negative counts,
// positions past the end, unknown window and gadget numbers. Each call either does what the
// runtime promises for it or is refused without harm; the process must survive all of them.
#include <gtest/gtest.h>

#include "gadget/internal/gadgets.h"
#include "runtime/internal/containers.h"
#include "support/scratch.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

namespace {

class BadInput : public ::testing::Test {
  protected:
    void SetUp() override { Scratch.ScratchCursor = Scratch.ScratchBuffer; }
    char *Cursor() { return Scratch.ScratchCursor; }
};

TEST_F(BadInput, NullTextsAreEmptyTexts)
{
    char *start = Cursor();
    StringAppend("x");
    StringAppend(nullptr);
    EXPECT_EQ(PieceAt(start), "x");
    for (char *piece : {StringLeftPart(nullptr, 5, Cursor()), StringRightPart(nullptr, 5, Cursor()),
                        StringMiddle(nullptr, 1, 5, Cursor()), StringLowerCase(nullptr, Cursor()),
                        StringUpperCase(nullptr, Cursor()), StringTrimLeft(nullptr, Cursor()),
                        StringTrimRight(nullptr, Cursor())}) {
        EXPECT_EQ(PieceAt(piece), "");
        EXPECT_EQ(Cursor(), piece);
    }
    EXPECT_EQ(PieceAt(start), "x");
    EXPECT_EQ(StringLength(nullptr), 0);
    EXPECT_EQ(StringFirstCode(nullptr), 0);
    EXPECT_EQ(StringToLong(nullptr), 0);
    EXPECT_EQ(StringFind(nullptr, "a", 1), 0);
    EXPECT_EQ(StringFind("a", nullptr, 1), 0);
    StringVar v = nullptr;
    StringAssignText(&v, nullptr);
    EXPECT_EQ(v, nullptr);
    StringFree(nullptr);
    ArrayFree(nullptr);
}

TEST_F(BadInput, NegativeCountsAndPositionsPastTheEndGiveEmptyPieces)
{
    const char *t = "abc";
    EXPECT_EQ(PieceAt(StringLeftPart(t, -5, Cursor())), "");
    EXPECT_EQ(PieceAt(StringRightPart(t, -2147483647 - 1, Cursor())), "");
    EXPECT_EQ(PieceAt(StringMiddle(t, 2, -1, Cursor())), "");
    EXPECT_EQ(PieceAt(StringMiddle(t, 5, 3, Cursor())), "");
    EXPECT_EQ(PieceAt(StringMiddle(t, 2147483647, 3, Cursor())), "");
    EXPECT_EQ(PieceAt(StringMiddle(t, -2147483647 - 1, 2, Cursor())), "ab");
    EXPECT_EQ(PieceAt(StringLeftPart(t, 2147483647, Cursor())), "abc");
    EXPECT_EQ(StringFind(t, "c", 2147483647), 0);
    EXPECT_EQ(StringFind(t, "", 4), 4);
    EXPECT_EQ(StringFind(t, "", 5), 0);
    EXPECT_EQ(StringFind(t, "a", -2147483647 - 1), 1);
    // Any selector but 0 and 1 means all 32 bits, negative ones included.
    EXPECT_EQ(PieceAt(StringFromUnsigned(70000, -7, Cursor())), "70000");
}

TEST_F(BadInput, ListOperationsOnAListNeverCreatedAreRefused)
{
    ListVar never = {};
    EXPECT_EQ(ListAddElement(&never), nullptr);
    EXPECT_EQ(ListInsertBefore(&never), nullptr);
    ListDeleteCurrent(&never);
    ListClear(&never);
    EXPECT_EQ(ListCount(&never), 0);
    EXPECT_EQ(ListPosition(&never), 0);
    EXPECT_EQ(ListNext(&never), nullptr);
    EXPECT_EQ(ListPrevious(&never), nullptr);
    EXPECT_EQ(ListFirst(&never), nullptr);
    EXPECT_EQ(ListLast(&never), nullptr);
    EXPECT_EQ(never.Header, nullptr);
    EXPECT_EQ(ArrayAlloc(4, -2, 5), nullptr);
    EXPECT_EQ(ArrayAlloc(0x10000, 0x10000, 5), nullptr);
}

// Numbers never created, beyond the table, or negative: the dispatchers do nothing and give
// 0, the readers give the empty text at the cursor or leave it alone.
TEST_F(BadInput, UnknownGadgetNumbersAreRefused)
{
    HWND window = WindowOpen(4, 0, 0, 200, 100, WS_CAPTION | FlagHidden, "Unbekannt");
    ASSERT_NE(window, nullptr);
    GadgetListUse(window);
    GadgetCreateText(2, 0, 0, 50, 16, "da");
    for (int32_t number : {7, 29, 30, 5000, 2000000000, -1, -2147483647 - 1}) {
        SCOPED_TRACE(number);
        char *start = Cursor();
        StringAppend("vorher");
        char *at = Cursor();
        GadgetGetText(number);
        GadgetGetItemText(number, 0, 0);
        // Inside the table a number never created has a null handle, and what the platform
        // gives for it is the platform's (Wine reads a text for the null window); beyond the
        // table nothing is read at all.
        if ((uint32_t)number >= Gadgets.Capacity) EXPECT_EQ(Cursor(), at) << PieceAt(at);
        EXPECT_EQ(*Cursor(), 0);
        EXPECT_EQ(PieceAt(start).substr(0, 6), "vorher");
        GadgetSetText(number, "x");
        GadgetSetText(number, nullptr);
        EXPECT_EQ(GadgetAddItem(number, -1, nullptr), 0);
        EXPECT_EQ(GadgetAddItemExtra(number, 1, "x", 2), 0);
        EXPECT_EQ(GadgetRemoveItem(number, 0), 0);
        EXPECT_EQ(GadgetClearItems(number), 0);
        EXPECT_EQ(GadgetCountItems(number), 0);
        EXPECT_EQ(GadgetGetItemState(number, 0), 0);
        EXPECT_EQ(GadgetSetItemState(number, 0, 1), 0);
        EXPECT_EQ(GadgetSetItemText(number, 0, nullptr, 0), 0);
        EXPECT_EQ(GadgetGetState(number), 0);
        EXPECT_EQ(GadgetSetState(number, 1), 0);
        GadgetDisable(number, 1);
        GadgetHide(number, 1);
        GadgetResize(number, 1, 2, 3, 4);
        GadgetGetX(number);
        GadgetGetWidth(number);
        GadgetActivate(number);
        GadgetFree(number);
        Scratch.ScratchCursor = start;
    }
    // The gadget that exists is untouched by all of it.
    char *start = Cursor();
    GadgetGetText(2);
    EXPECT_EQ(PieceAt(start), "da");
    // Bad item indexes on a real list box: the empty text, nothing removed, added or replaced.
    GadgetCreateListBox(3, 0, 20, 100, 60);
    GadgetAddItem(3, -1, "eins");
    for (int32_t index : {-1, 1, 2147483647}) {
        start = Cursor();
        GadgetGetItemText(3, index, 0);
        EXPECT_EQ(PieceAt(start), "") << index;
        GadgetRemoveItem(3, index);
        GadgetSetItemText(3, index, "x", 0);
        GadgetSetItemText(3, (int32_t)((uint32_t)index + 5), "x", 0);   // wraps at the top
    }
    EXPECT_EQ(GadgetCountItems(3), 1);
    WindowClose(4);
}

TEST_F(BadInput, UnknownWindowNumbersAreRefused)
{
    HWND current = CurrentWindowHandle();
    for (int32_t number : {9, 10, 11, 100000, -1}) {
        SCOPED_TRACE(number);
        WindowClose(number);
        WindowSetHidden(number, 1);
        WindowUse(number);
        WindowOuterWidth();
        WindowLeft();
        WindowResize(10, 10);
        WindowMoveTo(1, 1);
    }
    WindowUse(-2147483647 - 1);
    (void)current;
    // Forged messages with unknown numbers reach the window procedure as plain events.
    HWND window = WindowOpen(5, 0, 0, 200, 100, WS_CAPTION | FlagHidden, "Fremd");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(31000, 0), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(12345, BN_CLICKED), (LPARAM)window);
    PostMessageA(window, WM_SIZE, 0, MAKELPARAM(65535, 65535));
    PostMessageA(window, MsgSizeDeferred, 0, 0);
    PostMessageA(window, MsgMouseDeferred, 0, 0);
    for (int i = 0; i < 50; i++) WindowPollEvent();
    EXPECT_EQ(WindowPollEvent(), 0);
    WindowClose(5);
}

}   // namespace
