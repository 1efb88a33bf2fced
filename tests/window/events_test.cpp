// Message-sequence tests of the window procedure and the fetches: each test drives a runtime
// window with real messages (posted, or sent from inside a fetch by the driver window, the
// way controls notify their parent) and compares what the fetch returns and what the
// getters then report with a table of expected rows.
#include <gtest/gtest.h>

#include "support/wine_assumes.h"
#include "window/internal/tools.h"
#include "window_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace {

const unsigned AnyObject = 0xFFFFFFFFu;

// Rows match field by field; an expected object of AnyObject matches every object.
void ExpectRows(const std::vector<EventRow> &actual, const std::vector<EventRow> &expected)
{
    std::vector<EventRow> shown = actual;
    for (size_t i = 0; i < shown.size() && i < expected.size(); i++)
        if (expected[i].Object == AnyObject) shown[i].Object = AnyObject;
    EXPECT_EQ(shown, expected);
}

SentMessage Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    return {target, message, wParam, lParam};
}

std::deque<NMHDR> Headers;   // stable addresses until the driver sends them

SentMessage Notify(HWND parent, HWND from, UINT_PTR id, UINT code)
{
    Headers.push_back({from, id, code});
    return Send(parent, WM_NOTIFY, id, (LPARAM)&Headers.back());
}

HWND Child(HWND parent, const char *cls, DWORD style, int id)
{
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 40, parent,
                           (HMENU)(INT_PTR)id, Runtime.ModuleHandle, 0);
}

class Events : public ::testing::Test {
  protected:
    HWND Window = 0;
    void SetUp() override
    {
        static bool common = false;
        if (!common) InitCommonControls();
        common = true;
        WindowTestLayerRestart();
        Window = WindowOpen(0, 40, 40, 300, 200, WS_CAPTION | WS_SYSMENU | FlagHidden, "E");
        ASSERT_NE(Window, nullptr);
        WindowTestDrain();
    }
    void TearDown() override
    {
        WindowSetCallback(nullptr);
        WindowTestFlush();
    }
};

std::vector<UINT> HookSeen;
LRESULT HookAnswer;
LRESULT CALLBACK RecordingHook(HWND, UINT message, WPARAM, LPARAM)
{
    HookSeen.push_back(message);
    return message == WM_CLOSE ? HookAnswer : 0;
}

TEST_F(Events, TheFirstFetchAfterOpeningReportsTheSizeSentDuringCreation)
{
    HookSeen.clear();
    HookAnswer = 0;
    WindowSetCallback(RecordingHook);
    HWND window = WindowOpen(3, 0, 0, 320, 160, WS_CAPTION, "");
    std::vector<UINT> created = HookSeen;
    // A window created visible is shown, and so sized, inside CreateWindowExA.
    EXPECT_NE(std::find(created.begin(), created.end(), (UINT)WM_CREATE), created.end());
    EXPECT_NE(std::find(created.begin(), created.end(), (UINT)WM_SIZE), created.end());
    std::string seen;
    for (UINT m : created) seen += std::to_string(m) + " ";
    RecordProperty("MessagesDuringCreate", seen);

    // Read at once: a visible window goes on receiving paint messages.
    EXPECT_EQ(WindowPollEvent(), EventCodeSize);
    EXPECT_EQ(EventWindowNumber(), 3);
    EXPECT_EQ(EventWParam(), (WPARAM)SIZE_RESTORED);
    EXPECT_EQ(EventLParam(), MAKELPARAM(320, 160));
    EXPECT_EQ(EventState.SourceWindow, window);
    WindowTestForget(3);
}

TEST_F(Events, AWindowOpenedHiddenIsSizedWhenFirstShown)
{
    WINE_ASSUMES("CreateWindowExA sends a hidden top-level window no WM_SIZE");
    WindowOpen(5, 0, 0, 200, 100, WS_CAPTION | FlagHidden, "");
    ExpectRows(WindowTestDrain(), {});
    WindowSetHidden(5, 0);
    EXPECT_EQ(WindowPollEvent(), EventCodeSize);
    EXPECT_EQ(EventWindowNumber(), 5);
    EXPECT_EQ(EventLParam(), MAKELPARAM(200, 100));
    WindowTestForget(5);
}

TEST_F(Events, ASizeChangeIsReportedOnlyOnceItsDeferredMessageIsHandled)
{
    SetWindowPos(Window, 0, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(EventState.PendingCode, 0);
    RECT client;
    GetClientRect(Window, &client);
    ExpectRows(WindowTestDrain(), {{EventCodeSize, AnyObject, SubtypeNone, 0}});
    EXPECT_EQ(EventLParam(), MAKELPARAM(client.right, client.bottom));

    // A page container shares the procedure but is in no table slot.
    HWND page = CreateWindowExA(0, "TemplateClass", "", WS_CHILD, 0, 0, 10, 10, Window, 0,
                                Runtime.ModuleHandle, 0);
    WindowTestDrain();
    SetWindowPos(page, 0, 0, 0, 50, 60, SWP_NOMOVE | SWP_NOZORDER);
    ExpectRows(WindowTestDrain(), {{EventCodeSize, AnyObject, SubtypeNone, -1}});
}

TEST_F(Events, TheCloseBoxGivesCloseAndTheWindowStays)
{
    PostMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, 0}});
    EXPECT_TRUE(IsWindow(Window));
    EXPECT_EQ(Windows.Table.Handles[0], Window);
}

TEST_F(Events, ACodeSetOutsideAFetchWaitsForTheNextFetchThatDispatches)
{
    // Wine's default handling of SC_CLOSE sends WM_CLOSE at once, inside SendMessageA.
    SendMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(EventState.PendingCode, EventCodeClose);
    EXPECT_EQ(WindowPollEvent(), 0);   // empty queue: nothing dispatched, still pending
    EXPECT_EQ(EventState.PendingCode, EventCodeClose);
    PostMessageA(Window, WM_NULL, 0, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, 0}});
}

TEST_F(Events, AHookReturningMinusOneSuppressesTheMessage)
{
    HookSeen.clear();
    HookAnswer = -1;
    WindowSetCallback(RecordingHook);
    PostMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectRows(WindowTestDrain(), {});
    EXPECT_EQ(SendMessageA(Window, WM_CLOSE, 0, 0), -1);
    EXPECT_EQ(EventState.PendingCode, 0);

    HookAnswer = 0;   // any other answer changes nothing
    PostMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, 0}});

    HookAnswer = -1;
    WindowSetCallback(nullptr);
    size_t before = HookSeen.size();
    PostMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, 0}});
    EXPECT_EQ(HookSeen.size(), before);
}

TEST_F(Events, TheGettersReportTheLastMessageEvenWithoutAnEvent)
{
    SendMessageA(Window, WM_APP + 9, 1234, 5678);
    EXPECT_EQ(EventMessageNumber(), (UINT)(WM_APP + 9));
    EXPECT_EQ(EventWParam(), (WPARAM)1234);
    EXPECT_EQ(EventLParam(), (LPARAM)5678);
    EXPECT_EQ(EventWindowNumber(), 0);
    EXPECT_EQ(EventState.PendingCode, 0);
}

TEST_F(Events, ControlNotificationsGiveControlEventsWithGadgetAndCode)
{
    HWND button = Child(Window, "BUTTON", BS_PUSHBUTTON, 7);
    HWND list = Child(Window, "LISTBOX", LBS_NOTIFY, 9);
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)button)});
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(9, LBN_DBLCLK), (LPARAM)list)});
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(9, LBN_SELCHANGE), (LPARAM)list)});
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(10, CBN_SELCHANGE), (LPARAM)list)});
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(11, EN_CHANGE), (LPARAM)list)});
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(9, LBN_ERRSPACE), (LPARAM)list)});
    ExpectRows(WindowTestDrain(),
               {
                   {EventCodeControl, 7, SubtypeButtonClick, 0},
                   {EventCodeControl, 9, SubtypeListDoubleClick, 0},
                   {EventCodeControl, 9, SubtypeListSelect, 0},
                   {EventCodeControl, 10, SubtypeComboSelect, 0},
                   {EventCodeControl, 11, SubtypeEditChange, 0},
                   {EventCodeControl, 9, 0xFFFE, 0},   // the code's 16 bits, not sign-extended
               });
    EXPECT_EQ(EventCommandNumber(), 9u);

    // The button's own click, posted to it, reaches the window through the button.
    PostMessageA(button, BM_CLICK, 0, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeControl, 7, BN_CLICKED, 0}});
}

TEST_F(Events, MenuAndAcceleratorCommandsGiveCommandEvents)
{
    PostMessageA(Window, WM_COMMAND, 4711, 0);                // menu item
    PostMessageA(Window, WM_COMMAND, MAKEWPARAM(33, 1), 0);   // accelerator
    PostMessageA(Window, WM_COMMAND, MAKEWPARAM(CommandFocusNext, 1), 0);
    ExpectRows(WindowTestDrain(), {
                                      {EventCodeCommand, 4711, SubtypeNone, 0},
                                      {EventCodeCommand, 33, SubtypeNone, 0},
                                  });
}

// Waits for one event or the time; 0 when none came.
int32_t WaitForEvent(DWORD milliseconds)
{
    for (DWORD began = GetTickCount(); GetTickCount() - began < milliseconds; Sleep(1))
        if (int32_t code = WindowPollEvent()) return code;
    return 0;
}

// A runtime timer ticks as EventCodeTimer with its number; a timer the program sets through the
// platform itself, with the same number, stays a bare WM_TIMER that only the wait reports.
TEST_F(Events, RuntimeTimersTickAsTimerEventsBesideAProgramsOwnTimer)
{
    ASSERT_EQ(WindowTimerStart(0, 7, 10), 1);
    ASSERT_EQ(WindowTimerStart(0, 7, 20), 1);   // restarted, still one timer
    EXPECT_EQ(Timers.Count, 1u);
    ExpectRows({{WaitForEvent(2000), EventTimerNumber(), EventSubtype(), EventWindowNumber()}},
               {{EventCodeTimer, 7, SubtypeNone, 0}});

    ASSERT_NE(SetTimer(Window, 7, 10, nullptr), 0u);
    bool own = false, runtime = false;
    for (int i = 0; i < 40 && !(own && runtime); i++) {
        int32_t result = WindowWaitEvent();
        if (result == WM_TIMER && EventWParam() == 7) own = true;
        if (result == EventCodeTimer && EventTimerNumber() == 7) runtime = true;
    }
    EXPECT_TRUE(own);
    EXPECT_TRUE(runtime);
    KillTimer(Window, 7);

    // Stopped, it ticks no more, also with a tick taken from the queue before the stop.
    MSG tick = {};
    while (!PeekMessageA(&tick, Window, WM_TIMER, WM_TIMER, PM_REMOVE)) Sleep(1);
    EXPECT_EQ(WindowTimerStop(0, 7), 1);
    EXPECT_EQ(WindowTimerStop(0, 7), 0);
    DispatchMessageA(&tick);
    EXPECT_EQ(EventState.PendingCode, 0);
    EXPECT_EQ(WaitForEvent(100), 0);

    // A window's timers end with it.
    ASSERT_NE(WindowOpen(2, 0, 0, 50, 50, FlagHidden, ""), nullptr);
    ASSERT_EQ(WindowTimerStart(2, 3, 10), 1);
    WindowClose(2);
    EXPECT_EQ(Timers.Count, 0u);
    EXPECT_EQ(WindowTimerStop(2, 3), 0);
    EXPECT_EQ(WaitForEvent(100), 0);
}

TEST_F(Events, HorizontalScrollGivesAControlEventWithTheSendersNumber)
{
    HWND bar = Child(Window, "SCROLLBAR", SBS_HORZ, 12);
    PostMessageA(Window, WM_HSCROLL, SB_LINERIGHT, 0);   // the window's own scroll bar
    PostMessageA(Window, WM_HSCROLL, SB_LINERIGHT, (LPARAM)bar);
    PostMessageA(Window, WM_VSCROLL, SB_LINEDOWN, (LPARAM)bar);   // not an event
    ExpectRows(WindowTestDrain(), {
                                      {EventCodeControl, 0, SubtypeNone, 0},
                                      {EventCodeControl, 12, SubtypeNone, 0},
                                  });
}

TEST_F(Events, MouseNotificationsBecomeDeferredMouseEvents)
{
    PostMessageA(Window, MsgMouseNotify, 3, WM_LBUTTONUP);
    PostMessageA(Window, MsgMouseNotify, 4, WM_RBUTTONUP);
    PostMessageA(Window, MsgMouseNotify, 5, WM_LBUTTONDBLCLK);
    PostMessageA(Window, MsgMouseNotify, 6, WM_RBUTTONDBLCLK);
    PostMessageA(Window, MsgMouseNotify, 8, WM_MOUSEMOVE);
    PostMessageA(Window, MsgMouseNotify, 9, WM_LBUTTONDOWN);
    ExpectRows(WindowTestDrain(), {
                                      {EventCodeMouse, 3, SubtypeLeftClick, 0},
                                      {EventCodeMouse, 4, SubtypeRightClick, 0},
                                      {EventCodeMouse, 5, SubtypeLeftDoubleClick, 0},
                                      {EventCodeMouse, 6, SubtypeRightDoubleClick, 0},
                                  });
    EXPECT_EQ(EventControlNumber(), 9u);   // the last mouse step names its gadget anyway

    // Sent outside a fetch, the notification is still only posted on.
    SendMessageA(Window, MsgMouseNotify, 2, WM_LBUTTONUP);
    EXPECT_EQ(EventState.PendingCode, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeMouse, 2, SubtypeLeftClick, 0}});

    // The mouse step clears a pending code before it decides.
    SendMessageA(Window, WM_CLOSE, 0, 0);
    PostMessageA(Window, MsgMouseDeferred, 2, WM_MOUSEMOVE);
    ExpectRows(WindowTestDrain(), {});
}

class Notifications : public Events {
  protected:
    HWND Tab = 0, Tree = 0, ListView = 0, Button = 0;
    void SetUp() override
    {
        Events::SetUp();
        Tab = Child(Window, WC_TABCONTROLA, 0, 20);
        Tree = Child(Window, WC_TREEVIEWA, 0, 21);
        ListView = Child(Window, WC_LISTVIEWA, 0, 22);
        Button = Child(Window, "BUTTON", BS_PUSHBUTTON, 7);
        ASSERT_TRUE(Tab && Tree && ListView && Button);
        WindowTestDrain();
    }
};

TEST_F(Notifications, ClickCodesFromAdmittedControlsSetTheSubtype)
{
    WindowTestSendInFetch({Notify(Window, Tab, 20, NM_CLICK)});
    WindowTestSendInFetch({Notify(Window, Tab, 20, NM_RCLICK)});
    WindowTestSendInFetch({Notify(Window, Tree, 21, NM_DBLCLK)});
    WindowTestSendInFetch({Notify(Window, ListView, 22, NM_RDBLCLK)});
    WindowTestSendInFetch({Notify(Window, ListView, 22, LVN_ITEMACTIVATE)});
    WindowTestSendInFetch({Notify(Window, Tree, 21, TVN_SELCHANGEDA)});
    WindowTestSendInFetch({Notify(Window, ListView, 22, LVN_ITEMCHANGED)});
    WindowTestSendInFetch({Notify(Window, ListView, 22, NM_SETFOCUS)});   // not an event
    ExpectRows(WindowTestDrain(), {
                                      {EventCodeControl, 20, SubtypeLeftClick, 0},
                                      {EventCodeControl, 20, SubtypeRightClick, 0},
                                      {EventCodeControl, 21, SubtypeLeftDoubleClick, 0},
                                      {EventCodeControl, 22, SubtypeRightDoubleClick, 0},
                                      {EventCodeControl, 22, SubtypeLeftDoubleClick, 0},
                                      {EventCodeControl, 21, SubtypeNone, 0},
                                      {EventCodeControl, 22, SubtypeNone, 0},
                                  });
}

TEST_F(Notifications, OtherControlsAreIgnoredAndLeaveAPendingCodeAlone)
{
    WindowTestSendInFetch({Send(Window, WM_CLOSE, 0, 0), Notify(Window, Button, 7, NM_CLICK)});
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, 0}});

    // A notification without its header is no event either.
    WindowTestSendInFetch({Send(Window, WM_CLOSE, 0, 0), Send(Window, WM_NOTIFY, 20, 0)});
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, 0}});
}

TEST_F(Notifications, AnAdmittedNotificationWithoutSubtypeDropsAPendingCode)
{
    WindowTestSendInFetch({Send(Window, WM_CLOSE, 0, 0), Notify(Window, Tab, 20, TCN_SELCHANGING)});
    ExpectRows(WindowTestDrain(), {});
}

TEST_F(Notifications, ASubtypeSetEarlierInThePassTurnsAnyLaterCodeIntoAnEvent)
{
    WindowTestSendInFetch(
        {Notify(Window, Tab, 20, NM_CLICK), Notify(Window, Tab, 20, TCN_SELCHANGING)});
    WindowTestSendInFetch({Send(Window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)Button),
                           Notify(Window, ListView, 22, NM_SETFOCUS)});
    ExpectRows(WindowTestDrain(), {
                                      {EventCodeControl, 20, SubtypeLeftClick, 0},
                                      {EventCodeControl, 22, BN_CLICKED, 0},
                                  });
    // The next pass starts again from no subtype.
    WindowTestSendInFetch({Notify(Window, ListView, 22, NM_SETFOCUS)});
    ExpectRows(WindowTestDrain(), {});
}

class TabPages : public Notifications {
  protected:
    HWND Page[2] = {0, 0};
    void SetUp() override
    {
        Notifications::SetUp();
        SetWindowPos(Tab, 0, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
        for (int i = 0; i < 2; i++) {
            Page[i] = CreateWindowExA(0, "TemplateClass", "", WS_CHILD, 2, 30, 190, 80, Tab, 0,
                                      Runtime.ModuleHandle, 0);
            char title[] = "Seite";
            TCITEMA item = {};
            item.mask = TCIF_TEXT | TCIF_PARAM;
            item.pszText = title;
            item.lParam = (LPARAM)Page[i];
            SendMessageA(Tab, TCM_INSERTITEMA, i, (LPARAM)&item);
        }
        SetWindowPos(Page[0], HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        WindowTestDrain();
    }
    bool Shown(HWND page) { return (GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE) != 0; }
    // The page is shown and enabled, the other one hidden and disabled.
    bool ShownAlone(int page)
    {
        HWND other = Page[1 - page];
        return Shown(Page[page]) && IsWindowEnabled(Page[page]) && !Shown(other) &&
               !IsWindowEnabled(other);
    }
};

TEST_F(TabPages, ClickingATabSwitchesPagesAndGivesAControlEvent)
{
    RECT second;
    SendMessageA(Tab, TCM_GETITEMRECT, 1, (LPARAM)&second);
    LPARAM at = MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    PostMessageA(Tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    // The tab control sends TCN_SELCHANGING, then TCN_SELCHANGE. The switch itself sends
    // messages to the pages, which share WindowProc, so the last source is a page (-1).
    ExpectRows(WindowTestDrain(), {{EventCodeControl, 20, SubtypeTabChange, -1}});
    EXPECT_EQ(SendMessageA(Tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(ShownAlone(1));
    EXPECT_EQ(GetWindow(Tab, GW_CHILD), Page[1]);
}

TEST_F(TabPages, ASelChangeSwitchesToTheSelectedTabsPageAndBack)
{
    // With the focus already on the tab, the last messages of each switch go to the pages.
    SetFocus(Tab);
    WindowTestDrain();
    WindowTestSendInFetch({Send(Tab, TCM_SETCURSEL, 1, 0), Notify(Window, Tab, 20, TCN_SELCHANGE)});
    WindowTestSendInFetch({Send(Tab, TCM_SETCURSEL, 0, 0), Notify(Window, Tab, 20, TCN_SELCHANGE)});
    std::vector<EventRow> rows;
    rows.push_back({WindowPollEvent(), EventControlNumber(), EventSubtype(), EventWindowNumber()});
    EXPECT_TRUE(Shown(Page[1]));
    EXPECT_FALSE(Shown(Page[0]));
    rows.push_back({WindowPollEvent(), EventControlNumber(), EventSubtype(), EventWindowNumber()});
    ExpectRows(rows, {
                         {EventCodeControl, 20, SubtypeNone, -1},
                         {EventCodeControl, 20, SubtypeNone, -1},
                     });
    EXPECT_TRUE(ShownAlone(0));
}

// No page is brought back: the one on show goes, as when PanelSelectTab selects such a tab.
TEST_F(TabPages, ATabWithoutAPageHidesAndDisablesThePageOnShow)
{
    char title[] = "leer";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    SendMessageA(Tab, TCM_INSERTITEMA, 2, (LPARAM)&item);
    SendMessageA(Tab, TCM_SETCURSEL, 2, 0);
    WindowTestSendInFetch({Notify(Window, Tab, 20, TCN_SELCHANGE)});
    ExpectRows(WindowTestDrain(), {{EventCodeControl, 20, SubtypeNone, 0}});
    EXPECT_FALSE(Shown(Page[0]));
    EXPECT_FALSE(IsWindowEnabled(Page[0]));
    EXPECT_FALSE(Shown(Page[1]));
}

TEST_F(Events, EventWindowNumberFindsTheSourceOrGivesMinusOne)
{
    EventState.SourceWindow = 0;
    EXPECT_EQ(EventWindowNumber(), -1);   // before any message: not the first free number
    HWND four = WindowOpen(4, 0, 0, 50, 50, FlagHidden, "");
    WindowTestDrain();
    PostMessageA(four, WM_CLOSE, 0, 0);
    PostMessageA(Window, WM_CLOSE, 0, 0);
    ExpectRows(WindowTestDrain(), {
                                      {EventCodeClose, AnyObject, SubtypeNone, 4},
                                      {EventCodeClose, AnyObject, SubtypeNone, 0},
                                  });
    HWND page = CreateWindowExA(0, "TemplateClass", "", WS_CHILD, 0, 0, 10, 10, Window, 0,
                                Runtime.ModuleHandle, 0);
    WindowTestDrain();   // a child is sized while it is created
    PostMessageA(page, WM_CLOSE, 0, 0);
    ExpectRows(WindowTestDrain(), {{EventCodeClose, AnyObject, SubtypeNone, -1}});
}

TEST_F(Events, WaitReturnsABareMessageNumberWhenNoEventArose)
{
    PostMessageA(Window, WM_APP + 5, 11, 22);
    EXPECT_EQ(WindowWaitEvent(), WM_APP + 5);
    EXPECT_EQ(EventWParam(), (WPARAM)11);
    EXPECT_EQ(EventLParam(), (LPARAM)22);

    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 3, 1, 2);   // reaches no window
    EXPECT_EQ(WindowWaitEvent(), WM_USER + 3);
    EXPECT_EQ(EventWParam(), (WPARAM)1);
    EXPECT_EQ(EventLParam(), (LPARAM)2);

    PostMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WindowWaitEvent(), EventCodeClose);
    EXPECT_EQ(EventState.PendingCode, 0);

    PostQuitMessage(7);   // fetched and returned like any message
    EXPECT_EQ(WindowWaitEvent(), WM_QUIT);
    EXPECT_EQ(EventWParam(), (WPARAM)7);

    // The number is that of the last message the procedure saw, the parameters those of
    // the message fetched.
    WindowTestSendInFetch({Send(Window, WM_APP + 7, 5, 6)});
    EXPECT_EQ(WindowWaitEvent(), WM_APP + 7);
    EXPECT_EQ(EventWParam(), (WPARAM)0);
}

// A message sent by another thread (automation, a screen reader, a test tool) is handled inside
// the fetch's own peek or wait: its event comes back once, before the events of the messages
// posted behind it, each with its own getters; posted ones still work as before.
TEST_F(Notifications, EventsOfMessagesSentByAnotherThreadKeepTheirPlaceAndNumbers)
{
    HWND option = Child(Window, "BUTTON", BS_AUTORADIOBUTTON, 5);
    struct Row {
        const char *What;
        SentMessage Foreign;               // sent by a second thread, pending before the posts
        std::vector<SentMessage> Posted;   // posted once the send waits
        std::vector<EventRow> Expected;
    };
    const Row rows[] = {
        {"click sent, command posted",
         Send(Window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)Button),
         {Send(Window, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), (LPARAM)option)},
         {{EventCodeControl, 7, BN_CLICKED, 0}, {EventCodeControl, 5, BN_CLICKED, 0}}},
        {"close sent, click posted",
         Send(Window, WM_CLOSE, 0, 0),
         {Send(Window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)Button)},
         {{EventCodeClose, AnyObject, SubtypeNone, 0}, {EventCodeControl, 7, BN_CLICKED, 0}}},
        {"notification sent, mouse step posted",
         Notify(Window, Tab, 20, NM_CLICK),
         {Send(Window, MsgMouseDeferred, 2, WM_MOUSEMOVE)},
         {{EventCodeControl, 20, SubtypeLeftClick, 0}}},
        {"click sent alone",
         Send(Window, WM_COMMAND, MAKEWPARAM(9, LBN_DBLCLK), (LPARAM)Button),
         {},
         {{EventCodeControl, 9, LBN_DBLCLK, 0}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.What);
        std::thread sender([&] {
            SendMessageA(row.Foreign.Target, row.Foreign.Message, row.Foreign.WParam,
                         row.Foreign.LParam);
        });
        while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) Sleep(1);
        for (const SentMessage &m : row.Posted)
            PostMessageA(m.Target, m.Message, m.WParam, m.LParam);
        ExpectRows(WindowTestDrain(), row.Expected);
        sender.join();
    }

    // A wait wakes for such an event at once, though nothing is posted.
    std::thread sender([&] {
        Sleep(100);
        SendMessageA(Window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)Button);
        // Not a wake-up: a fetch that waited until now has missed the event.
        Sleep(1500);
        PostMessageA(Window, WM_APP, 0, 0);
    });
    DWORD began = GetTickCount();
    EXPECT_EQ(WindowWaitEvent(), EventCodeControl);
    EXPECT_LT(GetTickCount() - began, 1000u);
    EXPECT_EQ(EventControlNumber(), 7u);
    EXPECT_EQ(EventSubtype(), BN_CLICKED);
    sender.join();
    EXPECT_EQ(WindowWaitEvent(), WM_APP);   // the wake-up itself is never returned
}

TEST_F(Events, PollOnAnEmptyQueueReturnsZeroAtOnce)
{
    EXPECT_EQ(WindowPollEvent(), 0);
    EXPECT_EQ(EventSubtype(), SubtypeNone);
    // Its cost is a figure of `make bench` (ui_empty_poll_us), not a check a loaded machine
    // could fail.
    for (int i = 0; i < 2000; i++) ASSERT_EQ(WindowPollEvent(), 0);
}

}   // namespace
