// Text on the clipboard: put there in the platform's text format, owned by the current
// window, and read back at the scratch cursor.
#pragma once

#include <stdint.h>

// Puts the text (null: the empty text) on the clipboard in place of what it held. 1, or 0
// with the clipboard unchanged: no current window of this program, the clipboard open in
// another window, no memory for the copy.
int32_t ClipboardPutText(const char *text);

// Appends the clipboard's text at the cursor, cut at the buffer's end, and gives 1; no text on
// the clipboard, or the clipboard open in another window: the empty text, 0. A cursor outside
// the buffer: nothing written, 0.
int32_t ClipboardGetText(void);
