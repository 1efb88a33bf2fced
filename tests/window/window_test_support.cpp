#include "window_test_support.h"

#include <deque>
#include <ostream>

static HWND Driver;
static std::deque<std::vector<SentMessage>> Batches;

static LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP && !Batches.empty()) {
        std::vector<SentMessage> batch = Batches.front();
        Batches.pop_front();
        for (const SentMessage &m : batch) SendMessageA(m.Target, m.Message, m.WParam, m.LParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void WindowTestRuntimeInit()
{
    static bool done = false;
    if (done) return;
    done = true;
    Runtime.ModuleHandle = GetModuleHandleA(0);
    Runtime.RuntimeHeap = HeapCreate(0, 4000, 0);
    WindowLayerInit();

    WNDCLASSA driverClass = {};
    driverClass.lpfnWndProc = DriverProc;
    driverClass.hInstance = Runtime.ModuleHandle;
    driverClass.lpszClassName = "WindowTestDriver";
    RegisterClassA(&driverClass);
    Driver = CreateWindowExA(0, "WindowTestDriver", "", 0, 0, 0, 10, 10, HWND_MESSAGE, 0,
                             Runtime.ModuleHandle, 0);
}

void WindowTestLayerRestart()
{
    WindowTestRuntimeInit();
    for (uint32_t n = 0; n < Windows.Table.Capacity; n++) WindowClose((int32_t)n);
    WindowTestFlush();
    Runtime.HeapFailAt = 0;
    WindowLayerInit();
}

void WindowTestSendInFetch(const std::vector<SentMessage> &batch)
{
    Batches.push_back(batch);
    PostMessageA(Driver, WM_APP, 0, 0);
}

std::vector<EventRow> WindowTestDrain()
{
    std::vector<EventRow> rows;
    for (int code; (code = WindowPollEvent()) != 0;)
        rows.push_back({code, EventControlNumber(), EventSubtype(), EventWindowNumber()});
    return rows;
}

void WindowTestFlush()
{
    // Dispatched, not dropped: an unpainted window would hand out WM_PAINT for ever.
    MSG m;
    for (int n = 0; n < 10000 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE); n++) DispatchMessageA(&m);
    Batches.clear();
    EventState.PendingCode = 0;
}

void PrintTo(const EventRow &r, std::ostream *os)
{
    *os << "{code " << r.Code << ", object " << r.Object << ", subtype " << r.Subtype
        << ", window " << r.Window << "}";
}
