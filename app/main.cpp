// The amicable-pair search program: its statements between the runtime's prologue and
// epilogue. It runs until the user closes its window.
#include <windows.h>

#include "app/search.h"
#include "runtime/startup.h"
#include "window/events.h"

void ProgramStatements(void)
{
    RtlZeroMemory(&Search, sizeof Search);
    if (!SearchLayout()) return;
    SearchSetUp();
    while (SearchCandidate() != EventCodeClose) {
    }
}
