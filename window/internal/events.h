// The event record the window procedure fills and the fetch hands over, the tab-page
// lookups the panel shares with it, and the focus traversal's state.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "window/events.h"

enum {
    EventQueueSize = 32,   // events of other threads' messages that wait for a fetch
    // lParam of the WM_NULL that wakes a waiting fetch for such an event
    EventWakeMarker = 0x45574B31,
};

// An event with everything its getters report, kept until a fetch returns it.
struct EventRecord {
    int32_t Code;
    int32_t Subtype;
    HWND SourceWindow;
    uint32_t ObjectNumber;
    UINT MessageNumber;
    WPARAM MessageWParam;
    LPARAM MessageLParam;
};

// Process-wide event record. The last message's number is the message field of the one
// fetch record, which both fetches fill and WindowProc overwrites.
struct WindowEventState {
    int32_t PendingCode;     // event waiting to be fetched; 0 = none
    int32_t Subtype;         // SubtypeNone, a click kind, or a control's notification code
    HWND SourceWindow;       // window of the last message WindowProc received
    uint32_t ObjectNumber;   // gadget or command number of the last event
    LPARAM MessageLParam;
    WPARAM MessageWParam;
    MSG FetchRecord;           // FetchRecord.message is MessageNumber
    WNDPROC WindowHook;        // called first by WindowProc; -1 from it ends the handling
    HACCEL AcceleratorTable;   // what the fetch translates against
    HACCEL FocusTabTable;      // the runtime's own one-entry Tab table
    // Class name of the last WM_NOTIFY sender. Shared rather than local: the notification
    // step reads it before it sends any message, so a nested WindowProc cannot spoil it.
    char NotifyClassName[50];
    // A message sent by another thread is handled as a pass of its own, wherever it arrives
    // (inside GetMessageA or PeekMessageA, most often), and its event waits here, oldest
    // first, so that the fetched message's own pass can neither overwrite nor drop it.
    EventRecord Queue[EventQueueSize];
    uint32_t QueueFirst;   // index of the oldest
    uint32_t QueueCount;   // events waiting
    uint32_t QueueLost;    // events refused on a full queue
    int32_t ForeignPass;   // 1 while such a message is handled
    int32_t Waiting;       // 1 while WindowWaitEvent waits in GetMessageA
    // Tab item of a page lookup (mask and lParam only). Shared rather than local: the page is
    // taken from it right after TCM_GETITEMA, before any other message is sent.
    TCITEMA TabItem;
    // Hears every WM_SIZE before its event is deferred; null until a kind that keeps to its
    // parent's edges (the status bar) sets it.
    void (*SizeHook)(HWND window, WPARAM wParam, LPARAM lParam);
};

extern WindowEventState EventState;

// The page of the tab at an index (the tab's lParam); null when there is no such tab.
HWND WindowTabPage(HWND tab, int32_t index);
// Shows the page of the tab at an index (the tab's lParam) and hides and disables every other
// page of the tab control on show, found through the tabs; a tab without a page leaves no page
// on show. An index below 0 (no tab selected) changes nothing. Both the window procedure's
// tab step and PanelSelectTab switch pages here, so that both show the same.
void WindowTabShowPage(HWND tab, int32_t index);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Keyboard focus traversal (FocusNext).
// The three values live for one FocusNext call only; they are process-wide because
// FocusVisit, called back by the platform, shares them with FocusNext.
struct FocusState {
    HWND FocusCurrent;     // the focused control when traversal began, if inside the active window
    int32_t FocusPassed;   // set once the enumeration has passed FocusCurrent
    int32_t FocusGoOn;     // what FocusVisit hands back: 1 go on, 0 stop
};

extern FocusState Focus;

BOOL CALLBACK FocusVisit(HWND window, LPARAM current);
