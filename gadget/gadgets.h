// Gadgets: numbered child controls. The table from gadget number to control and kind, the
// per-kind operation tables with their dispatchers, the common creation routine, and the
// creators of every kind but the panel (see panels.h).
#pragma once

#include <windows.h>
#include <stdint.h>

// The gadget layer's limits.
enum {
    GadgetTableInitial = 30,      // numbers that fit before the first growth
    GadgetNumberLimit = 0xFFFF,   // the largest number: WM_COMMAND reports 16 bits of it
    GadgetTableGrowth = 30,       // room made beyond a number that does not fit
    GadgetTableSpare = 2,         // zero slots always kept beyond the capacity
    GadgetTextLimit = 5000,       // the default text reader's buffer, zero included
    GadgetListStackSize = 20,     // panels that may be open (unclosed) at once
    PanelPageInset = 2,           // gap between a page and the tab control's client edge
    PanelTitleLimit = 1000,       // a tab title's read buffer, zero included
};

// What a kind does for each operation. Every operation gets the control's handle first.
// Only the dispatchers below read a table; a null field means the dispatcher's default.
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

// The one creation record a kind's creator fills before GadgetCreate.
struct GadgetCreateParams {
    int32_t X, Y, Width, Height;   // in the parent's client area
    const char *Text;              // initial text or null
    uint32_t Flags;                // the frame's flags; written only, no step reads it back
};

// Process-wide state of the gadget layer; GadgetLayerInit zeroes it.
struct GadgetLayerState {
    uint32_t Capacity;           // gadget numbers that fit without growth
    GadgetSlot *Slots;           // Capacity + GadgetTableSpare slots, zero-filled
    HWND GadgetParent;           // where new gadgets are created
    HFONT GadgetFont;            // sent to every new control
    GadgetCreateParams Params;   // filled by the creator at hand
    const char *ClassName;       // class of the control to create
    uint32_t Style;
    uint32_t ExStyle;
    const GadgetKindOps *KindOps;   // kind of the control to create
    // The number being created, looked up again once CreateWindowExA returns; process-wide
    // like the rest of the creation record, which a hook may read while the control is made.
    int32_t CreatingNumber;
    int32_t OptionGroupOpen;   // 1 while options created in a row form one group
    // The rectangle the geometry operations have the platform fill. Shared rather than local:
    // each reads it right after GetWindowRect, before a message could re-enter the layer; the
    // WM_NCCALCSIZE send, which a hook sees, gets a copy of its own.
    RECT GadgetRect;
};

extern GadgetLayerState Gadgets;

// The kinds' tables. The frame borrows the text and button tables; GadgetResize knows a
// panel by its table.
extern const GadgetKindOps TextKindOps;
extern const GadgetKindOps ButtonKindOps;
extern const GadgetKindOps ListBoxKindOps;
extern const GadgetKindOps CheckBoxKindOps;
extern const GadgetKindOps OptionKindOps;
extern const GadgetKindOps ComboBoxKindOps;
extern const GadgetKindOps EditKindOps;
extern const GadgetKindOps PanelKindOps;

void GadgetLayerInit(void);
HWND GadgetListUse(HWND window);
void GadgetSetFont(HFONT font);
// Fills GadgetCreateParams and the inputs of the GadgetCreate call that follows.
void GadgetCreatePrepare(int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                         const char *className, uint32_t style, uint32_t exStyle,
                         const GadgetKindOps *ops);
HWND GadgetCreate(int32_t number);
int GadgetTableEnsure(int32_t number);   // 0 when the table cannot hold the number
// The slot of a number the table holds, else null: operations refuse other numbers.
GadgetSlot *GadgetSlotOrNull(int32_t number);
void GadgetDisable(int32_t number, int32_t flag);
HWND GadgetActivate(int32_t number);
LRESULT SendBareMessage(HWND control, UINT message);
// The piece of a read that refuses or finds nothing: the empty text at ScratchCursor, which
// stays; nothing when the cursor lies outside the buffer.
void GadgetReadNothing(void);
// Appends item index's text at ScratchCursor through a list control's length and text
// messages (LB_GETTEXTLEN and LB_GETTEXT, or the combo box's pair), cut at the buffer's end.
void GadgetReadItem(HWND control, UINT lengthMessage, UINT textMessage, int32_t index);

// Dispatchers, one per operation slot.
void GadgetFree(int32_t number);
int32_t GadgetGetState(int32_t number);
int32_t GadgetSetState(int32_t number, int32_t state);
void GadgetGetText(int32_t number);
void GadgetSetText(int32_t number, const char *text);
int32_t GadgetAddItem(int32_t number, int32_t position, const char *text);
int32_t GadgetAddItemExtra(int32_t number, int32_t itemNumber, const char *text, int32_t second);
int32_t GadgetRemoveItem(int32_t number, int32_t index);
int32_t GadgetClearItems(int32_t number);
int32_t GadgetCountItems(int32_t number);
int32_t GadgetGetItemState(int32_t number, int32_t index);
int32_t GadgetSetItemState(int32_t number, int32_t index, int32_t state);
void GadgetGetItemText(int32_t number, int32_t index, int32_t second);
int32_t GadgetSetItemText(int32_t number, int32_t index, const char *text, int32_t second);

// Creators; each returns the control handle, 0 when the platform refused the control.
HWND GadgetCreateText(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char *text);
HWND GadgetCreateButton(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *text);
HWND GadgetCreateListBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
HWND GadgetCreateCheckBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                          const char *text);
HWND GadgetCreateOption(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char *text);
HWND GadgetCreateFrame(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                       const char *text, uint32_t flags);
HWND GadgetCreateComboBox(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
HWND GadgetCreateEdit(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char *text);

// Geometry and visibility, on any kind.
HWND GadgetGetHandle(int32_t number);
int32_t GadgetGetX(int32_t number);
int32_t GadgetGetY(int32_t number);
int32_t GadgetGetWidth(int32_t number);
int32_t GadgetGetHeight(int32_t number);
void GadgetHide(int32_t number, int32_t hide);
void GadgetResize(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
