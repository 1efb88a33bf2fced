// A gadget kind written outside the runtime, from its kind-writer header alone: a gauge, the
// platform's progress bar made as a kind of the program's own, whose state (GadgetGetState,
// GadgetSetState) is the bar's position. The runtime has a progress bar of its own
// (GadgetCreateProgressBar); this one shows how little a kind needs.
#include "progress.h"

#include <commctrl.h>

#include "gadget/kinds.h"

constexpr uint32_t GaugeStyle = WS_CHILD | WS_VISIBLE;
static_assert(GaugeStyle == 0x50000000);

extern const GadgetKindOps GaugeKindOps;

HWND GadgetCreateGauge(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetCreatePrepare(x, y, width, height, nullptr, PROGRESS_CLASSA, GaugeStyle, 0,
                        &GaugeKindOps);
    return GadgetCreate(number);
}

static int32_t GaugeGetState(HWND control)
{
    return (int32_t)SendBareMessage(control, PBM_GETPOS);
}

// The bar keeps a position outside its range 0 to 100 at the nearer end.
static void GaugeSetState(HWND control, int32_t state)
{
    SendMessageA(control, PBM_SETPOS, (WPARAM)state, 0);
}

const GadgetKindOps GaugeKindOps = {
    nullptr,         // Free: DestroyWindow
    GaugeGetState,   // GetState: the position
    GaugeSetState,   // SetState: moves the bar
    nullptr,         // GetText: the window text, which the bar leaves empty
    nullptr,         // SetText: SetWindowTextA, which the bar does not show
    nullptr,         // AddItem: nothing, 0
    nullptr,         // AddItemExtra: nothing, 0
    nullptr,         // RemoveItem: nothing
    nullptr,         // ClearItems: nothing
    nullptr,         // Reserved
    nullptr,         // CountItems: 0
    nullptr,         // GetItemState: 0
    nullptr,         // SetItemState: nothing
    nullptr,         // GetItemText: the empty text
    nullptr,         // SetItemText: nothing
};
