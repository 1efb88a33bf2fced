// Shared set-up for the window-layer tests: the runtime state they need, and a driver window
// that sends messages to runtime windows from inside a fetch, as controls do.
#pragma once

#include <windows.h>
#include <iosfwd>
#include <vector>

#include "runtime/startup.h"
#include "window/events.h"
#include "window/windows.h"

// Heap, module handle and window layer, the way the prologue sets them up (once per process).
void WindowTestRuntimeInit();

// Closes every open window number and starts the window layer afresh (table of 10).
void WindowTestLayerRestart();

struct SentMessage {
    HWND Target;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

// Queues one batch of messages; the next fetch dispatches a posted message to the driver
// window, which sends the whole batch, in order, from inside that one dispatch.
void WindowTestSendInFetch(const std::vector<SentMessage> &batch);

// Every code WindowPollEvent returns until the queue is empty.
struct EventRow {
    int Code;
    unsigned Object;
    int Subtype;
    int Window;
    bool operator==(const EventRow &o) const {
        return Code == o.Code && Object == o.Object && Subtype == o.Subtype && Window == o.Window;
    }
};
void PrintTo(const EventRow &row, std::ostream *os);
std::vector<EventRow> WindowTestDrain();

// Discards whatever is queued, without counting it.
void WindowTestFlush();
