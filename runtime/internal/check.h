// The invariant check of the test and sanitizer builds. With RUNTIME_CHECKS defined a broken
// invariant stops the process on the spot, where a debugger or sanitizer shows it; the shipped
// program compiles every check to nothing and so imports nothing for it.
#pragma once

#if defined(RUNTIME_CHECKS)
#define RUNTIME_ASSERT(condition) ((condition) ? (void)0 : __builtin_trap())
#else
#define RUNTIME_ASSERT(condition) ((void)0)
#endif
