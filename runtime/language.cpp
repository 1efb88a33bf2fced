// What C++ asks of a program's run time, on the runtime's terms: static constructors after the
// prologue, the destructors the compiler registers through atexit before the heap goes, and
// new and delete on the private heap. Linked into programs only, with the entry: a test program
// keeps its own C++ library.
#include <new>

#include "runtime/internal/heap.h"
#include "runtime/internal/startup.h"

// The linker frames each list with -1 in front and a null behind (its default script).
extern "C" void (*__CTOR_LIST__[])(void);
extern "C" void (*__DTOR_LIST__[])(void);

// One destructor the compiler (or the program) registered.
struct StartupExitEntry {
    StartupExitEntry *Older;   // registered before this one, so run after it
    void (*Function)(void);    // the destructor's caller the compiler made
};

// The registered destructors, newest first. Zero at start; the prologue leaves it alone, as
// registrations come only after it.
struct StartupExitState {
    StartupExitEntry *Newest;   // runs first
};

static StartupExitState StartupExits;

void StartupConstruct(void)
{
    // Run from the back, as the compiler's own start-up does: sections of a higher
    // init_priority are sorted behind and must come first.
    int32_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) count++;
    for (; count > 0; count--) __CTOR_LIST__[count]();
}

void StartupDestruct(void)
{
    // A destructor may register another (a function's static made late): it runs next.
    while (StartupExits.Newest != nullptr) {
        StartupExitEntry *entry = StartupExits.Newest;
        StartupExits.Newest = entry->Older;
        void (*function)(void) = entry->Function;
        HeapRelease(entry);
        function();
    }
    for (int32_t i = 1; __DTOR_LIST__[i] != nullptr; i++) __DTOR_LIST__[i]();
}

// The C library's contract: 0 when registered, not 0 (and nothing registered) when the heap
// cannot hold the entry.
extern "C" int __cdecl atexit(void(__cdecl *function)(void))
{
    if (function == nullptr) return -1;
    StartupExitEntry *entry =
        (StartupExitEntry *)HeapAllocate(sizeof(StartupExitEntry), HeapFillNone);
    if (entry == nullptr) return -1;
    entry->Older = StartupExits.Newest;
    entry->Function = function;
    StartupExits.Newest = entry;
    return 0;
}

// A call of a pure virtual function is a fault of the program: it faults as one, through the
// exception guard.
extern "C" void __cxa_pure_virtual(void)
{
    __builtin_trap();
}

namespace std {
const nothrow_t nothrow{};
}

// Every size gets a block of its own, 0 too, so that two objects never share an address.
static void *LanguageAllocate(size_t size)
{
    return HeapAllocate(size != 0 ? size : 1, HeapFillNone);
}

// Without exceptions a plain new has no way to report failure, and a constructor must never
// be handed null: the process ends as a start-up without memory does.
static void *LanguageAllocateOrEnd(size_t size)
{
    void *block = LanguageAllocate(size);
    if (block == nullptr) ExitProcess(StartupExitNoMemory);
    return block;
}

// The heap aligns to 8 bytes. A larger alignment takes a block that much longer, and the word
// in front of the aligned address keeps the block's own address for delete.
static void *LanguageAllocateAligned(size_t size, std::align_val_t alignment)
{
    size_t align = (size_t)alignment;
    if (align < sizeof(void *)) align = sizeof(void *);
    if (align > HeapLargestBlock - sizeof(void *) ||
        size > HeapLargestBlock - sizeof(void *) - align)
        return nullptr;
    char *block = (char *)LanguageAllocate(size + sizeof(void *) + align);
    if (block == nullptr) return nullptr;
    uintptr_t aligned = ((uintptr_t)block + sizeof(void *) + align - 1) & ~(uintptr_t)(align - 1);
    ((void **)aligned)[-1] = block;
    return (void *)aligned;
}

static void *LanguageAllocateAlignedOrEnd(size_t size, std::align_val_t alignment)
{
    void *block = LanguageAllocateAligned(size, alignment);
    if (block == nullptr) ExitProcess(StartupExitNoMemory);
    return block;
}

static void LanguageReleaseAligned(void *object)
{
    if (object != nullptr) HeapRelease(((void **)object)[-1]);
}

void *operator new(size_t size)
{
    return LanguageAllocateOrEnd(size);
}
void *operator new[](size_t size)
{
    return LanguageAllocateOrEnd(size);
}
void *operator new(size_t size, const std::nothrow_t &) noexcept
{
    return LanguageAllocate(size);
}
void *operator new[](size_t size, const std::nothrow_t &) noexcept
{
    return LanguageAllocate(size);
}
void *operator new(size_t size, std::align_val_t alignment)
{
    return LanguageAllocateAlignedOrEnd(size, alignment);
}
void *operator new[](size_t size, std::align_val_t alignment)
{
    return LanguageAllocateAlignedOrEnd(size, alignment);
}
void *operator new(size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept
{
    return LanguageAllocateAligned(size, alignment);
}
void *operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept
{
    return LanguageAllocateAligned(size, alignment);
}

void operator delete(void *object) noexcept
{
    HeapRelease(object);
}
void operator delete[](void *object) noexcept
{
    HeapRelease(object);
}
void operator delete(void *object, size_t) noexcept
{
    HeapRelease(object);
}
void operator delete[](void *object, size_t) noexcept
{
    HeapRelease(object);
}
void operator delete(void *object, const std::nothrow_t &) noexcept
{
    HeapRelease(object);
}
void operator delete[](void *object, const std::nothrow_t &) noexcept
{
    HeapRelease(object);
}
void operator delete(void *object, std::align_val_t) noexcept
{
    LanguageReleaseAligned(object);
}
void operator delete[](void *object, std::align_val_t) noexcept
{
    LanguageReleaseAligned(object);
}
void operator delete(void *object, size_t, std::align_val_t) noexcept
{
    LanguageReleaseAligned(object);
}
void operator delete[](void *object, size_t, std::align_val_t) noexcept
{
    LanguageReleaseAligned(object);
}
void operator delete(void *object, std::align_val_t, const std::nothrow_t &) noexcept
{
    LanguageReleaseAligned(object);
}
void operator delete[](void *object, std::align_val_t, const std::nothrow_t &) noexcept
{
    LanguageReleaseAligned(object);
}
