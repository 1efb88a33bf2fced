// Programs built from what the project hands out, watched from a second process: the two
// examples built against an installed copy (HELLO_EXE, FORM_EXE), and the two programs of the
// unpacked Windows download (DIST_DIR). package_test.sh builds and unpacks them first. The
// examples and the download's programs carry the resources the program helper gives them, and
// their windows show the program's icon.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/outside_reader.h"

namespace {

// The path an environment variable names, as the platform takes it; empty when unset.
std::string PackagePath(const char *variable)
{
    const char *value = std::getenv(variable);
    return value ? OutsideWindowsPath(value) : "";
}

// The program's top-level window with that title, once its gadget `lastGadget` (the last one
// it creates) is there; null if that does not happen within the time.
HWND PackageFindWindow(const OutsideProgram &program, const char *title, int lastGadget)
{
    auto built = [lastGadget](HWND window) { return GetDlgItem(window, lastGadget) != nullptr; };
    return OutsideFindWindow(program.ProcessId, nullptr, title, built, 20000);
}

// The program file read as data: icon group 1, version information 1 (version 1.0.0) and
// manifest 1, which asks to run as the invoker and declares no DPI awareness.
void PackageExpectResources(const std::string &exe)
{
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr) << exe;
    HRSRC version = FindResourceA(module, MAKEINTRESOURCEA(1), RT_VERSION);
    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    if (version && SizeofResource(module, version) >= 40 + sizeof(VS_FIXEDFILEINFO)) {
        // The fixed part follows the 6-byte header and the key L"VS_VERSION_INFO", padded.
        const auto *fixed = reinterpret_cast<const VS_FIXEDFILEINFO *>(
            static_cast<const char *>(LockResource(LoadResource(module, version))) + 40);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu) << exe;
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u) << exe;
    } else {
        ADD_FAILURE() << exe << ": no version information";
    }
    if (manifest) {
        std::string text(static_cast<const char *>(LockResource(LoadResource(module, manifest))),
                         SizeofResource(module, manifest));
        EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos) << exe;
        EXPECT_EQ(text.find("dpiAware"), std::string::npos) << exe;
    } else {
        ADD_FAILURE() << exe << ": no manifest";
    }
    FreeLibrary(module);
}

// The window's class icon, read from here, is the program's icon 1, not null. Wine reads no
// class icon across processes (ERROR_INVALID_HANDLE); there the start-up probe's own reading
// stands in.
void PackageExpectClassIcon(HWND window, const char *exe)
{
    SetLastError(0);
    if (GetClassLongA(window, GCL_HICON) == 0 && GetLastError() != ERROR_INVALID_HANDLE)
        ADD_FAILURE() << exe << ": its window shows no icon";
}

// Starts the example whose path the variable names, once its resources are checked; its window,
// titled title and holding the gadget, or null.
HWND PackageStartExample(const char *variable, const char *title, int gadget,
                         OutsideProgram *program)
{
    std::string exe = PackagePath(variable);
    if (exe.empty()) {
        ADD_FAILURE() << variable << " is not set";
        return nullptr;
    }
    PackageExpectResources(exe);
    if (!OutsideStart(exe, program)) {
        ADD_FAILURE() << "cannot start " << exe;
        return nullptr;
    }
    HWND window = PackageFindWindow(*program, title, gadget);
    if (window == nullptr)
        ADD_FAILURE() << "no window titled " << title;
    else
        PackageExpectClassIcon(window, exe.c_str());
    return window;
}

TEST(HelloProgram, EachClickAppendsALineAndTheCloseBoxEndsItWithExitCodeZero)
{
    enum { HelloButton = 1, HelloList = 2 };
    OutsideProgram program;
    HWND window = PackageStartExample("HELLO_EXE", "Hallo", HelloList, &program);
    ASSERT_NE(window, nullptr);

    const std::vector<std::string> expected = {"Klick 1", "Klick 2"};
    HWND list = GetDlgItem(window, HelloList);
    for (size_t clicks = 1; clicks <= expected.size(); clicks++) {
        PostMessageA(GetDlgItem(window, HelloButton), BM_CLICK, 0, 0);
        for (int tries = 0; tries < 200 && OutsideListLines(list).size() < clicks; tries++)
            Sleep(50);
    }
    EXPECT_EQ(OutsideListLines(list), expected);

    OutsideClose(window);
    EXPECT_EQ(OutsideWaitExit(program, 20000), 0u);
    OutsideStop(&program);
}

TEST(FormProgram, ASummaryReadsEveryControlAndTheNoteWindowClosesByItsButton)
{
    enum {
        FormName = 3,
        FormColour = 5,
        FormSizeSmall = 6,
        FormSizeLarge = 8,
        FormUrgent = 9,
        FormRead = 10,
        FormOpenNote = 11,
        FormSummaries = 12,
        FormProgress = 13,
        FormNoteText = 20,
        FormNoteOk = 21,
    };
    OutsideProgram program;
    HWND window = PackageStartExample("FORM_EXE", "Formular", FormProgress, &program);
    ASSERT_NE(window, nullptr);

    // Controls on both pages of the panel, set as a user would leave them: the third option
    // checked in place of the first, as a click on it does.
    SendMessageA(OutsideFindGadget(window, FormName), WM_SETTEXT, 0, (LPARAM) "Anna");
    SendMessageA(OutsideFindGadget(window, FormColour), CB_SETCURSEL, 2, 0);
    SendMessageA(OutsideFindGadget(window, FormSizeSmall), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(OutsideFindGadget(window, FormSizeLarge), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(OutsideFindGadget(window, FormUrgent), BM_SETCHECK, BST_CHECKED, 0);
    HWND list = GetDlgItem(window, FormSummaries);
    PostMessageA(GetDlgItem(window, FormRead), BM_CLICK, 0, 0);
    for (int tries = 0; tries < 200 && OutsideListLines(list).empty(); tries++) Sleep(50);
    EXPECT_EQ(OutsideListLines(list), std::vector<std::string>{"Anna / Blau / Gross / eilig"});
    EXPECT_EQ(SendMessageA(GetDlgItem(window, FormProgress), PBM_GETPOS, 0, 0), 25);

    // The note's gadgets go into the note, not into the form.
    PostMessageA(GetDlgItem(window, FormOpenNote), BM_CLICK, 0, 0);
    auto laidOut = [](HWND note) { return GetDlgItem(note, FormNoteOk) != nullptr; };
    HWND note = OutsideFindWindow(program.ProcessId, nullptr, "Hinweis", laidOut, 20000);
    ASSERT_NE(note, nullptr) << "no window titled Hinweis";
    EXPECT_NE(OutsideText(GetDlgItem(note, FormNoteText)), "");
    PostMessageA(GetDlgItem(note, FormNoteOk), BM_CLICK, 0, 0);
    for (int tries = 0; tries < 400 && IsWindow(note); tries++) Sleep(50);
    EXPECT_FALSE(IsWindow(note));

    OutsideClose(window);
    EXPECT_EQ(OutsideWaitExit(program, 20000), 0u);
    OutsideStop(&program);
}

TEST(DistPrograms, BothStartAndEndWithExitCodeZeroWhenClosed)
{
    struct Row {
        const char *Exe, *Title;
        int LastGadget;
    };
    const Row rows[] = {{"amicable.exe", "Befreundete Zahlen", 4},
                        {"gallery.exe", "Gadget gallery", 0}};
    std::string directory = PackagePath("DIST_DIR");
    ASSERT_FALSE(directory.empty()) << "DIST_DIR is not set";
    for (const Row &row : rows) {
        OutsideProgram program;
        std::string exe = directory + "\\" + row.Exe;
        PackageExpectResources(exe);
        ASSERT_TRUE(OutsideStart(exe, &program)) << exe;
        HWND window = PackageFindWindow(program, row.Title, row.LastGadget);
        EXPECT_NE(window, nullptr) << row.Exe << ": no window titled " << row.Title;
        if (window) {
            PackageExpectClassIcon(window, row.Exe);
            OutsideClose(window);
        }
        EXPECT_EQ(OutsideWaitExit(program, 20000), 0u) << row.Exe;
        OutsideStop(&program);
    }
}

}   // namespace
