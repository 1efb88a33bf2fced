// Geometry and visibility of any gadget, whatever its kind: handle, position in the parent's
// client area, size, hiding, and moving with sizing (which lays a panel's pages out anew).
#include "gadget/gadgets.h"
#include "gadget/panels.h"

// The one rectangle these operations share; screen coordinates from GetWindowRect.
static RECT GadgetRect;

// The slot of a number inside the table, else null: these operations do nothing on numbers
// the table cannot hold.
static GadgetSlot *GeometrySlotOf(int32_t number)
{
    if ((uint32_t)number >= Gadgets.Capacity || Gadgets.Slots == nullptr) return nullptr;
    return GadgetSlotOf(number);
}

HWND GadgetGetHandle(int32_t number)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    return slot != nullptr ? slot->Handle : nullptr;
}

// The parent's client origin in screen coordinates, one axis at a time: its window edge plus
// the frame (and caption and menu) that WM_NCCALCSIZE reports for that edge.
static int32_t GeometryClientLeft(HWND parent)
{
    GetWindowRect(parent, &GadgetRect);
    int32_t left = GadgetRect.left;
    GadgetRect.left = 0;
    SendMessageA(parent, WM_NCCALCSIZE, FALSE, (LPARAM)&GadgetRect);
    return left + GadgetRect.left;
}

static int32_t GeometryClientTop(HWND parent)
{
    GetWindowRect(parent, &GadgetRect);
    int32_t top = GadgetRect.top;
    GadgetRect.top = 0;
    SendMessageA(parent, WM_NCCALCSIZE, FALSE, (LPARAM)&GadgetRect);
    return top + GadgetRect.top;
}

int32_t GadgetGetX(int32_t number)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    if (slot == nullptr) return 0;
    int32_t origin = GeometryClientLeft(GetParent(slot->Handle));
    GetWindowRect(slot->Handle, &GadgetRect);
    return GadgetRect.left - origin;
}

int32_t GadgetGetY(int32_t number)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    if (slot == nullptr) return 0;
    int32_t origin = GeometryClientTop(GetParent(slot->Handle));
    GetWindowRect(slot->Handle, &GadgetRect);
    return GadgetRect.top - origin;
}

int32_t GadgetGetWidth(int32_t number)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    if (slot == nullptr) return 0;
    GetWindowRect(slot->Handle, &GadgetRect);
    return GadgetRect.right - GadgetRect.left;
}

int32_t GadgetGetHeight(int32_t number)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    if (slot == nullptr) return 0;
    GetWindowRect(slot->Handle, &GadgetRect);
    return GadgetRect.bottom - GadgetRect.top;
}

void GadgetHide(int32_t number, int32_t hide)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    if (slot == nullptr) return;
    ShowWindow(slot->Handle, hide != 0 ? SW_HIDE : SW_SHOW);
}

void GadgetResize(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetSlot *slot = GeometrySlotOf(number);
    if (slot == nullptr) return;
    HWND control = slot->Handle;
    // The table's identity is what marks a panel; its pages follow only if it has tabs.
    int pages = slot->Ops == &PanelKindOps && SendBareMessage(control, TCM_GETITEMCOUNT) > 0;
    GetWindowRect(control, &GadgetRect);
    if (height == -1) height = GadgetRect.bottom - GadgetRect.top;
    if (width == -1) width = GadgetRect.right - GadgetRect.left;
    if (y == -1) y = GadgetGetY(number);
    if (x == -1) x = GadgetGetX(number);
    MoveWindow(control, x, y, width, height, TRUE);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
    if (pages) PanelLayoutPages(control);
}
