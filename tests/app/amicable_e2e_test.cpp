// The search program end to end, read from a second process as a user's automation tool
// sees it: its window, its five gadgets, the live progress lines, the pair lines below
// 20000, and the close box ending the process with exit code 0.
#include <gtest/gtest.h>

#include "support/divisor_sums.h"
#include "support/outside_reader.h"

namespace {

class SearchProgram : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        Started = GetTickCount();
        ASSERT_TRUE(OutsideStart(OutsideProgramPath(AMICABLE_EXE), &Program)) << AMICABLE_EXE;
        Window = OutsideFindSearchWindow(Program.ProcessId, 20000);
    }

    static void TearDownTestSuite() { OutsideStop(&Program); }

    void SetUp() override { ASSERT_NE(Window, nullptr) << "no search window appeared"; }

    // The candidate gadget 1 shows, once it shows one.
    static long long Candidate()
    {
        long long n = -1;
        OutsideNumberAfter(OutsideText(GetDlgItem(Window, 1)), "Zahl: ", &n);
        return n;
    }

    static OutsideProgram Program;
    static HWND Window;
    static DWORD Started;
};

OutsideProgram SearchProgram::Program;
HWND SearchProgram::Window;
DWORD SearchProgram::Started;

TEST_F(SearchProgram, WindowIsCentredWithItsTitleAndAClientAreaOf600By300)
{
    EXPECT_EQ(OutsideText(Window), "Befreundete Zahlen");
    EXPECT_TRUE(IsWindowVisible(Window));
    RECT client, outer;
    GetClientRect(Window, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 300);
    GetWindowRect(Window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 600) >> 1);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) >> 1);
    LONG style = GetWindowLongA(Window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
}

TEST_F(SearchProgram, GadgetsHaveTheirClassPlaceSizeAndState)
{
    struct Row {
        int Id;
        const char *ClassName;
        int X, Y, Width, Height;
        bool Enabled;
    };
    const Row rows[] = {
        {0, "ListBox", 5, 5, 485, 269, true},   {1, "Static", 5, 279, 100, 16, true},
        {2, "Static", 110, 279, 100, 16, true}, {3, "Button", 495, 5, 100, 24, false},
        {4, "Button", 495, 34, 100, 24, false},
    };
    for (const Row &row : rows) {
        OutsideControl control = OutsideReadControl(Window, row.Id);
        ASSERT_NE(control.Handle, nullptr) << row.Id;
        EXPECT_STRCASEEQ(control.ClassName.c_str(), row.ClassName) << row.Id;
        EXPECT_EQ(control.Rect.left, row.X) << row.Id;
        EXPECT_EQ(control.Rect.top, row.Y) << row.Id;
        EXPECT_EQ(control.Rect.right - control.Rect.left, row.Width) << row.Id;
        EXPECT_EQ(control.Rect.bottom - control.Rect.top, row.Height) << row.Id;
        EXPECT_EQ(control.Enabled, row.Enabled) << row.Id;
        EXPECT_TRUE(control.Visible) << row.Id;
    }
    EXPECT_EQ(OutsideText(GetDlgItem(Window, 3)), "Start");
    EXPECT_EQ(OutsideText(GetDlgItem(Window, 4)), "Pause");
}

TEST_F(SearchProgram, ProgressLinesShowTheCandidateAndTheChainStep)
{
    long long previous = -1;
    bool moved = false;
    for (int i = 0; i < 40; i++) {
        long long n = Candidate();
        std::string step = OutsideText(GetDlgItem(Window, 2));
        if (n >= 0) {
            EXPECT_TRUE(step == "Index in Kette: 1/2" || step == "Index in Kette: 2/2") << step;
            EXPECT_GE(n, previous);
            if (previous >= 0 && n > previous) moved = true;
            previous = n;
        }
        Sleep(50);
    }
    EXPECT_GE(previous, 0) << "gadget 1 never showed a candidate";
    EXPECT_TRUE(moved) << "the candidate did not advance";
}

TEST_F(SearchProgram, ListBoxHoldsTheSixteenPairsBelow20000InOrder)
{
    while (Candidate() < 20000) {
        ASSERT_LT(GetTickCount() - Started, 600000u) << "candidate 20000 not reached";
        ASSERT_EQ(OutsideWaitExit(Program, 0), STILL_ACTIVE);
        Sleep(100);
    }
    // The next pair begins at 63020, so the list holds exactly these lines now.
    std::vector<std::string> lines;
    for (const AmicableReport &r : AmicableReports(20000)) lines.push_back(r.Line());
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(OutsideListLines(GetDlgItem(Window, 0)), lines);
    std::printf("candidate 20000 shown %lu ms after the start\n", GetTickCount() - Started);
}

TEST_F(SearchProgram, CloseBoxEndsTheProgramWithExitCodeZero)
{
    OutsideClose(Window);
    EXPECT_EQ(OutsideWaitExit(Program, 60000), 0u);
}

}   // namespace
