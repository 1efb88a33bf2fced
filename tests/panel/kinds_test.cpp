// What the platform is asked to create for every window and control of the runtime, and the
// check boxes, options, frames, combo boxes and edit fields on real controls, answering
// through the dispatchers.
#include "support/gadget_parent.h"
#include "support/wine_assumes.h"

#include <cstdlib>
#include <functional>

using KindsTest = HiddenParentTest;

// One creation the runtime asks for: the call, and the class, the WHOLE style and the WHOLE
// extended style the platform is asked for, so that no stray flag passes.
struct CreationRow {
    const char *Call;
    std::function<void()> Create;
    const char *ClassName;
    DWORD Style, ExStyle;
};
// clang-format off
#define CREATES(call, className, style, exStyle) CreationRow{#call, [] { call; }, className, style, exStyle}
// clang-format on

static void ExpectCreations(std::initializer_list<CreationRow> rows)
{
    for (const CreationRow &row : rows) {
        TakeCreations();
        row.Create();
        std::vector<CreationRecord> made = TakeCreations();   // a combo box makes its list too
        ASSERT_GE(made.size(), 1u) << row.Call;
        EXPECT_TRUE(Created(made[0], row.ClassName, row.Style, row.ExStyle)) << row.Call;
    }
}

// Every control kind, the frame's three looks, the panel and its pages, in an order that also
// walks an option run: begun by the first option after any other gadget, ended by a panel,
// kept across a new tab.
TEST_F(KindsTest, EveryControlAsksForItsWholeStyle)
{
    const DWORD Client = WS_EX_CLIENTEDGE, Edge = WS_EX_STATICEDGE | WS_EX_TRANSPARENT;
    // clang-format off
    ExpectCreations({
        CREATES(GadgetCreateText(1, 0, 0, 9, 9, "t"), "Static", 0x50020000, 0),
        CREATES(GadgetCreateOption(2, 0, 0, 9, 9, "o"), "Button", 0x50030009, 0),   // run begun
        CREATES(GadgetCreateOption(3, 0, 0, 9, 9, "o"), "Button", 0x50010009, 0),   // run goes on
        CREATES(GadgetCreateButton(4, 0, 0, 9, 9, "b"), "Button", 0x50030000, 0),
        CREATES(GadgetCreateListBox(5, 0, 0, 9, 9), "ListBox", 0x50330949, Client),
        CREATES(GadgetCreateCheckBox(6, 0, 0, 9, 9, "c"), "Button", 0x50030003, 0),
        CREATES(GadgetCreateOption(7, 0, 0, 9, 9, "o"), "Button", 0x50030009, 0),   // run begun
        CREATES(GadgetCreateFrame(8, 0, 0, 9, 9, "f", 0), "Button", 0x50020007, 0),
        CREATES(GadgetCreateFrame(9, 0, 0, 9, 9, "f", 1), "Static", 0x50020001, Client | WS_EX_TRANSPARENT),
        CREATES(GadgetCreateFrame(10, 0, 0, 9, 9, "f", 2), "Static", 0x50020001, Edge),
        CREATES(GadgetCreateFrame(11, 0, 0, 9, 9, "f", 5), "Static", 0x50020001, Edge),
        CREATES(GadgetCreateComboBox(12, 0, 0, 9, 90), "ComboBox", 0x50A30203, Client),
        CREATES(GadgetCreateEdit(13, 0, 0, 9, 9, "e"), "Edit", 0x50030084, Client),
        CREATES(GadgetCreateOption(14, 0, 0, 9, 9, "o"), "Button", 0x50030009, 0),  // run begun
        CREATES(GadgetCreatePanel(15, 0, 0, 200, 150), "SysTabControl32", 0x54030000, 0),
        CREATES(GadgetAddItem(15, -1, "a"), "TemplateClass", WS_CHILD, 0),
        CREATES(GadgetCreateOption(16, 0, 0, 9, 9, "o"), "Button", 0x50030009, 0),  // the panel ended it
        CREATES(GadgetAddItem(15, -1, "b"), "TemplateClass", WS_CHILD, 0),
        CREATES(GadgetCreateOption(17, 0, 0, 9, 9, "o"), "Button", 0x50010009, 0),  // a tab did not
    });
    // clang-format on
    GadgetListClose();
}

// Windows with and without FlagHidden. The runtime asks for no extended style; a hook sees the
// request with the raised edge the platform gives every captioned top-level window. Number 8
// stays open, visible, until the process ends: hiding or destroying a visible top-level
// window costs seconds without a window manager.
TEST_F(KindsTest, EveryWindowAsksForItsWholeStyle)
{
    WINE_ASSUMES(
        "a CBT hook sees a top-level window's style as asked, with WS_EX_WINDOWEDGE added");
    const DWORD Caption = WS_CAPTION | WS_SYSMENU;
    // clang-format off
    ExpectCreations({
        CREATES(WindowOpen(7, 0, 0, 50, 50, Caption | FlagHidden, ""), "WindowClass_7", Caption, WS_EX_WINDOWEDGE),
        CREATES(WindowOpen(8, 0, 0, 50, 50, Caption, ""), "WindowClass_8", WS_VISIBLE | Caption, WS_EX_WINDOWEDGE),
    });
    // clang-format on
    WindowClose(7);
    Windows.Table.Handles[8] = 0;   // out of reach of every later close
    WindowUse(HiddenParentNumber);
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
    ASSERT_TRUE(a && b && c);

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
    ASSERT_TRUE(first && fourth);

    // A click in the new group leaves the old one alone.
    GadgetSetState(1, 1);
    Click(fourth);
    EXPECT_EQ(GadgetGetState(4), 1);
    EXPECT_EQ(GadgetGetState(1), 1);
}

TEST_F(KindsTest, FrameFlagsPickOneOfThreeLooks)
{
    GadgetCreateFrame(1, 10, 10, 100, 50, "group", 0);
    GadgetCreateFrame(2, 10, 70, 100, 50, "sunken", 1);
    GadgetCreateFrame(3, 10, 130, 100, 50, "edge", 2);
    GadgetCreateFrame(4, 10, 190, 100, 50, "edge too", 5);
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(Gadgets.Slots[1].Ops, &ButtonKindOps);
    EXPECT_EQ(Gadgets.Slots[2].Ops, &TextKindOps);
    EXPECT_EQ(Gadgets.Slots[4].Ops, &TextKindOps);
    EXPECT_EQ(made[2].Title, "edge");
    // The frames take the defaults: their window text.
    EXPECT_EQ(ScratchRead([] { GadgetGetText(2); }), "sunken");
}

TEST_F(KindsTest, CheckBoxStateIsItsCheckMark)
{
    HWND box = GadgetCreateCheckBox(1, 10, 10, 100, 20, "check");
    EXPECT_EQ(GetDlgCtrlID(box), 1);
    EXPECT_EQ(GadgetGetState(1), 0);
    GadgetSetState(1, 1);
    EXPECT_EQ(GadgetGetState(1), 1);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    GadgetSetState(1, 0);
    EXPECT_EQ(GadgetGetState(1), 0);
    GadgetSetState(1, 2);   // any state but 0 checks: BM_SETCHECK knows no other on this button
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    GadgetSetState(1, 0);
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

TEST_F(ComboBoxTest, IsCreatedWithoutText)
{
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_GE(made.size(), 1u);
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

TEST_F(KindsTest, EditFieldContentIsItsTextCutAt4999)
{
    HWND edit = GadgetCreateEdit(1, 10, 10, 200, 60, "initial");
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

static BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*(int *)count;
    return TRUE;
}

// A thousand rounds (make soak, CENSUS_FULL set; make test keeps to a hundred, as a thousand take
// 50 s under Wine) of opening (or reopening) a window, making every kind on it, a panel with
// a gadget on each of its two pages among them, freeing some and closing the window: the
// process keeps as many windows and GDI and USER objects as before, no window class stays
// registered, and every handle the runtime itself keeps is live.
TEST_F(KindsTest, RoundsOfWindowsAndGadgetsLeaveNothingBehind)
{
    auto census = [] {
        int windows = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountWindow, (LPARAM)&windows);
        HANDLE self = GetCurrentProcess();
        return std::vector<DWORD>{(DWORD)windows, GetGuiResources(self, GR_GDIOBJECTS),
                                  GetGuiResources(self, GR_USEROBJECTS)};
    };
    auto round = [](int i) {
        if (WindowOpen(7, 0, 0, 300, 200, WS_CAPTION | FlagHidden, "Runde") == nullptr) return;
        GadgetListUse(CurrentWindowHandle());
        GadgetCreateText(40, 0, 0, 50, 16, "t");
        GadgetCreateButton(41, 0, 20, 50, 20, "b");
        GadgetCreateListBox(42, 0, 40, 50, 40);
        GadgetAddItem(42, -1, "eins");
        GadgetCreateCheckBox(43, 60, 0, 50, 16, "c");
        GadgetCreateOption(44, 60, 20, 50, 16, "o1");
        GadgetCreateOption(45, 60, 40, 50, 16, "o2");
        GadgetCreateFrame(46, 120, 0, 50, 50, "f", (uint32_t)i % 3);
        GadgetCreateComboBox(47, 180, 0, 60, 80);
        GadgetAddItem(47, -1, "zwei");
        GadgetCreateEdit(48, 180, 30, 60, 20, "e");
        GadgetCreatePanel(49, 0, 90, 280, 100);
        GadgetAddItem(49, -1, "A");
        GadgetCreateButton(50, 5, 5, 50, 20, "a");
        GadgetAddItem(49, -1, "B");
        GadgetCreateButton(51, 5, 5, 50, 20, "b");
        GadgetListClose();
        GadgetFree(42);
        GadgetFree(49);
        if (i % 2 == 0) WindowClose(7);   // odd rounds leave it to the next round's reopening
    };
    HWND parent = Gadgets.GadgetParent;
    round(0);   // the first of each class loads what the platform keeps for good
    std::vector<DWORD> before = census();
    const int rounds = std::getenv("CENSUS_FULL") != nullptr ? 1000 : 100;
    for (int i = 1; i <= rounds; i++) round(i);
    WindowClose(7);
    round(0);
    EXPECT_EQ(census(), before);
    WNDCLASSA info;
    EXPECT_FALSE(GetClassInfoA(Runtime.ModuleHandle, "WindowClass_7", &info));
    for (uint32_t number = 0; number < Windows.Table.Capacity; number++) {
        HWND window = Windows.Table.Handles[number];
        EXPECT_TRUE(window == nullptr || IsWindow(window)) << number;
    }
    EXPECT_EQ(GetObjectType(Gadgets.GadgetFont), (DWORD)OBJ_FONT);
    EXPECT_EQ(CopyAcceleratorTableA(EventState.FocusTabTable, nullptr, 0), 1);
    EXPECT_TRUE(GetClassInfoA(Runtime.ModuleHandle, "TemplateClass", &info));
    GadgetListUse(parent);
}
