// Numbered top-level windows: the table from window numbers to handles, one window class
// per number copied from one template, and the queries and changes of the current window.
#pragma once

#include <windows.h>
#include <stdint.h>

// WindowOpen's flag for a window that opens hidden: WS_VISIBLE, with the opposite sense.
enum : uint32_t { FlagHidden = WS_VISIBLE };
static_assert(FlagHidden == 0x10000000, "the hidden flag is the visible style's bit");

enum : uint32_t {
    WindowTableInitial = 10,    // numbers that fit before the first growth
    WindowTableGrowth = 10,     // room made beyond a number that does not fit
    WindowTableSpare = 2,       // zero entries always kept beyond the capacity
    WindowClassNameSize = 50,   // "WindowClass_" and a 32-bit number in decimal fit
};

struct WindowTable {
    uint32_t Capacity;   // window numbers that fit: 0 to Capacity - 1
    HWND *Handles;       // Capacity + WindowTableSpare entries, zero-filled; null = no window
};

// Process-wide state of the window layer; WindowLayerInit zeroes it with the event state.
struct WindowLayerState {
    WindowTable Table;
    HWND CurrentWindow;              // the window the geometry operations act on
    WNDCLASSA WindowClassTemplate;   // every runtime window class is a copy of it
    HBRUSH WindowBrush;              // background of every runtime class: COLOR_BTNFACE + 1
    // "WindowClass_%ld" of the number at hand; not local, as the template's class name
    // points here for every registration.
    char WindowClassName[WindowClassNameSize];
    // WindowDescriptor's record: 1, CurrentWindow; not local, as its address is the result.
    int32_t DescriptorRecord[2];
};

extern WindowLayerState Windows;

void WindowLayerInit(void);
void WindowLayerEnd(void);

HWND WindowOpen(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                const char *title);
void WindowClose(int32_t number);
void WindowUse(int32_t number);
void WindowSetHidden(int32_t number, int32_t hide);
HWND *WindowSlotOf(int32_t number);
void WindowClassNameOf(int32_t number);

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
