// The invariant check of the test and sanitizer builds. With RUNTIME_CHECKS defined a broken
// invariant stops the process on the spot, where a debugger or sanitizer shows it; the shipped
// program compiles every check to nothing and so imports nothing for it.
#pragma once

#include <stdint.h>

#if defined(RUNTIME_CHECKS)
// A test that makes a caller's mistake on purpose, to see the refusal that every build gives
// it, says so in Expected; a failed check is then counted instead of stopping the process.
struct RuntimeCheckState {
    int32_t Expected;   // not 0: count failed checks, do not stop
    int32_t Failed;     // checks failed while Expected was set
};
extern RuntimeCheckState RuntimeChecks;
void RuntimeCheckFailed(void);
#define RUNTIME_ASSERT(condition) ((condition) ? (void)0 : RuntimeCheckFailed())
#else
#define RUNTIME_ASSERT(condition) ((void)0)
#endif
