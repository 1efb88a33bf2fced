// The window layer's table and state record, its start and end steps, and the two lookups
// the layer and its tests share.
#pragma once

#include "window/windows.h"

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

HWND *WindowSlotOf(int32_t number);
// Whether a window is this thread's, where the runtime made it: the operations that take a
// window handle refuse another program's (its controls would be sent pointers into this
// process, its children hidden).
bool WindowOwnedHere(HWND window);
void WindowClassNameOf(int32_t number);
