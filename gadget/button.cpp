// The push-button kind: a tab stop that reports its clicks to the parent. It brings no
// operation of its own, so every dispatcher's default applies; the frame kind borrows its
// table for the group box.
#include "gadget/kinds.h"

constexpr uint32_t ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
static_assert(ButtonStyle == 0x50030000);

HWND GadgetCreateButton(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *text)
{
    GadgetCreatePrepare(x, y, width, height, text, "BUTTON", ButtonStyle, 0, &ButtonKindOps);
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
