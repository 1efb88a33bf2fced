// Keyboard focus traversal, driven by the real Tab key message through the fetch: the
// accelerator turns it into the focus command for the active window. Needs a visible,
// active window; one is opened for the whole run and never closed (closing a visible
// window costs seconds without a window manager).
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "support/wine_assumes.h"

#include "window/internal/tools.h"
#include "window/menus.h"
#include "window_test_support.h"

namespace {

// Runs before the window below exists: with no active window, traversal must not walk
// the top-level windows instead (a visible top-level window with a maximize box carries
// the tab-stop bit). Windows enumerates the top-level windows for a null parent; Wine
// enumerates nothing, so under Wine this passes with or without the guard.
TEST(FocusWithoutActiveWindow, TraversalDoesNothing)
{
    HWND lone = CreateWindowExA(0, "TemplateClass", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, 0, 0,
                                Runtime.ModuleHandle, 0);
    ShowWindow(lone, SW_SHOWNOACTIVATE);
    WindowTestFlush();
    if (GetActiveWindow() != 0) GTEST_SKIP() << "a window is active already";
    ASSERT_TRUE(IsWindowVisible(lone));
    FocusNext();
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

HWND Window;

class Focus : public ::testing::Test {
  protected:
    std::vector<HWND> Made;

    void SetUp() override
    {
        if (!Window) Window = WindowOpen(0, 50, 50, 400, 300, WS_CAPTION | WS_SYSMENU, "F");
        ASSERT_NE(Window, nullptr);
        if (GetActiveWindow() != Window) SetActiveWindow(Window);
        ASSERT_EQ(GetActiveWindow(), Window);
        WindowSetAccelerators(EventState.FocusTabTable);
        SetFocus(Window);
        WindowTestFlush();
    }
    void TearDown() override
    {
        for (HWND h : Made) DestroyWindow(h);
        WindowTestFlush();
    }
    HWND Make(HWND parent, const char *cls, DWORD style, int id = 0)
    {
        HWND h = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 30 * id, 80, 25,
                                 parent, (HMENU)(INT_PTR)id, Runtime.ModuleHandle, 0);
        if (parent == Window) Made.push_back(h);
        return h;
    }
    HWND Button(int id, DWORD style = WS_TABSTOP) { return Make(Window, "BUTTON", style, id); }

    // The key as the platform queues it, to the control that has the focus; the codes the
    // fetch returned come back.
    std::vector<int> Press(UINT key = VK_TAB)
    {
        HWND to = GetFocus() ? GetFocus() : Window;
        PostMessageA(to, WM_KEYDOWN, key, 0x000F0001);
        PostMessageA(to, WM_KEYUP, key, 0xC00F0001);
        std::vector<int> codes;
        for (int code; (code = WindowPollEvent()) != 0;) codes.push_back(code);
        return codes;
    }
    // With the modifiers held (in the thread's keyboard state, which the translation reads);
    // with Alt held the platform queues the key as a system key.
    std::vector<int> PressWith(std::vector<BYTE> modifiers, UINT key = VK_TAB)
    {
        BYTE keys[256], saved[256];
        GetKeyboardState(keys);
        memcpy(saved, keys, sizeof keys);
        bool alt = false;
        for (BYTE modifier : modifiers) {
            keys[modifier] = 0x80;
            alt = alt || modifier == VK_MENU;
        }
        SetKeyboardState(keys);
        std::vector<int> codes;
        if (alt) {
            HWND to = GetFocus() ? GetFocus() : Window;
            PostMessageA(to, WM_SYSKEYDOWN, key, 0x200F0001);
            PostMessageA(to, WM_SYSKEYUP, key, 0xE00F0001);
            for (int code; (code = WindowPollEvent()) != 0;) codes.push_back(code);
        } else {
            codes = Press(key);
        }
        SetKeyboardState(saved);
        return codes;
    }
    std::vector<int> PressWith(BYTE modifier) { return PressWith(std::vector<BYTE>{modifier}); }
};

// One Tab traversal: the buttons in Z order (t a tab stop, p plain, h hidden, d disabled),
// where the focus starts (a button from 1, 0 the window, -1 nothing) and where each Tab
// leaves it.
struct Traversal {
    const char *Name;
    const char *Buttons;
    int Start;
    std::vector<int> After;
};

void PrintTo(const Traversal &t, std::ostream *os)
{
    *os << t.Name;
}

class FocusTraversal : public Focus, public ::testing::WithParamInterface<Traversal> {};

TEST_P(FocusTraversal, TabMovesAsTheRowSays)
{
    const Traversal &t = GetParam();
    std::vector<HWND> at = {Window};
    for (int i = 0; t.Buttons[i]; i++) {
        at.push_back(Button(i + 1, t.Buttons[i] == 'p' ? 0 : WS_TABSTOP));
        if (t.Buttons[i] == 'h') ShowWindow(at.back(), SW_HIDE);
        if (t.Buttons[i] == 'd') EnableWindow(at.back(), FALSE);
    }
    SetFocus(t.Start < 0 ? nullptr : at[t.Start]);
    if (t.Start < 0) ASSERT_EQ(GetActiveWindow(), Window);
    for (int expected : t.After) {
        EXPECT_EQ(Press(), std::vector<int>{});   // no event of its own
        EXPECT_EQ(GetFocus(), at[expected]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FocusTraversal,
    ::testing::Values(Traversal{"NextCandidateThenWrapsToTheFirst", "ttt", 2, {3, 1, 2}},
                      Traversal{"FromTheWindowToTheFirstCandidate", "tt", 0, {1}},
                      Traversal{"FromNoFocusToTheFirstCandidate", "tt", -1, {1}},
                      Traversal{"AFocusedNonCandidateKeepsTheFocus", "tpt", 2, {2}},
                      Traversal{"TheOnlyCandidateKeepsTheFocus", "tdh", 1, {1}},
                      Traversal{"WithoutCandidatesNothingChanges", "pd", 0, {0}},
                      Traversal{"HiddenAndDisabledAreSkipped", "thdt", 1, {4, 1}}),
    [](const ::testing::TestParamInfo<Traversal> &info) { return std::string(info.param.Name); });

TEST_F(Focus, ShiftCtrlAndAltTabDoNotMoveTheFocus)
{
    HWND first = Button(1);
    Button(2);
    SetFocus(first);
    PressWith(VK_SHIFT);
    EXPECT_EQ(GetFocus(), first);
    PressWith(VK_CONTROL);
    EXPECT_EQ(GetFocus(), first);
    PressWith(VK_MENU);
    EXPECT_EQ(GetFocus(), first);
    Press();   // the bare key still works
    EXPECT_NE(GetFocus(), first);
}

TEST_F(Focus, DescendantsAreVisitedAndControlsOnAHiddenPageSkipped)
{
    // Z order: first, shownPage { onPage1, onPage2 }, hiddenPage { onHidden }, last.
    HWND first = Button(1);
    HWND shownPage = Make(Window, "TemplateClass", 0, 5);
    HWND onPage1 = Make(shownPage, "BUTTON", WS_TABSTOP, 1);
    HWND onPage2 = Make(shownPage, "BUTTON", WS_TABSTOP, 2);
    HWND hiddenPage = Make(Window, "TemplateClass", 0, 6);
    Make(hiddenPage, "BUTTON", WS_TABSTOP, 1);
    ShowWindow(hiddenPage, SW_HIDE);
    HWND last = Button(7);
    SetFocus(first);
    std::vector<HWND> visited;
    for (int i = 0; i < 5; i++) {
        Press();
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{onPage1, onPage2, last, first, onPage1}));
}

TEST_F(Focus, TraversalFollowsTheAcceleratorTableInUse)
{
    HWND first = Button(1), second = Button(2);
    SetFocus(first);
    WindowSetAccelerators(0);
    Press();
    EXPECT_EQ(GetFocus(), first);

    ACCEL f2 = {FVIRTKEY | FNOINVERT, VK_F2, CommandFocusNext};
    HACCEL table = CreateAcceleratorTableA(&f2, 1);
    WindowSetAccelerators(table);
    Press();
    EXPECT_EQ(GetFocus(), first);
    Press(VK_F2);
    EXPECT_EQ(GetFocus(), second);
    WindowSetAccelerators(EventState.FocusTabTable);
    DestroyAcceleratorTable(table);
}

// Shortcuts of the active window: each row presses a key with modifiers held and names the
// command numbers the fetch reported (EventCodeCommand each), the focus staying where it is.
TEST_F(Focus, ShortcutsOfTheActiveWindowGiveTheirCommandsAndTabStillMovesTheFocus)
{
    HWND first = Button(1), second = Button(2);
    ASSERT_EQ(ShortcutAdd(0, ShortcutCtrl, 'O', 100) + ShortcutAdd(0, 0, VK_F5, 101) +
                  ShortcutAdd(0, ShortcutAlt, 'X', 102) +
                  ShortcutAdd(0, ShortcutShift | ShortcutCtrl, VK_DELETE, 65535) +
                  ShortcutAdd(0, ShortcutShift, VK_TAB, 104),   // only bare Tab is the focus's
              5);
    SetFocus(first);
    const struct {
        std::vector<BYTE> Held;
        UINT Key;
        std::vector<uint32_t> Numbers;
    } rows[] = {
        {{VK_CONTROL}, 'O', {100}},
        {{}, 'O', {}},
        {{VK_SHIFT, VK_CONTROL}, 'O', {}},
        {{}, VK_F5, {101}},
        {{VK_CONTROL}, VK_F5, {}},
        {{VK_MENU}, 'X', {102}},
        {{VK_SHIFT, VK_CONTROL}, VK_DELETE, {65535}},
        {{VK_SHIFT}, VK_TAB, {104}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Key);
        std::vector<uint32_t> numbers;
        for (int code : PressWith(row.Held, row.Key))
            numbers.push_back(code == EventCodeCommand ? EventCommandNumber() : 0xDEAD);
        EXPECT_EQ(numbers, row.Numbers);
        EXPECT_EQ(GetFocus(), first);
    }
    EXPECT_EQ(Press(), std::vector<int>{});
    EXPECT_EQ(GetFocus(), second);

    // Bound again, a key gives its new number; removed, nothing; the table in use comes first.
    HACCEL table = Shortcuts.Tables[0].Table;
    ASSERT_EQ(ShortcutAdd(0, ShortcutCtrl, 'O', 103), 1);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 0);   // the old table is destroyed
    EXPECT_EQ(PressWith({VK_CONTROL}, 'O'), std::vector<int>{EventCodeCommand});
    EXPECT_EQ(EventCommandNumber(), 103u);
    EXPECT_EQ(ShortcutRemove(0, ShortcutCtrl, 'O'), 1);
    EXPECT_EQ(ShortcutRemove(0, ShortcutCtrl, 'O'), 0);
    EXPECT_EQ(PressWith({VK_CONTROL}, 'O'), std::vector<int>{});
    ACCEL f5 = {FVIRTKEY | FNOINVERT, VK_F5, 555};
    HACCEL own = CreateAcceleratorTableA(&f5, 1);
    WindowSetAccelerators(own);
    EXPECT_EQ(PressWith({}, VK_F5), std::vector<int>{EventCodeCommand});
    EXPECT_EQ(EventCommandNumber(), 555u);
    WindowSetAccelerators(EventState.FocusTabTable);
    DestroyAcceleratorTable(own);

    // Removing the last binding destroys the window's table.
    table = Shortcuts.Tables[0].Table;
    ASSERT_EQ(ShortcutRemove(0, 0, VK_F5) + ShortcutRemove(0, ShortcutAlt, 'X') +
                  ShortcutRemove(0, ShortcutShift | ShortcutCtrl, VK_DELETE) +
                  ShortcutRemove(0, ShortcutShift, VK_TAB),
              4);
    EXPECT_EQ(Shortcuts.Count, 0u);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 0);
}

// A shortcut whose number is that of a disabled menu item of the window gives nothing.
TEST_F(Focus, AShortcutOfADisabledMenuItemGivesNothing)
{
    WINE_ASSUMES("TranslateAccelerator sends no command for a disabled menu item's number");
    ASSERT_NE(MenuCreate(0), nullptr);
    ASSERT_EQ(MenuAddTitle("&Datei"), 1);
    ASSERT_EQ(MenuAddItem(120, "&Speichern\tCtrl+S"), 1);
    ASSERT_EQ(ShortcutAdd(0, ShortcutCtrl, 'S', 120), 1);
    WindowTestFlush();
    WindowUse(0);
    EXPECT_EQ(PressWith({VK_CONTROL}, 'S'), std::vector<int>{EventCodeCommand});
    ASSERT_EQ(MenuDisable(120, 1), 1);
    EXPECT_EQ(PressWith({VK_CONTROL}, 'S'), std::vector<int>{});
    ASSERT_EQ(MenuDisable(120, 0), 1);
    EXPECT_EQ(PressWith({VK_CONTROL}, 'S'), std::vector<int>{EventCodeCommand});
    EXPECT_EQ(ShortcutRemove(0, ShortcutCtrl, 'S'), 1);
    WindowRemoveMenu();
}

UINT LastSeen;
LRESULT CALLBACK Watch(HWND, UINT message, WPARAM, LPARAM)
{
    LastSeen = message;
    return 0;
}

TEST_F(Focus, WaitingOnTabReturnsTheLastMessageTheWindowReceived)
{
    HWND first = Button(1), second = Button(2);
    SetFocus(first);
    WindowTestFlush();
    WindowSetCallback(Watch);
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0x000F0001);
    int result = WindowWaitEvent();
    WindowSetCallback(0);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ((UINT)result, LastSeen);
    RecordProperty("WaitResultOnTab", result);
    // The key itself is consumed by the translation.
    EXPECT_EQ(EventWParam(), (WPARAM)VK_TAB);
}

}   // namespace
