// What a writer of a gadget kind needs beside the program's operations: the operation table
// a kind fills, the creation routine every creator ends in, the helpers the runtime's own
// kinds read their controls with, and the class of a kind that draws its own control. A new
// kind is written from this header alone.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "gadget/gadgets.h"
#include "runtime/strings.h"

// What a kind does for each operation. Every operation gets the control's handle first.
// Only the dispatchers (GadgetFree to GadgetSetItemText in gadgets.h) read a table; a null
// field means the dispatcher's default.
struct GadgetKindOps {
    // Destroys the control.                        Null: DestroyWindow.
    void (*Free)(HWND control);
    // The state value (check mark, selection).     Null: 0.
    int32_t (*GetState)(HWND control);
    // Sets the state value.                        Null: nothing.
    void (*SetState)(HWND control, int32_t state);
    // Appends the text at ScratchCursor, cursor left on its zero.
    //                                              Null: the window text, at most 4999 characters.
    void (*GetText)(HWND control);
    // Sets the text.                               Null: SetWindowTextA.
    void (*SetText)(HWND control, const char *text);
    // Adds an item at a position.                  Null: nothing, 0.
    int32_t (*AddItem)(HWND control, int32_t position, const char *text);
    // No kind fills it.                            Null: nothing, 0.
    int32_t (*AddItemExtra)(HWND control, int32_t number, const char *text, int32_t second);
    // Removes the item at an index.                Null: nothing.
    void (*RemoveItem)(HWND control, int32_t index);
    // Removes every item.                          Null: nothing.
    void (*ClearItems)(HWND control);
    // Never filled, never read.
    void (*Reserved)(HWND control);
    // The number of items.                         Null: 0.
    int32_t (*CountItems)(HWND control);
    // The state of an item.                        Null: 0.
    int32_t (*GetItemState)(HWND control, int32_t index);
    // Sets the state of an item.                   Null: nothing.
    void (*SetItemState)(HWND control, int32_t index, int32_t state);
    // Appends an item's text at ScratchCursor.     Null: the empty text, cursor unmoved.
    void (*GetItemText)(HWND control, int32_t index, int32_t second);
    // Replaces an item's text.                     Null: nothing.
    void (*SetItemText)(HWND control, int32_t index, const char *text, int32_t second);
};
static_assert(sizeof(GadgetKindOps) == 15 * 4, "fifteen 32-bit operation slots");

struct GadgetSlot {
    HWND Handle;                // the control, as the platform returned it at creation
    const GadgetKindOps *Ops;   // its kind
};
static_assert(sizeof(GadgetSlot) == 8, "two 32-bit fields");

// The kinds' tables. The frame borrows the text and button tables, the field the edit field's
// and the single-selection list box the list box's; GadgetResize knows a panel by its table.
extern const GadgetKindOps TextKindOps;
extern const GadgetKindOps ButtonKindOps;
extern const GadgetKindOps ListBoxKindOps;
extern const GadgetKindOps CheckBoxKindOps;
extern const GadgetKindOps OptionKindOps;
extern const GadgetKindOps ComboBoxKindOps;
extern const GadgetKindOps EditKindOps;
extern const GadgetKindOps PanelKindOps;
extern const GadgetKindOps StatusBarKindOps;
extern const GadgetKindOps ProgressBarKindOps;

// A creator fills the creation record here, then calls GadgetCreate with the gadget number,
// which creates the control in the gadget parent, files it under the number with the kind's
// table, sends it the gadget font and returns its handle (null when refused).
void GadgetCreatePrepare(int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                         const char *className, uint32_t style, uint32_t exStyle,
                         const GadgetKindOps *ops);
HWND GadgetCreate(int32_t number);
// The slot of a number the table holds, else null: operations refuse other numbers. An
// operation of a kind's own finds its control here, and knows it by the slot's Ops.
GadgetSlot *GadgetSlotOrNull(int32_t number);
LRESULT SendBareMessage(HWND control, UINT message);
// The piece of a read that refuses or finds nothing: the empty text at ScratchCursor, which
// stays; nothing when the cursor lies outside the buffer.
void GadgetReadNothing(void);
// Appends item index's text at ScratchCursor through a list control's length and text
// messages (LB_GETTEXTLEN and LB_GETTEXT, or the combo box's pair), cut at the buffer's end.
void GadgetReadItem(HWND control, UINT lengthMessage, UINT textMessage, int32_t index);

// A kind whose control is a window class of its own registers the class here, in its creator
// before GadgetCreatePrepare; a second call finds it registered. The class gets the program's
// instance (the one GadgetCreate creates with), the arrow cursor, the button-face background,
// redraws on resizing, and window bytes for the font and extraBytes of the kind's own, from
// GadgetKindExtraFirst on. 1 when the class is there with this procedure; 0 when refused.
int32_t GadgetKindRegister(const char *className, WNDPROC procedure, int32_t extraBytes);
// What such a procedure hands every message it does not answer. It keeps the font GadgetCreate
// sends (WM_SETFONT, redrawing when asked) and gives it back (WM_GETFONT: null is the system
// font); everything else goes to DefWindowProcA, which keeps no font.
LRESULT CALLBACK GadgetKindDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// The offset of a kind's own window bytes for GetWindowLongA and SetWindowLongA; the font's
// word lies in front of them.
enum { GadgetKindExtraFirst = 4 };
