// The window tests' layer restart and the driver window behind WindowTestSendInFetch.
#include "window_test_support.h"

#include <deque>

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

void WindowTestLayerRestart()
{
    for (uint32_t n = 0; n < Windows.Table.Capacity; n++) WindowClose((int32_t)n);
    WindowTestFlush();
    Batches.clear();
    Heap.HeapFailAt = 0;
    WindowLayerInit();
}

void WindowTestForget(int32_t number)
{
    if (Windows.CurrentWindow == *WindowSlotOf(number)) Windows.CurrentWindow = nullptr;
    *WindowSlotOf(number) = nullptr;
}

void WindowTestSendInFetch(const std::vector<SentMessage> &batch)
{
    if (!Driver) {
        WNDCLASSA driverClass = {};
        driverClass.lpfnWndProc = DriverProc;
        driverClass.hInstance = Runtime.ModuleHandle;
        driverClass.lpszClassName = "WindowTestDriver";
        RegisterClassA(&driverClass);
        Driver = CreateWindowExA(0, "WindowTestDriver", "", 0, 0, 0, 10, 10, HWND_MESSAGE, 0,
                                 Runtime.ModuleHandle, 0);
    }
    Batches.push_back(batch);
    PostMessageA(Driver, WM_APP, 0, 0);
}
