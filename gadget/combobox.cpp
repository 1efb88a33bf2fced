// The combo box: a drop-down list whose state is the selected item. Setting its text selects
// the first item that begins with it; reading its text copies the selected item.
#include "gadget/kinds.h"

constexpr uint32_t ComboBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP |
                                   WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
static_assert(ComboBoxStyle == 0x50A30203);

HWND GadgetCreateComboBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetCreatePrepare(x, y, width, height, nullptr, "COMBOBOX", ComboBoxStyle, WS_EX_CLIENTEDGE,
                        &ComboBoxKindOps);
    return GadgetCreate(number);
}

static int32_t ComboBoxGetState(HWND control)
{
    return (int32_t)SendBareMessage(control, CB_GETCURSEL);
}

static void ComboBoxSetState(HWND control, int32_t index)
{
    SendMessageA(control, CB_SETCURSEL, (WPARAM)index, 0);
}

// The selected item's text at the scratch cursor; the empty text when none is selected.
static void ComboBoxGetText(HWND control)
{
    int32_t index = (int32_t)SendBareMessage(control, CB_GETCURSEL);
    if (index != CB_ERR)
        GadgetReadItem(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
    else
        GadgetReadNothing();
}

static void ComboBoxSetText(HWND control, const char *text)
{
    SendMessageA(control, CB_SELECTSTRING, 0, (LPARAM)(text != nullptr ? text : ""));
}

static int32_t ComboBoxAddItem(HWND control, int32_t position, const char *text)
{
    return (int32_t)SendMessageA(control, CB_INSERTSTRING, (WPARAM)position, (LPARAM)text);
}

static void ComboBoxRemoveItem(HWND control, int32_t index)
{
    SendMessageA(control, CB_DELETESTRING, (WPARAM)index, 0);
}

static void ComboBoxClearItems(HWND control)
{
    SendBareMessage(control, CB_RESETCONTENT);
}

static int32_t ComboBoxCountItems(HWND control)
{
    return (int32_t)SendBareMessage(control, CB_GETCOUNT);
}

const GadgetKindOps ComboBoxKindOps = {
    nullptr,              // Free: DestroyWindow
    ComboBoxGetState,     // GetState: selected index, -1 when none
    ComboBoxSetState,     // SetState: CB_SETCURSEL, -1 clears the selection
    ComboBoxGetText,      // GetText: the selected item's text
    ComboBoxSetText,      // SetText: selects the first item beginning with the text
    ComboBoxAddItem,      // AddItem: CB_INSERTSTRING, -1 appends
    nullptr,              // AddItemExtra: not offered
    ComboBoxRemoveItem,   // RemoveItem: CB_DELETESTRING
    ComboBoxClearItems,   // ClearItems: CB_RESETCONTENT
    nullptr,              // Reserved
    ComboBoxCountItems,   // CountItems: CB_GETCOUNT
    nullptr,              // GetItemState: 0
    nullptr,              // SetItemState: nothing
    nullptr,              // GetItemText: the empty text
    nullptr,              // SetItemText: nothing
};
