// The records of menus, shortcuts and timers: the menu bar being built, the windows' shortcut
// tables, the runtime's timers. Shortcuts and timers start their record when the program first
// calls one of their operations after the window layer (re)started: their step is still null.
#pragma once

#include "window/internal/windows.h"
#include "window/menus.h"

// The bar the MenuAdd operations build.
struct MenuState {
    HWND Window;   // the window MenuCreate gave the bar
    HMENU Bar;     // that bar; the builder works only while it is still the window's menu
    HMENU Title;   // the drop-down of the newest title; null before the first
};

extern MenuState Menus;

// One window's shortcuts: the platform's table holds the bindings themselves.
struct ShortcutTable {
    HWND Window;
    HACCEL Table;
};

struct ShortcutState {
    ShortcutTable *Tables;   // heap array, one entry per window with shortcuts; null when none
    uint32_t Count;          // entries in use
};

extern ShortcutState Shortcuts;

// A runtime timer: the window's platform timer of identifier TimerIdMark | number.
struct TimerEntry {
    HWND Window;
    int32_t Number;
};

enum : uint32_t {
    // Sets the runtime's timer identifiers apart from those a program gives SetTimer itself.
    TimerIdMark = 0x80000000u,
};

struct TimerState {
    TimerEntry *Running;   // heap array of the timers started and not stopped; null when none
    uint32_t Count;        // entries in use
};

extern TimerState Timers;
