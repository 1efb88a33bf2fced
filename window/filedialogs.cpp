// The platform's dialogs that ask for a file to open or to save. A source of their own: they
// live in comdlg32, which a program imports only when it calls them.
#include "window/dialogs.h"
#include "window/internal/windows.h"
#include "runtime/strings.h"
#include "runtime/internal/heap.h"

#include <commdlg.h>

enum : uint32_t {
    DialogPathRoom = 32768,    // bytes the dialog may write, the path's zero included
    DialogExtensionRoom = 4,   // the platform appends at most three characters of it
};

// The filter as the platform reads it, in a heap block: each piece ends on a zero, and one more
// zero ends them all. Null for no filter; *refused is set for an odd number of pieces (a
// description without its patterns) and when the heap refuses.
static char *DialogFilterPieces(const char *filter, bool *refused)
{
    *refused = false;
    if (!filter || !*filter) return nullptr;
    uint32_t length = 0, bars = 0;
    for (const char *c = filter; *c; c++, length++) bars += *c == '|';
    if (bars % 2 == 0 || length > 0xFFFF) {
        *refused = true;
        return nullptr;
    }
    char *pieces = (char *)HeapAllocate(length + 2, HeapFillNone);
    if (!pieces) {
        *refused = true;
        return nullptr;
    }
    for (uint32_t i = 0; i < length; i++) pieces[i] = filter[i] == '|' ? 0 : filter[i];
    pieces[length] = 0;
    pieces[length + 1] = 0;
    return pieces;
}

// The extension a name typed without one gets: that of the first pattern when it is a plain
// "*.ext" (at most three characters); else none.
static const char *DialogDefaultExtension(const char *pieces, char *extension)
{
    if (!pieces) return nullptr;
    const char *pattern = pieces;
    while (*pattern) pattern++;
    pattern++;
    if (pattern[0] != '*' || pattern[1] != '.') return nullptr;
    uint32_t n = 0;
    for (const char *c = pattern + 2; *c && *c != ';'; c++) {
        if (*c == '*' || *c == '?' || *c == '.' || n == DialogExtensionRoom - 1) return nullptr;
        extension[n++] = *c;
    }
    extension[n] = 0;
    return n ? extension : nullptr;
}

// The start name at the cursor, where the dialog reads it and writes the path; the name may lie
// in the scratch buffer itself, overlapping, so it is copied as memmove copies.
static void DialogPutName(char *cursor, const char *name, uint32_t length)
{
    if (name == cursor) return;
    if (name > cursor) {
        for (uint32_t i = 0; i < length; i++) cursor[i] = name[i];
    } else {
        for (uint32_t i = length; i-- > 0;) cursor[i] = name[i];
    }
    cursor[length] = 0;
}

static int32_t DialogFile(const char *title, const char *filter, const char *startName, bool save)
{
    if (!ScratchCursorInside()) return 0;
    char *cursor = Scratch.ScratchCursor;
    uint32_t room = (uint32_t)(ScratchEnd() - cursor) + 1;
    if (room > DialogPathRoom) room = DialogPathRoom;
    uint32_t length = (uint32_t)StringLength(startName);
    bool refused = false;
    char *pieces = length < room ? DialogFilterPieces(filter, &refused) : nullptr;
    if (length >= room || refused) {
        *cursor = 0;
        return 0;
    }
    DialogPutName(cursor, startName, length);

    char extension[DialogExtensionRoom];
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = WindowDialogOwner();
    dialog.lpstrFilter = pieces;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = cursor;
    dialog.nMaxFile = room;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = DialogDefaultExtension(pieces, extension);
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    // The program's current directory stays where it was, whatever folder the user visits:
    // the open dialog ignores OFN_NOCHANGEDIR, so the directory is put back by hand.
    char directory[MAX_PATH];
    DWORD kept = GetCurrentDirectoryA(sizeof directory, directory);
    BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (kept != 0 && kept < sizeof directory) SetCurrentDirectoryA(directory);
    HeapRelease(pieces);
    // A path too long for the room leaves its needed size in the first bytes: no path either.
    char *end = cursor;
    if (chosen)
        while (end < cursor + room - 1 && *end) end++;
    *end = 0;
    Scratch.ScratchCursor = end;
    return chosen && end != cursor ? 1 : 0;
}

int32_t DialogOpenFile(const char *title, const char *filter, const char *startName)
{
    return DialogFile(title, filter, startName, false);
}

int32_t DialogSaveFile(const char *title, const char *filter, const char *startName)
{
    return DialogFile(title, filter, startName, true);
}
