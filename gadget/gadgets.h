// Gadgets: numbered child controls. Choosing the parent and the font, the operations every
// kind answers (each reaches the kind's own operation or a default), the creators of every
// kind but the panel (see panels.h), and geometry. Writing a kind of one's own: kinds.h.
#pragma once

#include <windows.h>
#include <stdint.h>

HWND GadgetListUse(HWND window);
void GadgetSetFont(HFONT font);
void GadgetDisable(int32_t number, int32_t flag);
HWND GadgetActivate(int32_t number);

// One operation per slot of a kind's table; a kind without its own does the default.
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
// Appends an item (position -1); on a list box it also scrolls the new line into view.
int32_t GadgetAddItemInView(int32_t number, const char *text);

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

// Fields, lists, bars and fonts: kinds and operations beside the ones above, each linked only
// into a program that calls it.
HWND GadgetCreateField(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                       const char *text);
HWND GadgetCreateListBoxSingle(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
int32_t GadgetSetDefault(int32_t number);
HWND GadgetCreateStatusBar(int32_t number);
int32_t GadgetSetParts(int32_t number, int32_t count, const int32_t *widths);
HWND GadgetCreateProgressBar(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
int32_t GadgetSetRange(int32_t number, int32_t minimum, int32_t maximum);
enum { FontBold = 1, FontItalic = 2 };
HFONT FontCreate(const char *face, int32_t points, int32_t flags);
void FontFree(HFONT font);

// Geometry and visibility, on any kind.
HWND GadgetGetHandle(int32_t number);
int32_t GadgetGetX(int32_t number);
int32_t GadgetGetY(int32_t number);
int32_t GadgetGetWidth(int32_t number);
int32_t GadgetGetHeight(int32_t number);
void GadgetHide(int32_t number, int32_t hide);
void GadgetResize(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
