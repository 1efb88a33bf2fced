// The check box: an auto check box whose state value is its check mark. Text, freeing and
// the item operations are the dispatchers' defaults.
#include "gadget/kinds.h"

constexpr uint32_t CheckBoxStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX;
static_assert(CheckBoxStyle == 0x50030003);

HWND GadgetCreateCheckBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                          const char *text)
{
    GadgetCreatePrepare(x, y, width, height, text, "BUTTON", CheckBoxStyle, 0, &CheckBoxKindOps);
    return GadgetCreate(number);
}

static int32_t CheckBoxGetState(HWND control)
{
    return (int32_t)SendBareMessage(control, BM_GETCHECK);
}

static void CheckBoxSetState(HWND control, int32_t state)
{
    // BM_SETCHECK takes only BST_UNCHECKED and BST_CHECKED on this button.
    SendMessageA(control, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

const GadgetKindOps CheckBoxKindOps = {
    nullptr,            // Free: DestroyWindow
    CheckBoxGetState,   // GetState: BST_UNCHECKED 0 or BST_CHECKED 1
    CheckBoxSetState,   // SetState: BM_SETCHECK
    nullptr,            // GetText: the window text
    nullptr,            // SetText: SetWindowTextA
    nullptr,            // AddItem: no items
    nullptr,            // AddItemExtra: no items
    nullptr,            // RemoveItem: no items
    nullptr,            // ClearItems: no items
    nullptr,            // Reserved
    nullptr,            // CountItems: 0
    nullptr,            // GetItemState: 0
    nullptr,            // SetItemState: nothing
    nullptr,            // GetItemText: the empty text
    nullptr,            // SetItemText: nothing
};
