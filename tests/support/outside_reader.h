// Starts programs and reads their windows from a second process, as a user's automation tool
// would: the search window by class and title, its gadgets by control ID, their texts, and a
// list box's lines. Shared by every test that watches a program from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The program started by OutsideStart; both handles are closed by OutsideStop.
struct OutsideProgram {
    HANDLE Process = nullptr;
    DWORD ProcessId = 0;
};

// A path as the platform takes it: a Unix path becomes one on drive Z:.
std::string OutsideWindowsPath(const std::string &path);

// The directory of this test program, with its trailing backslash: the built programs lie
// beside it.
std::string OutsideOwnDirectory();

// Where a program the test starts lies: at its path in the build tree when that exists, else
// in this test program's own directory (as in the unpacked test bundle). As the platform takes it.
std::string OutsideProgramPath(const std::string &builtPath);

// Starts the program with the arguments after its quoted path; false when the platform refused.
bool OutsideStart(const std::string &exe, OutsideProgram *program,
                  const std::string &arguments = "");

// The exit code once the program has ended within the time, else STILL_ACTIVE.
DWORD OutsideWaitExit(const OutsideProgram &program, DWORD milliseconds);

// Ends a program that is still running (test clean-up only) and closes its handle.
void OutsideStop(OutsideProgram *program);

// The top-level window of the class (any for null) with the title that belongs to the process
// (any process for 0), once `ready` holds for it. Waits up to the time; null if it does not.
HWND OutsideFindWindow(DWORD processId, const char *className, const char *title,
                       const std::function<bool(HWND)> &ready, DWORD milliseconds);

// The top-level window of class "WindowClass_0" titled "Befreundete Zahlen" that belongs to
// the process (any process for 0), once it is laid out: the window appears before its
// gadgets, and the first "Zahl: " line comes after the last of them. Waits up to the time;
// null if it does not get that far.
HWND OutsideFindSearchWindow(DWORD processId, DWORD milliseconds);

// A control of the window as seen from outside.
struct OutsideControl {
    HWND Handle = nullptr;
    std::string ClassName;
    RECT Rect = {};   // in the parent's client area
    bool Enabled = false;
    bool Visible = false;
    std::string Text;
};

OutsideControl OutsideReadControl(HWND window, int controlId);

// A control anywhere below the window, on panel pages too, by its control ID (pages
// themselves have ID 0); the first found, null for none.
HWND OutsideFindGadget(HWND window, int controlId);

// A window's class name; the empty text for no window.
std::string OutsideClassName(HWND window);

// A window's text, of any length; the empty text for no window.
std::string OutsideText(HWND control);

// Every line of a list box of another process, of any length, or only those from the index
// on. Read through the wide messages, which cross processes intact, and converted to the ANSI
// code page.
std::vector<std::string> OutsideListLines(HWND listBox, int from = 0);

// A part of a status bar of another process. Its messages carry no text across processes, so
// the text is copied into room taken in that process (the program's handle) and read back.
std::string OutsideStatusPart(HANDLE process, HWND statusBar, int part);

// The number behind a prefix, as in "Zahl: 220"; false when the text is not that form.
bool OutsideNumberAfter(const std::string &text, const std::string &prefix, long long *value);

// Asks the window to close through its close box, as a click on it does.
void OutsideClose(HWND window);
