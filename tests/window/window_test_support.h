// Shared set-up for the window-layer tests (the runtime is up from the test environment): a
// fresh window layer, and a driver window that sends messages to runtime windows from inside
// a fetch, as controls do.
#pragma once

#include <windows.h>
#include <vector>

#include "runtime/internal/heap.h"
#include "support/events.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

// Closes every open window number, flushes the queue and starts the window layer afresh
// (table of 10).
void WindowTestLayerRestart();

// Leaves a visible window open but out of the layer's reach, neither in the table nor current:
// destroying a visible window costs seconds.
void WindowTestForget(int32_t number);

struct SentMessage {
    HWND Target;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

// A visible child control of the given class, style and identifier, 80 by 40 at the corner.
HWND WindowTestChild(HWND parent, const char *className, DWORD style, int id);
// Sizes a tab control and gives it two tabs whose pages (runtime page windows) are made here;
// the first page is shown.
void WindowTestTabPages(HWND tab, HWND pages[2]);

// Queues one batch of messages; the next fetch dispatches a posted message to the driver
// window, which sends the whole batch, in order, from inside that one dispatch.
void WindowTestSendInFetch(const std::vector<SentMessage> &batch);

// A second thread with a message-only window of its own, pumping messages until it ends. Send
// runs a job there and waits for it (the caller's thread handles what the job sends it in the
// meantime, as inside any cross-thread send); Post runs it there without waiting.
class WindowTestThread {
  public:
    WindowTestThread();
    ~WindowTestThread();
    void Send(void (*job)(void *), void *context);
    void Post(void (*job)(void *), void *context);
    HWND Window = nullptr;
    DWORD ThreadId = 0;

  private:
    HANDLE Thread = nullptr;
};
