// Gadget texts read into the scratch buffer with less room left than the text needs: list-box
// lines, text lines, edit contents and combo-box items arrive cut so that their zero is the
// buffer's last byte, and nothing is written behind it, where a guard page waits.
#include <algorithm>
#include <stdint.h>

#include "gadget/internal/gadgets.h"
#include "support/gadget_parent.h"
#include "support/scratch.h"
#include "window/internal/windows.h"

namespace {

class ScratchGuard : public HiddenParentTest {
  protected:
    void SetUp() override
    {
        HiddenParentTest::SetUp();
        for (int i = 0; i < 7000; i++) Long += (char)('a' + i % 26);
        GadgetCreateListBox(40, 0, 0, 200, 100);
        GadgetAddItem(40, -1, "kurz");
        GadgetAddItem(40, -1, Long.c_str());
        // A multiple-selection box: its current line is the one with the caret.
        HWND box = GadgetGetHandle(40);
        SendMessageA(box, LB_SETSEL, TRUE, 1);
        SendMessageA(box, LB_SETCARETINDEX, 1, 0);
        GadgetCreateText(41, 0, 110, 200, 16, Long.c_str());
        GadgetCreateEdit(42, 0, 130, 200, 40, Long.c_str());
        GadgetCreateComboBox(43, 0, 180, 200, 100);
        GadgetAddItem(43, -1, Long.c_str());
        GadgetSetState(43, 0);
    }

    // Reads with `room` characters left before the last byte; checks the cut piece.
    void ReadWithRoom(int room, void (*read)(), size_t limit, const char *what)
    {
        GuardedScratch guard;
        char *start = ScratchEnd() - room;
        Scratch.ScratchCursor = start;
        start[-1] = 'x';   // nothing before the cursor is touched
        read();
        EXPECT_EQ(start[-1], 'x') << what << ", room " << room;
        size_t expected = std::min<size_t>({Long.size(), (size_t)room, limit});
        EXPECT_EQ(PieceAt(start), Long.substr(0, expected)) << what << ", room " << room;
        EXPECT_EQ(Scratch.ScratchCursor, start + expected) << what << ", room " << room;
        if (expected == (size_t)room) EXPECT_EQ(*ScratchEnd(), 0) << what << ", room " << room;
    }

    std::string Long;
};

const int Rooms[] = {0, 1, 2, 3, 11, 100, 4998, 4999, 5000, 6999, 7000, 7001};

TEST_F(ScratchGuard, ListBoxLinesAreCutAtTheLastByte)
{
    for (int room : Rooms) {
        ReadWithRoom(
            room, [] { GadgetGetItemText(40, 1, 0); }, SIZE_MAX, "item 1");
        ReadWithRoom(
            room, [] { GadgetGetText(40); }, SIZE_MAX, "current line");
    }
}

TEST_F(ScratchGuard, TextLineAndEditContentAreCutAtTheLastByte)
{
    for (int room : Rooms) {
        ReadWithRoom(
            room, [] { GadgetGetText(41); }, 4999, "text line");
        ReadWithRoom(
            room, [] { GadgetGetText(42); }, 4999, "edit");
    }
}

TEST_F(ScratchGuard, ComboBoxItemIsCutAtTheLastByte)
{
    for (int room : Rooms)
        ReadWithRoom(
            room, [] { GadgetGetText(43); }, SIZE_MAX, "combo box");
}

// An expression handed on at the very end (its zero on the last byte, the cursor stepped past
// it) leaves the readers no room at all: they write nothing, not even a zero.
TEST_F(ScratchGuard, ACursorPastTheLastByteWritesNothing)
{
    GuardedScratch guard;
    char *end = ScratchEnd();
    *end = 0;
    for (int32_t number : {40, 41, 42, 43}) {
        Scratch.ScratchCursor = end + 1;
        GadgetGetText(number);
        GadgetGetItemText(number, 1, 0);
        EXPECT_LE(Scratch.ScratchCursor, end + 1) << number;
    }
}

}   // namespace
