// Geometry and visibility of any gadget, whatever its kind: handle, position in the parent's
// client area, size, hiding, and moving with sizing (which lays a panel's pages out anew).
#include "gadget/internal/gadgets.h"
#include "gadget/internal/panels.h"

HWND GadgetGetHandle(int32_t number)
{
    return GadgetControlOrNull(number);
}

// The control's window rectangle into GadgetRect; all zero when the platform cannot read it, so
// that no earlier query's rectangle answers for it.
static void GeometryRectOf(HWND window)
{
    if (!GetWindowRect(window, &Gadgets.GadgetRect)) Gadgets.GadgetRect = RECT{0, 0, 0, 0};
}

// The parent's client origin in screen coordinates along one axis: its window edge plus the
// frame (and caption and menu) that WM_NCCALCSIZE reports for that edge. The send goes
// through the parent's procedure and so its hook, which may call a geometry operation that
// refills GadgetRect: the platform works on a copy.
static int32_t GeometryClientOrigin(HWND parent, bool vertical)
{
    GeometryRectOf(parent);
    RECT client = Gadgets.GadgetRect;
    LONG *edge = vertical ? &client.top : &client.left;
    int32_t windowEdge = *edge;
    *edge = 0;
    SendMessageA(parent, WM_NCCALCSIZE, FALSE, (LPARAM)&client);
    return windowEdge + *edge;
}

// The control's left (or top) edge in its parent's client area.
static int32_t GeometryPosition(int32_t number, bool vertical)
{
    HWND control = GadgetControlOrNull(number);
    if (control == nullptr) return 0;
    int32_t origin = GeometryClientOrigin(GetParent(control), vertical);
    GeometryRectOf(control);
    return (vertical ? Gadgets.GadgetRect.top : Gadgets.GadgetRect.left) - origin;
}

int32_t GadgetGetX(int32_t number)
{
    return GeometryPosition(number, false);
}

int32_t GadgetGetY(int32_t number)
{
    return GeometryPosition(number, true);
}

int32_t GadgetGetWidth(int32_t number)
{
    HWND control = GadgetControlOrNull(number);
    if (control == nullptr) return 0;
    GeometryRectOf(control);
    return Gadgets.GadgetRect.right - Gadgets.GadgetRect.left;
}

int32_t GadgetGetHeight(int32_t number)
{
    HWND control = GadgetControlOrNull(number);
    if (control == nullptr) return 0;
    GeometryRectOf(control);
    return Gadgets.GadgetRect.bottom - Gadgets.GadgetRect.top;
}

void GadgetHide(int32_t number, int32_t hide)
{
    HWND control = GadgetControlOrNull(number);
    if (control == nullptr) return;
    ShowWindow(control, hide != 0 ? SW_HIDE : SW_SHOW);
}

void GadgetResize(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr) return;
    HWND control = slot->Handle;
    // The table's identity is what marks a panel; its pages follow only if it has tabs.
    int pages = slot->Ops == &PanelKindOps && SendBareMessage(control, TCM_GETITEMCOUNT) > 0;
    GeometryRectOf(control);
    if (height == -1) height = Gadgets.GadgetRect.bottom - Gadgets.GadgetRect.top;
    if (width == -1) width = Gadgets.GadgetRect.right - Gadgets.GadgetRect.left;
    if (y == -1) y = GadgetGetY(number);
    if (x == -1) x = GadgetGetX(number);
    MoveWindow(control, x, y, width, height, TRUE);
    // The pages are sized without a redraw (SWP_NOREDRAW): the one redraw comes after them and
    // takes the pages along.
    if (pages) PanelLayoutPages(control);
    RedrawWindow(control, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN);
}
