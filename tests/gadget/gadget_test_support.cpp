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

std::string GadgetWindowText(HWND control)
{
    std::vector<char> text(GetWindowTextLengthA(control) + 1);
    GetWindowTextA(control, text.data(), (int)text.size());
    return text.data();
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

GuardedScratch::GuardedScratch()
    : Block(ScratchBufferSize + Guard, GuardByte), SavedBuffer(Scratch.ScratchBuffer),
      SavedCursor(Scratch.ScratchCursor)
{
    Scratch.ScratchBuffer = Block.data();
    Scratch.ScratchCursor = Block.data();
    *Scratch.ScratchCursor = 0;
}

GuardedScratch::~GuardedScratch()
{
    Scratch.ScratchBuffer = SavedBuffer;
    Scratch.ScratchCursor = SavedCursor;
}

bool GuardedScratch::GuardIntact() const
{
    for (int i = 0; i < Guard; i++)
        if (Block[ScratchBufferSize + i] != (char)GuardByte) return false;
    return true;
}

void GuardedScratch::LeaveRoom(int characters)
{
    Scratch.ScratchCursor = ScratchEnd() - characters;
    *Scratch.ScratchCursor = 0;
}
