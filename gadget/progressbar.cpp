// The progress bar: the common controls' bar, whose state is its position inside a range of
// the program's choosing (0 to 100 until it sets another).
#include "gadget/internal/gadgets.h"

#include <commctrl.h>

constexpr uint32_t ProgressBarStyle = WS_CHILD | WS_VISIBLE;
static_assert(ProgressBarStyle == 0x50000000);

HWND GadgetCreateProgressBar(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetCreatePrepare(x, y, width, height, nullptr, PROGRESS_CLASSA, ProgressBarStyle, 0,
                        &ProgressBarKindOps);
    return GadgetCreate(number);
}

static int32_t ProgressBarGetState(HWND control)
{
    return (int32_t)SendBareMessage(control, PBM_GETPOS);
}

// A position outside the range goes to the nearer end: PBM_SETPOS is not documented to do it.
static void ProgressBarSetState(HWND control, int32_t state)
{
    PBRANGE range = {};
    SendMessageA(control, PBM_GETRANGE, TRUE, (LPARAM)&range);
    if (state < range.iLow) state = range.iLow;
    if (state > range.iHigh) state = range.iHigh;
    SendMessageA(control, PBM_SETPOS, (WPARAM)state, 0);
}

// The platform does not say where a new range leaves the position: it is moved inside here, as
// every position set is, so that the state never lies outside the range.
int32_t GadgetSetRange(int32_t number, int32_t minimum, int32_t maximum)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops != &ProgressBarKindOps || minimum >= maximum) return 0;
    SendMessageA(slot->Handle, PBM_SETRANGE32, (WPARAM)minimum, (LPARAM)maximum);
    ProgressBarSetState(slot->Handle, ProgressBarGetState(slot->Handle));
    return 1;
}

const GadgetKindOps ProgressBarKindOps = {
    nullptr,               // Free: DestroyWindow
    ProgressBarGetState,   // GetState: PBM_GETPOS, the position
    ProgressBarSetState,   // SetState: PBM_SETPOS, kept inside the range
    nullptr,               // GetText: the window text, which the bar leaves empty
    nullptr,               // SetText: SetWindowTextA, which the bar does not show
    nullptr,               // AddItem: nothing, 0
    nullptr,               // AddItemExtra: nothing, 0
    nullptr,               // RemoveItem: nothing
    nullptr,               // ClearItems: nothing
    nullptr,               // Reserved
    nullptr,               // CountItems: 0
    nullptr,               // GetItemState: 0
    nullptr,               // SetItemState: nothing
    nullptr,               // GetItemText: the empty text
    nullptr,               // SetItemText: nothing
};
