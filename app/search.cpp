// The search's own statements: window 0 with its five gadgets, the chain n, s(n), s(s(n))
// for one candidate after another, and the report of every candidate whose chain closes
// after exactly two steps.
#include "app/search.h"

#include <windows.h>

#include "app/divisor_sum.h"
#include "gadget/gadgets.h"
#include "window/events.h"
#include "window/windows.h"

SearchState Search;

enum {
    SearchWidth = 600,   // client area of window 0
    SearchHeight = 300,
    SearchChainLength = 2,       // steps of a chain that closes on an amicable pair
    SearchChainUpperBound = 3,   // the chain array's highest index; index 3 is never used
    SearchChainKindCode = 5,     // KindCode of the chain array: 32-bit integers
};

enum : uint32_t { SearchWindowFlags = WS_CAPTION | WS_SYSMENU };
static_assert(SearchWindowFlags == 0xC80000, "window 0's flags");

int SearchLayout(void)
{
    // The height first, then the width; an arithmetic shift halves toward minus infinity.
    int32_t y = (GetSystemMetrics(SM_CYSCREEN) - SearchHeight) >> 1;
    int32_t x = (GetSystemMetrics(SM_CXSCREEN) - SearchWidth) >> 1;
    if (WindowOpen(0, x, y, SearchWidth, SearchHeight, SearchWindowFlags, "Befreundete Zahlen") ==
        nullptr)
        return 0;
    if (GadgetListUse(CurrentWindowHandle()) == nullptr) return 0;
    GadgetCreateListBox(SearchPairList, 5, 5, 485, 269);
    GadgetCreateText(SearchNumberText, 5, 279, 100, 16, "Zahl:");
    GadgetCreateText(SearchStepText, 110, 279, 100, 16, "Index in Kette:");
    GadgetCreateButton(SearchStartButton, 495, 5, 100, 24, "Start");
    GadgetCreateButton(SearchPauseButton, 495, 34, 100, 24, "Pause");
    GadgetDisable(SearchStartButton, 1);
    GadgetDisable(SearchPauseButton, 1);
    return 1;
}

void SearchSetUp(void)
{
    ArrayFree(Search.Chain);
    Search.Chain =
        (int32_t *)ArrayAlloc(sizeof(int32_t), SearchChainUpperBound, SearchChainKindCode);
    ListCreate(&Search.PairList, sizeof(PairRecord));
    if (Search.Chain != nullptr) Search.Chain[0] = 0;
}

// Hands the expression built from start to the gadget as its text, then frees the scratch.
static void SearchShowText(int32_t gadget, char *start)
{
    Scratch.ScratchCursor++;
    GadgetSetText(gadget, start);
    Scratch.ScratchCursor = start;
}

// A new element and a new list-box line for the pair Chain[0], Chain[1]. Without an element
// the line is still shown.
static void SearchReport(void)
{
    ListElement *element = ListAddElement(&Search.PairList);
    PairRecord *pair = element != nullptr ? (PairRecord *)ListData(element) : nullptr;
    StringAssignText(&Search.PairText, "");
    for (Search.ChainIndex = 0; Search.ChainIndex <= 1; Search.ChainIndex++) {
        if (pair != nullptr) pair->Members[Search.ChainIndex] = Search.Chain[Search.ChainIndex];
        char *start;
        if (Search.ChainIndex > 0) {
            start = Scratch.ScratchCursor;
            StringAppend(Search.PairText);
            StringAppend(", ");
            StringAssign(&Search.PairText, start);
        }
        start = Scratch.ScratchCursor;
        StringAppend(Search.PairText);
        StringFromLong(Search.Chain[Search.ChainIndex], Scratch.ScratchCursor);
        StringAssign(&Search.PairText, start);
    }
    GadgetAddItem(SearchPairList, -1, Search.PairText);
}

int32_t SearchCandidate(void)
{
    // Without its chain there is nothing to search; end as the close box would.
    if (Search.Chain == nullptr) return EventCodeClose;
    Search.PairFlag = 1;
    char *start = Scratch.ScratchCursor;
    StringAppend("Zahl: ");
    StringFromLong(Search.Chain[0], Scratch.ScratchCursor);
    SearchShowText(SearchNumberText, start);
    for (Search.ChainIndex = 1; Search.ChainIndex <= SearchChainLength; Search.ChainIndex++) {
        start = Scratch.ScratchCursor;
        StringAppend("Index in Kette: ");
        StringFromLong(Search.ChainIndex, Scratch.ScratchCursor);
        StringAppend("/");
        StringFromLong(SearchChainLength, Scratch.ScratchCursor);
        SearchShowText(SearchStepText, start);
        Search.Chain[Search.ChainIndex] = DivisorSum(Search.Chain[Search.ChainIndex - 1]);
        // Back at the candidate after one step: a perfect number (or 0), not a pair.
        if (Search.Chain[Search.ChainIndex] == Search.Chain[0] &&
            Search.ChainIndex < SearchChainLength)
            Search.PairFlag = 0;
    }
    if (Search.Chain[SearchChainLength] == Search.Chain[0] && Search.PairFlag == 1) SearchReport();
    Search.Chain[0] = (int32_t)((uint32_t)Search.Chain[0] + 1);   // wraps after 2147483647
    return WindowPollEvent();
}
