// The window layer's events as the in-process tests take them: every code the fetch returns
// until the queue is empty, as rows a test compares with a table, a flush that leaves nothing
// queued, and the click on a tab that the window and panel tests both post.
#pragma once

#include <windows.h>

#include <iosfwd>
#include <vector>

// One fetched event: its code and what the getters report right after the fetch.
struct EventRow {
    int Code;
    unsigned Object;
    int Subtype;
    int Window;
    bool operator==(const EventRow &o) const
    {
        return Code == o.Code && Object == o.Object && Subtype == o.Subtype && Window == o.Window;
    }
};
void PrintTo(const EventRow &row, std::ostream *os);

// Every code WindowPollEvent returns until the queue is empty.
std::vector<EventRow> WindowTestDrain();

// Posts a click (button down and up) at the middle of a tab of a tab control.
void WindowTestClickTab(HWND tab, int index);

// Dispatches whatever is queued without fetching it as events, and drops a pending event.
void WindowTestFlush();
