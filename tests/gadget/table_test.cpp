// The gadget table and the operations every kind shares: growth counted from the requested
// number, numbers the table cannot hold, the creation values of the text and push-button
// kinds, and what each dispatcher does with a filled slot and with a null one.
#include "support/gadget_parent.h"

#include "gadget/internal/panels.h"

HWND GadgetCreateSwatch(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *caption);   // swatch_kind.cpp

namespace {

using GadgetTable = HiddenParentTest;

HWND Text(int32_t number, const char *text = "t")
{
    return GadgetCreateText(number, 0, 0, 50, 16, text);
}

TEST_F(GadgetTable, StartsWithThirtyNumbersAndTwoZeroSlotsBehind)
{
    EXPECT_EQ(Gadgets.Capacity, 30u);
    ASSERT_NE(Gadgets.Slots, nullptr);
    for (int i = 0; i < 32; i++) {
        EXPECT_EQ(Gadgets.Slots[i].Handle, nullptr) << i;
        EXPECT_EQ(Gadgets.Slots[i].Ops, nullptr) << i;
    }
    EXPECT_EQ(Gadgets.GadgetFont, (HFONT)GetStockObject(ANSI_VAR_FONT));
}

TEST_F(GadgetTable, NumbersBelowThirtyNeedNoGrowthAndThirtyGivesSixty)
{
    HWND first = Text(0), last = Text(29);
    GadgetSlot *slots = Gadgets.Slots;
    EXPECT_EQ(Gadgets.Capacity, 30u);
    EXPECT_EQ(Gadgets.Slots, slots);

    HWND grown = Text(30);
    EXPECT_EQ(Gadgets.Capacity, 60u);
    // Earlier slots keep their contents; the new ones up to the two spare slots are zero.
    EXPECT_EQ(Gadgets.Slots[0].Handle, first);
    EXPECT_EQ(Gadgets.Slots[29].Handle, last);
    EXPECT_EQ(Gadgets.Slots[29].Ops, &TextKindOps);
    EXPECT_EQ(Gadgets.Slots[30].Handle, grown);
    for (int i = 31; i < 62; i++) EXPECT_EQ(Gadgets.Slots[i].Handle, nullptr) << i;
}

TEST_F(GadgetTable, GrowthIsCountedFromTheRequestedNumber)
{
    HWND control = Text(100);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Gadgets.Capacity, 130u);
    for (int i = 0; i < 100; i++) EXPECT_EQ(Gadgets.Slots[i].Handle, nullptr) << i;
    EXPECT_EQ(Gadgets.Slots[100].Handle, control);
    EXPECT_EQ(GetDlgCtrlID(control), 100);
}

TEST_F(GadgetTable, FailedGrowthCreatesNothingAndKeepsTheTable)
{
    HWND kept = Text(7);
    int children = GadgetChildCount(Window);
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(Text(40), nullptr);
    Heap.HeapFailAt = 0;
    EXPECT_EQ(GadgetChildCount(Window), children);
    EXPECT_EQ(Gadgets.Capacity, 30u);
    EXPECT_EQ(Gadgets.Slots[7].Handle, kept);
    // The next attempt grows as usual.
    EXPECT_NE(Text(40), nullptr);
    EXPECT_EQ(Gadgets.Capacity, 70u);
    EXPECT_EQ(Gadgets.Slots[7].Handle, kept);
}

TEST_F(GadgetTable, TextAndButtonAreCreatedWithTheirFontNumberPlaceAndText)
{
    HWND text = GadgetCreateText(1, 5, 279, 100, 16, "Zahl:");
    HWND button = GadgetCreateButton(3, 495, 5, 100, 24, "Start");
    EXPECT_EQ(GetDlgCtrlID(text), 1);
    EXPECT_EQ(GetDlgCtrlID(button), 3);
    EXPECT_EQ(GetParent(button), Window);
    EXPECT_EQ((HFONT)SendMessageA(button, WM_GETFONT, 0, 0), GetStockObject(ANSI_VAR_FONT));
    EXPECT_EQ(OutsideText(text), "Zahl:");
    EXPECT_EQ(OutsideText(button), "Start");
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, Window, (POINT *)&r, 2);
    EXPECT_EQ(r.left, 495);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 24);
    EXPECT_EQ(Gadgets.Slots[3].Ops, &ButtonKindOps);
}

TEST_F(GadgetTable, CreatingUnderANumberInUseReplacesTheSlotOnly)
{
    HWND older = Text(5, "alt");
    HWND newer = Text(5, "neu");
    EXPECT_EQ(Gadgets.Slots[5].Handle, newer);
    EXPECT_TRUE(IsWindow(older));
    GadgetSetText(5, "geändert");
    EXPECT_EQ(OutsideText(older), "alt");
}

// WM_PARENTNOTIFY reaches the hook while a control is made; a hook that creates a gadget then
// rewrites the creation record, and each control must still land in its own slot.
static LRESULT CALLBACK CreatingHook(HWND, UINT message, WPARAM wParam, LPARAM)
{
    static bool inside = false;
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE && !inside) {
        inside = true;
        GadgetCreateButton(9, 60, 0, 50, 20, "innen");
        inside = false;
    }
    return 0;
}

TEST_F(GadgetTable, AGadgetCreatedByTheHookDuringACreationTakesNoOtherSlot)
{
    WindowSetCallback(CreatingHook);
    HWND outer = Text(3, "aussen");
    WindowSetCallback(nullptr);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(Gadgets.Slots[3].Handle, outer);
    EXPECT_EQ(Gadgets.Slots[3].Ops, &TextKindOps);
    EXPECT_EQ(GetDlgCtrlID(Gadgets.Slots[9].Handle), 9);
    EXPECT_EQ(Gadgets.Slots[9].Ops, &ButtonKindOps);
}

TEST_F(GadgetTable, FontAppliesToGadgetsCreatedAfterwardsOnly)
{
    HWND before = Text(0);
    HFONT other = (HFONT)GetStockObject(SYSTEM_FIXED_FONT);
    GadgetSetFont(other);
    HWND after = Text(1);
    EXPECT_EQ((HFONT)SendMessageA(before, WM_GETFONT, 0, 0), GetStockObject(ANSI_VAR_FONT));
    EXPECT_EQ((HFONT)SendMessageA(after, WM_GETFONT, 0, 0), other);
}

TEST_F(GadgetTable, DisableWithZeroEnablesAndWithAnyOtherFlagDisables)
{
    HWND button = GadgetCreateButton(4, 0, 0, 50, 20, "Pause");
    for (int32_t flag : {1, -1, 7}) {
        GadgetDisable(4, 0);
        EXPECT_TRUE(IsWindowEnabled(button)) << flag;
        GadgetDisable(4, flag);
        EXPECT_FALSE(IsWindowEnabled(button)) << flag;
    }
}

TEST_F(GadgetTable, ActivateGivesTheFocusAndReturnsThePreviousOne)
{
    ShowWindow(Window, SW_SHOWNOACTIVATE);
    SetActiveWindow(Window);
    HWND first = GadgetCreateButton(0, 0, 0, 50, 20, "a");
    HWND second = GadgetCreateButton(1, 0, 30, 50, 20, "b");
    GadgetActivate(0);
    ASSERT_EQ(GetFocus(), first);
    EXPECT_EQ(GadgetActivate(1), first);
    EXPECT_EQ(GetFocus(), second);
    ShowWindow(Window, SW_HIDE);
}

// A kind with a class of its own keeps the font each creation sends, which a class's
// DefWindowProcA would drop, and its own window bytes beside it; its class is the program's.
TEST_F(GadgetTable, AKindWithAClassOfItsOwnKeepsTheGadgetFontAndItsOwnBytes)
{
    HWND first = GadgetCreateSwatch(3, 0, 0, 60, 20, "Rot");
    HFONT other = (HFONT)GetStockObject(SYSTEM_FIXED_FONT);
    GadgetSetFont(other);
    HWND second = GadgetCreateSwatch(4, 0, 30, 60, 20, "Blau");   // the class is there now
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ((HINSTANCE)GetClassLongA(first, GCL_HMODULE), Runtime.ModuleHandle);
    GadgetSetState(3, RGB(200, 0, 0));
    EXPECT_EQ(GadgetGetState(3), (int32_t)RGB(200, 0, 0));
    EXPECT_EQ(GadgetGetState(4), 0);
    EXPECT_EQ((HFONT)SendMessageA(first, WM_GETFONT, 0, 0), GetStockObject(ANSI_VAR_FONT));
    EXPECT_EQ((HFONT)SendMessageA(second, WM_GETFONT, 0, 0), other);
    EXPECT_EQ(OutsideText(second), "Blau");
    // A name another class holds: a control made under it would be of that class.
    EXPECT_EQ(GadgetKindRegister("TestSwatch", GadgetKindDefault, 4), 0);
    EXPECT_EQ(GadgetKindRegister("BUTTON", GadgetKindDefault, 0), 0);
}

// A kind without operations: every dispatcher falls back to its default.
TEST_F(GadgetTable, KindWithoutOperationsGetsEveryDefault)
{
    HWND text = Text(6, "Anfang");
    char *cursor = Scratch.ScratchCursor;
    EXPECT_EQ(GadgetGetState(6), 0);
    EXPECT_EQ(GadgetSetState(6, 1), 0);
    EXPECT_EQ(GadgetAddItem(6, -1, "x"), 0);
    EXPECT_EQ(GadgetAddItem(6, -1, nullptr), 0);
    EXPECT_EQ(GadgetAddItemExtra(6, 1, "x", 2), 0);
    EXPECT_EQ(GadgetRemoveItem(6, 0), 0);
    EXPECT_EQ(GadgetClearItems(6), 0);
    EXPECT_EQ(GadgetCountItems(6), 0);
    EXPECT_EQ(GadgetGetItemState(6, 0), 0);
    EXPECT_EQ(GadgetSetItemState(6, 0, 1), 0);
    EXPECT_EQ(GadgetSetItemText(6, 0, "x", 0), 0);
    EXPECT_EQ(OutsideText(text), "Anfang");

    // The empty item text: a zero at the cursor, which stays.
    *cursor = 'q';
    GadgetGetItemText(6, 0, 0);
    EXPECT_EQ(Scratch.ScratchCursor, cursor);
    EXPECT_EQ(*cursor, 0);

    GadgetSetText(6, "Zahl: 220");
    EXPECT_EQ(OutsideText(text), "Zahl: 220");
    GadgetGetText(6);
    EXPECT_STREQ(cursor, "Zahl: 220");
    EXPECT_EQ(Scratch.ScratchCursor, cursor + 9);
    EXPECT_EQ(*Scratch.ScratchCursor, 0);

    GadgetFree(6);
    EXPECT_FALSE(IsWindow(text));
}

// The default text reader appends behind what the expression holds so far.
TEST_F(GadgetTable, DefaultTextReaderJoinsTheExpressionBuiltSoFar)
{
    Text(6, "220");
    char *start = Scratch.ScratchCursor;
    StringAppend("Zahl: ");
    GadgetGetText(6);
    EXPECT_STREQ(start, "Zahl: 220");
}

// A kind of the test's own that records what the dispatchers hand it.
struct Call {
    std::string Name;
    HWND Control;
    int32_t A, B;
    std::string Text;
    bool TextNull;
};
std::vector<Call> Calls;

void Record(const char *name, HWND c, int32_t a = 0, int32_t b = 0, const char *text = nullptr)
{
    Calls.push_back({name, c, a, b, text ? text : "", text == nullptr});
}

const GadgetKindOps RecordingOps = {
    [](HWND c) { Record("Free", c); },
    [](HWND c) -> int32_t {
        Record("GetState", c);
        return 41;
    },
    [](HWND c, int32_t s) { Record("SetState", c, s); },
    [](HWND c) {
        Record("GetText", c);
        StringAppend("eigen");
    },
    [](HWND c, const char *t) { Record("SetText", c, 0, 0, t); },
    [](HWND c, int32_t p, const char *t) -> int32_t {
        Record("AddItem", c, p, 0, t);
        return 42;
    },
    [](HWND c, int32_t n, const char *t, int32_t s) -> int32_t {
        Record("AddItemExtra", c, n, s, t);
        return 43;
    },
    [](HWND c, int32_t i) { Record("RemoveItem", c, i); },
    [](HWND c) { Record("ClearItems", c); },
    nullptr,
    [](HWND c) -> int32_t {
        Record("CountItems", c);
        return 44;
    },
    [](HWND c, int32_t i) -> int32_t {
        Record("GetItemState", c, i);
        return 45;
    },
    [](HWND c, int32_t i, int32_t s) { Record("SetItemState", c, i, s); },
    [](HWND c, int32_t i, int32_t s) { Record("GetItemText", c, i, s); },
    [](HWND c, int32_t i, const char *t, int32_t s) { Record("SetItemText", c, i, s, t); },
};

TEST_F(GadgetTable, DispatchersCallTheKindWithTheHandleAndTheirArguments)
{
    Gadgets.Params = {0, 0, 20, 20, "k", 0};
    Gadgets.ClassName = "STATIC";
    Gadgets.Style = WS_CHILD;
    Gadgets.ExStyle = 0;
    Gadgets.KindOps = &RecordingOps;
    HWND c = GadgetCreate(9);
    ASSERT_NE(c, nullptr);
    Calls.clear();

    GadgetFree(9);
    EXPECT_EQ(GadgetGetState(9), 41);
    GadgetSetState(9, 3);
    GadgetGetText(9);
    GadgetSetText(9, nullptr);
    EXPECT_EQ(GadgetAddItem(9, -1, nullptr), 42);
    EXPECT_EQ(GadgetAddItemExtra(9, 5, nullptr, 6), 43);
    GadgetRemoveItem(9, 2);
    GadgetClearItems(9);
    EXPECT_EQ(GadgetCountItems(9), 44);
    EXPECT_EQ(GadgetGetItemState(9, 4), 45);
    GadgetSetItemState(9, 4, 1);
    GadgetGetItemText(9, 7, 8);
    GadgetSetItemText(9, 1, nullptr, 9);

    // Null texts: passed on by SetText, made empty by the two add-item dispatchers and by
    // SetItemText.
    std::vector<std::tuple<std::string, int32_t, int32_t, bool>> expected = {
        {"Free", 0, 0, true},          {"GetState", 0, 0, true},     {"SetState", 3, 0, true},
        {"GetText", 0, 0, true},       {"SetText", 0, 0, true},      {"AddItem", -1, 0, false},
        {"AddItemExtra", 5, 6, false}, {"RemoveItem", 2, 0, true},   {"ClearItems", 0, 0, true},
        {"CountItems", 0, 0, true},    {"GetItemState", 4, 0, true}, {"SetItemState", 4, 1, true},
        {"GetItemText", 7, 8, true},   {"SetItemText", 1, 9, false},
    };
    ASSERT_EQ(Calls.size(), expected.size());
    for (size_t i = 0; i < Calls.size(); i++) {
        EXPECT_EQ(Calls[i].Name, std::get<0>(expected[i]));
        EXPECT_EQ(Calls[i].Control, c) << Calls[i].Name;
        EXPECT_EQ(Calls[i].A, std::get<1>(expected[i])) << Calls[i].Name;
        EXPECT_EQ(Calls[i].B, std::get<2>(expected[i])) << Calls[i].Name;
        EXPECT_EQ(Calls[i].TextNull, std::get<3>(expected[i])) << Calls[i].Name;
    }
    // The kind's own Free replaced DestroyWindow.
    EXPECT_TRUE(IsWindow(c));
}

}   // namespace
