// The text kind: a static line of text that reports nothing. It brings no operation of its
// own, so every dispatcher's default applies; the frame kind borrows its table.
#include "gadget/kinds.h"

constexpr uint32_t TextStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
static_assert(TextStyle == 0x50020000);

HWND GadgetCreateText(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char *text)
{
    GadgetCreatePrepare(x, y, width, height, text, "STATIC", TextStyle, 0, &TextKindOps);
    return GadgetCreate(number);
}

const GadgetKindOps TextKindOps = {
    nullptr,   // Free: DestroyWindow
    nullptr,   // GetState: 0
    nullptr,   // SetState: nothing
    nullptr,   // GetText: the window text
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
