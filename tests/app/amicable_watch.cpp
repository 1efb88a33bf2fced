// Mirrors the running search in a terminal: starts the program (or finds it), then prints
// the number under test and every new pair line, read from its window from outside. Ctrl-C,
// or a second call with --close, closes the window through its close box; the program's
// exit code is printed and returned.
#include <cstdio>
#include <string>

#include "outside_reader.h"

static volatile LONG CloseRequested;

static BOOL WINAPI OnConsoleControl(DWORD)
{
    InterlockedExchange(&CloseRequested, 1);
    return TRUE;
}

static std::string OwnDirectory()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

int main(int argc, char **argv)
{
    std::string arg = argc > 1 ? argv[1] : "";
    if (arg == "--close") {
        HWND window = OutsideFindSearchWindow(0, 0);
        if (!window) return 1;
        OutsideClose(window);
        return 0;
    }
    std::string exe = arg.empty() ? OwnDirectory() + "amicable.exe" : arg;
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
        if (CloseRequested && !closing) {
            closing = true;
            OutsideClose(window);
        }
        if (OutsideWaitExit(program, 0) != STILL_ACTIVE) break;
        std::string line = OutsideText(GetDlgItem(window, 1)) + "   " +
                           OutsideText(GetDlgItem(window, 2));
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
