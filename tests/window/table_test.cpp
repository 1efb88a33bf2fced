// The window table: geometry of a new window, growth of the table, reopening, closing and
// selecting by number, and the numbers the table refuses.
#include <gtest/gtest.h>

#include "support/outside_reader.h"
#include "window_test_support.h"

namespace {

const uint32_t Caption = WS_CAPTION | WS_SYSMENU;

class WindowTable : public ::testing::Test {
  protected:
    void SetUp() override { WindowTestLayerRestart(); }
};

bool ClassRegistered(const char *name)
{
    WNDCLASSA info;
    return GetClassInfoA(Runtime.ModuleHandle, name, &info) != 0;
}

TEST_F(WindowTable, NewWindowHasTheClientSizeAskedForAndItsOuterCornerAtXY)
{
    // Flags 0 is a plain overlapped window, to which the platform gives a title bar of its own;
    // scroll bars lie outside the client area.
    const uint32_t rows[] = {Caption,
                             WindowFlagsStandard | WindowFlagMinimizeBox | WindowFlagMaximizeBox |
                                 WindowFlagSizable,
                             0, Caption | WS_VSCROLL | WS_HSCROLL};
    for (uint32_t flags : rows) {
        HWND window = WindowOpen(0, 100, 80, 600, 300, flags | FlagHidden, "Geometrie");
        ASSERT_NE(window, nullptr) << std::hex << flags;
        RECT client, outer;
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        EXPECT_EQ(std::vector<LONG>({client.right - client.left, client.bottom - client.top,
                                     outer.left, outer.top}),
                  std::vector<LONG>({600, 300, 100, 80}))
            << std::hex << flags;
        EXPECT_EQ((uint32_t)GetWindowLongA(window, GWL_STYLE) & flags, flags) << std::hex << flags;
        EXPECT_EQ(CurrentWindowHandle(), window);
        EXPECT_EQ(WindowLeft(), 100);
        EXPECT_EQ(WindowTop(), 80);
        EXPECT_GT(WindowOuterWidth(), 600);
        EXPECT_GT(WindowOuterHeight(), 300);
        char title[40] = "";
        GetWindowTextA(window, title, sizeof title);
        EXPECT_STREQ(title, "Geometrie");
    }
}

// x = CW_USEDEFAULT lets the platform choose the position, whatever y holds (the platform would
// read it as a show command), and the frame is added to the size without overflow.
TEST_F(WindowTable, TheDefaultPositionAndFarCornersStillGiveTheClientSizeAskedFor)
{
    const struct {
        int32_t X, Y;
        uint32_t Hidden;
    } rows[] = {{CW_USEDEFAULT, 100, FlagHidden},
                {CW_USEDEFAULT, 100, 0},
                {CW_USEDEFAULT, CW_USEDEFAULT, FlagHidden}};
    for (const auto &row : rows) {
        HWND window = WindowOpen(6, row.X, row.Y, 300, 200, Caption | row.Hidden, "Vorgabe");
        ASSERT_NE(window, nullptr) << row.X << " " << row.Y;
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(std::vector<LONG>({client.right, client.bottom}), std::vector<LONG>({300, 200}))
            << row.X << " " << row.Y;
        EXPECT_EQ(IsWindowVisible(window) != 0, row.Hidden == 0) << row.X << " " << row.Y;
        EXPECT_LT(WindowOuterWidth(), 400);
        // A visible window stays open, out of the table: destroying it costs seconds.
        if (!row.Hidden) Windows.Table.Handles[6] = 0;
    }
}

TEST_F(WindowTable, ResizeSetsTheOuterSizeAndMoveToKeepsIt)
{
    WindowOpen(0, 100, 80, 600, 300, Caption | FlagHidden, "");
    WindowResize(500, 250);
    auto place = [] {
        return std::vector<int>{WindowLeft(), WindowTop(), WindowOuterWidth(), WindowOuterHeight()};
    };
    EXPECT_EQ(place(), (std::vector<int>{100, 80, 500, 250}));
    WindowMoveTo(30, 40);
    EXPECT_EQ(place(), (std::vector<int>{30, 40, 500, 250}));
}

TEST_F(WindowTable, CursorPositionIsRelativeToTheOuterCorner)
{
    WindowOpen(0, 100, 80, 200, 100, Caption | FlagHidden, "");
    SetCursorPos(150, 95);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(WindowCursorX(), cursor.x - 100);
    EXPECT_EQ(WindowCursorY(), cursor.y - 80);
}

TEST_F(WindowTable, FlagHiddenIsInvertedIntoTheVisibleStyle)
{
    // Number 9 stays open, visible, until the process ends: hiding or destroying a visible
    // top-level window costs seconds without a window manager.
    HWND shown = WindowOpen(9, 0, 0, 100, 50, Caption, "");
    HWND hidden = WindowOpen(8, 0, 0, 100, 50, Caption | FlagHidden, "");
    EXPECT_TRUE(IsWindowVisible(shown));
    EXPECT_FALSE(IsWindowVisible(hidden));
    WindowSetHidden(8, 0);
    EXPECT_TRUE(IsWindowVisible(hidden));
    Windows.Table.Handles[9] = 0;   // keep the restart of the next test away from it
    Windows.Table.Handles[8] = 0;
}

TEST_F(WindowTable, OpeningBeyondTheTableGrowsItToNumberPlusTenKeepingTheHandles)
{
    ASSERT_EQ(Windows.Table.Capacity, 10u);
    HWND three = WindowOpen(3, 0, 0, 50, 50, FlagHidden, "");
    HWND twentyFive = WindowOpen(25, 0, 0, 50, 50, FlagHidden, "");
    EXPECT_EQ(Windows.Table.Capacity, 35u);
    EXPECT_GE(HeapSize(Runtime.RuntimeHeap, 0, Windows.Table.Handles), 37 * sizeof(HWND));
    EXPECT_EQ(Windows.Table.Handles[3], three);
    EXPECT_EQ(Windows.Table.Handles[25], twentyFive);
    for (int n = 0; n < 37; n++)
        if (n != 3 && n != 25) EXPECT_EQ(Windows.Table.Handles[n], nullptr) << n;

    WindowTestLayerRestart();
    HWND ten = WindowOpen(10, 0, 0, 50, 50, FlagHidden, "");
    EXPECT_EQ(Windows.Table.Capacity, 20u);
    EXPECT_EQ(Windows.Table.Handles[10], ten);
}

TEST_F(WindowTable, ReopeningANumberReplacesTheWindowAndItsClass)
{
    HWND first = WindowOpen(12, 0, 0, 50, 50, FlagHidden, "");
    EXPECT_EQ(OutsideClassName(first), "WindowClass_12");

    HWND second = WindowOpen(12, 0, 0, 50, 50, FlagHidden, "");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Windows.Table.Handles[12], second);
    EXPECT_EQ(OutsideClassName(second), "WindowClass_12");
    EXPECT_EQ(GetClassLongPtrA(second, GCLP_WNDPROC), (LONG_PTR)WindowProc);

    WindowClose(12);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(Windows.Table.Handles[12], nullptr);
    EXPECT_FALSE(ClassRegistered("WindowClass_12"));
    EXPECT_TRUE(ClassRegistered("TemplateClass"));
}

// Every field of the class template, as the runtime keeps it and as the platform registered
// it for the pages ("TemplateClass") and for a window's own class.
TEST_F(WindowTable, EveryClassIsTheTemplateFieldByField)
{
    HWND window = WindowOpen(3, 0, 0, 50, 50, FlagHidden, "");
    const WNDCLASSA &tpl = Windows.WindowClassTemplate;
    WNDCLASSA page = {}, own = {};
    ASSERT_TRUE(GetClassInfoA(Runtime.ModuleHandle, "TemplateClass", &page));
    ASSERT_TRUE(GetClassInfoA(Runtime.ModuleHandle, "WindowClass_3", &own));
    const struct {
        const char *Field;
        uintptr_t Template, Page, Own, Expected;
    } rows[] = {
        {"style", tpl.style, page.style, own.style, 0},
        {"lpfnWndProc", (uintptr_t)tpl.lpfnWndProc, (uintptr_t)page.lpfnWndProc,
         (uintptr_t)own.lpfnWndProc, (uintptr_t)WindowProc},
        {"cbClsExtra", (uintptr_t)tpl.cbClsExtra, (uintptr_t)page.cbClsExtra,
         (uintptr_t)own.cbClsExtra, 0},
        {"cbWndExtra", (uintptr_t)tpl.cbWndExtra, (uintptr_t)page.cbWndExtra,
         (uintptr_t)own.cbWndExtra, 0},
        {"hInstance", (uintptr_t)tpl.hInstance, (uintptr_t)page.hInstance, (uintptr_t)own.hInstance,
         (uintptr_t)Runtime.ModuleHandle},
        {"hIcon", (uintptr_t)tpl.hIcon, (uintptr_t)page.hIcon, (uintptr_t)own.hIcon,
         (uintptr_t)LoadIconA(Runtime.ModuleHandle, MAKEINTRESOURCEA(1))},
        {"hCursor", (uintptr_t)tpl.hCursor, (uintptr_t)page.hCursor, (uintptr_t)own.hCursor,
         (uintptr_t)LoadCursorA(nullptr, IDC_ARROW)},
        {"hbrBackground", (uintptr_t)tpl.hbrBackground, (uintptr_t)page.hbrBackground,
         (uintptr_t)own.hbrBackground, (uintptr_t)(COLOR_BTNFACE + 1)},
        {"lpszMenuName", (uintptr_t)tpl.lpszMenuName, (uintptr_t)page.lpszMenuName,
         (uintptr_t)own.lpszMenuName, 0},
        {"lpszClassName", (uintptr_t)tpl.lpszClassName, 0, 0, (uintptr_t)Windows.WindowClassName},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(row.Template, row.Expected) << row.Field << " of the template";
        if (row.Field == std::string("lpszClassName")) continue;
        EXPECT_EQ(row.Page, row.Expected) << row.Field << " of TemplateClass";
        EXPECT_EQ(row.Own, row.Expected) << row.Field << " of WindowClass_3";
    }
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), 0);
}

// The colour a window's class background paints, erased into a bitmap of the test's own so
// that hidden windows serve; a dead brush paints nothing and leaves the marker colour.
COLORREF ErasedColour(HWND window)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixel(dc, 1, 1, RGB(1, 2, 3));
    SendMessageA(window, WM_ERASEBKGND, (WPARAM)dc, 0);
    COLORREF colour = GetPixel(dc, 1, 1);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The platform deletes a class's background brush when the class is unregistered: closing
// or reopening one window must leave every other class, the page class among them, with a
// live background of the button-face colour.
TEST_F(WindowTable, ClosingAWindowLeavesEveryOtherBackgroundAlive)
{
    const std::vector<std::vector<int32_t>> sequences = {
        {0, 1, ~1},         // open 0, open 1, close 1
        {0, 0},             // open 0, reopen 0
        {0, 1, ~0, 2, 1},   // close the first, open another, reopen one
    };
    auto live = [](HBRUSH brush) {
        return brush == (HBRUSH)(COLOR_BTNFACE + 1) || GetObjectType(brush) == OBJ_BRUSH;
    };
    for (const auto &steps : sequences) {
        for (int32_t step : steps) {
            if (step >= 0)
                ASSERT_NE(WindowOpen(step, 0, 0, 50, 50, FlagHidden, ""), nullptr);
            else
                WindowClose(~step);
            WNDCLASSA page;
            ASSERT_TRUE(GetClassInfoA(Runtime.ModuleHandle, "TemplateClass", &page));
            EXPECT_TRUE(live(page.hbrBackground)) << "page class";
            for (int32_t number = 0; number < 3; number++) {
                HWND window = Windows.Table.Handles[number];
                if (!window) continue;
                EXPECT_TRUE(live((HBRUSH)GetClassLongPtrA(window, GCLP_HBRBACKGROUND))) << number;
                EXPECT_EQ(ErasedColour(window), GetSysColor(COLOR_BTNFACE)) << number;
            }
        }
        for (int32_t number = 0; number < 3; number++) WindowClose(number);
    }
}

TEST_F(WindowTable, CloseOfAFreeOrImpossibleNumberDoesNothing)
{
    HWND two = WindowOpen(2, 0, 0, 50, 50, FlagHidden, "");
    WindowClose(5);
    WindowClose(-1);
    WindowClose(1000);
    EXPECT_TRUE(IsWindow(two));
    EXPECT_EQ(Windows.Table.Capacity, 10u);
    EXPECT_EQ(CurrentWindowHandle(), two);
    // The current window stays where it was, closed or not, until the next Open or Use.
    WindowClose(2);
    EXPECT_EQ(CurrentWindowHandle(), two);
}

TEST_F(WindowTable, UseSelectsByNumberAndNullForNumbersWithoutWindow)
{
    HWND one = WindowOpen(1, 0, 0, 50, 50, FlagHidden, "");
    HWND four = WindowOpen(4, 0, 0, 50, 50, FlagHidden, "");
    WindowUse(1);
    EXPECT_EQ(CurrentWindowHandle(), one);
    int32_t *descriptor = WindowDescriptor();
    EXPECT_EQ(descriptor[0], 1);
    EXPECT_EQ(descriptor[1], (int32_t)(intptr_t)one);
    WindowUse(4);
    EXPECT_EQ(CurrentWindowHandle(), four);
    WindowUse(7);
    EXPECT_EQ(CurrentWindowHandle(), nullptr);
    WindowUse(4);
    WindowUse(500);
    EXPECT_EQ(CurrentWindowHandle(), nullptr);
    WindowUse(4);
    WindowUse(-3);
    EXPECT_EQ(CurrentWindowHandle(), nullptr);
    EXPECT_EQ(WindowOuterWidth(), 0);   // no window: the queries read nothing
}

TEST_F(WindowTable, ATableThatCannotGrowRefusesTheOpenAndStaysAsItWas)
{
    HWND zero = WindowOpen(0, 0, 0, 50, 50, FlagHidden, "");
    HWND *before = Windows.Table.Handles;
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(WindowOpen(40, 0, 0, 50, 50, FlagHidden, ""), nullptr);
    Heap.HeapFailAt = 0;
    EXPECT_EQ(CurrentWindowHandle(), nullptr);
    EXPECT_EQ(Windows.Table.Capacity, 10u);
    EXPECT_EQ(Windows.Table.Handles, before);
    EXPECT_EQ(Windows.Table.Handles[0], zero);
    EXPECT_FALSE(ClassRegistered("WindowClass_40"));

    // So large that the table's byte size would not fit 32 bits.
    EXPECT_EQ(WindowOpen(0x7FFFFFF0, 0, 0, 50, 50, FlagHidden, ""), nullptr);
    EXPECT_EQ(Windows.Table.Capacity, 10u);
    EXPECT_NE(WindowOpen(40, 0, 0, 50, 50, FlagHidden, ""), nullptr);
    EXPECT_EQ(Windows.Table.Capacity, 50u);
    EXPECT_EQ(Windows.Table.Handles[0], zero);
}

TEST_F(WindowTable, InitWithoutATableLetsTheFirstOpenGrowOneFromNothing)
{
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    WindowLayerInit();
    Heap.HeapFailAt = 0;
    EXPECT_EQ(Windows.Table.Capacity, 0u);
    EXPECT_EQ(Windows.Table.Handles, nullptr);
    WindowUse(0);
    EXPECT_EQ(CurrentWindowHandle(), nullptr);
    WindowClose(0);
    HWND two = WindowOpen(2, 0, 0, 50, 50, FlagHidden, "");
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(Windows.Table.Capacity, 12u);
    EXPECT_EQ(Windows.Table.Handles[2], two);
}

}   // namespace
