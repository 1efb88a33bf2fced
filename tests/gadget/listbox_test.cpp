// The list-box kind against a real list box: creation values, insertion positions, removal,
// replacement in place, selection by exact text and by item, the two text readers, and the
// single-selection list box.
#include "support/gadget_parent.h"

#include <cstring>

namespace {

class ListBox : public HiddenParentTest {
  protected:
    void SetUp() override
    {
        HiddenParentTest::SetUp();
        Box = GadgetCreateListBox(0, 5, 5, 485, 269);
        ASSERT_NE(Box, nullptr);
    }

    void Fill(std::initializer_list<const char *> lines)
    {
        for (const char *line : lines) GadgetAddItem(0, -1, line);
    }

    // Every line as the control holds it, read with the platform alone.
    std::vector<std::string> Lines() { return OutsideListLines(Box); }

    // GadgetGetItemText's result, with the cursor checked to rest on its zero.
    std::string ItemText(int32_t index)
    {
        return ScratchRead([=] { GadgetGetItemText(0, index, 0); });
    }

    HWND Box = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(ListBox, IsCreatedWithItsNumberKindExactSizeAndNoText)
{
    EXPECT_EQ(GetDlgCtrlID(Box), 0);
    EXPECT_EQ(Gadgets.Slots[0].Ops, &ListBoxKindOps);
    // No integral height: the control keeps exactly the height asked for.
    RECT r;
    GetWindowRect(Box, &r);
    EXPECT_EQ(r.bottom - r.top, 269);
    EXPECT_EQ(r.right - r.left, 485);
    EXPECT_EQ(GetWindowTextLengthA(Box), 0);
}

TEST_F(ListBox, IgnoresATextLeftInTheCreationRecord)
{
    Gadgets.Params.Text = "alt";
    HWND other = GadgetCreateListBox(1, 0, 0, 50, 50);
    EXPECT_EQ(GetWindowTextLengthA(other), 0);
}

TEST_F(ListBox, AppendsAtMinusOneAndInsertsBeforeAnIndex)
{
    EXPECT_EQ(GadgetCountItems(0), 0);
    EXPECT_EQ(GadgetAddItem(0, -1, "220, 284"), 0);
    EXPECT_EQ(GadgetAddItem(0, -1, "284, 220"), 1);
    EXPECT_EQ(GadgetAddItem(0, -1, "1184, 1210"), 2);
    EXPECT_EQ(Lines(), (Strings{"220, 284", "284, 220", "1184, 1210"}));

    EXPECT_EQ(GadgetAddItem(0, 0, "oben"), 0);
    EXPECT_EQ(GadgetAddItem(0, 2, "mitte"), 2);
    // oben, 220, mitte, 284, 1184 — never sorted
    EXPECT_EQ(Lines(), (Strings{"oben", "220, 284", "mitte", "284, 220", "1184, 1210"}));
    EXPECT_EQ(GadgetCountItems(0), 5);

    // Appended in view: more lines than the box shows, the newest always in sight.
    for (int32_t i = 5; i < 60; i++) {
        ASSERT_EQ(GadgetAddItemInView(0, "log"), i);
        RECT line, client;
        SendMessageA(Box, LB_GETITEMRECT, (WPARAM)i, (LPARAM)&line);
        GetClientRect(Box, &client);
        ASSERT_TRUE(line.top >= 0 && line.bottom <= client.bottom) << i;
    }
}

TEST_F(ListBox, NullTextAddsAnEmptyLine)
{
    Fill({"a"});
    EXPECT_EQ(GadgetAddItem(0, -1, nullptr), 1);
    EXPECT_EQ(Lines(), (Strings{"a", ""}));
}

TEST_F(ListBox, RemovesOneItemOrAll)
{
    Fill({"a", "b", "c"});
    GadgetRemoveItem(0, 1);
    EXPECT_EQ(Lines(), (Strings{"a", "c"}));
    GadgetRemoveItem(0, 9);   // no such item: nothing changes
    EXPECT_EQ(Lines(), (Strings{"a", "c"}));
    GadgetClearItems(0);
    EXPECT_EQ(GadgetCountItems(0), 0);
}

TEST_F(ListBox, ReplacingAnItemKeepsTheLengthAndTheOtherIndexes)
{
    Fill({"a", "b", "c", "d", "e"});
    GadgetSetItemText(0, 2, "neu", 0);
    EXPECT_EQ(Lines(), (Strings{"a", "b", "neu", "d", "e"}));
    GadgetSetItemText(0, 0, nullptr, 0);
    EXPECT_EQ(Lines(), (Strings{"", "b", "neu", "d", "e"}));
}

TEST_F(ListBox, ItemTextReadsEachLineAndGivesTheEmptyTextPastTheEnd)
{
    Fill({"220, 284", "", "drei"});
    EXPECT_EQ(ItemText(0), "220, 284");
    EXPECT_EQ(ItemText(1), "");
    EXPECT_EQ(ItemText(2), "drei");

    char *cursor = Scratch.ScratchCursor;
    std::memcpy(cursor, "xyz", 4);
    for (int32_t index : {3, 100, -1}) {
        GadgetGetItemText(0, index, 0);
        EXPECT_EQ(Scratch.ScratchCursor, cursor) << index;
        EXPECT_EQ(*cursor, 0) << index;
    }
}

TEST_F(ListBox, ItemTextJoinsTheExpressionBuiltSoFar)
{
    Fill({"284"});
    char *start = Scratch.ScratchCursor;
    StringAppend("220, ");
    GadgetGetItemText(0, 0, 0);
    StringAppend("!");
    EXPECT_STREQ(start, "220, 284!");
}

TEST_F(ListBox, SelectsItemsOneByOneAndReportsTheirState)
{
    Fill({"a", "b", "c"});
    EXPECT_EQ(GadgetGetItemState(0, 1), 0);
    GadgetSetItemState(0, 1, 1);
    GadgetSetItemState(0, 2, 1);
    EXPECT_GT(GadgetGetItemState(0, 1), 0);
    EXPECT_GT(GadgetGetItemState(0, 2), 0);
    EXPECT_EQ(GadgetGetItemState(0, 0), 0);
    GadgetSetItemState(0, 1, 0);
    EXPECT_EQ(GadgetGetItemState(0, 1), 0);
    EXPECT_EQ(GadgetGetItemState(0, 7), -1);
}

// With both multiple-selection styles the platform refuses LB_SETCURSEL and answers
// LB_GETCURSEL with the caret item (both documented for multiple-selection list boxes): the
// current item is where the caret stands, 0 until it moves, and selecting by text or by state
// changes nothing; the item-state operations select.
TEST_F(ListBox, TheCurrentItemIsTheCaretItemAndOnlyItemStatesSelect)
{
    auto currentText = [] { return ScratchRead([] { GadgetGetText(0); }); };
    Fill({"ab", "abc", "b", "abc"});
    EXPECT_EQ(GadgetGetState(0), 0) << "nothing selected: the caret item, not -1";
    EXPECT_EQ(currentText(), "ab");
    GadgetSetText(0, "abc");
    GadgetSetState(0, 2);
    for (int32_t i = 0; i < 4; i++) EXPECT_EQ(GadgetGetItemState(0, i), 0) << i;
    EXPECT_EQ(GadgetGetState(0), 0);
    EXPECT_EQ(currentText(), "ab");

    SendMessageA(Box, LB_SETCARETINDEX, 2, 0);   // where a click leaves the caret
    EXPECT_EQ(GadgetGetState(0), 2);
    EXPECT_EQ(currentText(), "b");
    GadgetSetItemState(0, 1, 1);
    EXPECT_GT(GadgetGetItemState(0, 1), 0);
    EXPECT_EQ(GadgetGetState(0), (int32_t)SendMessageA(Box, LB_GETCURSEL, 0, 0));
}

// The single-selection list box is the same kind with the one-selection style: there the same
// operations read and set the one current item, -1 for none.
TEST_F(ListBox, TheSingleSelectionListHasOneCurrentItemOrNone)
{
    ASSERT_NE(GadgetCreateListBoxSingle(1, 0, 0, 100, 80), nullptr);
    EXPECT_EQ(Gadgets.Slots[1].Ops, &ListBoxKindOps);
    for (const char *line : {"rot", "gruen", "blau"}) GadgetAddItem(1, -1, line);
    auto current = [] { return ScratchRead([] { GadgetGetText(1); }); };
    EXPECT_EQ(GadgetGetState(1), -1);
    EXPECT_EQ(current(), "");
    GadgetSetState(1, 2);
    EXPECT_EQ(GadgetGetState(1), 2);
    EXPECT_EQ(current(), "blau");
    EXPECT_GT(GadgetGetItemState(1, 2), 0);
    GadgetSetText(1, "GRUEN");   // the exact match, ignoring case
    EXPECT_EQ(GadgetGetState(1), 1);
    EXPECT_EQ(GadgetGetItemState(1, 2), 0);
    GadgetSetState(1, -1);
    EXPECT_EQ(GadgetGetState(1), -1);
    GadgetSetState(1, 0);
    GadgetSetText(1, "gelb");   // no match: no current item
    EXPECT_EQ(GadgetGetState(1), -1);
    EXPECT_EQ(GadgetAddItemInView(1, "schwarz"), 3);
    EXPECT_EQ(GadgetCountItems(1), 4);
}

TEST_F(ListBox, TextOfANewListBoxIsEmptyAndLeavesTheCursor)
{
    char *cursor = Scratch.ScratchCursor;
    *cursor = 'x';
    GadgetGetText(0);
    EXPECT_EQ(Scratch.ScratchCursor, cursor);
    EXPECT_EQ(*cursor, 0);
}

TEST_F(ListBox, LongItemIsCutAtTheEndOfTheScratchBuffer)
{
    std::string item(300, 'z');
    Fill({item.c_str(), "kurz"});
    GuardedScratch scratch;

    // Fits exactly: read in place.
    scratch.LeaveRoom(4);
    char *cursor = Scratch.ScratchCursor;
    GadgetGetItemText(0, 1, 0);
    EXPECT_STREQ(cursor, "kurz");
    EXPECT_EQ(Scratch.ScratchCursor, ScratchEnd());

    // Too long for the room left: what fits, with its zero on the last byte.
    scratch.LeaveRoom(10);
    cursor = Scratch.ScratchCursor;
    uint32_t allocations = Heap.HeapAllocations;
    GadgetGetItemText(0, 0, 0);
    EXPECT_EQ(std::string(cursor), std::string(10, 'z'));
    EXPECT_EQ(Scratch.ScratchCursor, ScratchEnd());
    EXPECT_GT(Heap.HeapAllocations, allocations);   // went through a heap block

    // No room and no heap block: the empty text, still inside the buffer.
    scratch.LeaveRoom(10);
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    GadgetGetItemText(0, 0, 0);
    Heap.HeapFailAt = 0;
    EXPECT_EQ(Scratch.ScratchCursor, ScratchEnd() - 10);
    EXPECT_EQ(*Scratch.ScratchCursor, 0);
}

}   // namespace
