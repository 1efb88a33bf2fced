// The option: an auto radio button. Options created one right after another form one group,
// because only the first of a run carries WS_GROUP; any other gadget ends the run.
#include "gadget/internal/gadgets.h"

constexpr uint32_t OptionStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
static_assert(OptionStyle == 0x50010009 && (OptionStyle | WS_GROUP) == 0x50030009);

HWND GadgetCreateOption(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *text)
{
    uint32_t style = Gadgets.OptionGroupOpen == 0 ? OptionStyle | WS_GROUP : OptionStyle;
    GadgetCreatePrepare(x, y, width, height, text, "BUTTON", style, 0, &OptionKindOps);
    HWND control = GadgetCreate(number);
    // GadgetCreate has just cleared the flag; the next option joins this one's group.
    Gadgets.OptionGroupOpen = 1;
    return control;
}

static int32_t OptionGetState(HWND control)
{
    return (int32_t)SendBareMessage(control, BM_GETCHECK);
}

static void OptionSetState(HWND control, int32_t state)
{
    // BM_SETCHECK takes only BST_UNCHECKED and BST_CHECKED on this button.
    SendMessageA(control, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

const GadgetKindOps OptionKindOps = {
    nullptr,          // Free: DestroyWindow
    OptionGetState,   // GetState: BST_UNCHECKED 0 or BST_CHECKED 1
    OptionSetState,   // SetState: BM_SETCHECK (the others of the group are left alone)
    nullptr,          // GetText: the window text
    nullptr,          // SetText: SetWindowTextA
    nullptr,          // AddItem: no items
    nullptr,          // AddItemExtra: no items
    nullptr,          // RemoveItem: no items
    nullptr,          // ClearItems: no items
    nullptr,          // Reserved
    nullptr,          // CountItems: 0
    nullptr,          // GetItemState: 0
    nullptr,          // SetItemState: nothing
    nullptr,          // GetItemText: the empty text
    nullptr,          // SetItemText: nothing
};
