// The edit field: a bordered, multi-line edit control whose window text is its content. Every
// operation is the dispatchers' default, so its table is all null.
#include "gadget/kinds.h"

constexpr uint32_t EditStyle =
    WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL;
static_assert(EditStyle == 0x50030084);

HWND GadgetCreateEdit(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char *text)
{
    GadgetCreatePrepare(x, y, width, height, text, "EDIT", EditStyle, WS_EX_CLIENTEDGE,
                        &EditKindOps);
    return GadgetCreate(number);
}

const GadgetKindOps EditKindOps = {
    nullptr,   // Free: DestroyWindow
    nullptr,   // GetState: 0
    nullptr,   // SetState: nothing
    nullptr,   // GetText: the content, at most 4999 characters
    nullptr,   // SetText: SetWindowTextA replaces the content
    nullptr,   // AddItem: no items
    nullptr,   // AddItemExtra: no items
    nullptr,   // RemoveItem: no items
    nullptr,   // ClearItems: no items
    nullptr,   // Reserved
    nullptr,   // CountItems: 0
    nullptr,   // GetItemState: 0
    nullptr,   // SetItemState: nothing
    nullptr,   // GetItemText: the empty text
    nullptr,   // SetItemText: nothing
};
