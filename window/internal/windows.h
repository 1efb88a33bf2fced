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

// The steps of shortcuts and timers that the layer's own code calls. Each is null until the program
// first calls an operation of its family, so that a program that never does links none of that code
// and the layer behaves as it always has.
struct WindowToolSteps {
    // Translates a fetched key against the active window's shortcuts; 1 if it did.
    int (*ShortcutTranslate)(MSG *fetched);
    // A window is closed (or its number opened anew): its shortcut table goes.
    void (*ShortcutForget)(HWND window);
    // The layer ends: every shortcut table goes.
    void (*ShortcutEnd)(void);
    // A WM_TIMER of a runtime window; 1 when it came from a runtime timer (handled here).
    int (*TimerStep)(HWND window, WPARAM id, LPARAM proc);
    // A window is closed: its timers, which the platform kills with it, are forgotten.
    void (*TimerForget)(HWND window);
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
    WindowToolSteps Steps;   // null until a family of further operations is used
};

extern WindowLayerState Windows;

void WindowLayerInit(void);
void WindowLayerEnd(void);

HWND *WindowSlotOf(int32_t number);
// The handle of window number, or null when the number has none or lies outside the table.
HWND WindowHandleOf(int32_t number);
// Whether a window is this thread's, where the runtime made it: the operations that take a
// window handle refuse another program's (its controls would be sent pointers into this
// process, its children hidden).
bool WindowOwnedHere(HWND window);
void WindowClassNameOf(int32_t number);

// The owner of a dialog: the current window while it is a live window of this thread, else none
// (a dialog with a destroyed owner would not open). Inline: each dialog's source is linked only
// by the programs that call it.
inline HWND WindowDialogOwner(void)
{
    return WindowOwnedHere(Windows.CurrentWindow) ? Windows.CurrentWindow : nullptr;
}
