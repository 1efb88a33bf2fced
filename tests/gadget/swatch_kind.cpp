// A kind of the tests' own, written from the kind-writer header alone as a program would write
// it: a colour swatch with a window class of its own, which paints its caption in the gadget
// font on its colour. Its state is the colour, kept in the kind's own window bytes.
#include "gadget/kinds.h"

static const char SwatchClass[] = "TestSwatch";
extern const GadgetKindOps SwatchKindOps;

static LRESULT CALLBACK SwatchProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return GadgetKindDefault(control, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    SetBkColor(dc, (COLORREF)GetWindowLongA(control, GadgetKindExtraFirst));
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    char caption[64];
    int length = GetWindowTextA(control, caption, sizeof caption);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &paint.rcPaint, caption, length, nullptr);
    SelectObject(dc, old);
    EndPaint(control, &paint);
    return 0;
}

HWND GadgetCreateSwatch(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *caption)
{
    if (!GadgetKindRegister(SwatchClass, SwatchProcedure, 4)) return nullptr;
    GadgetCreatePrepare(x, y, width, height, caption, SwatchClass, WS_CHILD | WS_VISIBLE, 0,
                        &SwatchKindOps);
    return GadgetCreate(number);
}

static int32_t SwatchGetState(HWND control)
{
    return GetWindowLongA(control, GadgetKindExtraFirst);
}

static void SwatchSetState(HWND control, int32_t colour)
{
    SetWindowLongA(control, GadgetKindExtraFirst, colour);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE);
}

const GadgetKindOps SwatchKindOps = {
    nullptr,          // Free: DestroyWindow
    SwatchGetState,   // GetState: the colour
    SwatchSetState,   // SetState: paints in the new colour
    nullptr,          // GetText: the caption
    nullptr,          // SetText: SetWindowTextA
    nullptr,          // AddItem: nothing, 0
    nullptr,          // AddItemExtra: nothing, 0
    nullptr,          // RemoveItem: nothing
    nullptr,          // ClearItems: nothing
    nullptr,          // Reserved
    nullptr,          // CountItems: 0
    nullptr,          // GetItemState: 0
    nullptr,          // SetItemState: nothing
    nullptr,          // GetItemText: the empty text
    nullptr,          // SetItemText: nothing
};
