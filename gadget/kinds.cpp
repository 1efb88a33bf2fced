// The window class of a kind that draws its own control: registered with the program's
// instance, and a default procedure that keeps the gadget font, which DefWindowProcA drops.
#include "gadget/kinds.h"

#include "runtime/startup.h"

// The font's word, in front of the kind's own bytes.
enum { GadgetKindFontOffset = 0 };
static_assert(GadgetKindExtraFirst == GadgetKindFontOffset + 4, "one 32-bit font word first");

int32_t GadgetKindRegister(const char *className, WNDPROC procedure, int32_t extraBytes)
{
    if (className == nullptr || procedure == nullptr || extraBytes < 0 ||
        extraBytes > 0x7FFFFFFF - GadgetKindExtraFirst)
        return 0;
    WNDCLASSA found;
    // A name taken by another class (the runtime's own, a system class, another kind) is
    // refused: creating under it would make a control of that class instead.
    if (GetClassInfoA(Runtime.ModuleHandle, className, &found))
        return found.lpfnWndProc == procedure && found.hInstance == Runtime.ModuleHandle;
    WNDCLASSA kind = {};
    kind.style = CS_HREDRAW | CS_VREDRAW;
    kind.lpfnWndProc = procedure;
    kind.cbWndExtra = GadgetKindExtraFirst + extraBytes;
    kind.hInstance = Runtime.ModuleHandle;
    kind.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // A system colour, not a brush: the class owns nothing the platform would delete.
    kind.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    kind.lpszClassName = className;
    return RegisterClassA(&kind) != 0;
}

LRESULT CALLBACK GadgetKindDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        SetWindowLongA(control, GadgetKindFontOffset, (LONG)wParam);
        if (LOWORD(lParam)) RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        return 0;
    case WM_GETFONT: return GetWindowLongA(control, GadgetKindFontOffset);
    default: return DefWindowProcA(control, message, wParam, lParam);
    }
}
