// The clipboard's text: what is put there is the platform's text, owned by the current window,
// and reads back at the cursor; a put that cannot be made leaves the clipboard as it was.
#include <gtest/gtest.h>

#include "support/scratch.h"
#include "window/clipboard.h"
#include "window_test_support.h"

namespace {

class ClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        WindowTestLayerRestart();
        Window = WindowOpen(0, 0, 0, 200, 100, WS_CAPTION | FlagHidden, "Ablage");
        ASSERT_NE(Window, nullptr);
        Scratch.ScratchCursor = Scratch.ScratchBuffer;
    }

    void TearDown() override { WindowTestLayerRestart(); }

    // The clipboard's text as the platform hands it to anyone; "(none)" without one.
    static std::string Held()
    {
        std::string text = "(none)";
        if (!OpenClipboard(nullptr)) return "(not opened)";
        HANDLE data = GetClipboardData(CF_TEXT);
        const char *locked = data ? (const char *)GlobalLock(data) : nullptr;
        if (locked) {
            text = locked;
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    // Appends the clipboard's text at the cursor over a stale byte; its result and its piece.
    static std::string Read(int32_t expected)
    {
        *Scratch.ScratchCursor = 's';
        return ScratchRead([&] { EXPECT_EQ(ClipboardGetText(), expected); });
    }

    HWND Window = nullptr;
};

TEST_F(ClipboardTest, PutTextReadsBackThroughThePlatformAndAtTheCursor)
{
    const char *texts[] = {"Zeile 1\r\nZeile 2 \xC4\xE4", "", nullptr};
    for (const char *text : texts) {
        std::string expected = text ? text : "";
        ASSERT_EQ(ClipboardPutText(text), 1);
        EXPECT_EQ(GetClipboardOwner(), Window);
        EXPECT_EQ(Held(), expected);
        EXPECT_EQ(Read(1), expected);
    }
    // Near the buffer's end the text is cut so that its zero is the last byte.
    ASSERT_EQ(ClipboardPutText("abcdefgh"), 1);
    GuardedScratch guarded;
    guarded.LeaveRoom(3);
    EXPECT_EQ(Read(1), "abc");
}

// Holds the clipboard open in a window of another thread from `Opened` to `Release`.
struct ClipboardHolder {
    HANDLE Opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE Release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE Thread = nullptr;

    static DWORD WINAPI Hold(void *self)
    {
        ClipboardHolder *h = (ClipboardHolder *)self;
        HWND window = CreateWindowExA(0, "STATIC", "", WS_CAPTION, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
        DWORD result = 1;
        if (OpenClipboard(window)) {
            SetEvent(h->Opened);
            WaitForSingleObject(h->Release, 10000);
            CloseClipboard();
            result = 0;
        }
        DestroyWindow(window);
        return result;
    }

    bool Start()
    {
        Thread = CreateThread(nullptr, 0, Hold, this, 0, nullptr);
        return WaitForSingleObject(Opened, 10000) == WAIT_OBJECT_0;
    }

    ~ClipboardHolder()
    {
        SetEvent(Release);
        if (Thread) WaitForSingleObject(Thread, 10000);
        for (HANDLE h : {Thread, Opened, Release})
            if (h) CloseHandle(h);
    }
};

TEST_F(ClipboardTest, APutThatCannotBeMadeLeavesTheClipboardAsItWas)
{
    ASSERT_EQ(ClipboardPutText("behalten"), 1);

    // No current window to own the text.
    Windows.CurrentWindow = nullptr;
    EXPECT_EQ(ClipboardPutText("neu"), 0);
    Windows.CurrentWindow = Window;
    EXPECT_EQ(Held(), "behalten");

    // The clipboard open in another thread's window: neither put nor read, and the read gives
    // the empty text.
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Start());
        EXPECT_EQ(ClipboardPutText("neu"), 0);
        EXPECT_EQ(Read(0), "");
    }
    EXPECT_EQ(Held(), "behalten");

    // An empty clipboard holds no text.
    ASSERT_TRUE(OpenClipboard(Window));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(Read(0), "");
}

}   // namespace
