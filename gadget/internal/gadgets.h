// The gadget layer's limits, its creation record and state record, and the steps only the
// layer and its tests call.
#pragma once

#include "gadget/kinds.h"

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
    // The number being created: part of the creation record, which a hook may read while the
    // control is made; GadgetCreate itself keeps its own copy across the platform call.
    int32_t CreatingNumber;
    int32_t OptionGroupOpen;   // 1 while options created in a row form one group
    // The rectangle the geometry operations have the platform fill. Shared rather than local:
    // each reads it right after GetWindowRect, before a message could re-enter the layer; the
    // WM_NCCALCSIZE send, which a hook sees, gets a copy of its own.
    RECT GadgetRect;
    // The fonts FontCreate made and FontFree has not freed yet.
    HFONT *Fonts;   // FontCapacity entries, the first FontCount in use
    uint32_t FontCount;
    uint32_t FontCapacity;
    void (*FontsEnd)(void);   // deletes them at the end; set by the first FontCreate
};

extern GadgetLayerState Gadgets;

void GadgetLayerInit(void);
// The gadget layer's end step: deletes the fonts FontCreate made and FontFree left.
void GadgetLayerEnd(void);
int GadgetTableEnsure(int32_t number);   // 0 when the table cannot hold the number
// The slot of a number whose control exists, else null: a kind's operation on no window would
// act as if it had one (a panel the platform refused would make a page without a parent and
// report its first tab).
GadgetSlot *GadgetSlotWithControl(int32_t number);
// The control of a created number, else null: a null window would reach the platform as "no
// window" (SetFocus takes the focus away, RedrawWindow paints the desktop).
HWND GadgetControlOrNull(int32_t number);
