// The search's cost per candidate outside the divisor sums, against the same platform calls
// written directly, on the same visible window in one run. Candidates are negative so that
// both sums return at once without a trial (the chain n, 0, 0); the texts have the digits of
// the candidates around 10000 that the search shows early on. Also the cost of one poll of an
// empty queue, which the search pays once per candidate.
#include <windows.h>
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "app/search.h"
#include "gadget/gadgets.h"
#include "runtime/internal/startup.h"
#include "window/events.h"
#include "window/windows.h"

static const int Rounds = 41;
static const int PerRound = 150;
static const int32_t FirstCandidate = -2 * Rounds * PerRound - 10000;

static double Seconds(void)
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return (double)t.QuadPart / (double)f.QuadPart;
}

static char *Decimal(char *out, int32_t value)
{
    char digits[12];
    int n = 0;
    uint32_t v = value < 0 ? 0u - (uint32_t)value : (uint32_t)value;
    do digits[n++] = (char)('0' + v % 10);
    while (v /= 10);
    if (value < 0) *out++ = '-';
    while (n) *out++ = digits[--n];
    *out = 0;
    return out;
}

static HWND Zahl, Index;

// One candidate's worth of platform work, written directly.
static void DirectCandidate(int32_t candidate)
{
    char text[40];
    char *end = text + 6;
    lstrcpyA(text, "Zahl: ");
    Decimal(end, candidate);
    SetWindowTextA(Zahl, text);
    SetWindowTextA(Index, "Index in Kette: 1/2");
    SetWindowTextA(Index, "Index in Kette: 2/2");
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

static double ProgramRound(int32_t first)
{
    Search.Chain[0] = first;
    double t0 = Seconds();
    for (int i = 0; i < PerRound; i++) SearchCandidate();
    return Seconds() - t0;
}

static double DirectRound(int32_t first)
{
    double t0 = Seconds();
    for (int i = 0; i < PerRound; i++) DirectCandidate(first + i);
    return Seconds() - t0;
}

// Microseconds per WindowPollEvent on an empty queue: the median of rounds of 2000 polls.
static double EmptyPollMicroseconds(void)
{
    const int polls = 2000;
    std::vector<double> rounds;
    for (int r = 0; r < Rounds; r++) {
        while (WindowPollEvent() != 0) {
        }
        double t0 = Seconds();
        for (int i = 0; i < polls; i++) WindowPollEvent();
        rounds.push_back((Seconds() - t0) / polls * 1e6);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[Rounds / 2];
}

void ProgramStatements(void) {}

int main()
{
    if (!RuntimePrologue()) return 2;
    if (!SearchLayout()) return 3;
    SearchSetUp();
    if (!Search.Chain) return 4;
    Zahl = GadgetGetHandle(1);
    Index = GadgetGetHandle(2);
    // Let the window come up and settle before anything is timed.
    DirectRound(FirstCandidate);
    ProgramRound(FirstCandidate);

    std::vector<double> program, direct;
    int32_t next = FirstCandidate + PerRound;
    for (int r = 0; r < Rounds; r++) {
        // Alternate which goes first, so that a drift in load falls on both alike.
        if (r & 1) {
            direct.push_back(DirectRound(next));
            program.push_back(ProgramRound(next));
        } else {
            program.push_back(ProgramRound(next));
            direct.push_back(DirectRound(next));
        }
        next += PerRound;
    }
    if (Search.Chain[1] != 0 || Search.Chain[2] != 0 || Search.Chain[0] >= 0) return 5;
    // Each round's ratio compares two runs taken moments apart; the median sheds the rounds
    // that another process on the machine disturbed.
    std::vector<double> ratios;
    for (int r = 0; r < Rounds; r++) ratios.push_back(program[r] / direct[r]);
    std::sort(ratios.begin(), ratios.end());
    std::sort(program.begin(), program.end());
    std::sort(direct.begin(), direct.end());
    printf("ui_candidates_per_side: %d\n", Rounds * PerRound);
    printf("ui_program_us_per_candidate: %.1f\n", program[Rounds / 2] / PerRound * 1e6);
    printf("ui_direct_us_per_candidate: %.1f\n", direct[Rounds / 2] / PerRound * 1e6);
    printf("ui_empty_poll_us: %.2f\n", EmptyPollMicroseconds());
    printf("ui_overhead_ratio: %.3f\n", ratios[Rounds / 2]);
    return 0;
}
