// The clipboard's text. The copy handed to the platform is made and filled before the
// clipboard is emptied, so that a refusal on the way leaves the clipboard as it was; once the
// platform takes the copy it owns it, and only a refused copy is freed here.
#include "window/clipboard.h"

#include "runtime/strings.h"
#include "window/internal/windows.h"

// Emptying the clipboard makes the window that opened it the owner, and a clipboard opened
// without a window takes no data after being emptied: the current window must be there.
int32_t ClipboardPutText(const char *text)
{
    HWND owner = Windows.CurrentWindow;
    if (!WindowOwnedHere(owner)) return 0;
    int32_t length = StringLength(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)length + 1);
    if (memory == nullptr) return 0;
    char *copy = (char *)GlobalLock(memory);
    if (copy == nullptr) {
        GlobalFree(memory);
        return 0;
    }
    for (int32_t i = 0; i < length; i++) copy[i] = text[i];
    copy[length] = 0;
    GlobalUnlock(memory);
    int32_t put = 0;
    if (OpenClipboard(owner)) {
        if (EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr) put = 1;
        CloseClipboard();
    }
    if (!put) GlobalFree(memory);
    return put;
}

// The platform's block may lack its zero: the copy stops at the block's size as well.
int32_t ClipboardGetText(void)
{
    if (!ScratchCursorInside()) return 0;
    char *cursor = Scratch.ScratchCursor;
    *cursor = 0;
    if (!OpenClipboard(nullptr)) return 0;
    int32_t found = 0;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char *text = data != nullptr ? (const char *)GlobalLock(data) : nullptr;
    if (text != nullptr) {
        SIZE_T size = GlobalSize(data);
        char *end = ScratchEnd();
        for (SIZE_T i = 0; i < size && text[i] != 0 && cursor < end; i++) *cursor++ = text[i];
        *cursor = 0;
        Scratch.ScratchCursor = cursor;
        GlobalUnlock(data);
        found = 1;
    }
    CloseClipboard();
    return found;
}
