// Events: the codes and subtypes the one window procedure of every runtime window reports, the
// fetch that hands them over, the getters, the user hook, and the accelerator table whose Tab
// entry drives keyboard focus traversal.
#pragma once

#include <windows.h>
#include <stdint.h>

enum EventCode : int32_t {
    EventCodeSize = 5,
    EventCodeClose = 16,
    EventCodeControl = 13100,
    EventCodeCommand = 13101,
    EventCodeMouse = 13102,
    EventCodeTimer = 13103,   // a tick of a timer WindowTimerStart started
};

enum EventSubtypeCode : int32_t {
    SubtypeNone = -1,
    SubtypeLeftClick = 0,
    SubtypeRightClick = 1,
    SubtypeLeftDoubleClick = 2,
    SubtypeRightDoubleClick = 3,
};

// EventSubtype's value for the common control events, by name: the control's notification
// code, or for a tab change the subtype as the fetch began it.
enum EventControlSubtype : int32_t {
    SubtypeButtonClick = BN_CLICKED,       // a push button, check box or option clicked
    SubtypeListSelect = LBN_SELCHANGE,     // a list box's selection changed
    SubtypeListDoubleClick = LBN_DBLCLK,   // a list box's line double-clicked
    SubtypeComboSelect = CBN_SELCHANGE,    // a combo box's selection changed
    SubtypeEditChange = EN_CHANGE,         // an edit field's text changed
    SubtypeTabChange = SubtypeNone,        // the user picked another tab of a panel
};
static_assert(SubtypeButtonClick == 0 && SubtypeListSelect == 1 && SubtypeListDoubleClick == 2 &&
              SubtypeComboSelect == 1 && SubtypeEditChange == 0x300);

// The runtime's private window messages.
enum : UINT {
    MsgMouseNotify = 12501,
    MsgMouseDeferred = 12502,
    MsgSizeDeferred = 12504,
};

enum { CommandFocusNext = 1212 };

int32_t WindowPollEvent(void);
int32_t WindowWaitEvent(void);
void WindowSetCallback(WNDPROC hook);
void WindowSetAccelerators(HACCEL table);

uint32_t EventControlNumber(void);
uint32_t EventCommandNumber(void);
// The number of the timer whose tick the last EventCodeTimer was (the command number's field).
uint32_t EventTimerNumber(void);
int32_t EventSubtype(void);
WPARAM EventWParam(void);
LPARAM EventLParam(void);
int32_t EventWindowNumber(void);
UINT EventMessageNumber(void);

// Keyboard focus traversal: the next enabled, visible tab-stop control of the active window.
void FocusNext(void);
