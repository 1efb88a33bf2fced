// The window tests' layer restart and the driver window behind WindowTestSendInFetch.
#include "window_test_support.h"

#include <commctrl.h>

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

HWND WindowTestChild(HWND parent, const char *className, DWORD style, int id)
{
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 40, parent,
                           (HMENU)(INT_PTR)id, Runtime.ModuleHandle, 0);
}

void WindowTestTabPages(HWND tab, HWND pages[2])
{
    SetWindowPos(tab, 0, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 2; i++) {
        pages[i] = CreateWindowExA(0, "TemplateClass", "", WS_CHILD, 2, 30, 190, 80, tab, 0,
                                   Runtime.ModuleHandle, 0);
        char title[] = "Seite";
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = title;
        item.lParam = (LPARAM)pages[i];
        SendMessageA(tab, TCM_INSERTITEMA, i, (LPARAM)&item);
    }
    SetWindowPos(pages[0], HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
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

enum { ThreadJob = WM_APP + 1 };

static LRESULT CALLBACK ThreadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != ThreadJob) return DefWindowProcA(window, message, wParam, lParam);
    ((void (*)(void *))wParam)((void *)lParam);
    return 0;
}

static DWORD WINAPI ThreadMain(void *self)
{
    WindowTestThread *thread = (WindowTestThread *)self;
    WNDCLASSA threadClass = {};
    threadClass.lpfnWndProc = ThreadProc;
    threadClass.hInstance = Runtime.ModuleHandle;
    threadClass.lpszClassName = "WindowTestThread";
    RegisterClassA(&threadClass);   // a second registration fails harmlessly
    HWND window = CreateWindowExA(0, "WindowTestThread", "", 0, 0, 0, 10, 10, HWND_MESSAGE, 0,
                                  Runtime.ModuleHandle, 0);
    InterlockedExchangePointer((void **)&thread->Window, window);
    MSG m;
    while (GetMessageA(&m, 0, 0, 0) > 0) DispatchMessageA(&m);
    DestroyWindow(window);
    return 0;
}

WindowTestThread::WindowTestThread()
{
    Thread = CreateThread(nullptr, 0, ThreadMain, this, 0, &ThreadId);
    while (InterlockedCompareExchangePointer((void **)&Window, nullptr, nullptr) == nullptr)
        Sleep(1);
}

WindowTestThread::~WindowTestThread()
{
    PostThreadMessageA(ThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Thread);
}

void WindowTestThread::Send(void (*job)(void *), void *context)
{
    SendMessageA(Window, ThreadJob, (WPARAM)job, (LPARAM)context);
}

void WindowTestThread::Post(void (*job)(void *), void *context)
{
    PostMessageA(Window, ThreadJob, (WPARAM)job, (LPARAM)context);
}
