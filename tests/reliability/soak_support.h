// What both soak flavours share: the stream of harmless input sent to the search window,
// the pair lines a correct search shows for the candidates below a bound, and the soak's
// length (SOAK_SECONDS in the environment; a short default for the test suite).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Sends input number `serial` of the stream to the search window and its gadgets: Tab
// presses, clicks on the disabled buttons and on the list box, WM_COMMAND with control
// numbers nobody owns, mouse moves, WM_SIZE and right clicks, in turn.
void SoakSendInput(HWND window, unsigned serial);

// The lines "n, s(n)" the search reports for every candidate n below the bound, in order,
// computed independently of the program (support/divisor_sums.h).
std::vector<std::string> SoakExpectedLines(long long below);

// How many of those lines belong to candidates below the bound.
size_t SoakLinesBelow(long long below);

DWORD SoakSeconds(DWORD fallback);

// True when SOAK_SECONDS is set, as `make soak` sets it: only the long soak checks figures of
// pace (candidates reached, the longest stall), which a loaded machine can miss in a short run.
bool SoakChecksPace();
