// The invariant check of the test and sanitizer builds. With RUNTIME_CHECKS defined a broken
// invariant stops the process on the spot, where a debugger or sanitizer shows it; the shipped
// program compiles every check to nothing and so imports nothing for it.
#pragma once

#include <stddef.h>
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

// A guard word right behind each process-wide record, so that a write past the record's last
// field (a terminator one byte too far) is caught by the layer's next check. The record is
// the first member of a storage record whose second member is the guard, and the record's
// name is an alias of that storage.
enum : uint32_t { RuntimeGuardWord = 0x47524431 };
#define RUNTIME_RECORD(type, name)                                                                 \
    struct type##Guarded {                                                                         \
        type Record;                                                                               \
        uint32_t Guard;                                                                            \
    };                                                                                             \
    static_assert(offsetof(type##Guarded, Guard) == sizeof(type), "the guard follows at once");    \
    type##Guarded name##Storage = {{}, RuntimeGuardWord};                                          \
    extern type name __attribute__((alias(#name "Storage")))
// Read through an address, as the guard lies beyond what the record's type covers.
#define RUNTIME_RECORD_INTACT(name)                                                                \
    (*(const volatile uint32_t *)((uintptr_t) & (name) + sizeof(name)) == RuntimeGuardWord)
// The runtime core's records (Runtime, Heap, Scratch, Containers) are whole.
void RuntimeCheckRecords(void);
#else
#define RUNTIME_ASSERT(condition) ((void)0)
#define RUNTIME_RECORD(type, name) type name
#define RUNTIME_RECORD_INTACT(name) true
#endif
