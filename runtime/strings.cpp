// The scratch buffer and every operation that appends a piece of text at a destination in it,
// string variables, the number formatters and the text functions. No writer goes past
// ScratchEnd(): a piece that does not fit is cut so that its terminator is the last byte.
#include "runtime/internal/strings.h"

#include <windows.h>

#include "runtime/internal/check.h"
#include "runtime/internal/heap.h"

ScratchState Scratch;

enum ScratchCase { CaseKeep, CaseLower, CaseUpper };

// ScratchPut's count for a piece that ends only at its source's terminator.
const uint32_t ScratchNoLimit = 0xFFFFFFFFu;

int ScratchBufferInit(void)
{
    Scratch.ScratchBuffer = (char *)HeapAllocate(ScratchBufferSize, HeapFillZero);
    Scratch.ScratchCursor = Scratch.ScratchBuffer;
    return Scratch.ScratchBuffer != nullptr;
}

char *ScratchEnd(void)
{
    return Scratch.ScratchBuffer + (ScratchBufferSize - 1);
}

bool ScratchCursorInside(void)
{
    char *cursor = Scratch.ScratchCursor;
    return cursor != nullptr && cursor >= Scratch.ScratchBuffer && cursor <= ScratchEnd();
}

// Whether a place may begin a piece: inside the buffer, or just behind its last byte, where an
// argument that ends on that byte was stepped over.
static bool ScratchHolds(const char *place)
{
    uintptr_t at = (uintptr_t)place, buffer = (uintptr_t)Scratch.ScratchBuffer;
    return place != nullptr && at >= buffer && at <= buffer + ScratchBufferSize;
}

// What a writer gives for a destination outside the buffer (a local array, a heap block, a
// string variable's text): it writes nothing there, and the piece is the empty text.
static char ScratchRefusedPiece[1];

// The start of the piece for a destination: just behind the last byte means the last byte,
// which holds that argument's terminator already; outside the buffer, null.
static char *ScratchStart(char *destination)
{
    bool holds = ScratchHolds(destination);
    RUNTIME_ASSERT(holds);
    if (!holds) {
        ScratchRefusedPiece[0] = 0;
        return nullptr;
    }
    char *end = ScratchEnd();
    return destination > end ? end : destination;
}

static char ScratchMapCase(char c, ScratchCase mapping)
{
    unsigned char code = (unsigned char)c;
    if (mapping == CaseLower && ((code >= 65 && code <= 90) || (code >= 192 && code <= 223)))
        return (char)(code + 32);
    if (mapping == CaseUpper && ((code >= 97 && code <= 122) || code >= 224))
        return (char)(code - 32);
    return c;
}

// Writes up to count characters of source as one piece and leaves the cursor on its
// terminator. The copy also ends where the reader reaches the piece itself: a source whose
// end lies at the destination would otherwise lose its terminator to the first write.
static char *ScratchPut(char *destination, const char *source, uint32_t count, ScratchCase mapping)
{
    char *start = ScratchStart(destination);
    if (!start) return ScratchRefusedPiece;
    char *end = ScratchEnd();
    char *d = start;
    if (source)
        while (count && *source && source != start && d < end) {
            *d++ = ScratchMapCase(*source++, mapping);
            count--;
        }
    *d = 0;
    Scratch.ScratchCursor = d;
    RUNTIME_ASSERT(Scratch.ScratchCursor <= end);
    return start;
}

static char *ScratchEmpty(char *destination)
{
    return ScratchPut(destination, nullptr, 0, CaseKeep);
}

void StringAppend(const char *text)
{
    ScratchPut(Scratch.ScratchCursor, text, ScratchNoLimit, CaseKeep);
}

// A start or cursor outside the buffer (a string variable's text passed by mistake) would be
// read across heap blocks and leave the cursor inside one: the variable gets the empty text
// and the cursor stays.
void StringAssign(StringVar *variable, char *start)
{
    char *cursor = Scratch.ScratchCursor;
    bool holds = ScratchHolds(start) && ScratchHolds(cursor);
    RUNTIME_ASSERT(holds);
    uint32_t length = holds && cursor > start ? (uint32_t)(cursor - start) : 0;
    HeapRelease(*variable);
    char *block = (char *)HeapAllocate(length + 1, HeapFillNone);
    *variable = block;
    if (holds) Scratch.ScratchCursor = start;
    if (!block) return;
    for (uint32_t i = 0; i < length; i++) block[i] = start[i];
    block[length] = 0;
}

// The copy is made before the old text goes, so a variable may be handed its own text.
void StringAssignText(StringVar *variable, const char *text)
{
    char *old = *variable;
    char *block = nullptr;
    if (text) {
        uint32_t length = (uint32_t)StringLength(text);
        block = (char *)HeapAllocate(length + 2, HeapFillNone);
        if (block)
            for (uint32_t i = 0; i <= length; i++) block[i] = text[i];
    }
    HeapRelease(old);
    *variable = block;
}

void StringFree(char *text)
{
    HeapRelease(text);
}

// wvsprintfA knows no buffer size; its longest result here ("-2147483648") takes 12 bytes.
// Near the end the number is formatted aside and cut like any other piece.
static char *StringFormat(const char *format, uint32_t value, char *destination)
{
    enum { FormatRoom = 12 };
    char *start = ScratchStart(destination);
    if (!start) return ScratchRefusedPiece;
    Scratch.FormatValue = value;
    if (ScratchEnd() - start + 1 >= FormatRoom) {
        int written = wvsprintfA(start, format, (va_list)&Scratch.FormatValue);
        Scratch.ScratchCursor = start + written;
        RUNTIME_ASSERT(Scratch.ScratchCursor <= ScratchEnd());
        return start;
    }
    char aside[16];
    wvsprintfA(aside, format, (va_list)&Scratch.FormatValue);
    return ScratchPut(start, aside, ScratchNoLimit, CaseKeep);
}

char *StringFromLong(int32_t value, char *destination)
{
    return StringFormat("%ld", (uint32_t)value, destination);
}

char *StringFromUnsigned(uint32_t value, int32_t widthSelector, char *destination)
{
    if (widthSelector == 0)
        value &= 0xFF;
    else if (widthSelector == 1)
        value &= 0xFFFF;
    return StringFormat("%lu", value, destination);
}

char *StringFromHex(uint32_t value, char *destination)
{
    return StringFormat("%lX", value, destination);
}

// The platform formatter knows no buffer size but writes at most 1024 bytes: the text is made
// aside, in room for that and a byte spare, so that the arguments may lie anywhere (in the
// scratch buffer too), then copied at the cursor like any other piece, up to its first zero.
int32_t StringAppendFormat(const char *format, ...)
{
    char aside[StringFormatLimit + 2];
    aside[0] = 0;
    if (format) {
        va_list arguments;
        va_start(arguments, format);
        wvsprintfA(aside, format, arguments);
        va_end(arguments);
    }
    aside[StringFormatLimit] = 0;
    char *start = ScratchPut(Scratch.ScratchCursor, aside, ScratchNoLimit, CaseKeep);
    if (start == ScratchRefusedPiece) return 0;
    return (int32_t)(Scratch.ScratchCursor - start);
}

// The character may be a zero; the cursor still goes one byte behind it.
char *StringFromCode(int32_t code, char *destination)
{
    char *start = ScratchStart(destination);
    if (!start) return ScratchRefusedPiece;
    if (start == ScratchEnd()) return ScratchEmpty(start);
    start[0] = (char)code;
    start[1] = 0;
    Scratch.ScratchCursor = start + 1;
    RUNTIME_ASSERT(Scratch.ScratchCursor <= ScratchEnd());
    return start;
}

int32_t StringFirstCode(const char *text)
{
    return text ? (unsigned char)text[0] : 0;
}

int32_t StringLength(const char *text)
{
    int32_t length = 0;
    if (text)
        while (text[length]) length++;
    return length;
}

int32_t StringFind(const char *text, const char *pattern, int32_t start)
{
    if (!text || !pattern) return 0;
    int32_t position = 1;
    const char *p = text;
    for (; position < start; position++, p++)
        if (!*p) return 0;
    for (;; position++, p++) {
        const char *t = p;
        const char *q = pattern;
        while (*q && *t == *q) {
            t++;
            q++;
        }
        if (!*q) return position;
        if (!*t) return 0;
    }
}

char *StringLeftPart(const char *text, int32_t count, char *destination)
{
    if (count <= 0) return ScratchEmpty(destination);
    return ScratchPut(destination, text, (uint32_t)count, CaseKeep);
}

char *StringRightPart(const char *text, int32_t count, char *destination)
{
    int32_t length = StringLength(text);
    int32_t k = count < length ? count : length;
    if (k <= 0) return ScratchEmpty(destination);
    return ScratchPut(destination, text + (length - k), (uint32_t)k, CaseKeep);
}

char *StringMiddle(const char *text, int32_t start, int32_t count, char *destination)
{
    if (!text || count <= 0) return ScratchEmpty(destination);
    for (int32_t position = 1; position < start; position++, text++)
        if (!*text) return ScratchEmpty(destination);
    return ScratchPut(destination, text, (uint32_t)count, CaseKeep);
}

char *StringLowerCase(const char *text, char *destination)
{
    return ScratchPut(destination, text, ScratchNoLimit, CaseLower);
}

char *StringUpperCase(const char *text, char *destination)
{
    return ScratchPut(destination, text, ScratchNoLimit, CaseUpper);
}

char *StringTrimLeft(const char *text, char *destination)
{
    if (text)
        while (*text == ' ') text++;
    return ScratchPut(destination, text, ScratchNoLimit, CaseKeep);
}

char *StringTrimRight(const char *text, char *destination)
{
    int32_t length = StringLength(text);
    while (length > 0 && text[length - 1] == ' ') length--;
    if (length == 0) return ScratchEmpty(destination);
    return ScratchPut(destination, text, (uint32_t)length, CaseKeep);
}

// Every character after the optional minus sign counts as a digit, whatever it is.
int32_t StringToLong(const char *text)
{
    if (!text) return 0;
    Scratch.NegativeSign = 0;
    if (*text == '-') {
        Scratch.NegativeSign = 1;
        text++;
    }
    uint32_t value = 0;
    for (; *text; text++) value = value * 10 + ((uint32_t)(unsigned char)*text - 48);
    if (Scratch.NegativeSign) value = 0 - value;
    return (int32_t)value;
}
