// Start-up: the command tail, the module directory, and whole processes of the probe
// program started from here and watched from outside (exit code and marker file).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/internal/startup.h"
#include "support/outside_reader.h"

namespace {

// ---- command tail ----------------------------------------------------------------------

TEST(CommandTail, QuotedProgramPathEndsAtItsClosingQuote)
{
    const char *line = "\"C:\\Program Files\\prog.exe\"   a b";
    EXPECT_STREQ(CommandTailScan(line), "a b");
    const char *direct = "\"C:\\prog.exe\"x";
    EXPECT_EQ(CommandTailScan(direct), direct + 13);
    EXPECT_STREQ(CommandTailScan("\"p\"\ta"), "\ta");   // a tab is no blank
    const char *bare = "\"p\"";
    EXPECT_EQ(CommandTailScan(bare), bare + 3);
}

TEST(CommandTail, UnclosedQuoteGivesTheWholeLine)
{
    const char *line = "\"C:\\prog.exe a b";
    EXPECT_EQ(CommandTailScan(line), line);
}

TEST(CommandTail, UnquotedProgramNameEndsAtTheFirstBlank)
{
    EXPECT_STREQ(CommandTailScan("prog.exe a b"), "a b");
    EXPECT_STREQ(CommandTailScan("prog.exe   a  b "), "a  b ");
    const char *alone = "prog.exe";
    EXPECT_EQ(CommandTailScan(alone), alone + 8);   // the terminating zero
    const char *tabbed = "prog.exe\tword";
    EXPECT_EQ(CommandTailScan(tabbed), tabbed + 13);   // the tab belongs to the name
    const char *trailing = "prog.exe   ";
    EXPECT_EQ(CommandTailScan(trailing), trailing + 11);
    const char *empty = "";
    EXPECT_EQ(CommandTailScan(empty), empty);
    EXPECT_STREQ(CommandTailScan(" a"), "a");
}

// ---- module directory ------------------------------------------------------------------

std::string Cut(const char *fileName)
{
    char text[500];
    strcpy(text, fileName);
    ModuleDirectoryCut(text);
    return text;
}

TEST(ModuleDirectory, CutKeepsEverythingUpToTheLastBackslash)
{
    EXPECT_EQ(Cut("D:\\work\\prog.exe"), "D:\\work\\");
    EXPECT_EQ(Cut("\\\\server\\share\\prog.exe"), "\\\\server\\share\\");
    EXPECT_EQ(Cut("C:\\"), "C:\\");
    EXPECT_EQ(Cut("a\\b\\"), "a\\b\\");
    EXPECT_EQ(Cut("D:/work/prog.exe"), "");   // only the backslash separates
    EXPECT_EQ(Cut("prog.exe"), "");
    EXPECT_EQ(Cut(""), "");
}

// ---- the probe process -----------------------------------------------------------------

struct ProbeRun {
    DWORD ExitCode;
    std::string Marker;
};

// Starts the probe with the given way, waits for its end and reads its marker file.
ProbeRun RunProbe(const std::string &way)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string marker = std::string(temp) + "core_probe_" + way + "_" +
                         std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(marker.c_str());
    OutsideProgram probe;
    ProbeRun run = {0xFFFFFFFF, ""};
    if (!OutsideStart(OutsideOwnDirectory() + "core_startup_probe.exe", &probe,
                      way + " " + marker)) {
        ADD_FAILURE() << "cannot start the probe: error " << GetLastError();
        return run;
    }
    run.ExitCode = OutsideWaitExit(probe, 30000);
    EXPECT_NE(run.ExitCode, (DWORD)STILL_ACTIVE) << "probe did not end: " << way;
    OutsideStop(&probe);
    std::ifstream in(marker, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    run.Marker = text.str();
    in.close();
    DeleteFileA(marker.c_str());
    return run;
}

// One way the probe ends, and what is seen from outside: exit code and marker file.
struct ProbeWay {
    const char *Way;
    DWORD ExitCode;
    const char *Marker;
};

void PrintTo(const ProbeWay &w, std::ostream *os)
{
    *os << w.Way;
}

class StartupProbe : public ::testing::TestWithParam<ProbeWay> {};

TEST_P(StartupProbe, EndsAsItsWaySays)
{
    ProbeRun run = RunProbe(GetParam().Way);
    EXPECT_EQ(run.ExitCode, GetParam().ExitCode);
    EXPECT_EQ(run.Marker, GetParam().Marker);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, StartupProbe,
    ::testing::Values(
        // The statements run and the process ends with zero.
        ProbeWay{"normal", 0, "statements\n"},
        // A frame larger than the guard page and a 64-bit division, both served by the
        // compiler's support library.
        ProbeWay{"deep", 0, "statements\ndeep\n"},
        // A window's class shows the icon the program helper put into the program.
        ProbeWay{"icon", 0, "statements\nicon\n"},
        // An access violation reaches the SIGSEGV handler, then ends the process.
        ProbeWay{"segv", 0xC0000005u, "statements\nhandler SIGSEGV\n"},
        // A SIGSEGV handler is preferred whatever the exception was.
        ProbeWay{"segv-divide", 0xC0000094u, "statements\nhandler SIGSEGV\n"},
        // Without a SIGSEGV handler the SIGFPE handler has its turn.
        ProbeWay{"fpe-divide", 0xC0000094u, "statements\nhandler SIGFPE\n"},
        // Without a handler the system ends the process.
        ProbeWay{"bare", 0xC0000005u, "statements\n"},
        // Static objects are made before the statements and destroyed after them, newest
        // first, while the heap is there; every form of new and delete works on that heap.
        ProbeWay{"language", 0,
                 "statements\nconstructed\nnew\ndestroyed c heap\ndestroyed b heap\n"
                 "destroyed a heap\n"},
        // A plain new without memory never hands null to a constructor: the process ends with
        // the start-up's no-memory code.
        ProbeWay{"new-fails", StartupExitNoMemory, "statements\n"}),
    [](const ::testing::TestParamInfo<ProbeWay> &info) {
        std::string name = info.param.Way;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

}   // namespace
