// The search's first two reports (220 and 284) with one allocation refused, for every
// allocation they make: the search goes on, every pair still gets its line, the pair list
// stays a valid list, and nothing is written through a refused block.
#include "app/search.h"
#include "gadget/internal/gadgets.h"
#include "runtime/internal/heap.h"
#include "support/events.h"
#include "support/gadget_parent.h"
#include "support/outside_reader.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

namespace {

// A hidden window of the search window's size as the gadget parent.
class SearchFaults : public HiddenParentTest {
  protected:
    SearchFaults() : HiddenParentTest(600, 300) {}
};

TEST_F(SearchFaults, EveryRefusedAllocationOfAReportLeavesTheSearchGoing)
{
    HWND list = GadgetCreateListBox(0, 5, 5, 485, 269);
    GadgetCreateText(1, 5, 279, 100, 16, "Zahl:");
    GadgetCreateText(2, 110, 279, 100, 16, "Index in Kette:");

    uint32_t total = 0;
    for (uint32_t n = 0; n == 0 || n <= total + 1; n++) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " refused");
        GadgetClearItems(0);
        Search = SearchState();
        SearchSetUp();
        ASSERT_NE(Search.Chain, nullptr);
        Search.Chain[0] = 200;
        const uint32_t base = Heap.HeapAllocations;
        Heap.HeapFailAt = n ? base + n : 0;
        while (Search.Chain[0] < 300) SearchCandidate();
        Heap.HeapFailAt = 0;
        if (n == 0) total = Heap.HeapAllocations - base;

        // A refused text loses what the pair text held so far, so that report's line is a
        // tail of the right one; the other report's line is whole.
        const std::vector<std::string> right = {"220, 284", "284, 220"};
        std::vector<std::string> lines = OutsideListLines(list);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_TRUE(lines[0] == right[0] || lines[1] == right[1]);
        for (int i = 0; i < 2; i++)
            EXPECT_EQ(right[i].substr(right[i].size() - lines[i].size()), lines[i]);
        if (n == 0) EXPECT_EQ(lines, right);
        ListHeader *h = Search.PairList.Header;
        ASSERT_NE(h, nullptr);
        std::vector<int32_t> firsts;
        ListElement *previous = nullptr;
        for (ListElement *e = h->First; e; previous = e, e = e->Next) {
            EXPECT_EQ(e->Previous, previous);
            firsts.push_back(((PairRecord *)ListData(e))->Members[0]);
        }
        EXPECT_EQ(h->Last, previous);
        // Only a refused element may be missing; a refused text still leaves the pair.
        const std::vector<int32_t> both = {220, 284};
        if (firsts != both) {
            EXPECT_NE(n, 0u);
            EXPECT_TRUE(firsts == std::vector<int32_t>{220} || firsts == std::vector<int32_t>{284})
                << firsts.size();
        }
        WindowTestDrain();
    }
    EXPECT_EQ(total, 10u) << "five allocations per report";
}

}   // namespace
