// Menu bars as MenuCreate and the MenuAdd operations build them, read back through the
// platform; the client area a bar leaves; which bars a new one destroys; when building stops.
#include <gtest/gtest.h>

#include <string>

#include "window/menus.h"
#include "window_test_support.h"

namespace {

class MenuBar : public ::testing::Test {
  protected:
    HWND Window = nullptr;
    void SetUp() override
    {
        WindowTestLayerRestart();
        Window = WindowOpen(0, 20, 20, 300, 200, WS_CAPTION | WS_SYSMENU | FlagHidden, "M");
        ASSERT_NE(Window, nullptr);
    }
};

// Titles in brackets, items as number:text, "-" a separator, "*" checked, "~" disabled.
std::string MenuText(HMENU menu)
{
    std::string text;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char label[80] = "";
        GetMenuStringA(menu, i, label, sizeof label, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (HMENU popup = GetSubMenu(menu, i))
            text += std::string("[") + label + ": " + MenuText(popup) + "] ";
        else if (state & MF_SEPARATOR)
            text += "- ";
        else
            text += std::to_string(GetMenuItemID(menu, i)) + ":" + label +
                    (state & MF_CHECKED ? "*" : "") + (state & MF_GRAYED ? "~" : "") + " ";
    }
    return text;
}

TEST_F(MenuBar, TitlesItemsSeparatorsChecksAndDisabledItemsAsBuilt)
{
    RECT before, after;
    GetClientRect(Window, &before);
    HMENU bar = MenuCreate(0);
    ASSERT_EQ(GetMenu(Window), bar);
    EXPECT_EQ(MenuAddItem(1, "before any title"), 0);
    ASSERT_EQ(MenuAddTitle("&Datei"), 1);
    ASSERT_EQ(MenuAddItem(10, "&Neu\tCtrl+N"), 1);
    ASSERT_EQ(MenuAddSeparator(), 1);
    ASSERT_EQ(MenuAddItem(11, "Ende"), 1);
    ASSERT_EQ(MenuAddTitle("&Ansicht"), 1);
    ASSERT_EQ(MenuAddItem(20, "Leiste"), 1);
    ASSERT_EQ(MenuAddItem(21, "Raster"), 1);
    EXPECT_EQ(MenuSetCheck(20, 1) + MenuDisable(10, 1), 2);
    EXPECT_EQ(MenuDisable(21, 1), 1);
    EXPECT_EQ(MenuDisable(21, 0), 1);
    EXPECT_EQ(MenuText(bar),
              "[&Datei: 10:&Neu\tCtrl+N~ - 11:Ende ] [&Ansicht: 20:Leiste* 21:Raster ] ");
    EXPECT_EQ(MenuGetCheck(20) * 10 + MenuGetCheck(21), 10);
    EXPECT_EQ(MenuSetCheck(20, 0), 1);
    EXPECT_EQ(MenuGetCheck(20), 0);
    EXPECT_EQ(MenuSetCheck(99, 1) + MenuDisable(99, 1), 0);   // no such item
    // The window grew by the bar: its client area is as WindowOpen gave it.
    GetClientRect(Window, &after);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(after.right, before.right);
}

TEST_F(MenuBar, ANewBarDestroysOnlyTheBarsMenuCreateMadeAndBuildingStopsWithTheWindow)
{
    HMENU first = MenuCreate(0);
    HMENU second = MenuCreate(0);
    EXPECT_FALSE(IsMenu(first));
    HMENU own = CreateMenu();
    SetMenu(Window, own);
    EXPECT_EQ(MenuAddTitle("nicht mehr"), 0);   // the bar being built is off its window
    ASSERT_NE(MenuCreate(0), nullptr);
    EXPECT_TRUE(IsMenu(own));
    EXPECT_TRUE(IsMenu(second));   // taken off by the program: the program's to destroy
    DestroyMenu(own);
    DestroyMenu(second);

    // Building goes on for window 0 while 1 is current; the item operations follow the current.
    ASSERT_EQ(MenuAddTitle("Datei"), 1);
    ASSERT_EQ(MenuAddItem(1, "eins"), 1);
    HWND other = WindowOpen(1, 0, 0, 100, 100, FlagHidden, "");
    EXPECT_EQ(MenuSetCheck(1, 1), 0);
    EXPECT_EQ(MenuAddItem(2, "zwei"), 1);
    WindowUse(0);
    EXPECT_EQ(MenuSetCheck(2, 1), 1);
    ASSERT_NE(MenuCreate(1), nullptr);
    ASSERT_EQ(MenuAddTitle("Datei"), 1);
    WindowClose(1);
    EXPECT_FALSE(IsWindow(other));
    EXPECT_EQ(MenuAddItem(4, "vier") + MenuAddTitle("mehr"), 0);
    EXPECT_EQ(MenuCreate(1), nullptr);
}

}   // namespace
