// The one window procedure of every runtime window, the event fetch, the getters, the
// user hook and the Tab accelerator that drives keyboard focus traversal.
#pragma once

#include <windows.h>
#include <stdint.h>

enum EventCode : int32_t {
    EventCodeSize = 5,
    EventCodeClose = 16,
    EventCodeControl = 13100,
    EventCodeCommand = 13101,
    EventCodeMouse = 13102,
};

enum EventSubtypeCode : int32_t {
    SubtypeNone = -1,
    SubtypeLeftClick = 0,
    SubtypeRightClick = 1,
    SubtypeLeftDoubleClick = 2,
    SubtypeRightDoubleClick = 3,
};

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
int32_t EventSubtype(void);
WPARAM EventWParam(void);
LPARAM EventLParam(void);
int32_t EventWindowNumber(void);
UINT EventMessageNumber(void);

// Keyboard focus traversal: the next enabled, visible tab-stop control of the active window.
void FocusNext(void);
