// The gallery end to end: started as its own process and driven from this one the way an
// automation tool drives a program, with posted mouse messages, synthesised key presses and
// reads of its controls. Nothing here looks inside the program. The tests share one gallery
// and run in any order; the one that closes a gallery starts its own.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/outside_reader.h"

namespace {

// Gadget numbers of the gallery.
enum : int {
    LogList = 0,
    PushButton = 2,
    OptionA = 5,
    OptionB = 6,
    OptionC = 7,
    Panel = 13,
    InnerPanel = 18,
};

// The gallery the tests share.
OutsideProgram Gallery;
HWND GalleryWindow;

// Starts a gallery and waits until its window holds the log; the window, or null.
HWND StartGallery(OutsideProgram *process)
{
    if (!OutsideStart(OutsideOwnDirectory() + "gallery.exe", process)) {
        ADD_FAILURE() << "cannot start the gallery: error " << GetLastError();
        return nullptr;
    }
    WaitForInputIdle(process->Process, 10000);
    auto holdsLog = [](HWND window) { return GetDlgItem(window, LogList) != nullptr; };
    return OutsideFindWindow(process->ProcessId, nullptr, "Gadget gallery", holdsLog, 10000);
}

// A gadget anywhere in the window, on pages too (pages themselves have the number 0).
HWND Gadget(int number)
{
    if (number == LogList) return GetDlgItem(GalleryWindow, LogList);
    return OutsideFindGadget(GalleryWindow, number);
}

// Sends a message whose lParam points at a record, through a copy in the gallery's memory.
template <typename Record>
LRESULT SendWithRecord(HWND control, UINT message, WPARAM wParam, Record &record)
{
    void *remote =
        VirtualAllocEx(Gallery.Process, nullptr, sizeof(Record), MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr) return 0;
    WriteProcessMemory(Gallery.Process, remote, &record, sizeof(Record), nullptr);
    LRESULT result = SendMessageA(control, message, wParam, (LPARAM)remote);
    ReadProcessMemory(Gallery.Process, remote, &record, sizeof(Record), nullptr);
    VirtualFreeEx(Gallery.Process, remote, 0, MEM_RELEASE);
    return result;
}

std::vector<HWND> PagesOf(HWND tab)
{
    std::vector<HWND> pages;
    int count = (int)SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        SendWithRecord(tab, TCM_GETITEMA, (WPARAM)i, item);
        pages.push_back((HWND)item.lParam);
    }
    return pages;
}

std::vector<std::string> LogLines()
{
    return OutsideListLines(Gadget(LogList));
}

// Waits until a line that begins with the prefix appears behind the first `from` lines.
bool LogShows(const std::string &prefix, size_t from)
{
    for (int tries = 0; tries < 100; tries++) {
        std::vector<std::string> lines = LogLines();
        for (size_t i = from; i < lines.size(); i++)
            if (lines[i].compare(0, prefix.size(), prefix) == 0) return true;
        Sleep(50);
    }
    return false;
}

void ClickAt(HWND control, int x, int y)
{
    LPARAM at = MAKELPARAM(x, y);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void ClickTab(HWND tab, int index)
{
    RECT r = {};
    SendWithRecord(tab, TCM_GETITEMRECT, (WPARAM)index, r);
    ClickAt(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

HWND FocusOfGallery()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(GalleryWindow, nullptr), &info);
    return info.hwndFocus;
}

bool IsCandidate(HWND window)
{
    return IsWindowEnabled(window) && IsWindowVisible(window) &&
           (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) != 0;
}

BOOL CALLBACK CollectCandidates(HWND window, LPARAM list)
{
    if (IsCandidate(window)) ((std::vector<HWND> *)list)->push_back(window);
    return TRUE;
}

// Selecting a tab shows exactly its page among the panel's pages, enabled.
void ExpectOnlyPageShown(HWND tab, size_t index)
{
    std::vector<HWND> pages = PagesOf(tab);
    ASSERT_LT(index, pages.size());
    for (int tries = 0; tries < 100 && !IsWindowVisible(pages[index]); tries++) Sleep(20);
    for (size_t i = 0; i < pages.size(); i++)
        EXPECT_EQ(IsWindowVisible(pages[i]) != FALSE, i == index) << "page " << i;
    EXPECT_TRUE(IsWindowEnabled(pages[index]));
}

}   // namespace

class GalleryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        GalleryWindow = StartGallery(&Gallery);
        ASSERT_NE(GalleryWindow, nullptr);
    }

    static void TearDownTestSuite() { OutsideStop(&Gallery); }

    void SetUp() override
    {
        ASSERT_NE(GalleryWindow, nullptr);
        ASSERT_NE(Gadget(LogList), nullptr);
    }
};

TEST_F(GalleryTest, HoldsEveryKindAndAPanelWithThreeTabs)
{
    const char *classes[][2] = {{"1", "Static"}, {"2", "Button"},          {"3", "ListBox"},
                                {"4", "Button"}, {"5", "Button"},          {"8", "Button"},
                                {"9", "Static"}, {"10", "Static"},         {"11", "ComboBox"},
                                {"12", "Edit"},  {"13", "SysTabControl32"}};
    for (auto &entry : classes) {
        HWND control = Gadget(atoi(entry[0]));
        ASSERT_NE(control, nullptr) << "gadget " << entry[0];
        EXPECT_STRCASEEQ(OutsideClassName(control).c_str(), entry[1]) << "gadget " << entry[0];
    }
    HWND panel = Gadget(Panel);
    EXPECT_GE(SendMessageA(panel, TCM_GETITEMCOUNT, 0, 0), 3);
    for (HWND page : PagesOf(panel)) EXPECT_NE(GetWindow(page, GW_CHILD), nullptr);
    HWND inner = Gadget(InnerPanel);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(GetParent(inner), PagesOf(panel)[1]) << "the nested panel lies on page 2";
    EXPECT_EQ(SendMessageA(Gadget(11), CB_GETCOUNT, 0, 0), 3);
}

TEST_F(GalleryTest, ClickingEachTabShowsExactlyItsPage)
{
    HWND panel = Gadget(Panel);
    int count = (int)SendMessageA(panel, TCM_GETITEMCOUNT, 0, 0);
    for (int i : {1, 2, 0, 2, 1}) {
        ASSERT_LT(i, count);
        size_t before = LogLines().size();
        ClickTab(panel, i);
        EXPECT_TRUE(LogShows("13100 gadget 13 ", before)) << "tab " << i;
        EXPECT_EQ(SendMessageA(panel, TCM_GETCURSEL, 0, 0), i);
        ExpectOnlyPageShown(panel, (size_t)i);
    }
    // The nested panel on page 2 switches its own pages the same way.
    HWND inner = Gadget(InnerPanel);
    for (int i : {1, 0}) {
        size_t before = LogLines().size();
        ClickTab(inner, i);
        EXPECT_TRUE(LogShows("13100 gadget 18 ", before)) << "inner tab " << i;
        ExpectOnlyPageShown(inner, (size_t)i);
    }
    ExpectOnlyPageShown(panel, 1);
}

TEST_F(GalleryTest, ClickingAnOptionChecksItAlone)
{
    size_t before = LogLines().size();
    ClickAt(Gadget(OptionB), 5, 5);
    EXPECT_TRUE(LogShows("13100 gadget 6 subtype 0", before));
    EXPECT_EQ(SendMessageA(Gadget(OptionA), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Gadget(OptionB), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Gadget(OptionC), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    before = LogLines().size();
    ClickAt(Gadget(OptionC), 5, 5);
    EXPECT_TRUE(LogShows("13100 gadget 7 subtype 0", before));
    EXPECT_EQ(SendMessageA(Gadget(OptionB), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Gadget(OptionC), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(GalleryTest, EveryClickIsLogged)
{
    struct {
        int Number;
        const char *Line;
    } clicks[] = {
        {PushButton, "13100 gadget 2 subtype 0"},
        {4, "13100 gadget 4 subtype 0"},
        {OptionA, "13100 gadget 5 subtype 0"},
    };
    for (auto &click : clicks) {
        size_t before = LogLines().size();
        ClickAt(Gadget(click.Number), 5, 5);
        EXPECT_TRUE(LogShows(click.Line, before)) << click.Line;
    }
    // A click on the log itself is an event of gadget 0.
    size_t before = LogLines().size();
    ClickAt(Gadget(LogList), 10, 5);
    EXPECT_TRUE(LogShows("13100 gadget 0 ", before));

    // Clicks sent from this process (BM_CLICK, as automation tools click), alone and together
    // with a click posted meanwhile: each is logged once, under its own number.
    const std::vector<std::vector<int>> sentAndPosted = {
        {PushButton}, {4, OptionA}, {PushButton, OptionC}, {OptionB, 4}};
    for (const std::vector<int> &row : sentAndPosted) {
        before = LogLines().size();
        std::thread sender([&] {
            DWORD_PTR result;
            SendMessageTimeoutA(Gadget(row[0]), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
        });
        if (row.size() > 1)
            PostMessageA(GalleryWindow, WM_COMMAND, MAKEWPARAM(row[1], BN_CLICKED),
                         (LPARAM)Gadget(row[1]));
        sender.join();
        std::multiset<std::string> expected;
        for (int number : row)
            expected.insert("13100 gadget " + std::to_string(number) + " subtype 0");
        std::vector<std::string> lines = LogLines();
        for (int tries = 0; tries < 100 && lines.size() < before + row.size(); tries++) {
            Sleep(50);
            lines = LogLines();
        }
        Sleep(200);   // nothing more may follow
        lines = LogLines();
        // The log's own focus notifications (gadget 0) come and go with the clicks.
        std::multiset<std::string> logged;
        for (size_t i = before; i < lines.size(); i++)
            if (lines[i].compare(0, 15, "13100 gadget 0 ") != 0) logged.insert(lines[i]);
        EXPECT_EQ(logged, expected) << "sent to " << row[0];
    }
}

TEST_F(GalleryTest, TabMovesTheFocusOnlyThroughVisibleControls)
{
    // The key presses go to the active window: a gallery another test started may have been.
    SetForegroundWindow(GalleryWindow);
    for (int tries = 0; tries < 100 && GetForegroundWindow() != GalleryWindow; tries++) Sleep(20);
    ASSERT_EQ(GetForegroundWindow(), GalleryWindow);
    HWND panel = Gadget(Panel);
    ClickTab(panel, 0);
    ExpectOnlyPageShown(panel, 0);
    std::vector<HWND> cycle;
    EnumChildWindows(GalleryWindow, CollectCandidates, (LPARAM)&cycle);
    ASSERT_GE(cycle.size(), 8u);
    std::vector<HWND> hiddenPages = PagesOf(panel);
    hiddenPages.erase(hiddenPages.begin());

    std::vector<HWND> visited;
    for (size_t press = 0; press < cycle.size() + 3; press++) {
        HWND before = FocusOfGallery();
        keybd_event(VK_TAB, 0, 0, 0);
        keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
        HWND now = before;
        for (int tries = 0; tries < 100 && now == before; tries++) {
            Sleep(20);
            now = FocusOfGallery();
        }
        ASSERT_NE(now, nullptr);
        EXPECT_TRUE(IsWindowVisible(now)) << "press " << press;
        for (HWND page : hiddenPages) EXPECT_FALSE(IsChild(page, now)) << "press " << press;
        visited.push_back(now);
    }
    // The focus follows the order of the visible candidates, wrapping at the end.
    size_t start = std::find(cycle.begin(), cycle.end(), visited[0]) - cycle.begin();
    ASSERT_LT(start, cycle.size());
    for (size_t i = 0; i < visited.size(); i++)
        EXPECT_EQ(visited[i], cycle[(start + i) % cycle.size()]) << "press " << i;
    std::set<HWND> distinct(visited.begin(), visited.end());
    EXPECT_EQ(distinct.size(), cycle.size());
}

// On a gallery of its own, so that the shared one stays up for the other tests.
TEST(GalleryClose, ClosingTheWindowEndsTheProgramWithZero)
{
    OutsideProgram own;
    HWND window = StartGallery(&own);
    EXPECT_NE(window, nullptr);
    if (window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(OutsideWaitExit(own, 20000), 0u);
    }
    OutsideStop(&own);
}
