// A gadget kind written outside the runtime, from its kind-writer header alone: the platform's
// progress bar, whose state (GadgetGetState, GadgetSetState) is the bar's position.
#include "progress.h"

#include <commctrl.h>

#include "gadget/kinds.h"

constexpr uint32_t ProgressBarStyle = WS_CHILD | WS_VISIBLE;
static_assert(ProgressBarStyle == 0x50000000);

extern const GadgetKindOps ProgressBarKindOps;

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

// The bar keeps a position outside its range 0 to 100 at the nearer end.
static void ProgressBarSetState(HWND control, int32_t state)
{
    SendMessageA(control, PBM_SETPOS, (WPARAM)state, 0);
}

const GadgetKindOps ProgressBarKindOps = {
    nullptr,               // Free: DestroyWindow
    ProgressBarGetState,   // GetState: the position
    ProgressBarSetState,   // SetState: moves the bar
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
