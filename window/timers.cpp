// Numbered timers of numbered windows. Each runtime timer is a platform timer of its window with
// a callback of the runtime's own, which the dispatch of its WM_TIMER calls in place of the
// window procedure; the callback hands the message on to WindowProc, where the callback's
// address in lParam tells the runtime's ticks from those of timers a program sets itself.
#include "window/internal/tools.h"
#include "window/internal/events.h"
#include "runtime/internal/heap.h"

TimerState Timers;

static void CALLBACK WindowTimerTick(HWND window, UINT message, UINT_PTR id, DWORD)
{
    WindowProc(window, message, id, (LPARAM)WindowTimerTick);
}

static TimerEntry *WindowTimerFind(HWND window, int32_t number)
{
    for (uint32_t i = 0; i < Timers.Count; i++)
        if (Timers.Running[i].Window == window && Timers.Running[i].Number == number)
            return &Timers.Running[i];
    return nullptr;
}

// A tick of a timer stopped since its WM_TIMER was taken from the queue (KillTimer leaves such
// a message where it is) gives no event.
static int WindowTimerStep(HWND window, WPARAM id, LPARAM proc)
{
    if (proc != (LPARAM)WindowTimerTick || !(id & TimerIdMark)) return 0;
    int32_t number = (int32_t)(id & ~TimerIdMark);
    if (!WindowTimerFind(window, number)) return 1;
    EventState.PendingCode = EventCodeTimer;
    EventState.Subtype = SubtypeNone;
    EventState.ObjectNumber = (uint32_t)number;
    return 1;
}

static void WindowTimerDrop(TimerEntry *entry)
{
    *entry = Timers.Running[--Timers.Count];
    if (Timers.Count == 0) {
        HeapRelease(Timers.Running);
        Timers.Running = nullptr;
    }
}

// DestroyWindow kills the window's timers; the record forgets them.
static void WindowTimerForget(HWND window)
{
    for (uint32_t i = Timers.Count; i-- > 0;)
        if (Timers.Running[i].Window == window) WindowTimerDrop(&Timers.Running[i]);
}

// The first timer operation after the layer (re)started.
static void WindowTimerBegin(void)
{
    if (Windows.Steps.TimerStep) return;
    Timers = TimerState{};
    Windows.Steps.TimerStep = WindowTimerStep;
    Windows.Steps.TimerForget = WindowTimerForget;
}

int32_t WindowTimerStart(int32_t window, int32_t number, int32_t milliseconds)
{
    HWND handle = WindowHandleOf(window);
    if (!handle || number < 0 || milliseconds < 1) return 0;
    WindowTimerBegin();
    TimerEntry *entry = WindowTimerFind(handle, number);
    if (!entry) {
        uint64_t bytes = (uint64_t)(Timers.Count + 1) * sizeof(TimerEntry);
        TimerEntry *running = (TimerEntry *)HeapReallocateZero(Timers.Running, (uint32_t)bytes);
        if (!running) return 0;
        Timers.Running = running;
    }
    // The same identifier again: the platform replaces the timer, which restarts it.
    if (!SetTimer(handle, TimerIdMark | (uint32_t)number, (UINT)milliseconds, WindowTimerTick))
        return 0;
    if (!entry) Timers.Running[Timers.Count++] = TimerEntry{handle, number};
    return 1;
}

int32_t WindowTimerStop(int32_t window, int32_t number)
{
    HWND handle = WindowHandleOf(window);
    if (!handle || number < 0 || !Windows.Steps.TimerStep) return 0;
    TimerEntry *entry = WindowTimerFind(handle, number);
    if (!entry) return 0;
    KillTimer(handle, TimerIdMark | (uint32_t)number);
    WindowTimerDrop(entry);
    return 1;
}

uint32_t EventTimerNumber(void)
{
    return EventState.ObjectNumber;
}
