// Dynamic arrays (a two-word header in front of the elements) and doubly linked lists of
// fixed-size elements with a current-element cursor.
#pragma once

#include <stdint.h>

struct ArrayHeader {
    int32_t UpperBound;   // highest valid index
    uint32_t KindCode;    // stored for the creating code; nothing reads it
};
static_assert(sizeof(ArrayHeader) == 8, "two 32-bit words in front of the elements");

struct ListElement {
    ListElement *Next;
    ListElement *Previous;
    // the program's data follows
};
static_assert(sizeof(ListElement) == 8, "the data starts behind two links");

struct ListHeader {
    ListElement *First;
    ListElement *Last;
    uint32_t ElementSize;   // links plus data
};

struct ListVar {
    ListHeader *Header;     // null until ListCreate
    ListElement *Current;   // null: before the first element
};

// The data of an element, behind its two links.
inline void *ListData(ListElement *element)
{
    return element + 1;
}

void *ArrayAlloc(uint32_t elementSize, int32_t upperBound, uint32_t kindCode);
void ArrayFree(void *data);

void ListCreate(ListVar *list, uint32_t dataSize);
ListElement *ListAddElement(ListVar *list);
ListElement *ListInsertBefore(ListVar *list);
void ListDeleteCurrent(ListVar *list);
void ListClear(ListVar *list);
int32_t ListCount(ListVar *list);
int32_t ListPosition(ListVar *list);
void ListReset(ListVar *list);
ListElement *ListNext(ListVar *list);
ListElement *ListPrevious(ListVar *list);
ListElement *ListFirst(ListVar *list);
ListElement *ListLast(ListVar *list);
void ListSetCurrent(ListVar *list, void *data);
