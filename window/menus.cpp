// Menu bars of numbered windows, built title by title, and the check marks and disabled state of
// their items. A picked item reaches WindowProc as the platform's WM_COMMAND with the item's
// number, which is already a command event there.
#include "window/internal/tools.h"
#include "window/events.h"

MenuState Menus;

// Marks a bar MenuCreate made (its menu data), so that a later MenuCreate destroys only bars of
// its own and never a menu the program set itself.
enum : ULONG_PTR { MenuBarMark = 0x4D656E75 };

// Whether a number can name an item: a command travels in 16 bits, and 1212 moves the focus.
static bool MenuNumberFits(int32_t number)
{
    return number >= 0 && number <= MenuNumberLimit && number != CommandFocusNext;
}

// Whether the bar being built is still its window's menu (a closed window took it along,
// WindowRemoveMenu took it off).
static bool MenuBarBuilding(void)
{
    return Menus.Bar && WindowOwnedHere(Menus.Window) && GetMenu(Menus.Window) == Menus.Bar;
}

// The drop-down that MenuAddItem and MenuAddSeparator fill: null before the first title, or
// when the bar is no longer being built.
static HMENU MenuBuilding(void)
{
    return Menus.Title && MenuBarBuilding() ? Menus.Title : nullptr;
}

// The menu of the current window, for the operations on items by number.
static HMENU MenuOfCurrentWindow(void)
{
    if (!WindowOwnedHere(Windows.CurrentWindow)) return nullptr;
    return GetMenu(Windows.CurrentWindow);
}

// A change of the bar may change its height: the window's outer height follows, so that the
// client area keeps the size WindowOpen gave it (and every gadget stays in view).
static void MenuKeepClientHeight(HWND window, const RECT *before)
{
    RECT after, outer;
    if (IsZoomed(window) || IsIconic(window)) return;
    if (!GetClientRect(window, &after) || !GetWindowRect(window, &outer)) return;
    int32_t lost = (before->bottom - before->top) - (after.bottom - after.top);
    if (lost == 0) return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + lost,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static bool MenuIsOwnBar(HMENU menu)
{
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    return menu && GetMenuInfo(menu, &info) && info.dwMenuData == MenuBarMark;
}

HMENU MenuCreate(int32_t window)
{
    HWND handle = WindowHandleOf(window);
    if (!handle) return nullptr;
    HMENU bar = CreateMenu();
    if (!bar) return nullptr;
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = MenuBarMark;
    RECT client;
    HMENU old = GetMenu(handle);
    if (!SetMenuInfo(bar, &info) || !GetClientRect(handle, &client) || !SetMenu(handle, bar)) {
        DestroyMenu(bar);
        return nullptr;
    }
    // The platform leaves a replaced menu to its owner: an earlier bar of ours is ours to end.
    if (MenuIsOwnBar(old)) DestroyMenu(old);
    DrawMenuBar(handle);
    MenuKeepClientHeight(handle, &client);
    Menus.Window = handle;
    Menus.Bar = bar;
    Menus.Title = nullptr;
    return bar;
}

int32_t MenuAddTitle(const char *text)
{
    HWND window = Menus.Window;
    if (!MenuBarBuilding()) return 0;
    RECT client;
    if (!GetClientRect(window, &client)) return 0;
    HMENU title = CreatePopupMenu();
    if (!title) return 0;
    if (!AppendMenuA(Menus.Bar, MF_POPUP | MF_STRING, (UINT_PTR)title, text ? text : "")) {
        DestroyMenu(title);
        return 0;
    }
    Menus.Title = title;
    DrawMenuBar(window);
    MenuKeepClientHeight(window, &client);
    return 1;
}

int32_t MenuAddItem(int32_t number, const char *text)
{
    HMENU title = MenuBuilding();
    if (!title || !MenuNumberFits(number)) return 0;
    return AppendMenuA(title, MF_STRING, (UINT_PTR)number, text ? text : "") ? 1 : 0;
}

int32_t MenuAddSeparator(void)
{
    HMENU title = MenuBuilding();
    if (!title) return 0;
    // Under a number past the 16 bits of items and accelerator commands, so that neither a
    // lookup by number nor an accelerator's search of the menu ever finds the separator.
    return AppendMenuA(title, MF_SEPARATOR, (UINT_PTR)MenuNumberLimit + 1, nullptr) ? 1 : 0;
}

// The item operations search the drop-downs too (by command); -1 says no item has the number.
int32_t MenuSetCheck(int32_t number, int32_t checked)
{
    HMENU menu = MenuOfCurrentWindow();
    if (!menu || !MenuNumberFits(number)) return 0;
    UINT mark = checked ? MF_CHECKED : MF_UNCHECKED;
    return CheckMenuItem(menu, (UINT)number, MF_BYCOMMAND | mark) == (DWORD)-1 ? 0 : 1;
}

int32_t MenuGetCheck(int32_t number)
{
    HMENU menu = MenuOfCurrentWindow();
    if (!menu || !MenuNumberFits(number)) return 0;
    UINT state = GetMenuState(menu, (UINT)number, MF_BYCOMMAND);
    return state != (UINT)-1 && (state & MF_CHECKED) ? 1 : 0;
}

int32_t MenuDisable(int32_t number, int32_t flag)
{
    HMENU menu = MenuOfCurrentWindow();
    if (!menu || !MenuNumberFits(number)) return 0;
    UINT state = flag ? MF_GRAYED : MF_ENABLED;
    return EnableMenuItem(menu, (UINT)number, MF_BYCOMMAND | state) == -1 ? 0 : 1;
}
