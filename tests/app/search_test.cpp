// The search in-process, on a hidden copy of its window: the chain and report of single
// candidates, the texts the progress lines receive, the sixteen pair lines below 20000 with
// the pair list beside them, and a candidate loop that allocates nothing between reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/search.h"
#include "gadget/internal/gadgets.h"
#include "runtime/internal/heap.h"
#include "support/divisor_sums.h"
#include "support/gadget_parent.h"
#include "support/outside_reader.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

namespace {

// Every text the two progress lines receive, in order, as "1:Zahl: 220".
std::vector<std::string> Shown;
WNDPROC StaticProc;

LRESULT CALLBACK RecordingStatic(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        Shown.push_back(std::to_string(GetDlgCtrlID(control)) + ":" + (const char *)lParam);
    return CallWindowProcA(StaticProc, control, message, wParam, lParam);
}

class SearchLoop : public HiddenParentTest {
  protected:
    SearchLoop() : HiddenParentTest(600, 300) {}

    // The search's own layout, but hidden; then its data set-up from zeroed variables.
    void SetUp() override
    {
        HiddenParentTest::SetUp();
        Box = GadgetCreateListBox(0, 5, 5, 485, 269);
        GadgetCreateText(1, 5, 279, 100, 16, "Zahl:");
        GadgetCreateText(2, 110, 279, 100, 16, "Index in Kette:");
        GadgetCreateButton(3, 495, 5, 100, 24, "Start");
        GadgetCreateButton(4, 495, 34, 100, 24, "Pause");
        for (int id : {1, 2})
            StaticProc = (WNDPROC)SetWindowLongPtrA(GadgetGetHandle(id), GWLP_WNDPROC,
                                                    (LONG_PTR)RecordingStatic);
        Shown.clear();
        Search = SearchState();
        SearchSetUp();
        ASSERT_NE(Search.Chain, nullptr);
    }

    // Tests the one candidate n.
    void Candidate(int32_t n)
    {
        Search.Chain[0] = n;
        SearchCandidate();
    }

    std::vector<std::string> Lines() { return OutsideListLines(Box); }

    std::vector<std::pair<int32_t, int32_t>> Pairs()
    {
        std::vector<std::pair<int32_t, int32_t>> pairs;
        for (ListElement *e = Search.PairList.Header->First; e; e = e->Next) {
            PairRecord *pair = (PairRecord *)ListData(e);
            pairs.push_back({pair->Members[0], pair->Members[1]});
        }
        return pairs;
    }

    HWND Box = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(SearchLoop, SetUpDimensionsTheChainAndAnEmptyPairList)
{
    ArrayHeader *header = (ArrayHeader *)Search.Chain - 1;
    EXPECT_EQ(header->UpperBound, 3);
    EXPECT_EQ(header->KindCode, 5u);
    for (int i = 0; i < 4; i++) EXPECT_EQ(Search.Chain[i], 0);
    ASSERT_NE(Search.PairList.Header, nullptr);
    EXPECT_EQ(Search.PairList.Header->First, nullptr);
    EXPECT_EQ(Search.PairList.Header->ElementSize, 8u + sizeof(ListElement));
    EXPECT_EQ(Search.PairList.Current, nullptr);
}

TEST_F(SearchLoop, ZeroAndOneAreNotReported)
{
    SearchCandidate();   // 0: chain 0, 0, 0 closes after one step
    EXPECT_EQ(Search.PairFlag, 0);
    EXPECT_EQ(Search.Chain[0], 1);
    SearchCandidate();   // 1: chain 1, 0, 0
    EXPECT_EQ(Search.PairFlag, 1);
    EXPECT_EQ(Search.Chain[1], 0);
    EXPECT_EQ(Search.Chain[2], 0);
    EXPECT_EQ(Search.Chain[0], 2);
    EXPECT_EQ(Lines(), Strings{});
    EXPECT_EQ(Search.PairList.Header->First, nullptr);
    EXPECT_EQ(Search.PairText, nullptr);
}

TEST_F(SearchLoop, PerfectNumbersAreNotReported)
{
    for (int32_t n : {6, 28, 496, 8128}) {
        Candidate(n);
        EXPECT_EQ(Search.Chain[1], n);
        EXPECT_EQ(Search.Chain[2], n);
        EXPECT_EQ(Search.PairFlag, 0) << n;
    }
    EXPECT_EQ(Lines(), Strings{});
    EXPECT_EQ(Search.PairList.Header->First, nullptr);
}

TEST_F(SearchLoop, EachMemberOfAPairIsReportedWithItsPartner)
{
    Candidate(220);
    EXPECT_EQ(Search.Chain[1], 284);
    EXPECT_EQ(Search.Chain[2], 220);
    EXPECT_EQ(Search.Chain[0], 221);
    EXPECT_STREQ(Search.PairText, "220, 284");
    Candidate(284);
    EXPECT_STREQ(Search.PairText, "284, 220");
    EXPECT_EQ(Lines(), (Strings{"220, 284", "284, 220"}));
    EXPECT_EQ(Pairs(), (std::vector<std::pair<int32_t, int32_t>>{{220, 284}, {284, 220}}));
    EXPECT_EQ(Search.PairList.Current, Search.PairList.Header->Last);
}

TEST_F(SearchLoop, ProgressLinesGetTheCandidateThenEachChainStep)
{
    Candidate(220);
    EXPECT_EQ(Shown, (Strings{"1:Zahl: 220", "2:Index in Kette: 1/2", "2:Index in Kette: 2/2"}));
    // The expressions are given back: the scratch cursor is where it was.
    EXPECT_EQ(Scratch.ScratchCursor, Scratch.ScratchBuffer);
}

TEST_F(SearchLoop, NegativeCandidatesHaveTheSumZeroAndAreNotReported)
{
    Candidate(INT32_MIN);
    EXPECT_EQ(Search.Chain[1], 0);
    EXPECT_EQ(Search.Chain[2], 0);
    EXPECT_EQ(Search.Chain[0], INT32_MIN + 1);
    EXPECT_EQ(Shown[0], "1:Zahl: -2147483648");
    Candidate(-1);
    EXPECT_EQ(Search.Chain[0], 0);
    EXPECT_EQ(Lines(), Strings{});
}

TEST_F(SearchLoop, ARefusedListElementStillShowsTheLine)
{
    Search.Chain[0] = 220;
    Heap.HeapFailAt = Heap.HeapAllocations + 1;   // the element
    SearchCandidate();
    Heap.HeapFailAt = 0;
    EXPECT_EQ(Search.PairList.Header->First, nullptr);
    EXPECT_EQ(Lines(), Strings{"220, 284"});
}

TEST_F(SearchLoop, CandidatesWithoutReportsAllocateNothing)
{
    Search.Chain[0] = 300;
    uint32_t allocations = Heap.HeapAllocations;
    while (Search.Chain[0] < 1184) SearchCandidate();
    EXPECT_EQ(Heap.HeapAllocations, allocations);
    EXPECT_EQ(Lines(), Strings{});
}

TEST_F(SearchLoop, SixteenLinesBelow20000InTheOrderFound)
{
    std::vector<std::pair<int32_t, int32_t>> pairs;
    Strings lines;
    for (const AmicableReport &r : AmicableReports(20000)) {
        pairs.push_back({(int32_t)r.Candidate, (int32_t)r.Partner});
        lines.push_back(r.Line());
    }
    ASSERT_EQ(lines.size(), 16u);
    while (Search.Chain[0] < 20000) SearchCandidate();
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(Pairs(), pairs);
}

// The real layout opens a visible window, which is why this test runs last.
TEST(SearchLayout, OpensWindow0CentredWithFiveGadgetsAndDisabledButtons)
{
    GadgetLayerInit();
    ASSERT_EQ(SearchLayout(), 1);
    HWND window = CurrentWindowHandle();
    EXPECT_EQ(window, *WindowSlotOf(0));
    EXPECT_TRUE(IsWindowVisible(window));
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 600) >> 1);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) >> 1);
    const char *texts[] = {"", "Zahl:", "Index in Kette:", "Start", "Pause"};
    for (int id = 0; id < 5; id++) {
        HWND control = GetDlgItem(window, id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(Gadgets.Slots[id].Handle, control);
        EXPECT_EQ(OutsideText(control), texts[id]);
        EXPECT_EQ(IsWindowEnabled(control) != 0, id < 3) << id;
    }
}

}   // namespace
