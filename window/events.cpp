// The window procedure shared by every runtime window, and the fetches that drive it. A
// message leaves at most one event code in EventState; the fetch hands it to the program.
#include "window/internal/events.h"
#include "window/internal/windows.h"

WindowEventState EventState;

static_assert(sizeof(HWND) == 4 && sizeof(WPARAM) == 4 && sizeof(LPARAM) == 4,
              "event fields and table entries are 32-bit");

// A control's WM_COMMAND, a menu item, or an accelerator.
static void WindowCommandStep(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0) {
        EventState.PendingCode = EventCodeControl;
        EventState.ObjectNumber = LOWORD(wParam);
        EventState.Subtype = HIWORD(wParam);
    } else if (HIWORD(wParam) == 0) {
        EventState.PendingCode = EventCodeCommand;
        EventState.ObjectNumber = wParam;
    } else if (LOWORD(wParam) == CommandFocusNext) {
        FocusNext();
    } else {
        EventState.PendingCode = EventCodeCommand;
        EventState.ObjectNumber = LOWORD(wParam);
    }
}

HWND WindowTabPage(HWND tab, int32_t index)
{
    // Another program's window would be sent a tab message that points into this process.
    if (!WindowOwnedHere(tab)) return nullptr;
    EventState.TabItem.mask = TCIF_PARAM;
    // A tab that cannot be read must not bring back the page of an earlier lookup.
    EventState.TabItem.lParam = 0;
    SendMessageA(tab, TCM_GETITEMA, (WPARAM)index, (LPARAM)&EventState.TabItem);
    return (HWND)EventState.TabItem.lParam;
}

// Every other page on show is hidden and disabled: the pages are looked up by their tabs, not
// taken as the tab control's first child, which may be the control's own arrow buttons once
// its tabs overflow the row.
void WindowTabShowPage(HWND tab, int32_t index)
{
    if (index < 0 || !WindowOwnedHere(tab)) return;
    HWND page = WindowTabPage(tab, index);
    for (int32_t other = (int32_t)SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) - 1; other >= 0;
         other--) {
        HWND shown = WindowTabPage(tab, other);
        if (shown == page || !(GetWindowLongA(shown, GWL_STYLE) & WS_VISIBLE)) continue;
        ShowWindow(shown, SW_HIDE);
        EnableWindow(shown, FALSE);
    }
    if (!page) return;
    EnableWindow(page, TRUE);
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

// The user picked another tab: its page replaces the one on show, and the tab keeps the focus.
static void WindowTabSwitch(HWND tab, UINT_PTR id)
{
    EventState.PendingCode = EventCodeControl;
    EventState.ObjectNumber = id;
    WindowTabShowPage(tab, (int32_t)SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    SetFocus(tab);
}

// Notifications count only from tab, tree-view and list-view controls.
static void WindowNotifyStep(const NMHDR *header)
{
    if (!header) return;
    char *name = EventState.NotifyClassName;
    name[0] = 0;
    // A failed call leaves the buffer undefined: no name, no event.
    if (GetClassNameA(header->hwndFrom, name, sizeof EventState.NotifyClassName) == 0) return;
    bool admitted =
        name[0] == 'S' && name[1] == 'y' && name[2] == 's' && (name[3] == 'T' || name[3] == 'L');
    if (!admitted) return;

    UINT code = header->code;
    if (code == TCN_SELCHANGE) {
        WindowTabSwitch(header->hwndFrom, header->idFrom);
        return;
    }
    EventState.PendingCode = 0;
    switch (code) {
    case NM_CLICK: EventState.Subtype = SubtypeLeftClick; break;
    case NM_DBLCLK: EventState.Subtype = SubtypeLeftDoubleClick; break;
    case NM_RCLICK: EventState.Subtype = SubtypeRightClick; break;
    case NM_RDBLCLK: EventState.Subtype = SubtypeRightDoubleClick; break;
    case LVN_ITEMACTIVATE: EventState.Subtype = SubtypeLeftDoubleClick; break;
    }
    // A subtype left by an earlier message of the same pass also admits this one.
    if (EventState.Subtype != SubtypeNone || code == TVN_SELCHANGEDA || code == LVN_ITEMCHANGED) {
        EventState.PendingCode = EventCodeControl;
        EventState.ObjectNumber = header->idFrom;
    }
}

// A click that a control reported through MsgMouseNotify, one message later.
static void WindowMouseStep(WPARAM gadget, LPARAM mouseMessage)
{
    EventState.PendingCode = 0;
    EventState.ObjectNumber = gadget;
    int32_t subtype;
    switch (mouseMessage) {
    case WM_LBUTTONUP: subtype = SubtypeLeftClick; break;
    case WM_RBUTTONUP: subtype = SubtypeRightClick; break;
    case WM_LBUTTONDBLCLK: subtype = SubtypeLeftDoubleClick; break;
    case WM_RBUTTONDBLCLK: subtype = SubtypeRightDoubleClick; break;
    default: return;
    }
    EventState.PendingCode = EventCodeMouse;
    EventState.Subtype = subtype;
}

// One message's handling as the design of the pass has it: the last event set wins.
static LRESULT WindowHandle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EventState.SourceWindow = window;
    EventState.FetchRecord.message = message;
    EventState.MessageWParam = wParam;
    EventState.MessageLParam = lParam;
    if (EventState.WindowHook && EventState.WindowHook(window, message, wParam, lParam) == -1)
        return -1;

    switch (message) {
    case WM_SIZE:
        if (EventState.SizeHook) EventState.SizeHook(window, wParam, lParam);
        // Reported once the message that caused the change has been handled.
        PostMessageA(window, MsgSizeDeferred, wParam, lParam);
        return 0;
    case WM_CLOSE:
        // Only WindowClose destroys a window.
        EventState.PendingCode = EventCodeClose;
        return 0;
    case WM_NOTIFY: WindowNotifyStep((const NMHDR *)lParam); return 0;
    case WM_COMMAND: WindowCommandStep(wParam, lParam); return 0;
    case WM_HSCROLL:
        EventState.ObjectNumber = GetWindowLongA((HWND)lParam, GWL_ID);
        EventState.PendingCode = EventCodeControl;
        return 0;
    case WM_TIMER:
        // The runtime's own timers give events; any other goes on to the default as before.
        if (Windows.Steps.TimerStep && Windows.Steps.TimerStep(window, wParam, lParam)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case MsgMouseNotify: PostMessageA(window, MsgMouseDeferred, wParam, lParam); return 0;
    case MsgMouseDeferred: WindowMouseStep(wParam, lParam); return 0;
    case MsgSizeDeferred: EventState.PendingCode = EventCodeSize; return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The event of the pass at hand, with what its getters report.
static EventRecord EventRecordTake(void)
{
    EventRecord record;
    record.Code = EventState.PendingCode;
    record.Subtype = EventState.Subtype;
    record.SourceWindow = EventState.SourceWindow;
    record.ObjectNumber = EventState.ObjectNumber;
    record.MessageNumber = EventState.FetchRecord.message;
    record.MessageWParam = EventState.MessageWParam;
    record.MessageLParam = EventState.MessageLParam;
    return record;
}

static void EventRecordPut(const EventRecord *record)
{
    EventState.PendingCode = record->Code;
    EventState.Subtype = record->Subtype;
    EventState.SourceWindow = record->SourceWindow;
    EventState.ObjectNumber = record->ObjectNumber;
    EventState.FetchRecord.message = record->MessageNumber;
    EventState.MessageWParam = record->MessageWParam;
    EventState.MessageLParam = record->MessageLParam;
}

// Queues the pending event of the pass at hand; 0 when the queue is full.
static int EventQueuePush(void)
{
    if (EventState.QueueCount == EventQueueSize) {
        EventState.QueueLost++;
        return 0;
    }
    uint32_t at = (EventState.QueueFirst + EventState.QueueCount) % EventQueueSize;
    EventState.Queue[at] = EventRecordTake();
    EventState.QueueCount++;
    return 1;
}

// Puts the oldest queued event into the event record and returns its code; 0 when none waits.
static int32_t EventQueueTake(void)
{
    if (EventState.QueueCount == 0) return 0;
    EventRecord *oldest = &EventState.Queue[EventState.QueueFirst];
    EventState.QueueFirst = (EventState.QueueFirst + 1) % EventQueueSize;
    EventState.QueueCount--;
    EventRecordPut(oldest);
    int32_t code = EventState.PendingCode;
    EventState.PendingCode = 0;
    return code;
}

// A message another thread sent (UI automation, a screen reader, a test tool) is delivered
// inside whatever fetch or send this thread is in: its own pass, whose event is queued, while
// the pass it interrupted gets its state back as it was.
static LRESULT WindowForeignPass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EventRecord interrupted = EventRecordTake();
    EventState.ForeignPass = 1;
    EventState.PendingCode = 0;
    EventState.Subtype = SubtypeNone;
    LRESULT result = WindowHandle(window, message, wParam, lParam);
    // GetMessageA goes on waiting after a sent message: a posted one wakes it for the event.
    if (EventState.PendingCode != 0 && EventQueuePush() && EventState.Waiting)
        PostMessageA(window, WM_NULL, 0, EventWakeMarker);
    EventRecordPut(&interrupted);
    EventState.ForeignPass = 0;
    return result;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages this thread sends itself while handling one from another thread belong to the
    // same pass.
    if (!EventState.ForeignPass && InSendMessageEx(nullptr) != ISMEX_NOSEND)
        return WindowForeignPass(window, message, wParam, lParam);
    return WindowHandle(window, message, wParam, lParam);
}

// Accelerators go against the active window, whatever window the message is for; the active
// window's shortcuts follow the table in use, once the program has made any.
static void WindowDispatchFetched(void)
{
    MSG *fetched = &EventState.FetchRecord;
    if (!TranslateAcceleratorA(GetActiveWindow(), EventState.AcceleratorTable, fetched) &&
        !(Windows.Steps.ShortcutTranslate && Windows.Steps.ShortcutTranslate(fetched))) {
        TranslateMessage(fetched);
        DispatchMessageA(fetched);
    }
}

// The fetched message's event, after any that other threads' messages raised before it. With
// none waiting it goes through the queue and comes straight back out, as it was.
static int32_t WindowFetchedEvent(void)
{
    if (EventState.PendingCode != 0) {
        EventQueuePush();
        EventState.PendingCode = 0;
    }
    return EventQueueTake();
}

int32_t WindowPollEvent(void)
{
    for (;;) {
        int32_t queued = EventQueueTake();
        if (queued != 0) return queued;
        EventState.Subtype = SubtypeNone;
        // Messages of other threads are handled inside the peek, also when it finds none.
        if (!PeekMessageA(&EventState.FetchRecord, nullptr, 0, 0, PM_REMOVE))
            return EventQueueTake();
        WindowDispatchFetched();
        int32_t code = WindowFetchedEvent();
        if (code != 0) return code;
    }
}

int32_t WindowWaitEvent(void)
{
    int32_t queued = EventQueueTake();
    if (queued != 0) return queued;
    for (;;) {
        EventState.Subtype = SubtypeNone;
        EventState.Waiting = 1;
        GetMessageA(&EventState.FetchRecord, nullptr, 0, 0);
        EventState.Waiting = 0;
        const MSG *fetched = &EventState.FetchRecord;
        bool wake = fetched->message == WM_NULL && fetched->lParam == EventWakeMarker;
        WindowDispatchFetched();
        int32_t result = WindowFetchedEvent();
        if (result != 0) return result;
        // The wake-up of an event that an earlier fetch has returned already.
        if (wake) continue;
        result = (int32_t)fetched->message;
        EventState.MessageWParam = fetched->wParam;
        EventState.MessageLParam = fetched->lParam;
        return result;
    }
}

void WindowSetCallback(WNDPROC hook)
{
    EventState.WindowHook = hook;
}

void WindowSetAccelerators(HACCEL table)
{
    EventState.AcceleratorTable = table;
}

uint32_t EventControlNumber(void)
{
    return EventState.ObjectNumber;
}

uint32_t EventCommandNumber(void)
{
    return EventState.ObjectNumber;
}

int32_t EventSubtype(void)
{
    return EventState.Subtype;
}

WPARAM EventWParam(void)
{
    return EventState.MessageWParam;
}

LPARAM EventLParam(void)
{
    return EventState.MessageLParam;
}

UINT EventMessageNumber(void)
{
    return EventState.FetchRecord.message;
}

int32_t EventWindowNumber(void)
{
    // A null source would otherwise match the first free number.
    if (!EventState.SourceWindow) return -1;
    for (uint32_t number = 0; number < Windows.Table.Capacity; number++)
        if (Windows.Table.Handles[number] == EventState.SourceWindow) return (int32_t)number;
    return -1;
}
