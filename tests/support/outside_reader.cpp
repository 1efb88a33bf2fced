// Reading another process's windows through the platform alone.
#include "outside_reader.h"

#include <commctrl.h>

#include <cstdlib>

std::string OutsideWindowsPath(const std::string &path)
{
    if (path.empty() || path[0] != '/') return path;
    std::string windows = "Z:" + path;
    for (char &c : windows)
        if (c == '/') c = '\\';
    return windows;
}

std::string OutsideOwnDirectory()
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length < MAX_PATH ? length : 0);
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::string OutsideProgramPath(const std::string &builtPath)
{
    std::string path = OutsideWindowsPath(builtPath);
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    return OutsideOwnDirectory() + path.substr(path.find_last_of("\\/") + 1);
}

bool OutsideStart(const std::string &exe, OutsideProgram *program, const std::string &arguments)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + OutsideWindowsPath(exe) + "\"";
    // A program that crashes on purpose must end, not wait on Windows' error dialog for a
    // click: the started process inherits this mode.
    SetErrorMode(SetErrorMode(0) | SEM_NOGPFAULTERRORBOX);
    if (!arguments.empty()) commandLine += " " + arguments;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    program->Process = info.hProcess;
    program->ProcessId = info.dwProcessId;
    return true;
}

DWORD OutsideWaitExit(const OutsideProgram &program, DWORD milliseconds)
{
    if (WaitForSingleObject(program.Process, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program.Process, &code);
    return code;
}

void OutsideStop(OutsideProgram *program)
{
    if (!program->Process) return;
    if (WaitForSingleObject(program->Process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program->Process, 1);
        WaitForSingleObject(program->Process, 5000);
    }
    CloseHandle(program->Process);
    program->Process = nullptr;
}

HWND OutsideFindWindow(DWORD processId, const char *className, const char *title,
                       const std::function<bool(HWND)> &ready, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, className, title))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if ((processId == 0 || owner == processId) && ready(window)) return window;
        }
        if (GetTickCount() - start >= milliseconds) return nullptr;
        Sleep(50);
    }
}

HWND OutsideFindSearchWindow(DWORD processId, DWORD milliseconds)
{
    auto laidOut = [](HWND window) {
        return OutsideText(GetDlgItem(window, 1)).rfind("Zahl: ", 0) == 0;
    };
    return OutsideFindWindow(processId, "WindowClass_0", "Befreundete Zahlen", laidOut,
                             milliseconds);
}

std::string OutsideClassName(HWND window)
{
    char name[64] = "";
    if (window) GetClassNameA(window, name, sizeof name);
    return name;
}

std::string OutsideText(HWND control)
{
    if (!control) return "";
    // The text may grow between the length and the copy (the search's candidate gains a
    // digit): a copy that fills the buffer is taken again with twice the room.
    std::string text;
    for (int room = GetWindowTextLengthA(control) + 64;; room *= 2) {
        text.assign((size_t)room, '\0');
        int copied = GetWindowTextA(control, &text[0], room);
        // Wine leaves the buffer as it was when the call fails.
        text.resize(copied > 0 ? (size_t)copied : 0);
        if (copied < room - 1) return text;
    }
}

OutsideControl OutsideReadControl(HWND window, int controlId)
{
    OutsideControl control;
    control.Handle = GetDlgItem(window, controlId);
    if (!control.Handle) return control;
    control.ClassName = OutsideClassName(control.Handle);
    GetWindowRect(control.Handle, &control.Rect);
    MapWindowPoints(nullptr, window, (POINT *)&control.Rect, 2);
    control.Enabled = IsWindowEnabled(control.Handle) != 0;
    control.Visible = IsWindowVisible(control.Handle) != 0;
    control.Text = OutsideText(control.Handle);
    return control;
}

struct OutsideGadgetSearch {
    int Id;
    HWND Found;
};

static BOOL CALLBACK OutsideGadgetVisit(HWND child, LPARAM data)
{
    OutsideGadgetSearch *search = (OutsideGadgetSearch *)data;
    if (GetDlgCtrlID(child) != search->Id) return TRUE;
    search->Found = child;
    return FALSE;
}

HWND OutsideFindGadget(HWND window, int controlId)
{
    OutsideGadgetSearch search = {controlId, nullptr};
    EnumChildWindows(window, OutsideGadgetVisit, (LPARAM)&search);
    return search.Found;
}

// A wide text in the ANSI code page, up to its first zero.
static std::string OutsideNarrow(const wchar_t *wide)
{
    int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], size, nullptr, nullptr);
    text.resize(size > 0 ? size - 1 : 0);
    return text;
}

std::vector<std::string> OutsideListLines(HWND listBox, int from)
{
    std::vector<std::string> lines;
    int count = (int)SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (int i = from < 0 ? 0 : from; i < count; i++) {
        int length = (int)SendMessageW(listBox, LB_GETTEXTLEN, i, 0);
        if (length < 0) break;
        std::wstring wide(length + 1, L'\0');
        int copied = (int)SendMessageW(listBox, LB_GETTEXT, i, (LPARAM)&wide[0]);
        if (copied < 0) break;
        wide.resize(copied);
        lines.push_back(OutsideNarrow(wide.c_str()));
    }
    return lines;
}

std::string OutsideStatusPart(HANDLE process, HWND statusBar, int part)
{
    size_t length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, part, 0));
    size_t bytes = (length + 1) * sizeof(wchar_t);
    void *remote =
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return "";
    std::wstring wide(length + 1, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, part, (LPARAM)remote);
    ReadProcessMemory(process, remote, &wide[0], bytes, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    wide.back() = L'\0';
    return OutsideNarrow(wide.c_str());
}

bool OutsideNumberAfter(const std::string &text, const std::string &prefix, long long *value)
{
    if (text.compare(0, prefix.size(), prefix) != 0) return false;
    std::string digits = text.substr(prefix.size());
    if (digits.empty()) return false;
    size_t i = digits[0] == '-' ? 1 : 0;
    if (i == digits.size()) return false;
    for (; i < digits.size(); i++)
        if (digits[i] < '0' || digits[i] > '9') return false;
    *value = std::atoll(digits.c_str());
    return true;
}

void OutsideClose(HWND window)
{
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}
