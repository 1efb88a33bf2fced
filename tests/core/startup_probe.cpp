// A program on the runtime that ends in the ways the start-up tests watch from outside:
// normally, by a fault with or without a crtdll signal handler, after code that needs the
// compiler's stack probe and its 64-bit division, after opening a window that should show
// the program's icon, after using the C++ the runtime gives a program (static objects, every
// form of new and delete), or when a plain new finds no memory. The command tail names the way
// and the marker file in which the statements, the handler and the static destructors leave
// their trace.
#include <signal.h>

#include <new>

#include "runtime/internal/heap.h"
#include "runtime/internal/startup.h"
#include "window/windows.h"

static char ProbeMarker[MAX_PATH];

static void ProbeMark(const char *text)
{
    HANDLE file =
        CreateFileA(ProbeMarker, FILE_APPEND_DATA, 0, 0, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written;
    DWORD length = 0;
    while (text[length]) length++;
    WriteFile(file, text, length, &written, 0);
    CloseHandle(file);
}

static void __cdecl ProbeSignalHandler(int signalNumber)
{
    ProbeMark(signalNumber == SIGSEGV  ? "handler SIGSEGV\n"
              : signalNumber == SIGFPE ? "handler SIGFPE\n"
                                       : "handler other\n");
}

// The first word of the tail is compared with a way's name.
static int ProbeWayIs(const char *tail, const char *way)
{
    while (*way && *tail == *way) tail++, way++;
    return !*way && (*tail == ' ' || !*tail);
}

static volatile int ProbeZero;
static volatile int ProbeSeven = 7;
static int *volatile ProbeNowhere;
static volatile long long ProbeDividend = 0x123456789ALL;
static volatile long long ProbeDivisor = -0x1000;

// 256 KiB of locals, written from the far end (the lowest address) first: that first write
// lies far beyond the stack's guard page, which only the probe in the prologue walks down to.
__attribute__((noinline)) static int ProbeDeepFrame(int seed)
{
    volatile char frame[256 * 1024];
    for (int i = 0; i < (int)sizeof frame; i += 4096) frame[i] = (char)(seed + i / 4096);
    frame[sizeof frame - 1] = (char)seed;
    return frame[0] + frame[sizeof frame - 1];
}

// ---- C++ on the runtime ----

static int ProbeLanguage;   // set by the language way: only then do the destructors mark

// Static objects: made after the prologue (the heap is there), destroyed in reverse order
// before the heap goes, each marking its name then.
struct ProbeStatic {
    int Value;
    const char *Name;
    bool HeapAtStart;
    explicit ProbeStatic(const char *name)
        : Value(42), Name(name), HeapAtStart(Runtime.RuntimeHeap != nullptr)
    {
    }
    ~ProbeStatic()
    {
        if (!ProbeLanguage) return;
        ProbeMark(Name);
        ProbeMark(Runtime.RuntimeHeap != nullptr ? " heap\n" : " no heap\n");
    }
};

static ProbeStatic ProbeFirst("destroyed a"), ProbeSecond("destroyed b");
static int ProbeDynamic = GetTickCount() ? 7 : 8;
static int *ProbeEarlyBlock = new int(5);   // from the private heap, before the statements

static ProbeStatic &ProbeLate(void)
{
    static ProbeStatic late("destroyed c");   // registered during the statements: goes first
    return late;
}

static int ProbeItemsDestroyed;

struct ProbeItem {
    int Value = 9;
    ~ProbeItem() { ProbeItemsDestroyed++; }
};

struct alignas(64) ProbeWide {
    char Bytes[64];
};

struct ProbeShape {
    virtual int Corners() = 0;
    virtual ~ProbeShape() = default;
};

struct ProbeSquare : ProbeShape {
    int Side = 2;
    int Corners() override { return 4; }
};

// Every block passes through here, so that the compiler cannot fold a new with its delete.
static void *volatile ProbeSink;

template <typename T> static T *ProbeKeep(T *block)
{
    ProbeSink = block;
    return (T *)ProbeSink;
}

static void ProbeCheck(bool ok, const char *what)
{
    if (ok) return;
    ProbeMark("failed ");
    ProbeMark(what);
    ProbeMark("\n");
}

// Every new takes exactly one block of the private heap, and a refused one the nothrow way
// gives null.
static void ProbeNewAndDelete(void)
{
    uint32_t before = Heap.HeapAllocations;
    int *scalar = ProbeKeep(new int(3));
    ProbeItem *items = ProbeKeep(new ProbeItem[3]);
    ProbeCheck(Heap.HeapAllocations == before + 2 && *scalar == 3 && items[2].Value == 9, "new");
    delete scalar;
    delete[] items;
    ProbeCheck(ProbeItemsDestroyed == 3, "delete[]");

    // Deleted through the base: the sized delete.
    ProbeShape *shape = ProbeKeep<ProbeShape>(new ProbeSquare);
    ProbeCheck(shape->Corners() == 4, "virtual");
    delete shape;
    ::operator delete(ProbeKeep(::operator new(10)), 10);
    ::operator delete[](ProbeKeep(::operator new[](0)), (size_t)0);

    ProbeWide *wide = ProbeKeep(new ProbeWide);
    ProbeWide *wides = ProbeKeep(new ProbeWide[3]);
    ProbeCheck((uintptr_t)wide % 64 == 0 && (uintptr_t)wides % 64 == 0, "aligned");
    delete wide;
    delete[] wides;

    int *quiet = ProbeKeep(new (std::nothrow) int(4));
    char *quietArray = ProbeKeep(new (std::nothrow) char[10]);
    ProbeWide *quietWide = ProbeKeep(new (std::nothrow) ProbeWide);
    ProbeCheck(quiet && *quiet == 4 && quietArray && quietWide, "nothrow");
    delete quiet;
    delete[] quietArray;
    delete quietWide;
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    ProbeCheck(ProbeKeep(new (std::nothrow) int(4)) == nullptr, "refused nothrow");
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    ProbeCheck(ProbeKeep(new (std::nothrow) ProbeWide[2]) == nullptr, "refused aligned nothrow");
    Heap.HeapFailAt = 0;
    ProbeMark("new\n");
}

void ProgramStatements(void)
{
    const char *tail = StartupCommandTail();
    const char *marker = tail;
    while (*marker && *marker != ' ') marker++;
    if (*marker) marker++;
    int i = 0;
    for (; marker[i] && i < MAX_PATH - 1; i++) ProbeMarker[i] = marker[i];
    ProbeMarker[i] = 0;

    ProbeMark("statements\n");
    if (ProbeWayIs(tail, "segv") || ProbeWayIs(tail, "segv-divide"))
        signal(SIGSEGV, ProbeSignalHandler);
    if (ProbeWayIs(tail, "fpe-divide")) signal(SIGFPE, ProbeSignalHandler);

    if (ProbeWayIs(tail, "segv") || ProbeWayIs(tail, "bare")) {
        *ProbeNowhere = 1;
        ProbeMark("survived\n");
    }
    if (ProbeWayIs(tail, "deep")) {
        // The quotient is 0x123456789A / -0x1000 rounded towards zero.
        if (ProbeDeepFrame(3) == 6 && ProbeDividend / ProbeDivisor == -0x1234567)
            ProbeMark("deep\n");
    }
    if (ProbeWayIs(tail, "icon")) {
        // Read here, since Wine gives no class icon to a second process.
        HWND window = WindowOpen(0, 0, 0, 100, 50, WS_CAPTION | FlagHidden, "");
        if (window && GetClassLongA(window, GCL_HICON)) ProbeMark("icon\n");
    }
    if (ProbeWayIs(tail, "language")) {
        ProbeLanguage = 1;
        ProbeCheck(ProbeFirst.Value == 42 && ProbeSecond.Value == 42 && ProbeDynamic == 7 &&
                       ProbeFirst.HeapAtStart && ProbeEarlyBlock && *ProbeEarlyBlock == 5,
                   "constructors");
        ProbeCheck(ProbeLate().Value == 42, "function static");
        ProbeMark("constructed\n");
        ProbeNewAndDelete();
    }
    if (ProbeWayIs(tail, "new-fails")) {
        Heap.HeapFailAt = Heap.HeapAllocations + 1;
        ProbeCheck(ProbeKeep(new ProbeItem[2]) == nullptr, "constructed on null");
        ProbeMark("survived\n");
    }
    if (ProbeWayIs(tail, "segv-divide") || ProbeWayIs(tail, "fpe-divide")) {
        ProbeZero = ProbeSeven / ProbeZero;
        ProbeMark("survived\n");
    }
}
