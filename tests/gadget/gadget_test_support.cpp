// The gadget tests' fixture and their readings of the controls.
#include "gadget_test_support.h"

void GadgetTest::SetUp()
{
    GadgetLayerInit();
    Parent = WindowOpen(0, 10, 10, 400, 300, WS_CAPTION | WS_SYSMENU | FlagHidden, "Gadgets");
    ASSERT_NE(Parent, nullptr);
    ASSERT_EQ(GadgetListUse(Parent), Parent);
    Scratch.ScratchCursor = Scratch.ScratchBuffer;
    *Scratch.ScratchCursor = 0;
}

static BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*(int *)count;
    return TRUE;
}

int GadgetChildCount(HWND window)
{
    int count = 0;
    EnumChildWindows(window, CountChild, (LPARAM)&count);
    return count;
}
