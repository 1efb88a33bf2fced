// Tab moves the keyboard focus to the next enabled, visible tab-stop control of the active
// window, wrapping from the last to the first; the fetch does no dialog-box key handling.
#include "window/internal/events.h"
#include "runtime/internal/check.h"

RUNTIME_RECORD(FocusState, Focus);

static bool FocusIsCandidate(HWND window)
{
    return IsWindowEnabled(window) && IsWindowVisible(window) &&
           (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP);
}

BOOL CALLBACK FocusVisit(HWND window, LPARAM current)
{
    Focus.FocusGoOn = 1;
    if (!FocusIsCandidate(window)) return 1;
    if (Focus.FocusPassed) {
        SetFocus(window);
        Focus.FocusPassed = 0;
        Focus.FocusGoOn = 0;
    } else if (!current) {
        SetFocus(window);
        Focus.FocusGoOn = 0;
    } else if (window == (HWND)current) {
        Focus.FocusPassed = 1;
    }
    return Focus.FocusGoOn;
}

void FocusNext(void)
{
    Focus.FocusCurrent = nullptr;
    Focus.FocusPassed = 0;
    HWND active = GetActiveWindow();
    // Enumerating the children of no window would walk every top-level window instead.
    if (!active) return;
    HWND focused = GetFocus();
    if (IsChild(active, focused)) Focus.FocusCurrent = focused;
    EnumChildWindows(active, FocusVisit, (LPARAM)Focus.FocusCurrent);
    // Still set: the focused control was the last candidate, so the first one follows.
    if (Focus.FocusPassed) EnumChildWindows(active, FocusVisit, (LPARAM)Focus.FocusCurrent);
}
