// Programs built from what the project hands out, watched from a second process: the three
// examples built against an installed copy (HELLO_EXE, FORM_EXE, TASKS_EXE), and the two programs
// of the unpacked Windows download (DIST_DIR). package_test.sh builds and unpacks them first. The
// examples and the download's programs carry the resources the program helper gives them, and
// their windows show the program's icon.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
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

// Starts the example whose path the variable names, with the arguments, once its resources
// are checked; its window, titled title and holding the gadget, or null.
HWND PackageStartExample(const char *variable, const char *title, int gadget,
                         OutsideProgram *program, const std::string &arguments = "")
{
    std::string exe = PackagePath(variable);
    if (exe.empty()) {
        ADD_FAILURE() << variable << " is not set";
        return nullptr;
    }
    PackageExpectResources(exe);
    if (!OutsideStart(exe, program, arguments)) {
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

// The task list on a file the test writes, driven as an automation tool would: its lines, the
// status bar's parts and the clipboard read from here, the field typed into, buttons clicked,
// menu commands sent and the close question answered. Wine reads no menu of another process
// (its items give -1 and nothing from here), so the commands go by the numbers the program
// gives its items. The file's name holds a blank, so it goes to the program in quotes.
class TasksProgram : public ::testing::Test {
  protected:
    enum { Field = 1, Add, List, Status, Progress };
    enum { Save = 102, Toggle = 201, Remove, Copy };

    void SetUp() override
    {
        char directory[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, directory);
        Path = std::string(directory) + "tasks test.txt";
    }

    void TearDown() override
    {
        OutsideStop(&Program);
        DeleteFileA(Path.c_str());
    }

    // The program started on a file holding the text, once its list shows that many lines.
    void Start(const std::string &text, size_t lines)
    {
        OutsideStop(&Program);
        std::ofstream(Path, std::ios::binary) << text;
        Window = PackageStartExample("TASKS_EXE", "Tasks", Progress, &Program, '"' + Path + '"');
        ASSERT_NE(Window, nullptr);
        ASSERT_TRUE(Until([&] { return Lines().size() == lines; })) << Lines().size();
    }

    // Whether the condition holds within ten seconds.
    static bool Until(const std::function<bool()> &holds)
    {
        for (int tries = 0; tries < 200 && !holds(); tries++) Sleep(50);
        return holds();
    }

    std::vector<std::string> Lines() { return OutsideListLines(GetDlgItem(Window, List)); }
    std::string Part(int part)
    {
        return OutsideStatusPart(Program.Process, GetDlgItem(Window, Status), part);
    }
    std::string FileText()
    {
        std::ifstream file(Path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    void Command(int number) { PostMessageA(Window, WM_COMMAND, number, 0); }

    // Whether the status bar's count and the progress bar come to show these; the program sets
    // them after the lines change.
    bool Counts(const std::string &count, int progress)
    {
        HWND bar = GetDlgItem(Window, Progress);
        return Until(
            [&] { return Part(0) == count && SendMessageA(bar, PBM_GETPOS, 0, 0) == progress; });
    }

    // Types the text into the field and presses Enter there, as the keyboard does.
    void TypeAndEnter(const char *text)
    {
        HWND field = GetDlgItem(Window, Field);
        SendMessageA(field, WM_SETTEXT, 0, (LPARAM)text);
        PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageA(field, WM_KEYUP, VK_RETURN, 0xC01C0001);
    }

    // Closes the window, waits for the question "save the changes?" owned by it and clicks
    // the answer's button.
    void CloseAnswering(int button)
    {
        OutsideClose(Window);
        HWND owner = Window;
        auto asks = [owner](HWND dialog) { return GetWindow(dialog, GW_OWNER) == owner; };
        HWND question = OutsideFindWindow(Program.ProcessId, "#32770", nullptr, asks, 20000);
        ASSERT_NE(question, nullptr) << "closing with unsaved changes asked nothing";
        PostMessageA(GetDlgItem(question, button), BM_CLICK, 0, 0);
        ASSERT_TRUE(Until([question] { return !IsWindow(question); }));
    }

    static std::string ClipboardText()
    {
        std::string text;
        if (!OpenClipboard(nullptr)) return text;
        HANDLE data = GetClipboardData(CF_TEXT);
        const char *locked = data ? static_cast<const char *>(GlobalLock(data)) : nullptr;
        if (locked) text = locked;
        if (locked) GlobalUnlock(data);
        CloseClipboard();
        return text;
    }

    std::string Path;
    OutsideProgram Program;
    HWND Window = nullptr;
};

TEST_F(TasksProgram, ReadsItsFileAddsMarksCopiesRemovesAndSavesInTheSameForm)
{
    // A line end without CR, a line without a mark and a blank line, as an editor may leave them.
    ASSERT_NO_FATAL_FAILURE(Start("[x] Buy milk\r\n[ ] Write report\nCall Anna\r\n\r\n", 3));
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[x] Buy milk", "[ ] Write report", "[ ] Call Anna"}));
    EXPECT_TRUE(Counts("3 tasks, 1 done", 33)) << Part(0);
    // The clock reads hh:mm:ss and moves on by itself.
    std::string clock;
    EXPECT_TRUE(Until([&] {
        clock = Part(1);
        return clock.size() == 8 && clock[2] == ':' && clock[5] == ':';
    })) << clock;
    EXPECT_TRUE(Until([&] { return Part(1) != clock; })) << "the clock stands at " << clock;

    TypeAndEnter("Water plants");
    ASSERT_TRUE(Until([&] { return Lines().size() == 4; }));
    EXPECT_EQ(Lines().back(), "[ ] Water plants");
    EXPECT_TRUE(Until([&] { return OutsideText(GetDlgItem(Window, Field)).empty(); }));

    // A click on Add with the field empty adds nothing: the toggle posted behind it shows that
    // the click has been handled.
    SendMessageA(GetDlgItem(Window, List), LB_SETCURSEL, 1, 0);
    PostMessageA(GetDlgItem(Window, Add), BM_CLICK, 0, 0);
    Command(Toggle);
    ASSERT_TRUE(Until([&] {
        std::vector<std::string> lines = Lines();
        return lines.size() > 1 && lines[1] == "[x] Write report";
    }));
    EXPECT_EQ(Lines().size(), 4u);
    EXPECT_TRUE(Counts("4 tasks, 2 done", 50)) << Part(0);

    SendMessageA(GetDlgItem(Window, List), LB_SETCURSEL, 0, 0);
    // The removal posted behind the copy shows that the copy is done; only then is the clipboard
    // opened here, so that the test never holds it while the program puts the text there.
    Command(Copy);
    Command(Remove);
    ASSERT_TRUE(Until([&] { return Lines().size() == 3; }));
    EXPECT_EQ(ClipboardText(), "Buy milk");
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[x] Write report", "[ ] Call Anna", "[ ] Water plants"}));
    EXPECT_TRUE(Counts("3 tasks, 1 done", 33)) << Part(0);
    Command(Save);
    const std::string saved = "[x] Write report\r\n[ ] Call Anna\r\n[ ] Water plants\r\n";
    EXPECT_TRUE(Until([&] { return FileText() == saved; })) << FileText();

    // Unsaved again: Cancel keeps the program and the file as they are, Yes saves and ends.
    TypeAndEnter("Pay rent");
    ASSERT_TRUE(Until([&] { return Lines().size() == 4; }));
    ASSERT_NO_FATAL_FAILURE(CloseAnswering(IDCANCEL));
    EXPECT_EQ(OutsideWaitExit(Program, 500), STILL_ACTIVE);
    EXPECT_EQ(FileText(), saved);
    ASSERT_NO_FATAL_FAILURE(CloseAnswering(IDYES));
    EXPECT_EQ(OutsideWaitExit(Program, 20000), 0u);
    EXPECT_EQ(FileText(), saved + "[ ] Pay rent\r\n");
}

TEST_F(TasksProgram, ClosingAsksOnlyAfterAChangeAndNoEndsWithoutSaving)
{
    ASSERT_NO_FATAL_FAILURE(Start("[ ] One\r\n", 1));
    OutsideClose(Window);
    EXPECT_EQ(OutsideWaitExit(Program, 20000), 0u) << "closing with nothing changed did not end";

    ASSERT_NO_FATAL_FAILURE(Start("[ ] One\r\n", 1));
    TypeAndEnter("Two");
    ASSERT_TRUE(Until([&] { return Lines().size() == 2; }));
    ASSERT_NO_FATAL_FAILURE(CloseAnswering(IDNO));
    EXPECT_EQ(OutsideWaitExit(Program, 20000), 0u);
    EXPECT_EQ(FileText(), "[ ] One\r\n");
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
