// Mirrors the running search in a terminal: starts the program (or finds it), then prints
// the number under test and every new pair line, read from its window from outside. Ctrl-C,
// or the appearance of the file named after --stop-file, closes the window through its close
// box; the program's exit code is printed and returned.
// Usage: amicable_watch.exe [--stop-file PATH] [PROGRAM.exe]
#include <cstdio>
#include <string>

#include "support/outside_reader.h"

static volatile LONG CloseRequested;

static BOOL WINAPI OnConsoleControl(DWORD)
{
    InterlockedExchange(&CloseRequested, 1);
    return TRUE;
}

int main(int argc, char **argv)
{
    std::string stopFile, exe = OutsideOwnDirectory() + "amicable.exe";
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--stop-file" && i + 1 < argc)
            stopFile = OutsideWindowsPath(argv[++i]);
        else
            exe = arg;
    }
    OutsideProgram program;
    if (!OutsideStart(exe, &program)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        return 2;
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    HWND window = OutsideFindSearchWindow(program.ProcessId, 20000);
    if (!window) {
        std::fprintf(stderr, "no window \"Befreundete Zahlen\" appeared\n");
        OutsideStop(&program);
        return 2;
    }
    std::printf("Befreundete Zahlen is running; Ctrl-C closes its window.\n");
    std::fflush(stdout);

    HWND list = GetDlgItem(window, 0);
    int linesShown = 0;
    std::string status;
    bool closing = false;
    for (;;) {
        if (!stopFile.empty() && GetFileAttributesA(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            InterlockedExchange(&CloseRequested, 1);
        if (CloseRequested && !closing) {
            closing = true;
            OutsideClose(window);
        }
        if (OutsideWaitExit(program, 0) != STILL_ACTIVE) break;
        std::string number = OutsideText(GetDlgItem(window, 1));
        std::string step = OutsideText(GetDlgItem(window, 2));
        // A window on its way out reads empty; the last status stays.
        std::string line = number.empty() || step.empty() ? status : number + "   " + step;
        std::vector<std::string> added = OutsideListLines(list, linesShown);
        if (!added.empty() || line != status) {
            // Pair lines scroll up; the status line stays at the bottom.
            std::printf("\r%-60s\r", "");
            for (const std::string &pair : added) std::printf("Pair: %s\n", pair.c_str());
            linesShown += (int)added.size();
            status = line;
            std::printf("%s", status.c_str());
            std::fflush(stdout);
        }
        Sleep(200);
    }
    DWORD code = OutsideWaitExit(program, INFINITE);
    std::printf("\namicable.exe ended with exit code %lu\n", code);
    OutsideStop(&program);
    return (int)code;
}
