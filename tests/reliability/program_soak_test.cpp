// The real program from a second process: started with command lines of every shape, and
// kept running under a steady stream of harmless input while its progress, its pair lines
// and its memory are watched; the close box ends it with exit code 0.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <stdio.h>

#include <algorithm>

#include "support/outside_reader.h"
#include "soak_support.h"

namespace {

long long Candidate(HWND window)
{
    long long n = -1;
    OutsideNumberAfter(OutsideText(GetDlgItem(window, 1)), "Zahl: ", &n);
    return n;
}

SIZE_T PrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters))
        return 0;
    // Wine leaves PrivateUsage at 0; its page-file figure counts the same private pages.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// Every shape starts the program normally: its window appears, and the close box ends it
// with exit code 0. All of them run at once.
TEST(ProgramCommandLine, EveryShapeStartsTheProgramNormally)
{
    const std::string exe = OutsideProgramPath(AMICABLE_EXE);
    const std::string quoted = "\"" + exe + "\"";
    const std::vector<std::string> shapes = {
        "",
        quoted,
        quoted + " " + std::string(30000, 'x'),
        "\"" + exe + " a b",         // a quote that never closes
        quoted + "\t\"\t\"\"\t a",   // tabs and stray quotes
        exe + "\tword",
        quoted + "x",
        "\"\"",
        "   ",
    };
    std::vector<PROCESS_INFORMATION> started;
    for (const std::string &shape : shapes) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::string line = shape;
        ASSERT_TRUE(CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &info))
            << "[" << shape.substr(0, 60) << "] " << GetLastError();
        CloseHandle(info.hThread);
        started.push_back(info);
    }
    for (size_t i = 0; i < shapes.size(); i++) {
        SCOPED_TRACE("[" + shapes[i].substr(0, 60) + "]");
        HWND window = OutsideFindSearchWindow(started[i].dwProcessId, 30000);
        EXPECT_NE(window, nullptr);
        if (window) OutsideClose(window);
    }
    for (size_t i = 0; i < shapes.size(); i++) {
        SCOPED_TRACE("[" + shapes[i].substr(0, 60) + "]");
        OutsideProgram program;
        program.Process = started[i].hProcess;
        program.ProcessId = started[i].dwProcessId;
        EXPECT_EQ(OutsideWaitExit(program, 20000), 0u);
        OutsideStop(&program);
    }
}

// Ends the program when a check gives up early, so that no search outlives the test.
struct ProgramGuard {
    OutsideProgram *Program;
    ~ProgramGuard() { OutsideStop(Program); }
};

TEST(ProgramSoak, KeepsSearchingUnderSteadyInputAndClosesCleanly)
{
    const DWORD seconds = SoakSeconds(15);
    OutsideProgram program;
    ASSERT_TRUE(OutsideStart(OutsideProgramPath(AMICABLE_EXE), &program));
    ProgramGuard guard{&program};
    HWND window = OutsideFindSearchWindow(program.ProcessId, 30000);
    ASSERT_NE(window, nullptr);
    // The window shows before its gadgets exist; the first candidate's text comes after them.
    for (DWORD t = GetTickCount(); Candidate(window) < 0 && GetTickCount() - t < 20000;) Sleep(10);
    HWND list = GetDlgItem(window, 0);
    ASSERT_NE(list, nullptr);

    const DWORD begin = GetTickCount();
    Sleep(300);
    const SIZE_T memoryAtStart = PrivateBytes(program.Process);
    const long long firstCandidate = Candidate(window);
    unsigned inputs = 0, samples = 0;
    long long lastCandidate = firstCandidate, progressMark = firstCandidate;
    DWORD lastSample = begin, progressTime = begin;
    std::vector<std::string> lines;
    // Which controls held the keyboard focus at the samples. The list box is the only enabled
    // tab stop, so Tab keeps bringing the focus back to it: one control is expected.
    std::vector<HWND> focused;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    // SOAK_INPUT_MASK (hex, one bit per kind of input) narrows the stream when hunting a fault.
    char maskText[16] = "";
    GetEnvironmentVariableA("SOAK_INPUT_MASK", maskText, sizeof maskText);
    unsigned mask = maskText[0] ? strtoul(maskText, nullptr, 16) : 0xFF;
    while (GetTickCount() - begin < seconds * 1000) {
        if (mask >> (inputs % 8) & 1) SoakSendInput(window, inputs);
        inputs++;
        Sleep(5);
        DWORD now = GetTickCount();
        if (now - lastSample < 500) continue;
        lastSample = now;
        samples++;
        // The lines read between two readings of the candidate hold the reports of every
        // number below the first reading and of none beyond the second.
        long long before = Candidate(window);
        lines = OutsideListLines(list);
        long long after = Candidate(window);
        ASSERT_GE(before, lastCandidate) << "the candidate went back";
        ASSERT_GE(after, before);
        std::vector<std::string> expected = SoakExpectedLines(after + 1);
        ASSERT_LE(lines.size(), expected.size()) << "more lines than pairs at " << after;
        ASSERT_GE(lines.size(), SoakLinesBelow(before))
            << "a pair line missing below " << before << "; list " << list << " window "
            << IsWindow(list) << " count " << SendMessageW(list, LB_GETCOUNT, 0, 0) << " error "
            << GetLastError() << " exit " << OutsideWaitExit(program, 0);
        expected.resize(lines.size());
        ASSERT_EQ(lines, expected);
        lastCandidate = after;
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        if (GetGUIThreadInfo(thread, &gui) && gui.hwndFocus &&
            std::find(focused.begin(), focused.end(), gui.hwndFocus) == focused.end())
            focused.push_back(gui.hwndFocus);
        if (after > progressMark) {
            progressMark = after;
            progressTime = now;
        }
        if (SoakChecksPace())
            ASSERT_LT(now - progressTime, 10000u) << "no progress for ten seconds at " << after;
    }
    const SIZE_T memoryAtEnd = PrivateBytes(program.Process);
    const DWORD ran = GetTickCount() - begin;

    // Input stopped: the close box ends the program at the next candidate, with code 0.
    Sleep(200);
    const long long atClose = Candidate(window);
    const DWORD closing = GetTickCount();
    OutsideClose(window);
    EXPECT_EQ(OutsideWaitExit(program, 15000), 0u);
    const DWORD closeTime = GetTickCount() - closing;
    OutsideStop(&program);

    printf("soak: %lu ms, %u inputs (%lu/s), %u samples, candidates %lld -> %lld, %zu pair "
           "lines, %zu controls seen focused, private bytes %lu -> %lu KiB, exit %lu ms after "
           "the close at candidate %lld\n",
           (unsigned long)ran, inputs, (unsigned long)(inputs * 1000ull / (ran ? ran : 1)), samples,
           firstCandidate, lastCandidate, lines.size(), focused.size(),
           (unsigned long)(memoryAtStart / 1024), (unsigned long)(memoryAtEnd / 1024),
           (unsigned long)closeTime, atClose);
    RecordProperty("inputs", (int)inputs);
    RecordProperty("last_candidate", (int)lastCandidate);
    EXPECT_GT(lastCandidate, firstCandidate);
    if (SoakChecksPace()) EXPECT_GT(lastCandidate, firstCandidate + 1000);
    EXPECT_LE(focused.size(), 1u);
    // Growth of the whole process, seen from outside: the pair texts and list elements are a
    // few hundred bytes; the list box's own lines live in the platform's memory. A leak per
    // candidate or per message would show as megabytes.
    if (memoryAtStart && memoryAtEnd)
        EXPECT_LT(memoryAtEnd, memoryAtStart + 4 * 1024 * 1024)
            << memoryAtStart << " -> " << memoryAtEnd;
}

}   // namespace
