// A program on the runtime that ends in the ways the start-up tests watch from outside:
// normally, by a fault with or without a crtdll signal handler, after code that needs the
// compiler's stack probe and its 64-bit division, or after opening a window that should show
// the program's icon. The command tail names the way and the marker file in which the
// statements and the handler leave their trace.
#include <signal.h>

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
    if (ProbeWayIs(tail, "segv-divide") || ProbeWayIs(tail, "fpe-divide")) {
        ProbeZero = ProbeSeven / ProbeZero;
        ProbeMark("survived\n");
    }
}
