// Shared set-up for the in-process tests of the further kinds, panels and geometry (the
// runtime is up from the test environment): a hidden window per test, the one visible window
// of the program, and a record of every window the platform is asked to create.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "gadget/internal/gadgets.h"
#include "gadget/internal/panels.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "support/events.h"
#include "support/gadget_slot.h"
#include "support/outside_reader.h"
#include "support/scratch.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

// What CreateWindowExA was asked for, as a CBT hook sees it before the window exists.
struct CreationRecord {
    std::string ClassName;
    DWORD Style;
    DWORD ExStyle;
    int X, Y, Width, Height;
    HWND Parent;
    intptr_t Id;
    std::string Title;
};

// Whether a creation asked for the class (in any case, as the platform takes it), the style
// and the extended style; a failure shows what it asked for instead.
inline ::testing::AssertionResult Created(const CreationRecord &r, const char *className,
                                          DWORD style, DWORD exStyle)
{
    if (lstrcmpiA(r.ClassName.c_str(), className) == 0 && r.Style == style && r.ExStyle == exStyle)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << r.ClassName << std::hex << " style " << r.Style << " ex " << r.ExStyle;
}

// Every creation since the last call, oldest first.
std::vector<CreationRecord> TakeCreations();

// The visible top-level window all visibility tests share (hiding or destroying a visible
// top-level window costs seconds under a virtual display, so there is only one).
HWND SharedVisibleWindow();

// Destroys every child of a window (fast, unlike destroying the window itself).
void DestroyChildren(HWND window);

// A test on a fresh hidden, captioned window 1 that is the gadget parent.
class HiddenWindowTest : public ::testing::Test {
  protected:
    HWND Window = nullptr;
    void SetUp() override;
    void TearDown() override;
};

// A test whose gadgets lie on the shared visible window.
class VisibleWindowTest : public ::testing::Test {
  protected:
    HWND Window = nullptr;
    void SetUp() override;
    void TearDown() override;
};

inline bool HasStyle(HWND window, DWORD bits)
{
    return ((DWORD)GetWindowLongA(window, GWL_STYLE) & bits) == bits;
}

// The page of a panel's tab, as the tab's lParam holds it.
HWND PageOf(HWND tab, int index);

// A tab's rectangle in the tab control's client area.
RECT TabRect(HWND tab, int index);
