// Keyboard focus traversal, driven by the real Tab key message through the fetch: the
// accelerator turns it into the focus command for the active window. Needs a visible,
// active window; one is opened for the whole run and never closed (closing a visible
// window costs seconds without a window manager).
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    std::vector<int> PressWith(BYTE modifier)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        BYTE saved = keys[modifier];
        keys[modifier] = 0x80;
        SetKeyboardState(keys);
        std::vector<int> codes = Press();
        keys[modifier] = saved;
        SetKeyboardState(keys);
        return codes;
    }
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
