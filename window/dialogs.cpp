// The message dialog. A source of its own, as the file dialogs have theirs: a program links
// each only when it calls it.
#include "window/dialogs.h"
#include "window/internal/windows.h"

enum : int32_t {
    DialogButtonsMask = MB_TYPEMASK,
    DialogIconMask = MB_ICONMASK,
};

// The sets of buttons and the icons offered; every other style bit is refused.
static bool DialogFlagsOffered(int32_t flags)
{
    int32_t buttons = flags & DialogButtonsMask, icon = flags & DialogIconMask;
    if (flags & ~(DialogButtonsMask | DialogIconMask)) return false;
    bool buttonsOffered = buttons == DialogButtonsOk || buttons == DialogButtonsOkCancel ||
                          buttons == DialogButtonsYesNo || buttons == DialogButtonsYesNoCancel;
    bool iconOffered = icon == 0 || icon == DialogIconInformation || icon == DialogIconQuestion ||
                       icon == DialogIconWarning || icon == DialogIconError;
    return buttonsOffered && iconOffered;
}

int32_t DialogMessage(const char *title, const char *text, int32_t flags)
{
    if (!DialogFlagsOffered(flags)) return 0;
    // A null title would be the platform's "Error".
    return MessageBoxA(WindowDialogOwner(), text ? text : "", title ? title : "", (UINT)flags);
}
