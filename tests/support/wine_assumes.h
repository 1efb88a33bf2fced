// The one marker for a test that relies on Wine behaviour Windows does not document. Under
// Wine the test runs; on Windows it is skipped, with a line naming the assumption that
// run-tests.cmd finds in the program's output and reports apart from the results.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

// True under Wine, whose ntdll exports wine_get_version. WINE_ASSUMES_AS_ON_WINDOWS in the
// environment has a Wine run take the Windows path, so that the skip can be tried here.
inline bool WineAssumesUnderWine()
{
    if (GetEnvironmentVariableA("WINE_ASSUMES_AS_ON_WINDOWS", nullptr, 0) != 0) return false;
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Begins the line run-tests.cmd searches each output for (it spells the text out too).
#define WINE_ASSUMES_TAG "Wine assumption, skipped on Windows:"

// At the top of the test body, naming the assumption in a sentence.
#define WINE_ASSUMES(assumption)                                                                   \
    do {                                                                                           \
        if (!WineAssumesUnderWine()) {                                                             \
            const ::testing::TestInfo *wineAssumesTest =                                           \
                ::testing::UnitTest::GetInstance()->current_test_info();                           \
            printf("%s %s.%s: %s\n", WINE_ASSUMES_TAG, wineAssumesTest->test_suite_name(),         \
                   wineAssumesTest->name(), assumption);                                           \
            fflush(stdout);                                                                        \
            GTEST_SKIP() << "relies on Wine: " << assumption;                                      \
        }                                                                                          \
    } while (0)
