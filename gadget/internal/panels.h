// The panel values shared by every panel, and the panel steps only the gadget layer calls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "gadget/internal/gadgets.h"
#include "gadget/panels.h"

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
void PanelLayoutPages(HWND tab);
