// The one table of refused calls: every operation that takes a number or a pointer, called with
// what it cannot use (numbers negative, past the table or 0x7FFFFFFF, null pointers, places
// outside the scratch buffer, another process's window). Each row must give the documented
// refusal (null, 0 or the empty text) and leave everything else as it was: the tables, every
// window and control with its texts and items, the scratch buffer and its cursor, the heap.
#include <functional>
#include <sstream>
#include <type_traits>

#include "gadget/internal/gadgets.h"
#include "runtime/internal/check.h"
#include "runtime/containers.h"
#include "runtime/files.h"
#include "runtime/internal/containers.h"
#include "support/gadget_parent.h"
#include "support/heap_census.h"
#include "support/scratch.h"
#include "window/clipboard.h"
#include "window/dialogs.h"
#include "window/internal/events.h"
#include "window/internal/tools.h"
#include "window/internal/windows.h"
#include "window/menus.h"

namespace {

// Numbers the gadget operations refuse: negative, past the table (30 at start), or too large
// for the 16 bits a control's notification names it by; and numbers inside the table never
// created, which name no control.
const int32_t RefusedGadgetNumbers[] = {-1,    -100,  INT32_MIN,  30,         1000, 5000,
                                        65536, 70000, 2000000000, 0x7FFFFFFF, 8,    29};
// Numbers the creators refuse: the negative ones, and those above 65535.
const int32_t RefusedCreatorNumbers[] = {-1, INT32_MIN, 65536, 70000, 0x7FFFFFF0, 0x7FFFFFFF};
// Window numbers with no window: inside the table, past it, negative.
const int32_t AbsentWindowNumbers[] = {9, 10, 11, 100000, 0x7FFFFFFF, -1, INT32_MIN};

std::ostream &operator<<(std::ostream &out, const RECT &r)
{
    return out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

// A menu with its items: number, text and state, drop-downs in brackets.
void WorldMenu(std::ostringstream &world, HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char label[40] = "";
        GetMenuStringA(menu, i, label, sizeof label, MF_BYPOSITION);
        world << " " << GetMenuItemID(menu, i) << ":" << label << "/"
              << GetMenuState(menu, i, MF_BYPOSITION);
        if (HMENU popup = GetSubMenu(menu, i)) {
            world << " [";
            WorldMenu(world, popup);
            world << " ]";
        }
    }
}

// One window as the table compares it: shown, enabled, placed, and for the runtime's own
// windows also class, text, items and menu.
void WorldWindow(std::ostringstream &world, HWND window, bool own)
{
    RECT r = {};
    GetWindowRect(window, &r);
    world << window << (IsWindowVisible(window) ? " shown" : " hidden")
          << (IsWindowEnabled(window) ? " enabled " : " disabled ") << r;
    if (own) {
        std::string name = OutsideClassName(window);
        world << " " << name << " '" << OutsideText(window) << "'";
        if (lstrcmpiA(name.c_str(), "ListBox") == 0)
            for (const std::string &line : OutsideListLines(window)) world << " [" << line << "]";
        if (lstrcmpiA(name.c_str(), "ComboBox") == 0)
            world << " items " << SendMessageA(window, CB_GETCOUNT, 0, 0) << " selected "
                  << SendMessageA(window, CB_GETCURSEL, 0, 0);
        if (lstrcmpiA(name.c_str(), "SysTabControl32") == 0)
            world << " tabs " << SendMessageA(window, TCM_GETITEMCOUNT, 0, 0) << " selected "
                  << SendMessageA(window, TCM_GETCURSEL, 0, 0);
        if (HMENU menu = GetMenu(window); menu && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
            world << " menu";
            WorldMenu(world, menu);
        }
    }
    world << "\n";
}

BOOL CALLBACK WorldChild(HWND window, LPARAM world)
{
    WorldWindow(*(std::ostringstream *)world, window, true);
    return TRUE;
}

BOOL CALLBACK WorldTopLevel(HWND window, LPARAM world)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    bool own = process == GetCurrentProcessId();
    WorldWindow(*(std::ostringstream *)world, window, own);
    if (own) EnumChildWindows(window, WorldChild, world);
    return TRUE;
}

// Everything a refused call must leave as it was, as one text, so that a failure shows it.
std::string WorldNow()
{
    std::ostringstream world;
    world << "windows " << Windows.Table.Capacity << ":";
    for (uint32_t n = 0; n < Windows.Table.Capacity + WindowTableSpare; n++)
        world << " " << Windows.Table.Handles[n];
    world << "\ncurrent " << Windows.CurrentWindow << " focus " << GetFocus() << "\ngadgets "
          << Gadgets.Capacity << ":";
    for (uint32_t n = 0; n < Gadgets.Capacity + GadgetTableSpare; n++)
        world << " " << Gadgets.Slots[n].Handle << "/" << (const void *)Gadgets.Slots[n].Ops;
    world << "\nparent " << Gadgets.GadgetParent << " font " << Gadgets.GadgetFont << " option run "
          << Gadgets.OptionGroupOpen << " panels open " << Panels.GadgetListDepth << " refused "
          << Panels.RefusedDepth << " tab row " << Panels.TabRowHeight << " tabs added "
          << Panels.TabCounter << "\n";
    world << "shortcut tables " << Shortcuts.Count << ":";
    for (uint32_t i = 0; i < Shortcuts.Count; i++) {
        ACCEL keys[16];
        int count = CopyAcceleratorTableA(Shortcuts.Tables[i].Table, keys, 16);
        world << " " << Shortcuts.Tables[i].Window << " {";
        for (int k = 0; k < count; k++)
            world << " " << (int)keys[k].fVirt << "/" << keys[k].key << "/" << keys[k].cmd;
        world << " }";
    }
    world << "\ntimers " << Timers.Count << ":";
    for (uint32_t i = 0; i < Timers.Count; i++)
        world << " " << Timers.Running[i].Window << "/" << Timers.Running[i].Number;
    world << "\n";
    EnumWindows(WorldTopLevel, (LPARAM)&world);
    HeapCensus heap = HeapCensusOf(Runtime.RuntimeHeap);
    world << "cursor " << (Scratch.ScratchCursor - Scratch.ScratchBuffer) << " on '"
          << std::string(Scratch.ScratchBuffer, 6) << "', heap " << heap.Blocks << " blocks "
          << heap.Bytes << " bytes";
    return world.str();
}

// One row: the call's text, the call, and whether it reads (its piece is the empty text at the
// cursor). The call's result is the refusal: null or 0, and 0 for operations without one.
struct Refusal {
    const char *Call;
    std::function<intptr_t()> Run;
    bool EmptyText;
};

template <typename Call> intptr_t RefusalResult(Call call)
{
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        return 0;
    } else {
        return (intptr_t)call();
    }
}

template <typename Call> Refusal RefusalRow(const char *text, Call call, bool emptyText)
{
    return {text, [=] { return RefusalResult(call); }, emptyText};
}

// clang-format off
#define REFUSED(call) RefusalRow(#call, [&] { return call; }, false)
#define READS_EMPTY(call) RefusalRow(#call, [&] { return call; }, true)
// clang-format on

// A hidden window with one gadget of every kind that holds something to lose: a text, a list
// box with two lines, a combo box with a selected item, a check mark, and a panel with two
// tabs, a gadget on its first page.
class RefusedCalls : public HiddenParentTest {
  protected:
    void SetUp() override
    {
        HiddenParentTest::SetUp();
        GadgetCreateText(2, 0, 0, 80, 16, "da");
        GadgetCreateListBox(3, 0, 20, 100, 60);
        GadgetAddItem(3, -1, "eins");
        GadgetAddItem(3, -1, "zwei");
        GadgetCreateComboBox(4, 0, 90, 100, 80);
        GadgetAddItem(4, -1, "rot");
        GadgetSetState(4, 0);
        GadgetCreateCheckBox(5, 0, 180, 100, 20, "an");
        GadgetSetState(5, 1);
        Tab = GadgetCreatePanel(6, 120, 0, 300, 200);
        GadgetAddItem(6, -1, "erste");
        GadgetCreateButton(7, 10, 10, 80, 24, "auf der Seite");
        GadgetAddItem(6, -1, "zweite");
        GadgetListClose();
        WindowTestFlush();
        StringAssignText(&Variable, "eine Variable");
        Block = (char *)HeapAllocate(64, HeapFillNone);
        ASSERT_NE(Block, nullptr);
    }

    void TearDown() override
    {
        StringFree(Variable);
        HeapRelease(Block);
        RuntimeChecks = RuntimeCheckState{};
        HiddenParentTest::TearDown();
    }

    // Each row on the same world: "vorher" at the buffer's start, the cursor behind it on a
    // stale byte that only a reader may turn into the empty text. A reader runs once more with
    // no room left, the cursor on the last byte of a buffer with a guard page behind it.
    void Expect(std::initializer_list<Refusal> rows)
    {
        for (const Refusal &row : rows) {
            Scratch.ScratchCursor = Scratch.ScratchBuffer;
            StringAppend("vorher");
            char *cursor = Scratch.ScratchCursor;
            *cursor = 's';
            const std::string before = WorldNow();
            intptr_t result = row.Run();
            EXPECT_EQ(result, 0) << row.Call;
            EXPECT_EQ(*cursor, row.EmptyText ? 0 : 's') << row.Call;
            EXPECT_EQ(WorldNow(), before) << row.Call;
            if (!row.EmptyText) continue;
            GuardedScratch guarded;
            guarded.LeaveRoom(0);
            *ScratchEnd() = 's';
            row.Run();
            EXPECT_EQ(Scratch.ScratchCursor, ScratchEnd()) << row.Call << ", no room";
            EXPECT_EQ(*ScratchEnd(), 0) << row.Call << ", no room";
        }
    }

    HWND Tab = nullptr;
    StringVar Variable = nullptr;
    char *Block = nullptr;
};

TEST_F(RefusedCalls, GadgetNumbersThatNameNoControl)
{
    const int32_t widths[] = {50};
    for (int32_t n : RefusedGadgetNumbers) {
        SCOPED_TRACE(n);
        bool inside = n == 8 || n == 29;   // the table holds its slot, an empty one
        // clang-format off
        Expect({
            REFUSED(inside ? 0 : GadgetSlotOrNull(n)), REFUSED(GadgetFree(n)), REFUSED(GadgetGetState(n)),
            REFUSED(GadgetSetState(n, 1)), READS_EMPTY(GadgetGetText(n)),
            REFUSED(GadgetSetText(n, "x")), REFUSED(GadgetSetText(n, nullptr)),
            REFUSED(GadgetAddItem(n, -1, nullptr)), REFUSED(GadgetAddItemExtra(n, 1, "x", 2)),
            REFUSED(GadgetRemoveItem(n, 0)), REFUSED(GadgetClearItems(n)),
            REFUSED(GadgetCountItems(n)), REFUSED(GadgetGetItemState(n, 0)),
            REFUSED(GadgetSetItemState(n, 0, 1)), READS_EMPTY(GadgetGetItemText(n, 0, 0)),
            REFUSED(GadgetSetItemText(n, 0, nullptr, 0)), REFUSED(GadgetDisable(n, 1)),
            REFUSED(GadgetActivate(n)), REFUSED(GadgetGetHandle(n)), REFUSED(GadgetGetX(n)),
            REFUSED(GadgetGetY(n)), REFUSED(GadgetGetWidth(n)), REFUSED(GadgetGetHeight(n)),
            REFUSED(GadgetHide(n, 1)), REFUSED(GadgetResize(n, 1, 2, 3, 4)),
            REFUSED(GadgetSetDefault(n)), REFUSED(GadgetSetParts(n, 1, widths)),
            REFUSED(GadgetSetRange(n, 0, 10)),
        });
        // clang-format on
    }
}

// A refused creation makes no control, writes no slot and grows no table. The creation steps
// still leave an option run open, and a refused panel is the newest panel all the same (no
// tabs added, its row measured anew; its parent saved, so that its close still pairs): the
// rows put those figures back.
TEST_F(RefusedCalls, CreatorsRefuseNegativeNumbersAndNumbersPast16Bits)
{
    auto option = [](int32_t n) {
        int32_t run = Gadgets.OptionGroupOpen;
        intptr_t made = (intptr_t)GadgetCreateOption(n, 0, 0, 9, 9, "o");
        made |= Gadgets.OptionGroupOpen != 1;
        Gadgets.OptionGroupOpen = run;
        return made;
    };
    auto panel = [](int32_t n) {
        PanelState newest = Panels;
        intptr_t made = (intptr_t)GadgetCreatePanel(n, 0, 0, 9, 9);
        GadgetListClose();
        made |= Panels.TabCounter;
        Panels.TabCounter = newest.TabCounter;
        Panels.TabRowHeight = newest.TabRowHeight;
        Panels.LastPanel = newest.LastPanel;
        return made;
    };
    for (int32_t n : RefusedCreatorNumbers) {
        SCOPED_TRACE(n);
        bool unholdable = n < 0 || n >= 0x7FFFFFF0;   // past 65535 the table could grow
        // clang-format off
        Expect({
            REFUSED(unholdable ? GadgetTableEnsure(n) : 0), REFUSED(GadgetCreate(n)),
            REFUSED(GadgetCreateText(n, 0, 0, 9, 9, "t")), REFUSED(option(n)),
            REFUSED(GadgetCreateButton(n, 0, 0, 9, 9, "b")), REFUSED(panel(n)),
            REFUSED(GadgetCreateListBox(n, 0, 0, 9, 9)),
            REFUSED(GadgetCreateComboBox(n, 0, 0, 9, 9)),
            REFUSED(GadgetCreateCheckBox(n, 0, 0, 9, 9, "c")),
            REFUSED(GadgetCreateEdit(n, 0, 0, 9, 9, "e")),
            REFUSED(GadgetCreateFrame(n, 0, 0, 9, 9, "f", 0)),
            REFUSED(GadgetCreateFrame(n, 0, 0, 9, 9, "f", 2)),
            REFUSED(GadgetCreateField(n, 0, 0, 9, 9, "f")),
            REFUSED(GadgetCreateListBoxSingle(n, 0, 0, 9, 9)),
            REFUSED(GadgetCreateStatusBar(n)), REFUSED(GadgetCreateProgressBar(n, 0, 0, 9, 9)),
        });
        // clang-format on
    }
}

// Bad item indexes and positions on the kinds that hold items (list box 3, combo box 4, panel
// 6): nothing read, removed, replaced or selected.
// A control the platform refused leaves its slot with the kind's table and no control: every
// operation refuses it, where a panel's would make a page without a parent and report a tab.
TEST_F(RefusedCalls, AGadgetThePlatformRefusedTakesNothing)
{
    HWND parent = Gadgets.GadgetParent;
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, Window, nullptr,
                                Runtime.ModuleHandle, nullptr);
    DestroyWindow(gone);
    Gadgets.GadgetParent = gone;   // a parent the platform refuses
    ASSERT_EQ(GadgetCreatePanel(60, 0, 0, 100, 100), nullptr);
    Gadgets.GadgetParent = parent;
    ASSERT_EQ(Gadgets.Slots[60].Ops, &PanelKindOps);
    // clang-format off
    Expect({
        REFUSED(GadgetAddItem(60, -1, "Reiter")), REFUSED(GadgetCountItems(60)),
        REFUSED(GadgetSetState(60, 0)), READS_EMPTY(GadgetGetText(60)),
        READS_EMPTY(GadgetGetItemText(60, 0, 0)), REFUSED(GadgetSetItemText(60, 0, "x", 0)),
    });
    // clang-format on
    GadgetListClose();
    Gadgets.GadgetParent = parent;
}

// Arguments the kinds of fields, bars and fonts cannot use: a default that is no push button
// (a text, a list box, a group box, which shares the button's table), parts and ranges the
// bars cannot take, and sizes, looks and faces no font is made of. A bar's parts and position
// are read back in the row.
TEST_F(RefusedCalls, FieldBarAndFontArgumentsTheKindsCannotUse)
{
    GadgetCreateStatusBar(10);
    GadgetCreateProgressBar(11, 120, 210, 100, 10);
    GadgetSetState(11, 30);
    GadgetCreateFrame(12, 240, 210, 50, 50, "f", 0);
    WindowTestFlush();
    auto parts = [](int32_t count, std::vector<int32_t> widths) {
        intptr_t result = GadgetSetParts(10, count, widths.empty() ? nullptr : widths.data());
        return result | (GadgetCountItems(10) != 1);
    };
    auto range = [](int32_t minimum, int32_t maximum) {
        intptr_t result = GadgetSetRange(11, minimum, maximum);
        return result | (GadgetGetState(11) != 30);
    };
    auto fonts = [](HFONT font) { return (intptr_t)font | Gadgets.FontCount; };
    auto keepStock = [] {
        HFONT stock = (HFONT)GetStockObject(ANSI_VAR_FONT);
        FontFree(stock);   // not the runtime's font
        return GetObjectType(stock) != OBJ_FONT;
    };
    const std::string longFace(LF_FACESIZE, 'F');
    // clang-format off
    Expect({
        REFUSED(GadgetSetDefault(2)), REFUSED(GadgetSetDefault(3)), REFUSED(GadgetSetDefault(12)),
        REFUSED(GadgetSetParts(2, 1, std::vector<int32_t>{5}.data())), REFUSED(parts(0, {5})),
        REFUSED(parts(-1, {5})), REFUSED(parts(1, {})), REFUSED(parts(256, std::vector<int32_t>(256, 1))),
        REFUSED(parts(2, {-1, 5})), REFUSED(parts(2, {5, -2})), REFUSED(parts(2, {0x7FFFFFFF, 1})),
        REFUSED(GadgetSetRange(2, 0, 10)), REFUSED(range(5, 5)), REFUSED(range(9, 3)),
        READS_EMPTY(GadgetGetItemText(10, 1, 0)), READS_EMPTY(GadgetGetItemText(10, -1, 0)),
        READS_EMPTY(GadgetGetItemText(10, 255, 0)), REFUSED(GadgetSetItemText(10, 1, "x", 0)),
        REFUSED(GadgetSetItemText(10, 255, "x", 0)), REFUSED(GadgetSetItemText(10, -1, "x", 0)),
        REFUSED(fonts(FontCreate("Tahoma", 0, 0))), REFUSED(fonts(FontCreate("Tahoma", -8, 0))),
        REFUSED(fonts(FontCreate("Tahoma", 1001, 0))), REFUSED(fonts(FontCreate("Tahoma", 10, 4))),
        REFUSED(fonts(FontCreate(longFace.c_str(), 10, 0))), REFUSED(FontFree(nullptr)),
        REFUSED(keepStock()),
    });
    // clang-format on
}

TEST_F(RefusedCalls, ItemIndexesPastTheItems)
{
    HWND box = GadgetGetHandle(3);
    for (int32_t i : {-1, 2, 0x7FFFFFFF, INT32_MIN}) {
        SCOPED_TRACE(i);
        // clang-format off
        Expect({
            READS_EMPTY(GadgetGetItemText(3, i, 0)), REFUSED(GadgetRemoveItem(3, i)),
            REFUSED(GadgetSetItemText(3, i, "x", 0)), REFUSED(GadgetGetItemState(3, i) + 1),
            REFUSED(GadgetRemoveItem(4, i)), READS_EMPTY(GadgetGetItemText(4, i, 0)),
            READS_EMPTY(GadgetGetItemText(6, i, 0)), REFUSED(GadgetRemoveItem(6, i)),
            REFUSED(GadgetSetItemText(6, i, "x", 0)), REFUSED(WindowTabPage(Tab, i)),
            READS_EMPTY(GadgetReadItem(box, LB_GETTEXTLEN, LB_GETTEXT, i)),
            // -1 selects every item, and deselects every tab; what the other negative ones
            // mean to a tab control is the platform's.
            REFUSED(i == -1 ? 0 : GadgetSetItemState(3, i, 1)),
            REFUSED(i < 0 ? 0 : GadgetSetState(6, i)),
        });
        // clang-format on
    }
    // Readers that find nothing to read: a list box without a current line, a combo box without
    // a selection, a panel without tabs, a kind without items, a number never created.
    GadgetCreateListBox(10, 0, 0, 50, 50);
    GadgetCreateComboBox(11, 0, 60, 50, 80);
    GadgetCreatePanel(12, 60, 0, 100, 100);
    GadgetListClose();
    // clang-format off
    Expect({
        READS_EMPTY(GadgetGetText(10)), READS_EMPTY(GadgetGetText(11)), READS_EMPTY(GadgetGetText(12)),
        READS_EMPTY(GadgetGetItemText(2, 0, 0)), READS_EMPTY(GadgetGetText(14)),
        READS_EMPTY(GadgetGetItemText(14, 0, 0)),
        // The index wraps past the top: 0x7FFFFFFF + 5 is a negative index.
        REFUSED(GadgetSetItemText(3, (int32_t)(0x7FFFFFFFu + 5), "x", 0)),
        REFUSED(WindowTabShowPage(Tab, -1)), REFUSED(PanelRemoveTab(Tab, 2)), REFUSED(PanelRemoveTab(Tab, -1)),
        REFUSED(GadgetListClose()),   // no panel left open
    });
    // clang-format on
}

// Window numbers with no window. Selecting one leaves no current window (its queries give 0 and
// its changes do nothing); the rows select the hidden parent again afterwards.
TEST_F(RefusedCalls, WindowNumbersWithoutAWindow)
{
    auto reselect = [](intptr_t result) {
        result |= (intptr_t)CurrentWindowHandle();
        WindowUse(HiddenParentNumber);
        return result;
    };
    auto use = [&](int32_t n) {
        WindowUse(n);
        intptr_t measures = WindowOuterWidth() | WindowOuterHeight() | WindowLeft() | WindowTop();
        WindowResize(10, 10);
        WindowMoveTo(1, 1);
        WindowRemoveMenu();
        return reselect(measures);
    };
    // A number the table can never hold: no window, no class registered under it.
    auto open = [&](int32_t n) {
        HWND window = WindowOpen(n, 0, 0, 50, 50, FlagHidden, "");
        WNDCLASSA wc;
        WindowClassNameOf(n);
        return reselect((intptr_t)window |
                        GetClassInfoA(Runtime.ModuleHandle, Windows.WindowClassName, &wc));
    };
    for (int32_t n : AbsentWindowNumbers) {
        SCOPED_TRACE(n);
        bool unholdable = n < 0 || n >= 0x7FFFFFF0;
        // clang-format off
        Expect({
            REFUSED(WindowClose(n)), REFUSED(WindowSetHidden(n, 0)), REFUSED(WindowSetHidden(n, 1)),
            REFUSED(use(n)), REFUSED(unholdable ? open(n) : 0), REFUSED(MenuCreate(n)),
            REFUSED(ShortcutAdd(n, ShortcutCtrl, 'O', 1)), REFUSED(ShortcutRemove(n, ShortcutCtrl, 'O')),
            REFUSED(WindowTimerStart(n, 1, 10)), REFUSED(WindowTimerStop(n, 1)),
        });
        // clang-format on
    }
}

// Menu item, shortcut and timer numbers past what a command's 16 bits carry, negative, or the
// focus command; keys and modifiers a shortcut cannot have; dialog styles not offered and file
// dialog arguments refused before any dialog opens. The hidden window has a bar being built
// with item 5, a shortcut Ctrl+O for 5 and a timer 3 that does not tick during the test.
TEST_F(RefusedCalls, MenuShortcutTimerAndDialogArgumentsOutOfRange)
{
    ASSERT_NE(MenuCreate(HiddenParentNumber), nullptr);
    ASSERT_EQ(MenuAddTitle("Datei"), 1);
    ASSERT_EQ(MenuAddItem(5, "f\xFCnf"), 1);
    ASSERT_EQ(ShortcutAdd(HiddenParentNumber, ShortcutCtrl, 'O', 5), 1);
    ASSERT_EQ(WindowTimerStart(HiddenParentNumber, 3, 1000000), 1);
    WindowUse(HiddenParentNumber);
    WindowTestFlush();
    const int32_t w = HiddenParentNumber;
    for (int32_t n : {-1, 65536, 1212, 70000, INT32_MIN, 0x7FFFFFFF}) {
        SCOPED_TRACE(n);
        // clang-format off
        Expect({
            REFUSED(MenuAddItem(n, "x")), REFUSED(MenuSetCheck(n, 1)), REFUSED(MenuGetCheck(n)),
            REFUSED(MenuDisable(n, 1)), REFUSED(ShortcutAdd(w, ShortcutCtrl, 'P', n)),
            REFUSED(ShortcutAdd(w, ShortcutCtrl, 'O', n)),
        });
        // clang-format on
    }
    const std::string tooLong(40000, 'n');
    // clang-format off
    Expect({
        REFUSED(MenuSetCheck(6, 1)), REFUSED(MenuDisable(6, 1)), REFUSED(MenuGetCheck(5)),
        // keys outside the virtual-key codes, one that would wrap onto 'O'
        REFUSED(ShortcutAdd(w, ShortcutCtrl, 0, 7)), REFUSED(ShortcutAdd(w, ShortcutCtrl, 255, 7)),
        REFUSED(ShortcutAdd(w, ShortcutCtrl, -1, 7)), REFUSED(ShortcutAdd(w, ShortcutCtrl, 0x10000 + 'O', 7)),
        // modifiers other than Shift, Ctrl and Alt; the bare Tab key
        REFUSED(ShortcutAdd(w, FVIRTKEY, 'P', 7)), REFUSED(ShortcutAdd(w, 32, 'P', 7)),
        REFUSED(ShortcutAdd(w, -1, 'P', 7)), REFUSED(ShortcutAdd(w, 0, VK_TAB, 7)),
        REFUSED(ShortcutRemove(w, ShortcutCtrl, 'P')), REFUSED(ShortcutRemove(w, ShortcutShift | ShortcutCtrl, 'O')),
        REFUSED(ShortcutRemove(w, ShortcutCtrl, 0x10000 + 'O')), REFUSED(ShortcutRemove(w, 64, 'O')),
        REFUSED(WindowTimerStart(w, -1, 10)), REFUSED(WindowTimerStart(w, INT32_MIN, 10)),
        REFUSED(WindowTimerStart(w, 4, 0)), REFUSED(WindowTimerStart(w, 4, -1)),
        REFUSED(WindowTimerStart(w, 3, INT32_MIN)), REFUSED(WindowTimerStop(w, 4)),
        REFUSED(WindowTimerStop(w, -1)),
        // button sets and styles not offered: no dialog opens
        REFUSED(DialogMessage("t", "x", MB_ABORTRETRYIGNORE)), REFUSED(DialogMessage("t", "x", MB_RETRYCANCEL)),
        REFUSED(DialogMessage("t", "x", MB_CANCELTRYCONTINUE)), REFUSED(DialogMessage("t", "x", 7)),
        REFUSED(DialogMessage("t", "x", 0x50)), REFUSED(DialogMessage("t", "x", MB_YESNO | MB_DEFBUTTON2)),
        REFUSED(DialogMessage("t", "x", MB_SYSTEMMODAL)), REFUSED(DialogMessage(nullptr, nullptr, -1)),
        // a description without its patterns; a start name longer than any path
        READS_EMPTY(DialogOpenFile("t", "Text (*.txt)|*.txt|Alle", "")),
        READS_EMPTY(DialogSaveFile("t", "nur", nullptr)),
        READS_EMPTY(DialogOpenFile(nullptr, nullptr, tooLong.c_str())),
        READS_EMPTY(DialogSaveFile(nullptr, "a|b", tooLong.c_str())),
    });
    // clang-format on
    EXPECT_EQ(WindowTimerStop(w, 3), 1);
}

// Places outside the scratch buffer where a destination, a start or the cursor belongs: a
// local array below the buffer, a heap block, a string variable's text, and the bytes just
// outside either end. Nothing is written there; the writers give the empty text and leave the
// cursor, StringAssign stores the empty text, the readers write nothing at all. A checked
// build counts each writer's refusal as the caller's mistake.
TEST_F(RefusedCalls, ScratchPlacesOutsideTheBuffer)
{
    char local[64];
    ASSERT_LT((uintptr_t)local, (uintptr_t)Scratch.ScratchBuffer);
    memset(local, 'Z', sizeof local);
    memset(Block, 'Z', 64);
    const std::string kept = Variable, below(Scratch.ScratchBuffer - 1, 1),
                      beyond(ScratchEnd() + 2, 1);
    // The piece a writer gives is its result: empty.
    auto piece = [](char *written) { return (intptr_t)*written; };
    auto assign = [](char *start) {
        StringVar v = nullptr;
        StringAssign(&v, start);
        intptr_t length = StringLength(v);
        StringFree(v);
        return length;
    };
    // A reader with the cursor put there: it neither writes nor moves the cursor.
    auto cursorAt = [](char *place, void (*read)()) {
        char *cursor = Scratch.ScratchCursor;
        Scratch.ScratchCursor = place;
        read();
        intptr_t moved = Scratch.ScratchCursor != place;
        Scratch.ScratchCursor = cursor;
        return moved;
    };
    RuntimeChecks = RuntimeCheckState{1, 0};
    char *places[] = {local, Block, Variable, ScratchEnd() + 2, Scratch.ScratchBuffer - 1};
    for (char *p : places) {
        SCOPED_TRACE(p - Scratch.ScratchBuffer);
        // clang-format off
        Expect({
            REFUSED(piece(StringFromLong(-12345, p))), REFUSED(piece(StringFromUnsigned(7, 2, p))),
            REFUSED(piece(StringFromHex(255, p))), REFUSED(piece(StringFromCode(65, p))),
            REFUSED(piece(StringLeftPart("abc", 2, p))),
            REFUSED(piece(StringRightPart("abc", 2, p))),
            REFUSED(piece(StringMiddle("abc", 2, 1, p))), REFUSED(piece(StringLowerCase("ABC", p))),
            REFUSED(piece(StringUpperCase("abc", p))), REFUSED(piece(StringTrimLeft(" abc", p))),
            REFUSED(piece(StringTrimRight("abc ", p))), REFUSED(assign(p)),
            REFUSED(cursorAt(p, [] { StringAppend("y"); })),
            REFUSED(cursorAt(p, [] { StringAppendFormat("%d", 5); })),
            REFUSED(cursorAt(p, [] { ClipboardGetText(); })),
            REFUSED(cursorAt(p, [] { GadgetGetText(2); })),
            REFUSED(cursorAt(p, [] { GadgetGetItemText(3, 0, 0); })),
            REFUSED(cursorAt(p, GadgetReadNothing)),
        });
        // clang-format on
    }
    // Eleven writers, StringAppend, StringAppendFormat and StringAssign at each place.
    EXPECT_EQ(RuntimeChecks.Failed, 14 * (int32_t)(sizeof places / sizeof *places));
    RuntimeChecks = RuntimeCheckState{};
    EXPECT_EQ(std::string(local, sizeof local), std::string(64, 'Z'));
    EXPECT_EQ(std::string(Block, 64), std::string(64, 'Z'));
    EXPECT_EQ(Variable, kept);
    EXPECT_EQ(std::string(Scratch.ScratchBuffer - 1, 1), below);
    EXPECT_EQ(std::string(ScratchEnd() + 2, 1), beyond);
}

// A window of another process (the desktop's, under any system) handed where a tab control
// belongs: nothing of it, and nothing of ours, is hidden, disabled, resized or read.
class ForeignTab : public RefusedCalls {
  protected:
    void SetUp() override
    {
        RefusedCalls::SetUp();
        Foreign = GetDesktopWindow();
        DWORD process = 0;
        GetWindowThreadProcessId(Foreign, &process);
        ASSERT_NE(process, GetCurrentProcessId());
    }
    HWND Foreign = nullptr;
};

TEST_F(ForeignTab, ItsTabsAreNotRead)
{
    Expect({REFUSED(WindowTabPage(Foreign, 0)), REFUSED(PanelRemoveTab(Foreign, 0)),
            REFUSED(GadgetListUse(Foreign))});
}

// The operations that take a tab control's handle refuse a window that is not this thread's:
// the page switch would hide and disable its first child (for the desktop, the topmost window
// of any program), and the layout and item read would send it pointers into this process.
TEST_F(ForeignTab, ItsPagesAndItemsAreLeftAlone)
{
    // clang-format off
    Expect({
        REFUSED(WindowTabShowPage(Foreign, 0)), REFUSED(PanelSelectTab(Foreign, 0)),
        REFUSED(PanelLayoutPages(Foreign)),
        READS_EMPTY(GadgetReadItem(Foreign, LB_GETTEXTLEN, LB_GETTEXT, 0)),
    });
    // clang-format on
}

// Null pointers where the reference names a refusal for them, sizes no heap can give, and
// counts and positions that leave the text functions nothing to give.
TEST_F(RefusedCalls, NullPointersImpossibleSizesAndEmptyPieces)
{
    auto assignNull = [] {
        StringVar v = nullptr;
        StringAssignText(&v, nullptr);
        return v;
    };
    auto createTooLarge = [] {
        ListVar list = {};
        ListCreate(&list, 0xFFFFFFFCu);
        return list.Header;
    };
    // A start behind the cursor holds no expression: the empty text. The cursor goes to the
    // start, as after every assignment; the row puts it back.
    auto assignBehind = [] {
        char *cursor = Scratch.ScratchCursor;
        StringVar v = nullptr;
        StringAssign(&v, cursor + 5);
        intptr_t length = StringLength(v);
        StringFree(v);
        Scratch.ScratchCursor = cursor;
        return length;
    };
    auto useNull = [&] {
        intptr_t result = (intptr_t)GadgetListUse(nullptr) | (intptr_t)Gadgets.GadgetParent;
        GadgetListUse(Window);
        return result;
    };
    // The clipboard without an owner of this program: none, or another program's window.
    auto putOwnedBy = [](HWND owner) {
        HWND current = Windows.CurrentWindow;
        Windows.CurrentWindow = owner;
        intptr_t result = ClipboardPutText("x");
        Windows.CurrentWindow = current;
        return result;
    };
    // The empty piece a text function appends at the cursor, which stays.
    auto empty = [](char *piece) { return (intptr_t)*piece; };
    char *&c = Scratch.ScratchCursor;   // each piece goes where Expect puts the cursor
    const char *t = "abc";
    ListVar never = {};
    // clang-format off
    Expect({
        READS_EMPTY(StringAppend(nullptr)), REFUSED(StringFree(nullptr)), REFUSED(assignNull()),
        REFUSED(HeapRelease(nullptr)), REFUSED(HeapAllocate(0xFFFFFFF0u, HeapFillZero)),
        REFUSED(HeapReallocateZero(Block, 0xFFFFFFF0u)), REFUSED(ArrayFree(nullptr)),
        REFUSED(ArrayAlloc(4, -2, 5)), REFUSED(ArrayAlloc(0x10000, 0x10000, 5)),
        REFUSED(ArrayAlloc(4, 0x7FFFFFFF, 5)), REFUSED(createTooLarge()), REFUSED(useNull()),
        REFUSED(assignBehind()),
        // A list whose header was never created.
        REFUSED(ListAddElement(&never)), REFUSED(ListInsertBefore(&never)),
        REFUSED(ListCount(&never)), REFUSED(ListPosition(&never)), REFUSED(ListNext(&never)),
        REFUSED(ListPrevious(&never)), REFUSED(ListFirst(&never)), REFUSED(ListLast(&never)),
        REFUSED(ListDeleteCurrent(&never)), REFUSED(ListClear(&never)),
        REFUSED(ListSetCurrent(&never, nullptr)),
        // Null texts, counts below 1, positions past the end, the extremes of 32 bits.
        READS_EMPTY(empty(StringLeftPart(nullptr, 5, c))),
        READS_EMPTY(empty(StringRightPart(nullptr, 5, c))),
        READS_EMPTY(empty(StringMiddle(nullptr, 1, 5, c))),
        READS_EMPTY(empty(StringLowerCase(nullptr, c))),
        READS_EMPTY(empty(StringUpperCase(nullptr, c))),
        READS_EMPTY(empty(StringTrimLeft(nullptr, c))),
        READS_EMPTY(empty(StringTrimRight(nullptr, c))),
        READS_EMPTY(empty(StringLeftPart(t, -5, c))),
        READS_EMPTY(empty(StringRightPart(t, INT32_MIN, c))),
        READS_EMPTY(empty(StringMiddle(t, 2, -1, c))), READS_EMPTY(empty(StringMiddle(t, 5, 3, c))),
        READS_EMPTY(empty(StringMiddle(t, 0x7FFFFFFF, 3, c))), REFUSED(StringLength(nullptr)),
        REFUSED(StringFirstCode(nullptr)), REFUSED(StringToLong(nullptr)),
        REFUSED(StringFind(nullptr, "a", 1)), REFUSED(StringFind(t, nullptr, 1)),
        REFUSED(StringFind(t, "c", 0x7FFFFFFF)), REFUSED(StringFind(t, "", 5)),
        READS_EMPTY(StringAppendFormat(nullptr)), READS_EMPTY(StringAppendFormat("")),
        // Files: no path, no variable, no file; the variable keeps its text.
        REFUSED(FileReadText(nullptr, "C:\\windows\\win.ini")),
        REFUSED(FileReadText(&Variable, nullptr)), REFUSED(FileReadText(&Variable, "")),
        REFUSED(FileWriteText(nullptr, "x")), REFUSED(FileWriteText("", "x")),
        REFUSED(putOwnedBy(nullptr)), REFUSED(putOwnedBy(GetDesktopWindow())),
        // A kind's class: no name, no procedure, a negative byte count, a name in use.
        REFUSED(GadgetKindRegister(nullptr, GadgetKindDefault, 0)),
        REFUSED(GadgetKindRegister("K", nullptr, 0)),
        REFUSED(GadgetKindRegister("K", GadgetKindDefault, -1)),
        REFUSED(GadgetKindRegister("TemplateClass", GadgetKindDefault, 0)),
    });
    // clang-format on
    EXPECT_EQ(never.Header, nullptr);
    EXPECT_EQ(never.Current, nullptr);
}

// Forged messages with numbers nobody owns reach the window procedure as plain events.
TEST_F(RefusedCalls, ForgedMessagesWithUnknownNumbersArePlainEvents)
{
    PostMessageA(Window, WM_COMMAND, MAKEWPARAM(31000, 0), 0);
    PostMessageA(Window, WM_COMMAND, MAKEWPARAM(12345, BN_CLICKED), (LPARAM)Window);
    PostMessageA(Window, WM_SIZE, 0, MAKELPARAM(65535, 65535));
    PostMessageA(Window, MsgSizeDeferred, 0, 0);
    PostMessageA(Window, MsgMouseDeferred, 0, 0);
    for (int i = 0; i < 50; i++) WindowPollEvent();
    EXPECT_EQ(WindowPollEvent(), 0);
}

}   // namespace
