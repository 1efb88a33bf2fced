// The modal dialogs, driven as a user would drive them: a second thread waits for the dialog of
// this thread, reads it, and presses a button (and for the file dialogs first types a name).
// Each dialog is a visible top-level window, whose end costs seconds without a window manager:
// the rows are few.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <functional>
#include <string>
#include <thread>

#include "runtime/strings.h"
#include "window/dialogs.h"
#include "window_test_support.h"

namespace {

struct DialogSeen {
    HWND Owner = nullptr;
    std::string Title;
    std::string Buttons;   // the buttons it has, of O(k) C(ancel) Y(es) N(o)
};

BOOL CALLBACK DialogFind(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *(HWND *)found = window;
    return FALSE;
}

// On a second thread: waits for a dialog of this thread, reads it, then lets `act` press.
std::thread DialogDriver(DialogSeen *seen, std::function<void(HWND)> act)
{
    DWORD thread = GetCurrentThreadId();
    return std::thread([=] {
        HWND dialog = nullptr;
        for (int i = 0; i < 3000 && !dialog; i++, Sleep(10))
            EnumThreadWindows(thread, DialogFind, (LPARAM)&dialog);
        if (!dialog) return;
        Sleep(200);   // laid out and ready for input
        seen->Owner = GetWindow(dialog, GW_OWNER);
        char title[80] = "";
        GetWindowTextA(dialog, title, sizeof title);
        seen->Title = title;
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
            if (HWND button = GetDlgItem(dialog, id); button && IsWindowVisible(button))
                seen->Buttons += "?OCxxxYN"[id];
        act(dialog);
    });
}

class Dialogs : public ::testing::Test {
  protected:
    HWND Window = nullptr;
    void SetUp() override
    {
        WindowTestLayerRestart();
        Window = WindowOpen(0, 20, 20, 300, 200, WS_CAPTION | WS_SYSMENU | FlagHidden, "Besitzer");
        ASSERT_NE(Window, nullptr);
        Scratch.ScratchCursor = Scratch.ScratchBuffer;
        StringAppend("vorher");
    }
};

TEST_F(Dialogs, AMessageHasTheButtonsAskedForAndReturnsTheOnePressed)
{
    const struct {
        int32_t Flags;
        int Press;
        const char *Buttons;
    } rows[] = {
        {DialogButtonsOkCancel | DialogIconWarning, IDCANCEL, "OC"},
        {DialogButtonsYesNoCancel | DialogIconQuestion, IDYES, "CYN"},
    };
    for (const auto &row : rows) {
        DialogSeen seen;
        int press = row.Press;
        std::thread driver = DialogDriver(&seen, [press](HWND dialog) {
            SendMessageA(GetDlgItem(dialog, press), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(DialogMessage("Frage", "Wirklich?", row.Flags), row.Press);
        driver.join();
        EXPECT_EQ(seen.Title, "Frage");
        EXPECT_EQ(seen.Owner, Window);
        EXPECT_EQ(seen.Buttons, row.Buttons);
    }
}

// A folder of the test's own with one file in it, as the platform names them.
std::string TestFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "amicable_dialogs";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

// Types the name into the dialog's file name field and presses OK.
void TypeNameAndOk(HWND dialog, const std::string &name)
{
    HWND field = GetDlgItem(dialog, cmb13);
    if (!field) field = GetDlgItem(dialog, edt1);
    SendMessageA(field, WM_SETTEXT, 0, (LPARAM)name.c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, IDOK));
}

TEST_F(Dialogs, TheFileDialogsAppendTheChosenPathAtTheCursorOrTheEmptyText)
{
    std::string folder = TestFolder();
    std::string existing = folder + "liste.txt";
    CloseHandle(
        CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DeleteFileA((folder + "neu.txt").c_str());
    const char *filter = "Aufgabenlisten (*.txt)|*.txt|Alle Dateien (*.*)|*.*";
    char *start = Scratch.ScratchCursor;

    // Open: the existing file, typed with its full path.
    DialogSeen seen;
    std::thread driver = DialogDriver(&seen, [&](HWND dialog) { TypeNameAndOk(dialog, existing); });
    EXPECT_EQ(DialogOpenFile("Liste laden", filter, ""), 1);
    driver.join();
    EXPECT_EQ(seen.Title, "Liste laden");
    EXPECT_EQ(seen.Owner, Window);
    EXPECT_EQ(lstrcmpiA(start, existing.c_str()), 0) << start;
    EXPECT_EQ(Scratch.ScratchCursor, start + existing.size());
    EXPECT_EQ(std::string(Scratch.ScratchBuffer, 6), "vorher");

    // Save: a new name without extension gets the first pattern's.
    Scratch.ScratchCursor = start;
    seen = DialogSeen();
    driver = DialogDriver(&seen, [&](HWND dialog) { TypeNameAndOk(dialog, folder + "neu"); });
    EXPECT_EQ(DialogSaveFile("Liste speichern", filter, "liste"), 1);
    driver.join();
    EXPECT_EQ(lstrcmpiA(start, (folder + "neu.txt").c_str()), 0) << start;
    EXPECT_EQ(*Scratch.ScratchCursor, 0);

    // Cancelled: the empty text, the cursor where it was.
    Scratch.ScratchCursor = start;
    *start = 's';
    driver = DialogDriver(&seen, [](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(DialogOpenFile(nullptr, nullptr, "liste.txt"), 0);
    driver.join();
    EXPECT_EQ(Scratch.ScratchCursor, start);
    EXPECT_EQ(*start, 0);
    DeleteFileA(existing.c_str());
    RemoveDirectoryA(folder.c_str());
}

}   // namespace
