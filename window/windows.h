// Numbered top-level windows: the table from window numbers to handles, one window class
// per number copied from one template, and the queries and changes of the current window.
#pragma once

#include <windows.h>
#include <stdint.h>

// WindowOpen's flag for a window that opens hidden: WS_VISIBLE, with the opposite sense.
enum : uint32_t { FlagHidden = WS_VISIBLE };
static_assert(FlagHidden == 0x10000000, "the hidden flag is the visible style's bit");

// WindowOpen's usual flags by name. The close box needs the title bar, the minimize and
// maximize boxes need the close box; WindowFlagsStandard is the title bar and the close box.
enum : uint32_t {
    WindowFlagTitle = WS_CAPTION,
    WindowFlagCloseBox = WS_SYSMENU,
    WindowFlagMinimizeBox = WS_MINIMIZEBOX,
    WindowFlagMaximizeBox = WS_MAXIMIZEBOX,
    WindowFlagSizable = WS_THICKFRAME,
    WindowFlagsStandard = WindowFlagTitle | WindowFlagCloseBox,
};
static_assert(WindowFlagsStandard == 0x00C80000, "the search window's flags");

HWND WindowOpen(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                const char *title);
void WindowClose(int32_t number);
void WindowUse(int32_t number);
void WindowSetHidden(int32_t number, int32_t hide);

HWND CurrentWindowHandle(void);
int32_t WindowOuterWidth(void);
int32_t WindowOuterHeight(void);
int32_t WindowLeft(void);
int32_t WindowTop(void);
int32_t WindowCursorX(void);
int32_t WindowCursorY(void);
void WindowResize(int32_t width, int32_t height);
void WindowMoveTo(int32_t x, int32_t y);
void WindowRemoveMenu(void);
int32_t *WindowDescriptor(void);

// Numbered timers of a window: each tick gives EventCodeTimer with the timer's number. A
// started number restarts with the new interval; a window's timers end with it.
int32_t WindowTimerStart(int32_t window, int32_t number, int32_t milliseconds);
int32_t WindowTimerStop(int32_t window, int32_t number);
