// The panel gadget: a tab control with one page window per tab, and the stack of nested
// gadget lists that lets gadgets be created on a tab's page.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "gadget/gadgets.h"

// Returns 0 and creates nothing when 20 panels are unclosed already; the
// GadgetListClose that pairs with such a refused creation gives back the parent in effect then.
HWND GadgetCreatePanel(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
void GadgetListClose(void);
void PanelSelectTab(HWND tab, int32_t index);
void PanelRemoveTab(HWND tab, int32_t index);
