// Helpers over the expression protocol, so that a program builds, hands on and gives back an
// expression without moving the scratch cursor itself. Each is one step of the protocol.
#include "runtime/strings.h"

char *StringBegin(void)
{
    return Scratch.ScratchCursor;
}

void StringAppendLong(int32_t value)
{
    StringFromLong(value, Scratch.ScratchCursor);
}

// An argument that already ends on the buffer's last byte has the cursor just behind it;
// a second step would leave the buffer, where every writer refuses.
char *StringFinish(char *start)
{
    if (ScratchCursorInside()) Scratch.ScratchCursor++;
    return start;
}

void StringEnd(char *start)
{
    Scratch.ScratchCursor = start;
}
