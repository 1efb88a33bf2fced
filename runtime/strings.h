// The scratch buffer in which string expressions are built, string variables, the number
// formatters and the text functions that append their result at the scratch cursor.
#pragma once

#include <stdint.h>

enum { ScratchBufferSize = 64000 };

// The expression buffer, used like a stack; zero at start.
struct ScratchState {
    char *ScratchBuffer;    // ScratchBufferSize bytes from the private heap
    char *ScratchCursor;    // where the next piece goes: on the terminating zero built so far
    uint32_t FormatValue;   // hands a value to the platform formatter: the argument list
                            // wvsprintfA reads is this process-wide word
    int32_t NegativeSign;   // StringToLong's note of a leading minus sign; process-wide, so
                            // it keeps the last text's sign after the call
};

extern ScratchState Scratch;

// A string variable: its own heap copy of the text, or null for the empty text.
typedef char *StringVar;

// The last byte a piece may occupy; every writer stops there.
char *ScratchEnd(void);
// Whether ScratchCursor lies inside the scratch buffer, where a reader may write its piece.
bool ScratchCursorInside(void);

// The expression protocol in four calls: StringBegin gives the start, the pieces are appended
// (StringAppend, StringAppendLong, the writers below given the cursor), StringFinish steps
// over the zero and gives the start to hand to an operation, StringEnd gives the room back.
// StringAssign ends an expression by itself.
char *StringBegin(void);
void StringAppendLong(int32_t value);
char *StringFinish(char *start);
void StringEnd(char *start);

void StringAppend(const char *text);
void StringAssign(StringVar *variable, char *start);
void StringAssignText(StringVar *variable, const char *text);
void StringFree(char *text);

char *StringFromLong(int32_t value, char *destination);
char *StringFromUnsigned(uint32_t value, int32_t widthSelector, char *destination);
char *StringFromHex(uint32_t value, char *destination);
char *StringFromCode(int32_t code, char *destination);

// The platform formatter's longest text: wvsprintfA writes at most 1024 bytes with the zero.
enum { StringFormatLimit = 1023 };
// Appends at the cursor the text wvsprintfA makes of the format and the values that follow
// (%d %u %ld %lu %x %lX %s %c, widths, '-' and '0'), cut at StringFormatLimit characters
// and at the buffer's end; the characters appended, so a result short of the whole text
// shows the cut.
int32_t StringAppendFormat(const char *format, ...);

int32_t StringFirstCode(const char *text);
int32_t StringLength(const char *text);
int32_t StringFind(const char *text, const char *pattern, int32_t start);
char *StringLeftPart(const char *text, int32_t count, char *destination);
char *StringRightPart(const char *text, int32_t count, char *destination);
char *StringMiddle(const char *text, int32_t start, int32_t count, char *destination);
char *StringLowerCase(const char *text, char *destination);
char *StringUpperCase(const char *text, char *destination);
char *StringTrimLeft(const char *text, char *destination);
char *StringTrimRight(const char *text, char *destination);
int32_t StringToLong(const char *text);
