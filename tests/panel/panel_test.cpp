// Panels on the visible window: tabs and their pages, which page is on show, selection by
// program and by a click, titles, removal, nesting and the gadget-list stack.
#include "support/gadget_parent.h"
#include "support/wine_assumes.h"

#include <algorithm>

using PanelTest = VisibleWindowTest;

enum { PanelNumber = 20 };

// The page is on show and takes input, and the other one (if given) is not on show.
static bool ShownAndEnabled(HWND page, HWND hidden = nullptr)
{
    return IsWindowVisible(page) && IsWindowEnabled(page) && !IsWindowVisible(hidden);
}

static std::string Title(int number, int index)
{
    return ScratchRead([=] { GadgetGetItemText(number, index, 0); });
}

static std::string SelectedTitle(int number)
{
    return ScratchRead([=] { GadgetGetText(number); });
}

// A click as the mouse makes it: button down and up at the middle of the tab, fetched.
static std::vector<EventRow> ClickTab(HWND tab, int index)
{
    RECT r = TabRect(tab, index);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tab, WM_LBUTTONUP, 0, at);
    return WindowTestDrain();
}

static bool Recorded(const std::vector<EventRow> &events, int code, unsigned object)
{
    return std::any_of(events.begin(), events.end(),
                       [&](const EventRow &e) { return e.Code == code && e.Object == object; });
}

TEST_F(PanelTest, ANewPanelIsATabControlWithoutTabs)
{
    HWND tab = GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
    ASSERT_NE(tab, nullptr);
    std::vector<CreationRecord> made = TakeCreations();
    ASSERT_GE(made.size(), 1u);
    EXPECT_EQ(made[0].Id, PanelNumber);
    EXPECT_EQ(made[0].Parent, Window);

    EXPECT_EQ(GadgetCountItems(PanelNumber), 0);
    EXPECT_EQ(GadgetGetState(PanelNumber), -1);
    EXPECT_EQ(SelectedTitle(PanelNumber), "");   // the reader checks the cursor stays put
    GadgetClearItems(PanelNumber);
    EXPECT_EQ(GadgetCountItems(PanelNumber), 0);
    EXPECT_GT(Panels.TabRowHeight, 0) << "measured with a temporary tab";
    EXPECT_EQ(Panels.LastPanel, tab);
    EXPECT_EQ(Panels.TabCounter, 0);
    EXPECT_EQ(Panels.GadgetListDepth, 1);
    EXPECT_EQ(Panels.GadgetListStack[0], Window);
    GadgetListClose();
}

TEST_F(PanelTest, GadgetsBeforeTheFirstTabGoBesideThePanel)
{
    GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
    HWND beside = GadgetCreateButton(1, 320, 10, 80, 24, "beside");
    EXPECT_EQ(GetParent(beside), Window);
    GadgetAddItem(PanelNumber, -1, "one");
    HWND inside = GadgetCreateButton(2, 10, 10, 80, 24, "inside");
    EXPECT_EQ(GetParent(inside), PageOf(GadgetGetHandle(PanelNumber), 0));
    GadgetListClose();
    EXPECT_EQ(Gadgets.GadgetParent, Window);
}

TEST_F(PanelTest, TheFirstPageShowsAtOnceAndLaterPagesWaitForTheirTab)
{
    HWND tab = GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
    TakeCreations();
    GadgetAddItem(PanelNumber, -1, "one");
    std::vector<CreationRecord> made = TakeCreations();
    HWND page0 = PageOf(tab, 0);
    ASSERT_NE(page0, nullptr);
    ASSERT_EQ(made.size(), 1u);
    RECT client;
    GetClientRect(tab, &client);
    EXPECT_EQ(made[0].Parent, tab);
    EXPECT_EQ(made[0].Id, 0);
    EXPECT_EQ(made[0].X, 2);
    EXPECT_EQ(made[0].Y, Panels.TabRowHeight + 2);
    EXPECT_EQ(made[0].Width, client.right - 4);
    EXPECT_EQ(made[0].Height, client.bottom - Panels.TabRowHeight - 4);
    EXPECT_EQ(Gadgets.GadgetParent, page0);
    EXPECT_TRUE(ShownAndEnabled(page0));
    EXPECT_EQ(GetWindow(tab, GW_CHILD), page0);

    GadgetAddItem(PanelNumber, -1, "two");
    HWND page1 = PageOf(tab, 1);
    EXPECT_EQ(Gadgets.GadgetParent, page1);
    EXPECT_FALSE(IsWindowVisible(page1));
    EXPECT_TRUE(IsWindowEnabled(page1)) << "a page never shown is hidden and enabled";
    EXPECT_TRUE(ShownAndEnabled(page0));
    EXPECT_EQ(GadgetCountItems(PanelNumber), 2);
    EXPECT_EQ(GadgetGetState(PanelNumber), 0);
    EXPECT_EQ(Panels.TabCounter, 2);
    GadgetListClose();
}

class TwoTabPanelTest : public PanelTest {
  protected:
    HWND Tab = nullptr, Page0 = nullptr, Page1 = nullptr;
    void SetUp() override
    {
        PanelTest::SetUp();
        Tab = GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
        GadgetAddItem(PanelNumber, -1, "zero");
        GadgetCreateButton(1, 10, 10, 80, 24, "on zero");
        GadgetAddItem(PanelNumber, -1, "one");
        GadgetCreateButton(2, 10, 10, 80, 24, "on one");
        GadgetListClose();
        Page0 = PageOf(Tab, 0);
        Page1 = PageOf(Tab, 1);
        WindowTestFlush();
    }
};

TEST_F(TwoTabPanelTest, SelectingByProgramSwapsThePagesAndRecordsNoEvent)
{
    SetFocus(GadgetGetHandle(1));
    HWND focus = GetFocus();
    GadgetSetState(PanelNumber, 1);
    EXPECT_EQ(EventState.PendingCode, 0);
    EXPECT_EQ(GadgetGetState(PanelNumber), 1);
    EXPECT_TRUE(ShownAndEnabled(Page1, Page0));
    EXPECT_FALSE(IsWindowEnabled(Page0)) << "a page switched away from is disabled";
    EXPECT_EQ(GetWindow(Tab, GW_CHILD), Page1);
    EXPECT_TRUE(IsWindowVisible(GadgetGetHandle(2)));
    EXPECT_FALSE(IsWindowVisible(GadgetGetHandle(1)));
    std::vector<EventRow> events = WindowTestDrain();
    EXPECT_FALSE(Recorded(events, EventCodeControl, PanelNumber));
    (void)focus;
}

TEST_F(TwoTabPanelTest, AClickOnATabRecordsTheControlEventAndSwitchesPages)
{
    GadgetSetState(PanelNumber, 1);
    WindowTestFlush();
    std::vector<EventRow> events = ClickTab(Tab, 0);
    EXPECT_TRUE(Recorded(events, EventCodeControl, PanelNumber));
    EXPECT_EQ(GadgetGetState(PanelNumber), 0);
    EXPECT_TRUE(ShownAndEnabled(Page0, Page1));
    EXPECT_FALSE(IsWindowEnabled(Page1));
    EXPECT_EQ(GetWindow(Tab, GW_CHILD), Page0);

    // And by a click back to tab 1: the page a program selection showed takes part as well.
    events = ClickTab(Tab, 1);
    EXPECT_TRUE(Recorded(events, EventCodeControl, PanelNumber));
    EXPECT_TRUE(ShownAndEnabled(Page1, Page0));
}

TEST_F(TwoTabPanelTest, AnIndexPastTheLastTabShowsTheSelectedPageAgain)
{
    GadgetSetState(PanelNumber, 1);
    GadgetSetState(PanelNumber, 7);
    EXPECT_EQ(GadgetGetState(PanelNumber), 1);
    EXPECT_TRUE(ShownAndEnabled(Page1, Page0));
}

// A tab whose item carries no page, selected by program and by a click on the same panel:
// both hide and disable the page on show, and neither shows another.
TEST_F(TwoTabPanelTest, ATabWithoutAPageHidesThePageOnShowByProgramAndByClick)
{
    char title[] = "leer";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    ASSERT_EQ(SendMessageA(Tab, TCM_INSERTITEMA, 2, (LPARAM)&item), 2);
    for (bool byClick : {false, true}) {
        GadgetSetState(PanelNumber, 1);
        WindowTestFlush();
        ASSERT_TRUE(ShownAndEnabled(Page1));
        if (byClick)
            EXPECT_TRUE(Recorded(ClickTab(Tab, 2), EventCodeControl, PanelNumber));
        else
            GadgetSetState(PanelNumber, 2);
        EXPECT_EQ(GadgetGetState(PanelNumber), 2) << "by click " << byClick;
        EXPECT_FALSE(IsWindowVisible(Page1)) << "by click " << byClick;
        EXPECT_FALSE(IsWindowEnabled(Page1)) << "by click " << byClick;
        EXPECT_FALSE(IsWindowVisible(Page0)) << "by click " << byClick;
    }
    // The next tab with a page is shown as usual.
    GadgetSetState(PanelNumber, 0);
    EXPECT_TRUE(ShownAndEnabled(Page0, Page1));
}

// The page on show stays, and the next selection still finds it through its tab and hides it.
TEST_F(TwoTabPanelTest, ANegativeIndexClearsTheSelection)
{
    WINE_ASSUMES("Wine's tab control takes a negative index as no selection");
    GadgetSetState(PanelNumber, 1);
    GadgetSetState(PanelNumber, -5);
    EXPECT_EQ(GadgetGetState(PanelNumber), -1);
    EXPECT_TRUE(ShownAndEnabled(Page1));
    GadgetSetState(PanelNumber, 0);
    EXPECT_TRUE(ShownAndEnabled(Page0, Page1));
}

TEST_F(TwoTabPanelTest, RenamingKeepsTheSelectedPageInFront)
{
    GadgetSetState(PanelNumber, 1);
    GadgetSetText(PanelNumber, "renamed");
    EXPECT_EQ(SelectedTitle(PanelNumber), "renamed");
    EXPECT_EQ(Title(PanelNumber, 0), "zero");
    EXPECT_TRUE(ShownAndEnabled(Page1, Page0));

    GadgetSetItemText(PanelNumber, 0, "first", 0);
    EXPECT_EQ(Title(PanelNumber, 0), "first");
    EXPECT_EQ(GadgetGetState(PanelNumber), 1);
    EXPECT_TRUE(ShownAndEnabled(Page1, Page0));
    EXPECT_EQ(GetWindow(Tab, GW_CHILD), Page1);

    // No tab at the index: nothing is renamed, the empty text is read.
    GadgetSetItemText(PanelNumber, 5, "nowhere", 0);
    EXPECT_EQ(Title(PanelNumber, 5), "");
    EXPECT_EQ(GadgetCountItems(PanelNumber), 2);
    EXPECT_TRUE(ShownAndEnabled(Page1));
}

TEST_F(TwoTabPanelTest, TitlesAreReadUpTo999CharactersAndInsideTheScratchBuffer)
{
    std::string longTitle(1500, 't');
    GadgetSetItemText(PanelNumber, 0, longTitle.c_str(), 0);
    EXPECT_EQ(Title(PanelNumber, 0), std::string(999, 't'));

    GuardedScratch guarded;
    char *end = ScratchEnd();
    end[-6] = 'x';
    Scratch.ScratchCursor = end - 5;
    GadgetGetItemText(PanelNumber, 1, 0);
    EXPECT_EQ(std::string(end - 5), "one");
    EXPECT_EQ(Scratch.ScratchCursor, end - 2);
    Scratch.ScratchCursor = end - 1;
    GadgetGetText(PanelNumber);   // "zero" cut to what fits: one character and the zero
    EXPECT_EQ(std::string(end - 1), "t");
    EXPECT_EQ(Scratch.ScratchCursor, end);
    EXPECT_EQ(end[-6], 'x');
}

TEST_F(TwoTabPanelTest, RemovingTheSelectedTabLeavesNoPageVisible)
{
    HWND onePage1 = GadgetGetHandle(2);
    GadgetSetState(PanelNumber, 1);
    GadgetRemoveItem(PanelNumber, 1);
    EXPECT_EQ(GadgetCountItems(PanelNumber), 1);
    EXPECT_FALSE(IsWindow(Page1));
    EXPECT_FALSE(IsWindow(onePage1)) << "the page's gadgets go with it";
    EXPECT_FALSE(IsWindowVisible(Page0));
    EXPECT_EQ(Panels.TabCounter, 2) << "removal does not lower the counter";
    // Selecting the remaining tab brings its page back.
    GadgetSetState(PanelNumber, 0);
    EXPECT_TRUE(ShownAndEnabled(Page0));
}

TEST_F(TwoTabPanelTest, RemovingAnotherTabKeepsTheVisiblePage)
{
    GadgetRemoveItem(PanelNumber, 1);
    EXPECT_TRUE(ShownAndEnabled(Page0));
    GadgetRemoveItem(PanelNumber, 3);   // no tab there: nothing happens
    EXPECT_EQ(GadgetCountItems(PanelNumber), 1);
    EXPECT_TRUE(ShownAndEnabled(Page0));
}

TEST_F(TwoTabPanelTest, ClearingDestroysEveryPage)
{
    GadgetClearItems(PanelNumber);
    EXPECT_EQ(GadgetCountItems(PanelNumber), 0);
    EXPECT_FALSE(IsWindow(Page0));
    EXPECT_FALSE(IsWindow(Page1));
    EXPECT_EQ(GetWindow(Tab, GW_CHILD), nullptr);
}

TEST_F(PanelTest, NestedPanelsAndTwoClosesReturnToTheRightParents)
{
    HWND outer = GadgetCreatePanel(PanelNumber, 10, 10, 400, 300);
    GadgetAddItem(PanelNumber, -1, "outer");
    HWND outerPage = PageOf(outer, 0);
    HWND inner = GadgetCreatePanel(PanelNumber + 1, 5, 5, 300, 200);
    EXPECT_EQ(GetParent(inner), outerPage);
    EXPECT_EQ(Panels.GadgetListDepth, 2);
    EXPECT_EQ(Panels.GadgetListStack[1], outerPage);
    GadgetAddItem(PanelNumber + 1, -1, "inner");
    HWND innerPage = PageOf(inner, 0);
    EXPECT_EQ(GetParent(GadgetCreateButton(1, 5, 5, 60, 20, "in")), innerPage);
    EXPECT_TRUE(ShownAndEnabled(innerPage));

    GadgetListClose();
    EXPECT_EQ(GetParent(GadgetCreateButton(2, 5, 250, 60, 20, "page")), outerPage);
    GadgetListClose();
    EXPECT_EQ(GetParent(GadgetCreateButton(3, 450, 5, 60, 20, "window")), Window);
    EXPECT_EQ(Panels.GadgetListDepth, 0);
    GadgetListClose();   // an empty stack leaves the parent alone
    EXPECT_EQ(Gadgets.GadgetParent, Window);
}

TEST_F(PanelTest, GadgetListCloseAfterGadgetListUseGivesTheSavedParentBack)
{
    GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
    GadgetListUse(GadgetGetHandle(PanelNumber));
    GadgetListClose();
    EXPECT_EQ(Gadgets.GadgetParent, Window);
}

static int TabCount(HWND tab)
{
    return (int)SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
}

// Pages of a panel's tabs that are shown (by their own style: a panel on a hidden page counts).
static int VisiblePages(HWND tab)
{
    int visible = 0;
    for (int index = 0; index < TabCount(tab); index++)
        visible += HasStyle(PageOf(tab, index), WS_VISIBLE);
    return visible;
}

// Tabs added to an outer panel before and after inner panels were made on its pages: each goes
// after the outer panel's last tab, and only its first tab's page showed at once, whatever the
// inner panels received in between.
TEST_F(PanelTest, ATabAddedToAnOlderPanelGoesAfterItsLastTab)
{
    // 'O' adds the title to the outer panel, 'I' makes an inner panel on the outer's newest
    // page, 'i' adds the title to the newest inner panel, 'C' closes the inner panel's list.
    struct Step {
        char What;
        const char *Title;
    };
    const std::vector<std::vector<Step>> rows = {
        {{'O', "A"}, {'I', ""}, {'C', ""}, {'O', "B"}},
        {{'O', "A"},
         {'I', ""},
         {'i', "i1"},
         {'i', "i2"},
         {'C', ""},
         {'O', "B"},
         {'O', "C"},
         {'I', ""},
         {'i', "j1"},
         {'C', ""},
         {'O', "D"}},
        {{'I', ""}, {'i', "i1"}, {'C', ""}, {'O', "A"}, {'O', "B"}},
    };
    for (const auto &steps : rows) {
        HWND outer = GadgetCreatePanel(PanelNumber, 10, 10, 400, 300);
        std::vector<HWND> panels = {outer};
        std::string expected;
        int inner = PanelNumber;
        for (const Step &step : steps) {
            if (step.What == 'O') {
                GadgetAddItem(PanelNumber, -1, step.Title);
                expected += step.Title;
            } else if (step.What == 'I') {
                panels.push_back(GadgetCreatePanel(++inner, 5, 5, 300, 200));
            } else if (step.What == 'i') {
                GadgetAddItem(inner, -1, step.Title);
            } else {
                GadgetListClose();
            }
            for (HWND panel : panels)
                EXPECT_EQ(VisiblePages(panel), TabCount(panel) > 0 ? 1 : 0)
                    << step.What << step.Title;
        }
        std::string titles;
        for (int index = 0; index < TabCount(outer); index++) titles += Title(PanelNumber, index);
        EXPECT_EQ(titles, expected);
        // Each tab's page is its own: the lParam follows the tab.
        for (int index = 0; index < TabCount(outer); index++)
            EXPECT_EQ(GetParent(PageOf(outer, index)), outer);
        GadgetListClose();
        GadgetFree(PanelNumber);
    }
}

TEST_F(PanelTest, ResizingAPanelLaysItsPagesOutAgain)
{
    HWND tab = GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
    for (const char *t : {"a", "b", "c"}) GadgetAddItem(PanelNumber, -1, t);
    GadgetListClose();
    GadgetResize(PanelNumber, -1, -1, 420, 260);
    RECT client;
    GetClientRect(tab, &client);
    EXPECT_EQ(client.right, 420);
    RECT first = TabRect(tab, 0);
    for (int i = 0; i < 3; i++) {
        RECT page, placed;
        GetClientRect(PageOf(tab, i), &page);
        EXPECT_EQ(page.right, client.right - 4) << "page " << i;
        EXPECT_EQ(page.bottom, client.bottom - first.bottom - 4) << "page " << i;
        GetWindowRect(PageOf(tab, i), &placed);
        MapWindowPoints(nullptr, tab, (POINT *)&placed, 2);
        EXPECT_EQ(placed.left, 2) << "pages keep their place";
    }
}

TEST_F(PanelTest, ResizingAPanelWithoutTabsMovesItOnly)
{
    HWND tab = GadgetCreatePanel(PanelNumber, 10, 10, 300, 200);
    GadgetListClose();
    int rowHeight = Panels.TabRowHeight;
    Panels.TabRowHeight = 12345;
    GadgetResize(PanelNumber, 30, 40, 200, 150);
    EXPECT_EQ(GadgetGetX(PanelNumber), 30);
    EXPECT_EQ(GadgetGetY(PanelNumber), 40);
    EXPECT_EQ(GadgetGetWidth(PanelNumber), 200);
    EXPECT_EQ(Panels.TabRowHeight, 12345) << "no layout ran";
    Panels.TabRowHeight = rowHeight;
    (void)tab;
}

TEST_F(PanelTest, ATwentyFirstUnclosedPanelIsRefusedAndItsCloseStillPairs)
{
    std::vector<HWND> pages;
    for (int level = 0; level < GadgetListStackSize; level++) {
        ASSERT_NE(GadgetCreatePanel(PanelNumber + level, 2, 2, 200, 150), nullptr);
        GadgetAddItem(PanelNumber + level, -1, "t");
        pages.push_back(Gadgets.GadgetParent);
    }
    ASSERT_EQ(Panels.GadgetListDepth, GadgetListStackSize);
    const int refused = PanelNumber + GadgetListStackSize;
    EXPECT_EQ(GadgetCreatePanel(refused, 2, 2, 100, 100), nullptr);
    EXPECT_EQ(GadgetGetHandle(refused), nullptr) << "nothing was created";
    EXPECT_EQ(GadgetCreatePanel(refused + 1, 2, 2, 100, 100), nullptr);
    EXPECT_EQ(Panels.GadgetListDepth, GadgetListStackSize);
    EXPECT_EQ(Gadgets.GadgetParent, pages.back());

    // Two closes for the two refused panels, then one per real level.
    GadgetListClose();
    GadgetListClose();
    EXPECT_EQ(Gadgets.GadgetParent, pages.back());
    for (int level = GadgetListStackSize - 1; level > 0; level--) {
        GadgetListClose();
        EXPECT_EQ(Gadgets.GadgetParent, pages[level - 1]) << "level " << level;
    }
    GadgetListClose();
    EXPECT_EQ(Gadgets.GadgetParent, Window);
    // The stack is whole again: a new panel is accepted.
    EXPECT_NE(GadgetCreatePanel(refused, 2, 2, 100, 100), nullptr);
    GadgetListClose();
}

// A window that opens visible is active and holds the focus itself, so no control has it; the
// first Tab goes to the first candidate in the window's child order. That is creation order,
// except that a panel moves to the front when its first tab is added: its tab control and the
// page on show come before gadgets created earlier. (On a window of its own, opened here.)
TEST_F(PanelTest, OnOpeningTheWindowHasTheFocusAndAPanelIsVisitedBeforeEarlierGadgets)
{
    HWND opened = WindowOpen(8, 60, 60, 400, 200, WS_CAPTION | WS_SYSMENU, "Fokus");
    ASSERT_NE(opened, nullptr);
    WindowTestFlush();
    ASSERT_EQ(GetActiveWindow(), opened);
    EXPECT_EQ(GetFocus(), opened);
    GadgetListUse(opened);
    HWND first = GadgetCreateButton(1, 10, 150, 80, 24, "zuerst");
    HWND tab = GadgetCreatePanel(PanelNumber, 10, 10, 300, 130);
    GadgetAddItem(PanelNumber, -1, "Seite");
    HWND onPage = GadgetCreateButton(2, 10, 10, 80, 24, "Seite");
    GadgetListClose();
    HWND last = GadgetCreateButton(3, 100, 150, 80, 24, "zuletzt");
    WindowTestFlush();
    EXPECT_EQ(GetFocus(), opened) << "a gadget created later does not take the focus";
    for (HWND expected : {tab, onPage, first, last, tab}) {
        HWND to = GetFocus();
        PostMessageA(to, WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageA(to, WM_KEYUP, VK_TAB, 0xC00F0001);
        while (WindowPollEvent() != 0) {
        }
        EXPECT_EQ(GetFocus(), expected);
    }
    WindowClose(8);
    GadgetListUse(Window);
    SetActiveWindow(Window);
    WindowTestFlush();
}
