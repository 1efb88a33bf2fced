// The table of numbered top-level windows. Every window number gets a class of its own,
// copied from one template whose procedure is WindowProc, so that a number is "open" exactly
// while its class is registered and its table entry holds the handle.
#include "window/internal/windows.h"
#include "window/internal/events.h"
#include "runtime/internal/check.h"
#include "runtime/internal/heap.h"

WindowLayerState Windows;

// Room for numbers 0 to capacity - 1 plus the spare entries.
static uint64_t WindowTableBytes(uint64_t capacity)
{
    return (capacity + WindowTableSpare) * sizeof(HWND);
}

void WindowLayerInit(void)
{
    RtlZeroMemory(&Windows, sizeof Windows);
    RtlZeroMemory(&EventState, sizeof EventState);
    RtlZeroMemory(&Focus, sizeof Focus);

    // A failed allocation leaves Capacity 0; the next WindowOpen grows the table from null.
    Windows.Table.Handles =
        (HWND *)HeapAllocate((uint32_t)WindowTableBytes(WindowTableInitial), HeapFillZero);
    if (Windows.Table.Handles != nullptr) Windows.Table.Capacity = WindowTableInitial;

    // The platform deletes a class's background brush when the class is unregistered, which
    // WindowClose does for every window: a brush of the runtime's own, shared by every class,
    // would die with the first window closed. A system colour is never deleted.
    Windows.WindowBrush = (HBRUSH)(COLOR_BTNFACE + 1);

    WNDCLASSA *tpl = &Windows.WindowClassTemplate;
    tpl->style = 0;
    tpl->lpfnWndProc = WindowProc;
    tpl->cbClsExtra = 0;
    tpl->cbWndExtra = 0;
    tpl->hInstance = Runtime.ModuleHandle;
    tpl->hIcon = LoadIconA(Runtime.ModuleHandle, MAKEINTRESOURCEA(1));
    tpl->hCursor = LoadCursorA(nullptr, IDC_ARROW);
    tpl->hbrBackground = Windows.WindowBrush;
    tpl->lpszMenuName = nullptr;
    // Panel pages are created from the template under this name.
    tpl->lpszClassName = "TemplateClass";
    RegisterClassA(tpl);
    tpl->lpszClassName = Windows.WindowClassName;

    ACCEL tab;
    tab.fVirt = FVIRTKEY | FNOINVERT;
    tab.key = VK_TAB;
    tab.cmd = CommandFocusNext;
    EventState.FocusTabTable = CreateAcceleratorTableA(&tab, 1);
    EventState.AcceleratorTable = EventState.FocusTabTable;
}

// Windows and classes go with the process; an accelerator table is the creator's to destroy.
// A table the program handed over stays the program's.
void WindowLayerEnd(void)
{
    if (Windows.Steps.ShortcutEnd) Windows.Steps.ShortcutEnd();
    if (EventState.AcceleratorTable == EventState.FocusTabTable)
        EventState.AcceleratorTable = nullptr;
    DestroyAcceleratorTable(EventState.FocusTabTable);
    EventState.FocusTabTable = nullptr;
}

bool WindowOwnedHere(HWND window)
{
    return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

HWND *WindowSlotOf(int32_t number)
{
    return &Windows.Table.Handles[number];
}

void WindowClassNameOf(int32_t number)
{
    // "WindowClass_" and at most 11 characters of a 32-bit number fit WindowClassNameSize.
    wvsprintfA(Windows.WindowClassName, "WindowClass_%ld", (va_list)&number);
}

HWND WindowHandleOf(int32_t number)
{
    if (number < 0 || (uint32_t)number >= Windows.Table.Capacity) return nullptr;
    return *WindowSlotOf(number);
}

// Makes room for number; 0 when the table cannot grow, which leaves it as it was.
static int WindowTableGrow(int32_t number)
{
    if ((uint32_t)number < Windows.Table.Capacity) return 1;
    uint32_t capacity = (uint32_t)number + WindowTableGrowth;
    uint64_t bytes = WindowTableBytes(capacity);
    if (bytes > HeapLargestBlock) return 0;
    HWND *handles = (HWND *)HeapReallocateZero(Windows.Table.Handles, (uint32_t)bytes);
    if (handles == nullptr) return 0;
    Windows.Table.Handles = handles;
    Windows.Table.Capacity = capacity;
    return 1;
}

// Checked builds: every open window's class paints with a live background (the platform
// deletes a class's brush when the class goes), and the current window is null, one the
// table holds, or one closed since (which WindowClose leaves current).
static void WindowCheckLayer(void)
{
#if defined(RUNTIME_CHECKS)
    bool currentHeld = Windows.CurrentWindow == nullptr || !IsWindow(Windows.CurrentWindow);
    for (uint32_t number = 0; number < Windows.Table.Capacity; number++) {
        HWND window = Windows.Table.Handles[number];
        if (window == nullptr) continue;
        currentHeld = currentHeld || window == Windows.CurrentWindow;
        HBRUSH brush = (HBRUSH)GetClassLongPtrA(window, GCLP_HBRBACKGROUND);
        RUNTIME_ASSERT(brush == (HBRUSH)(COLOR_BTNFACE + 1) || GetObjectType(brush) == OBJ_BRUSH);
    }
    RUNTIME_ASSERT(currentHeld);
#endif
}

HWND WindowOpen(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                const char *title)
{
    if (number < 0 || !WindowTableGrow(number)) {
        Windows.CurrentWindow = nullptr;
        return nullptr;
    }
    WindowClose(number);
    WindowClassNameOf(number);
    RegisterClassA(&Windows.WindowClassTemplate);

    uint32_t style = flags ^ FlagHidden;
    // The platform gives every overlapped window (neither popup nor child) a title bar and a
    // border, asked for or not: flags 0 must measure them too, or they eat the client area.
    if ((style & (WS_POPUP | WS_CHILD)) == 0) style |= WS_CAPTION;
    RECT outer;
    outer.left = x;
    outer.top = y;
    outer.right = x + width;
    outer.bottom = y + height;
    AdjustWindowRect(&outer, style, FALSE);
    // AdjustWindowRect leaves scroll bars out; they too lie outside the client area.
    if (style & WS_VSCROLL) outer.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) outer.bottom += GetSystemMetrics(SM_CYHSCROLL);

    // The unadjusted corner is passed: x, y is the outer corner, the client area is
    // width by height.
    HWND window =
        CreateWindowExA(0, Windows.WindowClassName, title, style, x, y, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, Runtime.ModuleHandle, nullptr);
    *WindowSlotOf(number) = window;
    Windows.CurrentWindow = window;
    WindowCheckLayer();
    return window;
}

void WindowClose(int32_t number)
{
    HWND window = WindowHandleOf(number);
    if (window == nullptr) return;
    // The entry is cleared first: DestroyWindow re-enters WindowProc, and the number must
    // already read as free there.
    *WindowSlotOf(number) = nullptr;
    if (Windows.Steps.ShortcutForget) Windows.Steps.ShortcutForget(window);
    if (Windows.Steps.TimerForget) Windows.Steps.TimerForget(window);
    DestroyWindow(window);
    WindowClassNameOf(number);
    UnregisterClassA(Windows.WindowClassName, Runtime.ModuleHandle);
    WindowCheckLayer();
}

void WindowUse(int32_t number)
{
    Windows.CurrentWindow = WindowHandleOf(number);
    WindowCheckLayer();
}

void WindowSetHidden(int32_t number, int32_t hide)
{
    HWND window = WindowHandleOf(number);
    if (!window) return;
    ShowWindow(window, hide ? SW_HIDE : SW_SHOWNORMAL);
}

HWND CurrentWindowHandle(void)
{
    return Windows.CurrentWindow;
}

// The outer rectangle of the current window, read afresh; all zero when there is none.
static RECT WindowOuterRect(void)
{
    RECT outer;
    // A failed call leaves the rectangle undefined.
    if (!GetWindowRect(Windows.CurrentWindow, &outer)) outer = RECT{0, 0, 0, 0};
    return outer;
}

int32_t WindowOuterWidth(void)
{
    RECT outer = WindowOuterRect();
    return outer.right - outer.left;
}

int32_t WindowOuterHeight(void)
{
    RECT outer = WindowOuterRect();
    return outer.bottom - outer.top;
}

int32_t WindowLeft(void)
{
    return WindowOuterRect().left;
}

int32_t WindowTop(void)
{
    return WindowOuterRect().top;
}

// The mouse in screen pixels; 0, 0 when it cannot be read (a failed call leaves it undefined).
static POINT WindowCursor(void)
{
    POINT cursor;
    if (!GetCursorPos(&cursor)) cursor = POINT{0, 0};
    return cursor;
}

int32_t WindowCursorX(void)
{
    return WindowCursor().x - WindowOuterRect().left;
}

int32_t WindowCursorY(void)
{
    return WindowCursor().y - WindowOuterRect().top;
}

void WindowResize(int32_t width, int32_t height)
{
    RECT outer = WindowOuterRect();
    MoveWindow(Windows.CurrentWindow, outer.left, outer.top, width, height, TRUE);
}

void WindowMoveTo(int32_t x, int32_t y)
{
    RECT outer = WindowOuterRect();
    MoveWindow(Windows.CurrentWindow, x, y, outer.right - outer.left, outer.bottom - outer.top,
               TRUE);
}

void WindowRemoveMenu(void)
{
    SetMenu(Windows.CurrentWindow, nullptr);
}

int32_t *WindowDescriptor(void)
{
    Windows.DescriptorRecord[0] = 1;
    Windows.DescriptorRecord[1] = (int32_t)(intptr_t)Windows.CurrentWindow;
    return Windows.DescriptorRecord;
}
