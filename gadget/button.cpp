// The push-button kind: a tab stop that reports its clicks to the parent. It brings no
// operation of its own, so every dispatcher's default applies; the frame kind borrows its
// table for the group box.
#include "gadget/gadgets.h"

HWND GadgetCreateButton(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *text) {
    Gadgets.Params.X = x;
    Gadgets.Params.Y = y;
    Gadgets.Params.Width = width;
    Gadgets.Params.Height = height;
    Gadgets.Params.Text = text;
    Gadgets.ClassName = "BUTTON";
    Gadgets.Style = 0x50030000;   // child, visible, group, tab stop, BS_PUSHBUTTON
    Gadgets.ExStyle = 0;
    Gadgets.KindOps = &ButtonKindOps;
    return GadgetCreate(number);
}

const GadgetKindOps ButtonKindOps = {
    nullptr,   // Free: DestroyWindow
    nullptr,   // GetState: 0
    nullptr,   // SetState: nothing
    nullptr,   // GetText: the caption
    nullptr,   // SetText: SetWindowTextA
    nullptr,   // AddItem: nothing, 0
    nullptr,   // AddItemExtra: nothing, 0
    nullptr,   // RemoveItem: nothing
    nullptr,   // ClearItems: nothing
    nullptr,   // Reserved
    nullptr,   // CountItems: 0
    nullptr,   // GetItemState: 0
    nullptr,   // SetItemState: nothing
    nullptr,   // GetItemText: the empty text
    nullptr,   // SetItemText: nothing
};
