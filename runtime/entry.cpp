// The process entry. No C runtime start-up code runs before StartupEntry: it puts the one
// exception guard on the thread's handler chain, asks crtdll for the main arguments, and
// hands the command tail to ProgramMain, which ends the process itself. The program's static
// objects are made and destroyed there, inside the runtime's lifetime (language.cpp).
#include "runtime/internal/startup.h"

#include <signal.h>
#include <stdlib.h>

extern "C" void __cdecl __GetMainArgs(int *argc, char ***argv, char ***env, int wildcards);

// A frame on the thread's structured-exception chain, laid out as compilers lay out a
// function's scoped-handler frame; the guard has no scopes of its own.
struct ExceptionGuardFrame {
    ExceptionGuardFrame *Previous;   // next frame out, as fs:[0] held it
    void *Handler;                   // StartupExceptionHandler
    const void *ScopeTable;          // handler table: empty
    int32_t TryLevel;                // -1: no scope
};
static_assert(sizeof(ExceptionGuardFrame) == 16, "four 32-bit fields");

static const int32_t GuardScopeTable[1] = {0};

// Gives a crtdll signal handler its turn, then lets the exception go on outwards to the
// system's default handling. A SIGSEGV handler is preferred whatever the exception was.
extern "C" EXCEPTION_DISPOSITION __cdecl StartupExceptionHandler(EXCEPTION_RECORD *, void *,
                                                                 CONTEXT *, void *)
{
    int signalNumber = SIGSEGV;
    __p_sig_fn_t previous = signal(SIGSEGV, SIG_DFL);
    if (previous == SIG_DFL) {
        signalNumber = SIGFPE;
        previous = signal(SIGFPE, SIG_DFL);
    }
    if (previous == SIG_DFL || previous == SIG_ERR) return ExceptionContinueSearch;
    signal(signalNumber, previous);
    raise(signalNumber);
    return ExceptionContinueSearch;
}

extern "C" void __stdcall StartupEntry(void)
{
    ExceptionGuardFrame guard;
    asm volatile("movl %%fs:0, %0" : "=r"(guard.Previous));
    guard.Handler = (void *)StartupExceptionHandler;
    guard.ScopeTable = GuardScopeTable;
    guard.TryLevel = -1;
    asm volatile("movl %0, %%fs:0" : : "r"(&guard) : "memory");

    // Fetched as crtdll expects of a program's start; nothing reads them.
    int argc;
    char **argv, **env;
    __GetMainArgs(&argc, &argv, &env, 0);   // no wildcard expansion

    exit(CommandTailSplit());
}

int32_t CommandTailSplit(void)
{
    const char *tail = CommandTailScan(GetCommandLineA());
    return ProgramMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWNORMAL);
}

int32_t __stdcall ProgramMain(HMODULE, HMODULE, const char *, int32_t)
{
    if (!RuntimePrologue()) ExitProcess(StartupExitNoMemory);
    // The program's static objects may use the runtime, and live until its heap goes.
    StartupConstruct();
    ProgramStatements();
    StartupDestruct();
    RuntimeEpilogue();
    ExitProcess(0);
}
