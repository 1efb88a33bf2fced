// Modal dialogs owned by the current window: a message with a choice of buttons, and the
// platform's dialogs that ask for a file to open or to save.
#pragma once

#include <windows.h>
#include <stdint.h>

// DialogMessage's flags: one set of buttons joined with | to at most one icon.
enum : int32_t {
    DialogButtonsOk = MB_OK,
    DialogButtonsOkCancel = MB_OKCANCEL,
    DialogButtonsYesNo = MB_YESNO,
    DialogButtonsYesNoCancel = MB_YESNOCANCEL,
    DialogIconInformation = MB_ICONINFORMATION,
    DialogIconQuestion = MB_ICONQUESTION,
    DialogIconWarning = MB_ICONWARNING,
    DialogIconError = MB_ICONERROR,
};

// The button DialogMessage reports.
enum : int32_t {
    DialogChoiceOk = IDOK,
    DialogChoiceCancel = IDCANCEL,
    DialogChoiceYes = IDYES,
    DialogChoiceNo = IDNO,
};

int32_t DialogMessage(const char *title, const char *text, int32_t flags);

// The chosen path is appended at the cursor; cancelled or refused, the empty text. The filter
// is pieces between '|': a description, its patterns, the next description, ...
int32_t DialogOpenFile(const char *title, const char *filter, const char *startName);
int32_t DialogSaveFile(const char *title, const char *filter, const char *startName);
