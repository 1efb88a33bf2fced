// The single-line field: an edit control whose text scrolls sideways, and in which Enter inserts
// nothing but clicks its window's default push button, as a dialog box does. The default button
// is the push button with BS_DEFPUSHBUTTON among the gadgets of the same top-level window, found
// afresh on every Enter: no per-window record can outlive its buttons or its window.
#include "gadget/internal/gadgets.h"

constexpr uint32_t FieldStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
static_assert(FieldStyle == 0x50030080);

// The push-button type of a live push button in a slot; -1 for anything else. The group-box
// frame shares the button's table, and a slot may hold no control or a destroyed one, whose
// style reads as 0 and so lacks WS_CHILD.
static int32_t FieldButtonType(const GadgetSlot *slot)
{
    if (slot == nullptr || slot->Handle == nullptr || slot->Ops != &ButtonKindOps) return -1;
    uint32_t style = (uint32_t)GetWindowLongA(slot->Handle, GWL_STYLE);
    uint32_t type = style & BS_TYPEMASK;
    if (!(style & WS_CHILD) || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) return -1;
    return (int32_t)type;
}

// Makes a push button the default one or an ordinary one again. BM_SETSTYLE takes the style's
// low word: the bits beside the type stay as they are.
static void FieldButtonRetype(HWND button, uint32_t type)
{
    uint32_t low = (uint32_t)GetWindowLongA(button, GWL_STYLE) & 0xFFFF & ~(uint32_t)BS_TYPEMASK;
    SendMessageA(button, BM_SETSTYLE, (WPARAM)(low | type), TRUE);
}

// Whether a slot holds the default push button of a top-level window.
static bool FieldIsDefaultOf(const GadgetSlot *slot, HWND root)
{
    return root != nullptr && FieldButtonType(slot) == BS_DEFPUSHBUTTON &&
           GetAncestor(slot->Handle, GA_ROOT) == root;
}

// The default push button among the gadgets of a top-level window; null when it has none.
static HWND FieldDefaultButton(HWND root)
{
    for (uint32_t number = 0; number < Gadgets.Capacity; number++)
        if (FieldIsDefaultOf(&Gadgets.Slots[number], root)) return Gadgets.Slots[number].Handle;
    return nullptr;
}

// The slots are read afresh for every number: a message sent on the way may create a gadget,
// which can move the table.
int32_t GadgetSetDefault(int32_t number)
{
    GadgetSlot *slot = GadgetSlotOrNull(number);
    if (FieldButtonType(slot) < 0) return 0;
    HWND button = slot->Handle;
    HWND root = GetAncestor(button, GA_ROOT);
    for (uint32_t other = 0; other < Gadgets.Capacity; other++) {
        const GadgetSlot *earlier = &Gadgets.Slots[other];
        if (earlier->Handle != button && FieldIsDefaultOf(earlier, root))
            FieldButtonRetype(earlier->Handle, BS_PUSHBUTTON);
    }
    FieldButtonRetype(button, BS_DEFPUSHBUTTON);
    return 1;
}

// Enter: the default button's click goes to the button's parent as the button itself reports
// one. As in a dialog box, a disabled default button takes no Enter, a hidden one does.
static void FieldEnter(HWND field)
{
    HWND button = FieldDefaultButton(GetAncestor(field, GA_ROOT));
    if (button == nullptr || !IsWindowEnabled(button)) return;
    WPARAM id = (WPARAM)(uint32_t)GetWindowLongA(button, GWL_ID);
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

// Put in front of the edit class's procedure, which the field had before. That procedure is
// read from the class, so that a field needs no record of its own; the platform may give a
// handle for it rather than its address, which CallWindowProcA takes.
static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam != VK_RETURN) break;
        FieldEnter(field);
        return 0;
    case WM_CHAR:
        // Enter and Ctrl+Enter, which the edit control would take for a line break.
        if (wParam == '\r' || wParam == '\n') return 0;
        break;
    }
    WNDPROC edit = (WNDPROC)GetClassLongA(field, GCL_WNDPROC);
    return CallWindowProcA(edit, field, message, wParam, lParam);
}

HWND GadgetCreateField(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                       const char *text)
{
    // Every operation is the edit field's: the field borrows its table, as the frame borrows
    // the text's and the button's.
    GadgetCreatePrepare(x, y, width, height, text, "EDIT", FieldStyle, WS_EX_CLIENTEDGE,
                        &EditKindOps);
    HWND field = GadgetCreate(number);
    if (field != nullptr) SetWindowLongA(field, GWL_WNDPROC, (LONG)(intptr_t)FieldProc);
    return field;
}
