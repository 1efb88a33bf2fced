// The combo box: a drop-down list whose state is the selected item. Setting its text selects
// the first item that begins with it; reading its text copies the selected item.
#include "gadget/gadgets.h"
#include "runtime/startup.h"
#include "runtime/strings.h"

HWND GadgetCreateComboBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height) {
    Gadgets.Params.X = x;
    Gadgets.Params.Y = y;
    Gadgets.Params.Width = width;
    Gadgets.Params.Height = height;
    Gadgets.Params.Text = nullptr;
    Gadgets.ClassName = "COMBOBOX";
    // child, visible, border, vertical scroll, group, tab stop, CBS_DROPDOWNLIST, CBS_HASSTRINGS
    Gadgets.Style = 0x50A30203;
    Gadgets.ExStyle = WS_EX_CLIENTEDGE;
    Gadgets.KindOps = &ComboBoxKindOps;
    return GadgetCreate(number);
}

static int32_t ComboBoxGetState(HWND control) {
    return (int32_t)SendBareMessage(control, CB_GETCURSEL);
}

static void ComboBoxSetState(HWND control, int32_t index) {
    SendMessageA(control, CB_SETCURSEL, (WPARAM)index, 0);
}

// The selected item's text at the scratch cursor. CB_GETLBTEXT knows no buffer size, so an
// item longer than the room left in the scratch buffer goes through a heap block and only
// what fits is copied.
static void ComboBoxGetText(HWND control) {
    char *cursor = Scratch.ScratchCursor;
    char *end = ScratchEnd();
    if (cursor == nullptr || cursor > end) return;
    int32_t index = (int32_t)SendBareMessage(control, CB_GETCURSEL);
    if (index != CB_ERR) {
        int32_t length = (int32_t)SendMessageA(control, CB_GETLBTEXTLEN, (WPARAM)index, 0);
        int32_t room = (int32_t)(end - cursor);   // characters before the zero at the end
        if (length >= 0 && length <= room) {
            int32_t copied = (int32_t)SendMessageA(control, CB_GETLBTEXT, (WPARAM)index,
                                                   (LPARAM)cursor);
            if (copied != CB_ERR) cursor += copied;
        } else if (length > room) {
            char *block = (char *)HeapAllocate((uint32_t)length + 1, 0);
            if (block != nullptr) {
                int32_t copied = (int32_t)SendMessageA(control, CB_GETLBTEXT, (WPARAM)index,
                                                       (LPARAM)block);
                if (copied != CB_ERR) {
                    if (copied > room) copied = room;
                    for (int32_t i = 0; i < copied; i++) cursor[i] = block[i];
                    cursor += copied;
                }
                HeapRelease(block);
            }
        }
    }
    *cursor = 0;
    Scratch.ScratchCursor = cursor;
}

static void ComboBoxSetText(HWND control, const char *text) {
    SendMessageA(control, CB_SELECTSTRING, 0, (LPARAM)text);
}

static int32_t ComboBoxAddItem(HWND control, int32_t position, const char *text) {
    return (int32_t)SendMessageA(control, CB_INSERTSTRING, (WPARAM)position, (LPARAM)text);
}

static void ComboBoxRemoveItem(HWND control, int32_t index) {
    SendMessageA(control, CB_DELETESTRING, (WPARAM)index, 0);
}

static void ComboBoxClearItems(HWND control) {
    SendBareMessage(control, CB_RESETCONTENT);
}

static int32_t ComboBoxCountItems(HWND control) {
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
