// The status bar: the common controls' bar along the bottom edge of the gadget parent, split
// into parts whose texts are its items. The bar places itself anew whenever it is handed its
// parent's WM_SIZE, so the first bar made asks the window procedure to pass each one on; a
// program without a status bar pays nothing for that.
#include "gadget/internal/gadgets.h"

#include <commctrl.h>

#include "window/internal/events.h"

constexpr uint32_t StatusBarStyle = WS_CHILD | WS_VISIBLE;
static_assert(StatusBarStyle == 0x50000000);

// SB_SETPARTS takes at most 256 parts, and SB_SETTEXTA reads part 255 as the bar's simple
// mode: 255 parts are the most whose texts can all be set.
enum { StatusBarPartLimit = 255 };

// Every status bar on the window that was sized gets the size message as its parent got it.
static void StatusBarParentSized(HWND window, WPARAM wParam, LPARAM lParam)
{
    for (uint32_t number = 0; number < Gadgets.Capacity; number++) {
        HWND bar = Gadgets.Slots[number].Handle;
        if (Gadgets.Slots[number].Ops == &StatusBarKindOps && bar != nullptr &&
            GetParent(bar) == window)
            SendMessageA(bar, WM_SIZE, wParam, lParam);
    }
}

// The bar takes its height from its font and its width from its parent, whatever it is asked.
HWND GadgetCreateStatusBar(int32_t number)
{
    GadgetCreatePrepare(0, 0, 0, 0, nullptr, STATUSCLASSNAMEA, StatusBarStyle, 0,
                        &StatusBarKindOps);
    HWND bar = GadgetCreate(number);
    if (bar == nullptr) return nullptr;
    // The bar placed itself for the parent's font at creation; the gadget font came after,
    // and only WM_SIZE is documented to make it place itself again.
    SendMessageA(bar, WM_SIZE, 0, 0);
    EventState.SizeHook = StatusBarParentSized;
    return bar;
}

// Widths become the right edges SB_SETPARTS takes; a last width of -1 runs to the bar's end.
int32_t GadgetSetParts(int32_t number, int32_t count, const int32_t *widths)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops != &StatusBarKindOps || widths == nullptr || count < 1 ||
        count > StatusBarPartLimit)
        return 0;
    int edges[StatusBarPartLimit];
    int64_t edge = 0;
    for (int32_t part = 0; part < count; part++) {
        if (widths[part] == -1 && part == count - 1) {
            edges[part] = -1;
            break;
        }
        if (widths[part] < 0) return 0;
        edge += widths[part];
        if (edge > INT32_MAX) return 0;
        edges[part] = (int)edge;
    }
    return SendMessageA(slot->Handle, SB_SETPARTS, (WPARAM)count, (LPARAM)edges) ? 1 : 0;
}

static int32_t StatusBarCountItems(HWND control)
{
    return (int32_t)SendBareMessage(control, SB_GETPARTS);
}

static bool StatusBarHasPart(HWND control, int32_t part)
{
    // Part 255 is the simple mode's text to SB_SETTEXTA, whatever parts a bar was given.
    return part >= 0 && part < StatusBarPartLimit && part < StatusBarCountItems(control);
}

// A part the program drew its own way (a text set around the runtime with drawing flags, which
// SB_GETTEXTLENGTHA reports in its high word) holds no text to read.
static void StatusBarGetItemText(HWND control, int32_t part, int32_t)
{
    if (!StatusBarHasPart(control, part) ||
        HIWORD(SendMessageA(control, SB_GETTEXTLENGTHA, (WPARAM)part, 0)) != 0)
        GadgetReadNothing();
    else
        GadgetReadItem(control, SB_GETTEXTLENGTHA, SB_GETTEXTA, part);
}

static void StatusBarSetItemText(HWND control, int32_t part, const char *text, int32_t)
{
    if (StatusBarHasPart(control, part))
        SendMessageA(control, SB_SETTEXTA, (WPARAM)part, (LPARAM)(text != nullptr ? text : ""));
}

static void StatusBarGetText(HWND control)
{
    StatusBarGetItemText(control, 0, 0);
}

static void StatusBarSetText(HWND control, const char *text)
{
    StatusBarSetItemText(control, 0, text, 0);
}

const GadgetKindOps StatusBarKindOps = {
    nullptr,                // Free: DestroyWindow
    nullptr,                // GetState: 0
    nullptr,                // SetState: nothing
    StatusBarGetText,       // GetText: part 0's text
    StatusBarSetText,       // SetText: part 0's text
    nullptr,                // AddItem: nothing, 0; parts come from GadgetSetParts
    nullptr,                // AddItemExtra: nothing, 0
    nullptr,                // RemoveItem: nothing
    nullptr,                // ClearItems: nothing
    nullptr,                // Reserved
    StatusBarCountItems,    // CountItems: SB_GETPARTS, the parts
    nullptr,                // GetItemState: 0
    nullptr,                // SetItemState: nothing
    StatusBarGetItemText,   // GetItemText: a part's text
    StatusBarSetItemText,   // SetItemText: a part's text
};
