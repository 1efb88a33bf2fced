// Check boxes, options, frames, combo boxes and edit fields on real controls: what the
// platform is asked to create, and how the controls answer through the dispatchers.
#include "support/gadget_parent.h"

#include <cstring>

using KindsTest = HiddenParentTest;

static bool IsGroupStart(HWND control)
{
    return HasStyle(control, WS_GROUP);
}

static void Click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
}

// The states of gadgets 1 to n.
static std::vector<int32_t> States(int n)
{
    std::vector<int32_t> states;
    for (int i = 1; i <= n; i++) states.push_back(GadgetGetState(i));
    return states;
}

TEST_F(KindsTest, OptionsInARowFormOneGroupWhoseFirstAloneStartsIt)
{
    HWND a = GadgetCreateOption(1, 10, 10, 100, 20, "A");
    HWND b = GadgetCreateOption(2, 10, 30, 100, 20, "B");
    HWND c = GadgetCreateOption(3, 10, 50, 100, 20, "C");
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_EQ(made.size(), 3u);
    EXPECT_TRUE(Created(made[0], "Button", 0x50030009u, 0));
    EXPECT_TRUE(Created(made[1], "Button", 0x50010009u, 0));
    EXPECT_TRUE(Created(made[2], "Button", 0x50010009u, 0));
    EXPECT_TRUE(IsGroupStart(a));
    EXPECT_FALSE(IsGroupStart(b));
    EXPECT_FALSE(IsGroupStart(c));

    // A checked, then clicks on C and on B: the clicked one alone stays checked.
    GadgetSetState(1, 1);
    Click(c);
    EXPECT_EQ(States(3), (std::vector<int32_t>{0, 0, 1}));
    Click(b);
    EXPECT_EQ(States(3), (std::vector<int32_t>{0, 1, 0}));
}

TEST_F(KindsTest, AnyOtherGadgetEndsAnOptionGroup)
{
    GadgetCreateText(9, 200, 10, 100, 20, "before");
    HWND first = GadgetCreateOption(1, 10, 10, 100, 20, "first after a text");
    GadgetCreateOption(2, 10, 30, 100, 20, "second");
    GadgetCreateCheckBox(3, 10, 50, 100, 20, "check");
    HWND fourth = GadgetCreateOption(4, 10, 70, 100, 20, "after a check box");
    EXPECT_TRUE(IsGroupStart(first));
    EXPECT_TRUE(IsGroupStart(fourth));

    // A click in the new group leaves the old one alone.
    GadgetSetState(1, 1);
    Click(fourth);
    EXPECT_EQ(GadgetGetState(4), 1);
    EXPECT_EQ(GadgetGetState(1), 1);
}

TEST_F(KindsTest, APanelEndsAnOptionRunButAddingATabDoesNot)
{
    GadgetCreateOption(1, 10, 10, 100, 20, "A");
    GadgetCreatePanel(2, 120, 10, 200, 150);
    GadgetAddItem(2, -1, "first");
    HWND onFirst = GadgetCreateOption(3, 10, 10, 100, 20, "on the first page");
    GadgetAddItem(2, -1, "second");
    HWND onSecond = GadgetCreateOption(4, 10, 10, 100, 20, "on the second page");
    GadgetListClose();
    EXPECT_TRUE(IsGroupStart(onFirst));
    EXPECT_FALSE(IsGroupStart(onSecond)) << "the run goes on across the new tab";
}

TEST_F(KindsTest, FrameFlagsPickOneOfThreeLooks)
{
    GadgetCreateFrame(1, 10, 10, 100, 50, "group", 0);
    GadgetCreateFrame(2, 10, 70, 100, 50, "sunken", 1);
    GadgetCreateFrame(3, 10, 130, 100, 50, "edge", 2);
    GadgetCreateFrame(4, 10, 190, 100, 50, "edge too", 5);
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_EQ(made.size(), 4u);
    EXPECT_TRUE(Created(made[0], "Button", 0x50020007u, 0));
    EXPECT_TRUE(Created(made[1], "Static", 0x50020001u, WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT));
    for (int i = 2; i < 4; i++)
        EXPECT_TRUE(Created(made[i], "Static", 0x50020001u, WS_EX_STATICEDGE | WS_EX_TRANSPARENT));
    EXPECT_EQ(GadgetSlotOrSpare(1)->Ops, &ButtonKindOps);
    EXPECT_EQ(GadgetSlotOrSpare(2)->Ops, &TextKindOps);
    EXPECT_EQ(GadgetSlotOrSpare(4)->Ops, &TextKindOps);
    EXPECT_EQ(made[2].Title, "edge");
    // The frames take the defaults: their window text.
    EXPECT_EQ(ScratchRead([] { GadgetGetText(2); }), "sunken");
}

TEST_F(KindsTest, CheckBoxStateIsItsCheckMark)
{
    HWND box = GadgetCreateCheckBox(1, 10, 10, 100, 20, "check");
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].Style, 0x50030003u);
    EXPECT_EQ(made[0].ExStyle, 0u);
    EXPECT_EQ(made[0].Id, 1);
    EXPECT_EQ(GadgetGetState(1), 0);
    GadgetSetState(1, 1);
    EXPECT_EQ(GadgetGetState(1), 1);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    GadgetSetState(1, 0);
    EXPECT_EQ(GadgetGetState(1), 0);
    Click(box);
    EXPECT_EQ(GadgetGetState(1), 1);
}

class ComboBoxTest : public HiddenParentTest {
  protected:
    HWND Box = nullptr;
    void SetUp() override
    {
        HiddenParentTest::SetUp();
        Box = GadgetCreateComboBox(1, 10, 10, 150, 120);
    }
    std::string Item(int index)
    {
        char text[256] = {};
        SendMessageA(Box, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text);
        return text;
    }
    std::string Text()
    {
        return ScratchRead([] { GadgetGetText(1); });
    }
    void Fill(std::initializer_list<const char *> items)
    {
        for (const char *item : items) GadgetAddItem(1, -1, item);
    }
};

TEST_F(ComboBoxTest, IsCreatedAsADropDownListWithoutText)
{
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_GE(made.size(), 1u);
    EXPECT_TRUE(Created(made[0], "ComboBox", 0x50A30203u, WS_EX_CLIENTEDGE));
    EXPECT_EQ(made[0].Title, "");
}

TEST_F(ComboBoxTest, AnEmptyBoxHasNoSelectionAndTheEmptyText)
{
    EXPECT_EQ(GadgetCountItems(1), 0);
    EXPECT_EQ(GadgetGetState(1), -1);
    EXPECT_EQ(Text(), "");   // the reader checks the cursor stays put
}

TEST_F(ComboBoxTest, AddsAppendAtMinusOneAndInsertAtZero)
{
    EXPECT_EQ(GadgetAddItem(1, -1, "apple"), 0);
    EXPECT_EQ(GadgetAddItem(1, -1, "banana"), 1);
    EXPECT_EQ(GadgetAddItem(1, 0, "cherry"), 0);
    // cherry, apple, banana
    ASSERT_EQ(GadgetCountItems(1), 3);
    EXPECT_EQ(Item(0), "cherry");
    EXPECT_EQ(Item(1), "apple");
    EXPECT_EQ(Item(2), "banana");
    GadgetRemoveItem(1, 0);
    EXPECT_EQ(Item(0), "apple");
    GadgetClearItems(1);
    EXPECT_EQ(GadgetCountItems(1), 0);
}

TEST_F(ComboBoxTest, SelectionByStateAndItsText)
{
    Fill({"red", "green", "blue"});
    GadgetSetState(1, 2);
    EXPECT_EQ(GadgetGetState(1), 2);
    EXPECT_EQ(Text(), "blue");
    GadgetSetState(1, -1);
    EXPECT_EQ(GadgetGetState(1), -1);
    EXPECT_EQ(Text(), "");
}

TEST_F(ComboBoxTest, SetTextSelectsThePrefixMatchFromItemOneOnIgnoringCaseAndWraps)
{
    Fill({"beta", "Bingo", "bravo", "alpha"});
    GadgetSetText(1, "b");
    EXPECT_EQ(GadgetGetState(1), 1) << "the search begins after item 0";
    EXPECT_EQ(Text(), "Bingo");
    GadgetSetText(1, "zz");
    EXPECT_EQ(GadgetGetState(1), 1) << "no match keeps the selection";
    GadgetSetText(1, "AL");
    EXPECT_EQ(GadgetGetState(1), 3);
    GadgetClearItems(1);
    Fill({"bravo", "alpha", "charlie"});
    GadgetSetText(1, "b");
    EXPECT_EQ(GadgetGetState(1), 0) << "item 0 is tried last, when nothing after it matches";
}

// An empty string variable holds null: the combo box is handed the empty text instead.
TEST_F(ComboBoxTest, SetTextWithNullActsAsTheEmptyText)
{
    Fill({"alpha", "beta", "gamma"});
    GadgetSetState(1, 2);
    GadgetSetText(1, "");
    int32_t afterEmpty = GadgetGetState(1);
    GadgetSetState(1, 2);
    GadgetSetText(1, nullptr);
    EXPECT_EQ(GadgetGetState(1), afterEmpty);
}

TEST_F(ComboBoxTest, TextNearTheScratchEndIsCutAtTheLastByte)
{
    Fill({"Banana"});
    GadgetSetState(1, 0);
    GuardedScratch guarded;
    char *end = ScratchEnd();
    memset(end - 8, 'x', 9);
    Scratch.ScratchCursor = end - 3;
    GadgetGetText(1);
    EXPECT_EQ(std::string(end - 3, 3), "Ban");
    EXPECT_EQ(*end, 0);
    EXPECT_EQ(Scratch.ScratchCursor, end);
    EXPECT_EQ(end[-4], 'x') << "nothing before the cursor is touched";
    // On the last byte itself only the zero fits.
    end[0] = 'x';
    Scratch.ScratchCursor = end;
    GadgetGetText(1);
    EXPECT_EQ(*end, 0);
    EXPECT_EQ(Scratch.ScratchCursor, end);
}

TEST_F(KindsTest, EditFieldContentIsItsTextCutAt4999)
{
    HWND edit = GadgetCreateEdit(1, 10, 10, 200, 60, "initial");
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(Created(made[0], "Edit", 0x50030084u, WS_EX_CLIENTEDGE));
    EXPECT_EQ(ScratchRead([] { GadgetGetText(1); }), "initial");

    std::string longText(6000, 'q');
    longText[4998] = 'e';
    longText[4999] = 'X';
    SendMessageA(edit, EM_SETLIMITTEXT, 10000, 0);
    GadgetSetText(1, longText.c_str());
    ASSERT_EQ(GetWindowTextLengthA(edit), 6000);
    std::string read = ScratchRead([] { GadgetGetText(1); });
    EXPECT_EQ(read.size(), 4999u);
    EXPECT_EQ(read.back(), 'e');
    EXPECT_EQ(GadgetCountItems(1), 0);
}
