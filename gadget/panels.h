// The panel gadget: a tab control with one page window per tab, and the stack of nested
// gadget lists that lets gadgets be created on a tab's page.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <stdint.h>

#include "gadget/gadgets.h"

// One set of panel values for the whole runtime; GadgetLayerInit zeroes it.
struct PanelState {
    HWND GadgetListStack[GadgetListStackSize];   // saved parents, one per panel creation
    int32_t GadgetListDepth;                     // entries in use
    HWND LastPanel;                              // tab control of the newest panel; written only
    int32_t TabRowHeight;                        // bottom of a panel's first tab rectangle
    int32_t TabCounter;                          // tabs added since the newest panel creation
    // The tab item and the rectangle every panel operation hands the platform. Shared rather
    // than local: each is read right after the platform fills it, or filled right before the
    // one message that reads it.
    TCITEMA TabItem;
    RECT PanelRect;         // item and client rectangles
    int32_t RefusedDepth;   // panels refused on a full stack, unclosed
    HWND RefusedParent;     // GadgetParent when the first of them was asked
};

extern PanelState Panels;

void PanelLayerInit(void);   // zeroes PanelState; GadgetLayerInit calls it
// Returns 0 and creates nothing when GadgetListStackSize panels are unclosed already; the
// GadgetListClose that pairs with such a refused creation gives back the parent in effect then.
HWND GadgetCreatePanel(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
void GadgetListClose(void);
void PanelSelectTab(HWND tab, int32_t index);
void PanelRemoveTab(HWND tab, int32_t index);
void PanelLayoutPages(HWND tab);
