// Position, size, hiding and resizing of gadgets, on captioned windows and on panel pages.
#include "support/gadget_parent.h"

using GeometryTest = HiddenParentTest;
using Box = std::vector<int32_t>;

// A gadget's x, y, width and height as the getters report them.
static Box BoxOf(int32_t number)
{
    return {GadgetGetX(number), GadgetGetY(number), GadgetGetWidth(number),
            GadgetGetHeight(number)};
}

TEST_F(GeometryTest, PositionIsReportedInTheParentsClientArea)
{
    HWND button = GadgetCreateButton(1, 10, 20, 80, 24, "at 10, 20");
    EXPECT_EQ(GadgetGetHandle(1), button);
    EXPECT_EQ(BoxOf(1), (Box{10, 20, 80, 24}));
}

TEST_F(GeometryTest, PositionLeavesOutAMenuBarAndAThickFrame)
{
    HWND framed = WindowOpen(2, 60, 60, 300, 200,
                             FlagHidden | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, "Framed");
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 100, "Menu");
    SetMenu(framed, menu);
    GadgetListUse(framed);
    GadgetCreateText(1, 7, 9, 50, 20, "x");
    EXPECT_EQ(GadgetGetX(1), 7);
    EXPECT_EQ(GadgetGetY(1), 9);
    WindowClose(2);
}

TEST_F(GeometryTest, OnAPageThePositionIsThePagePosition)
{
    GadgetCreatePanel(2, 30, 40, 300, 200);
    GadgetAddItem(2, -1, "page");
    GadgetCreateButton(1, 10, 20, 80, 24, "on the page");
    GadgetListClose();
    EXPECT_EQ(GadgetGetX(1), 10);
    EXPECT_EQ(GadgetGetY(1), 20);
    EXPECT_EQ(GadgetGetX(2), 30);
    EXPECT_EQ(GadgetGetY(2), 40);
}

TEST_F(GeometryTest, ResizeKeepsEveryValueGivenAsMinusOne)
{
    GadgetCreateButton(1, 10, 20, 80, 24, "b");
    GadgetResize(1, -1, -1, 200, -1);
    EXPECT_EQ(BoxOf(1), (Box{10, 20, 200, 24}));
    GadgetResize(1, -1, -1, -1, -1);
    EXPECT_EQ(BoxOf(1), (Box{10, 20, 200, 24}));
    GadgetResize(1, 5, 6, 70, 30);
    EXPECT_EQ(BoxOf(1), (Box{5, 6, 70, 30}));
}

TEST_F(GeometryTest, HiddenGadgetsStillReportTheirSize)
{
    HWND edit = GadgetCreateEdit(1, 10, 20, 120, 40, "e");
    GadgetHide(1, 1);
    EXPECT_FALSE(HasStyle(edit, WS_VISIBLE));
    EXPECT_EQ(GadgetGetWidth(1), 120);
    EXPECT_EQ(GadgetGetHeight(1), 40);
    EXPECT_EQ(GadgetGetX(1), 10);
    GadgetHide(1, 0);
    EXPECT_TRUE(HasStyle(edit, WS_VISIBLE));
    GadgetHide(1, -3);
    EXPECT_FALSE(HasStyle(edit, WS_VISIBLE));
}
