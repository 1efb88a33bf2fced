// The amicable-pair search: window 0 with its five gadgets, and the candidate loop with its
// divisor-sum chains, pair reports and one event poll per candidate.
#pragma once

#include <stdint.h>
#include "runtime/containers.h"
#include "runtime/strings.h"

struct PairRecord {
    int32_t Members[2];   // the candidate n and s(n)
};
static_assert(sizeof(PairRecord) == 8, "a pair element carries 8 bytes of data");

// The gadgets of window 0; a gadget's number is also its control identifier.
enum SearchGadget : int32_t {
    SearchPairList = 0,      // list box: one line per pair found
    SearchNumberText = 1,    // "Zahl: " and the candidate
    SearchStepText = 2,      // "Index in Kette: " and the chain step
    SearchStartButton = 3,   // disabled from the start, never enabled
    SearchPauseButton = 4,   // likewise
};

// The program's variables, zeroed by its first statement (app/main.cpp). They are process-wide,
// not locals of SearchCandidate, because they outlive every candidate.
struct SearchState {
    int32_t *Chain;       // n, s(n), s(s(n)); index 3 unused
    int32_t ChainIndex;   // chain step being computed, then the member being recorded
    int32_t PairFlag;     // 1 while the candidate may still be reported
    StringVar PairText;   // text of the latest pair
    ListVar PairList;     // one PairRecord per pair found, in the order found; written only,
                          // the program never reads it back
};

extern SearchState Search;

// Opens window 0 and lays out its gadgets; 0 when the window or its handle is null.
int SearchLayout(void);
// Dimensions the chain and creates the pair list; the first candidate is 0.
void SearchSetUp(void);
// Tests the candidate Chain[0], reports it if it qualifies, moves on to the next candidate
// and polls the window once; returns the poll's event code.
int32_t SearchCandidate(void);
