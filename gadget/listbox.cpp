// The list-box kind: lines of text kept by the control in the order of their insertion
// positions, never sorted. Its twelve operations are single list-box messages, except the
// two text readers, which keep the text inside the scratch buffer. The single-selection list
// box is the same kind made with the one-selection style, on which the same messages read and
// set the one current item.
#include "gadget/kinds.h"

constexpr uint32_t ListBoxStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_GROUP |
                                  WS_TABSTOP | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_HASSTRINGS |
                                  LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL;
static_assert(ListBoxStyle == 0x50330949);

constexpr uint32_t ListBoxSingleStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_GROUP |
                                        WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS |
                                        LBS_NOINTEGRALHEIGHT;
static_assert(ListBoxSingleStyle == 0x50330141);

HWND GadgetCreateListBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetCreatePrepare(x, y, width, height, nullptr, "LISTBOX", ListBoxStyle, WS_EX_CLIENTEDGE,
                        &ListBoxKindOps);
    return GadgetCreate(number);
}

HWND GadgetCreateListBoxSingle(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    GadgetCreatePrepare(x, y, width, height, nullptr, "LISTBOX", ListBoxSingleStyle,
                        WS_EX_CLIENTEDGE, &ListBoxKindOps);
    return GadgetCreate(number);
}

// A log's append: the new line goes last and the list scrolls so that it shows (the control
// stops scrolling once the last line reaches the bottom). Other kinds only append.
int32_t GadgetAddItemInView(int32_t number, const char *text)
{
    int32_t index = GadgetAddItem(number, -1, text);
    GadgetSlot *slot = GadgetSlotOrNull(number);
    if (slot != nullptr && slot->Ops == &ListBoxKindOps && index >= 0)
        SendMessageA(slot->Handle, LB_SETTOPINDEX, (WPARAM)index, 0);
    return index;
}

static void ListBoxReadItem(HWND control, int32_t index)
{
    GadgetReadItem(control, LB_GETTEXTLEN, LB_GETTEXT, index);
}

static int32_t ListBoxGetState(HWND control)
{
    return (int32_t)SendBareMessage(control, LB_GETCURSEL);
}

static void ListBoxSetState(HWND control, int32_t state)
{
    SendMessageA(control, LB_SETCURSEL, (WPARAM)state, 0);
}

static void ListBoxGetText(HWND control)
{
    int32_t index = (int32_t)SendMessageA(control, LB_GETCURSEL, 0, 0);
    if (index != LB_ERR)
        ListBoxReadItem(control, index);
    else
        GadgetReadNothing();
}

// Selects the first item equal to the text; no match leaves no item current.
static void ListBoxSetText(HWND control, const char *text)
{
    int32_t index = (int32_t)SendMessageA(control, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                          (LPARAM)(text != nullptr ? text : ""));
    SendMessageA(control, LB_SETCURSEL, (WPARAM)index, 0);
}

static int32_t ListBoxAddItem(HWND control, int32_t position, const char *text)
{
    return (int32_t)SendMessageA(control, LB_INSERTSTRING, (WPARAM)position, (LPARAM)text);
}

static void ListBoxRemoveItem(HWND control, int32_t index)
{
    SendMessageA(control, LB_DELETESTRING, (WPARAM)index, 0);
}

static void ListBoxClearItems(HWND control)
{
    SendMessageA(control, LB_RESETCONTENT, 0, 0);
}

static int32_t ListBoxCountItems(HWND control)
{
    return (int32_t)SendMessageA(control, LB_GETCOUNT, 0, 0);
}

static int32_t ListBoxGetItemState(HWND control, int32_t index)
{
    return (int32_t)SendMessageA(control, LB_GETSEL, (WPARAM)index, 0);
}

static void ListBoxSetItemState(HWND control, int32_t index, int32_t state)
{
    SendMessageA(control, LB_SETSEL, (WPARAM)state, (LPARAM)index);
}

static void ListBoxGetItemText(HWND control, int32_t index, int32_t)
{
    ListBoxReadItem(control, index);
}

// Removal then insertion at the same index: the list keeps its length and order. An index
// with no item refuses the removal, and inserting there would add a line (-1 or the count
// append one), so nothing is inserted then.
static void ListBoxSetItemText(HWND control, int32_t index, const char *text, int32_t)
{
    if (SendMessageA(control, LB_DELETESTRING, (WPARAM)index, 0) == LB_ERR) return;
    SendMessageA(control, LB_INSERTSTRING, (WPARAM)index, (LPARAM)text);
}

const GadgetKindOps ListBoxKindOps = {
    nullptr,               // Free: DestroyWindow
    ListBoxGetState,       // GetState: LB_GETCURSEL, -1 when none (single selection)
    ListBoxSetState,       // SetState: LB_SETCURSEL, -1 clears (single selection)
    ListBoxGetText,        // GetText: the current item's text
    ListBoxSetText,        // SetText: selects the exact match, or nothing
    ListBoxAddItem,        // AddItem: LB_INSERTSTRING, -1 appends
    nullptr,               // AddItemExtra: nothing, 0
    ListBoxRemoveItem,     // RemoveItem: LB_DELETESTRING
    ListBoxClearItems,     // ClearItems: LB_RESETCONTENT
    nullptr,               // Reserved
    ListBoxCountItems,     // CountItems: LB_GETCOUNT
    ListBoxGetItemState,   // GetItemState: LB_GETSEL
    ListBoxSetItemState,   // SetItemState: LB_SETSEL
    ListBoxGetItemText,    // GetItemText: the item's text
    ListBoxSetItemText,    // SetItemText: replaces the item in place
};
