// The event drain and flush of the in-process tests.
#include "events.h"

#include <windows.h>
#include <commctrl.h>

#include <ostream>

#include "window/internal/events.h"

std::vector<EventRow> WindowTestDrain()
{
    std::vector<EventRow> rows;
    for (int code; (code = WindowPollEvent()) != 0;)
        rows.push_back({code, EventControlNumber(), EventSubtype(), EventWindowNumber()});
    return rows;
}

void WindowTestClickTab(HWND tab, int index)
{
    RECT r = {};
    SendMessageA(tab, TCM_GETITEMRECT, index, (LPARAM)&r);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tab, WM_LBUTTONUP, 0, at);
}

void WindowTestFlush()
{
    // Dispatched, not dropped: an unpainted window would hand out WM_PAINT for ever. The bound
    // keeps a window that never stops posting from holding the test.
    MSG m;
    for (int n = 0; n < 10000 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE); n++) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    EventState.PendingCode = 0;
    EventState.QueueCount = 0;
    EventState.Held.Code = 0;
    EventState.WakesPosted = 0;
}

void PrintTo(const EventRow &r, std::ostream *os)
{
    *os << "{code " << r.Code << ", object " << r.Object << ", subtype " << r.Subtype << ", window "
        << r.Window << "}";
}
