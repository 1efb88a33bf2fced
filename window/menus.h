// Menu bars and keyboard shortcuts of numbered windows. Picking a menu item or pressing a
// shortcut gives EventCodeCommand with the number the program gave it, as a command of the
// program's own accelerator table does.
#pragma once

#include <windows.h>
#include <stdint.h>

// The numbers a command travels in: 16 bits, without the runtime's own focus command (1212).
enum : int32_t { MenuNumberLimit = 65535 };

// Builds a menu bar: MenuCreate gives a window a new, empty bar; each MenuAddTitle opens a
// drop-down title, and the items and separators that follow go into it.
HMENU MenuCreate(int32_t window);
int32_t MenuAddTitle(const char *text);
int32_t MenuAddItem(int32_t number, const char *text);
int32_t MenuAddSeparator(void);

// The items of the current window's bar, by number.
int32_t MenuSetCheck(int32_t number, int32_t checked);
int32_t MenuGetCheck(int32_t number);
int32_t MenuDisable(int32_t number, int32_t flag);

// The modifiers a shortcut's key is pressed with, joined with |.
enum : int32_t { ShortcutShift = FSHIFT, ShortcutCtrl = FCONTROL, ShortcutAlt = FALT };
static_assert(ShortcutShift == 4 && ShortcutCtrl == 8 && ShortcutAlt == 16, "as ACCEL has them");

// Binds a key (a virtual-key code) with modifiers, on a window, to a command number.
int32_t ShortcutAdd(int32_t window, int32_t modifiers, int32_t key, int32_t number);
int32_t ShortcutRemove(int32_t window, int32_t modifiers, int32_t key);
