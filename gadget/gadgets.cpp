// The gadget table, the creation routine every kind's creator ends in, the operations that
// work alike on every kind, and one dispatcher per operation slot. Only the dispatchers
// read a kind's table; a null slot gets the default written here.
#include "gadget/internal/gadgets.h"

#include <commctrl.h>

#include "gadget/internal/panels.h"
#include "runtime/internal/check.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "window/internal/windows.h"

GadgetLayerState Gadgets;

void GadgetLayerInit(void)
{
    RtlZeroMemory(&Gadgets, sizeof Gadgets);
    PanelLayerInit();
    Gadgets.Slots = (GadgetSlot *)HeapAllocate(
        (GadgetTableInitial + GadgetTableSpare) * sizeof(GadgetSlot), HeapFillZero);
    // Without a block no number fits, and every later creation tries to allocate one again.
    Gadgets.Capacity = Gadgets.Slots != nullptr ? GadgetTableInitial : 0;
    Gadgets.GadgetFont = (HFONT)GetStockObject(ANSI_VAR_FONT);
    InitCommonControls();
}

// Controls go with the process; the fonts a program had made go here, by the step their
// first creation set, so that a program that makes none links nothing of them.
void GadgetLayerEnd(void)
{
    if (Gadgets.FontsEnd != nullptr) Gadgets.FontsEnd();
}

// Another program's window cannot be a parent of this thread's controls: refused, null, and the
// parent stays.
HWND GadgetListUse(HWND window)
{
    if (window != nullptr && !WindowOwnedHere(window)) return nullptr;
    Gadgets.GadgetParent = window;
    return window;
}

void GadgetSetFont(HFONT font)
{
    Gadgets.GadgetFont = font;
}

int GadgetTableEnsure(int32_t number)
{
    if ((uint32_t)number < Gadgets.Capacity) return 1;
    // A negative number, or one whose block size would not fit 32 bits, can never be held.
    if (number < 0) return 0;
    uint64_t capacity = (uint64_t)number + GadgetTableGrowth;
    uint64_t bytes = (capacity + GadgetTableSpare) * sizeof(GadgetSlot);
    if (bytes > HeapLargestBlock) return 0;
    GadgetSlot *slots = (GadgetSlot *)HeapReallocateZero(Gadgets.Slots, (uint32_t)bytes);
    if (slots == nullptr) return 0;   // the old table stays as it was
    Gadgets.Slots = slots;
    Gadgets.Capacity = (uint32_t)capacity;
    return 1;
}

GadgetSlot *GadgetSlotOrNull(int32_t number)
{
    if ((uint32_t)number >= Gadgets.Capacity || Gadgets.Slots == nullptr) return nullptr;
    return &Gadgets.Slots[number];
}

void GadgetCreatePrepare(int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                         const char *className, uint32_t style, uint32_t exStyle,
                         const GadgetKindOps *ops)
{
    Gadgets.Params.X = x;
    Gadgets.Params.Y = y;
    Gadgets.Params.Width = width;
    Gadgets.Params.Height = height;
    Gadgets.Params.Text = text;
    Gadgets.ClassName = className;
    Gadgets.Style = style;
    Gadgets.ExStyle = exStyle;
    Gadgets.KindOps = ops;
}

HWND GadgetCreate(int32_t number)
{
    // A control's notifications name it by the low 16 bits of its identifier only, so a larger
    // number would come back as another gadget's.
    if ((uint32_t)number > GadgetNumberLimit || !GadgetTableEnsure(number)) return nullptr;
    // A hook may create another gadget while this control is made (WM_PARENTNOTIFY reaches
    // it), which rewrites the creation record: the number and the kind stay this call's own.
    const GadgetKindOps *ops = Gadgets.KindOps;
    Gadgets.CreatingNumber = number;
    HWND control = CreateWindowExA(
        Gadgets.ExStyle, Gadgets.ClassName, Gadgets.Params.Text, Gadgets.Style, Gadgets.Params.X,
        Gadgets.Params.Y, Gadgets.Params.Width, Gadgets.Params.Height, Gadgets.GadgetParent,
        (HMENU)(intptr_t)number, Runtime.ModuleHandle, nullptr);
    // The table may have been reallocated meanwhile: look the slot up anew. It only grows, so
    // the number still fits.
    GadgetSlot *slot = GadgetSlotOrNull(number);
    RUNTIME_ASSERT(slot != nullptr);
    RUNTIME_ASSERT(control == nullptr ||
                   (uint32_t)GetWindowLongA(control, GWL_ID) <= GadgetNumberLimit);
    slot->Handle = control;
    slot->Ops = ops;
    SendMessageA(control, WM_SETFONT, (WPARAM)Gadgets.GadgetFont, 1);
    Gadgets.OptionGroupOpen = 0;
    return control;
}

void GadgetReadNothing(void)
{
    if (ScratchCursorInside()) *Scratch.ScratchCursor = 0;
}

// The item's text at the scratch cursor, which ends on its zero; the empty text for a bad
// index. The item text messages know no buffer size: an item longer than the room left goes
// through a heap block, and only what fits before the buffer's last byte is copied.
void GadgetReadItem(HWND control, UINT lengthMessage, UINT textMessage, int32_t index)
{
    if (!ScratchCursorInside()) return;
    if (!WindowOwnedHere(control)) {
        GadgetReadNothing();
        return;
    }
    char *cursor = Scratch.ScratchCursor;
    char *end = ScratchEnd();
    int32_t room = (int32_t)(end - cursor);   // characters before the zero on the last byte
    int32_t length = (int32_t)SendMessageA(control, lengthMessage, (WPARAM)index, 0);
    if (length >= 0 && length <= room) {
        // The count is the control's word: never more than the length it announced.
        int32_t copied = (int32_t)SendMessageA(control, textMessage, (WPARAM)index, (LPARAM)cursor);
        if (copied > length) copied = length;
        if (copied > 0) cursor += copied;
    } else if (length > room) {
        char *block = (char *)HeapAllocate((uint32_t)length + 1, HeapFillNone);
        if (block != nullptr) {
            int32_t copied =
                (int32_t)SendMessageA(control, textMessage, (WPARAM)index, (LPARAM)block);
            if (copied != -1) {
                if (copied > room) copied = room;
                for (int32_t i = 0; i < copied; i++) cursor[i] = block[i];
                cursor += copied;
            }
            HeapRelease(block);
        }
    }
    *cursor = 0;
    Scratch.ScratchCursor = cursor;
}

GadgetSlot *GadgetSlotWithControl(int32_t number)
{
    GadgetSlot *slot = GadgetSlotOrNull(number);
    return slot != nullptr && slot->Handle != nullptr ? slot : nullptr;
}

HWND GadgetControlOrNull(int32_t number)
{
    GadgetSlot *slot = GadgetSlotOrNull(number);
    return slot != nullptr ? slot->Handle : nullptr;
}

void GadgetDisable(int32_t number, int32_t flag)
{
    HWND control = GadgetControlOrNull(number);
    if (control == nullptr) return;
    EnableWindow(control, flag == 0 ? TRUE : FALSE);
}

// SetFocus with a null window takes the focus from every window.
HWND GadgetActivate(int32_t number)
{
    HWND control = GadgetControlOrNull(number);
    if (control == nullptr) return nullptr;
    return SetFocus(control);
}

LRESULT SendBareMessage(HWND control, UINT message)
{
    return SendMessageA(control, message, 0, 0);
}

// The dispatchers hand a kind only a live handle (GadgetSlotWithControl). A number outside the
// table, or without a control, does nothing and gives 0; a text reader gives the empty text.

void GadgetFree(int32_t number)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr) return;
    if (slot->Ops != nullptr && slot->Ops->Free != nullptr)
        slot->Ops->Free(slot->Handle);
    else
        DestroyWindow(slot->Handle);
}

int32_t GadgetGetState(int32_t number)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->GetState == nullptr) return 0;
    return slot->Ops->GetState(slot->Handle);
}

int32_t GadgetSetState(int32_t number, int32_t state)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->SetState == nullptr) return 0;
    slot->Ops->SetState(slot->Handle, state);
    return 0;
}

// The window text, cut so that it and its zero stay inside the scratch buffer.
static void GadgetReadWindowText(HWND control)
{
    if (!ScratchCursorInside()) return;
    char *cursor = Scratch.ScratchCursor;
    int32_t size = (int32_t)(ScratchEnd() - cursor) + 1;
    if (size > GadgetTextLimit) size = GadgetTextLimit;
    *cursor = 0;
    int32_t copied = GetWindowTextA(control, cursor, size);
    if (copied < 0) copied = 0;
    if (copied > size - 1) copied = size - 1;
    Scratch.ScratchCursor = cursor + copied;
    *Scratch.ScratchCursor = 0;
}

// The platform does not refuse a null window to GetWindowTextA but can hand back text that is
// not empty: a number without a control reads nothing.
void GadgetGetText(int32_t number)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr)
        GadgetReadNothing();
    else if (slot->Ops != nullptr && slot->Ops->GetText != nullptr)
        slot->Ops->GetText(slot->Handle);
    else
        GadgetReadWindowText(slot->Handle);
}

void GadgetSetText(int32_t number, const char *text)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr) return;
    if (slot->Ops != nullptr && slot->Ops->SetText != nullptr)
        slot->Ops->SetText(slot->Handle, text);
    else
        SetWindowTextA(slot->Handle, text != nullptr ? text : "");   // null is no text to it
}

int32_t GadgetAddItem(int32_t number, int32_t position, const char *text)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->AddItem == nullptr) return 0;
    return slot->Ops->AddItem(slot->Handle, position, text != nullptr ? text : "");
}

int32_t GadgetAddItemExtra(int32_t number, int32_t itemNumber, const char *text, int32_t second)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->AddItemExtra == nullptr) return 0;
    return slot->Ops->AddItemExtra(slot->Handle, itemNumber, text != nullptr ? text : "", second);
}

int32_t GadgetRemoveItem(int32_t number, int32_t index)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->RemoveItem == nullptr) return 0;
    slot->Ops->RemoveItem(slot->Handle, index);
    return 0;
}

int32_t GadgetClearItems(int32_t number)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->ClearItems == nullptr) return 0;
    slot->Ops->ClearItems(slot->Handle);
    return 0;
}

int32_t GadgetCountItems(int32_t number)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->CountItems == nullptr) return 0;
    return slot->Ops->CountItems(slot->Handle);
}

int32_t GadgetGetItemState(int32_t number, int32_t index)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->GetItemState == nullptr) return 0;
    return slot->Ops->GetItemState(slot->Handle, index);
}

int32_t GadgetSetItemState(int32_t number, int32_t index, int32_t state)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->SetItemState == nullptr) return 0;
    slot->Ops->SetItemState(slot->Handle, index, state);
    return 0;
}

void GadgetGetItemText(int32_t number, int32_t index, int32_t second)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot != nullptr && slot->Ops != nullptr && slot->Ops->GetItemText != nullptr)
        slot->Ops->GetItemText(slot->Handle, index, second);
    else
        GadgetReadNothing();
}

// A null text becomes the empty text here as in the add-item dispatchers: a kind that
// replaces an item by removing and inserting would otherwise lose the item.
int32_t GadgetSetItemText(int32_t number, int32_t index, const char *text, int32_t second)
{
    GadgetSlot *slot = GadgetSlotWithControl(number);
    if (slot == nullptr || slot->Ops == nullptr || slot->Ops->SetItemText == nullptr) return 0;
    slot->Ops->SetItemText(slot->Handle, index, text != nullptr ? text : "", second);
    return 0;
}
