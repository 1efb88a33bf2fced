// The in-process gadget tests' one set-up: a fresh gadget layer whose gadgets go onto a hidden
// window (or onto the program's one visible window), a record of every window the platform is
// asked to create, and what the tests read of controls with the platform alone.
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

// Whether a creation asked for the class (in any case, as the platform takes it), the whole
// style and the whole extended style; a failure shows what it asked for instead.
inline ::testing::AssertionResult Created(const CreationRecord &r, const char *className,
                                          DWORD style, DWORD exStyle)
{
    if (lstrcmpiA(r.ClassName.c_str(), className) == 0 && r.Style == style && r.ExStyle == exStyle)
        return ::testing::AssertionSuccess();
    char asked[120];
    wsprintfA(asked, "%s style %08lX ex %08lX", r.ClassName.c_str(), r.Style, r.ExStyle);
    return ::testing::AssertionFailure() << asked;
}

// Every creation since the last call, oldest first.
std::vector<CreationRecord> TakeCreations();

// The number of the hidden parent window.
enum { HiddenParentNumber = 1 };

// A test on a fresh gadget layer (table of 30, no option run, no panel open, the cursor on an
// empty text at the buffer's start) whose gadgets go onto a new hidden, captioned window.
class HiddenParentTest : public ::testing::Test {
  protected:
    explicit HiddenParentTest(int32_t width = 500, int32_t height = 400)
        : Width(width), Height(height)
    {
    }
    void SetUp() override;
    void TearDown() override;
    HWND Window = nullptr;
    int32_t Width, Height;   // of the window's client area
};

// The visible top-level window all visibility tests share (hiding or destroying a visible
// top-level window costs seconds under a virtual display, so there is only one).
HWND SharedVisibleWindow();

// Destroys every child of a window (fast, unlike destroying the window itself).
void DestroyChildren(HWND window);

// A test whose gadgets lie on the shared visible window, on a fresh gadget layer as above.
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

// Number of direct child windows of a window.
int GadgetChildCount(HWND window);

// The page of a panel's tab, as the tab's lParam holds it.
HWND PageOf(HWND tab, int index);

// A tab's rectangle in the tab control's client area.
RECT TabRect(HWND tab, int index);
