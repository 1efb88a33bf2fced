// Dynamic arrays and doubly linked lists. Every block comes zero-filled from the private
// heap; an allocation the heap refuses leaves the array or list as it was and returns null.
#include "runtime/internal/containers.h"

#include "runtime/internal/check.h"
#include "runtime/internal/heap.h"

RUNTIME_RECORD(ContainerState, Containers);

// Where ListNewElement links the new element: behind Current, or in front of it.
enum ListSide { ListAfterCurrent, ListBeforeCurrent };

void *ArrayAlloc(uint32_t elementSize, int32_t upperBound, uint32_t kindCode)
{
    // A size beyond 32 bits would give a block shorter than the elements written into it.
    if (upperBound < -1) return nullptr;
    uint64_t size = sizeof(ArrayHeader) + (uint64_t)elementSize * ((uint64_t)upperBound + 1);
    if (size > HeapLargestBlock) return nullptr;
    ArrayHeader *header = (ArrayHeader *)HeapAllocate((uint32_t)size, HeapFillZero);
    if (!header) return nullptr;
    header->UpperBound = upperBound;
    header->KindCode = kindCode;
    return header + 1;
}

void ArrayFree(void *data)
{
    if (data) HeapRelease((ArrayHeader *)data - 1);
}

// A previous header is left where it is, with its elements. A data size whose element size
// would not fit 32 bits is refused like a failed allocation: the links would not fit.
void ListCreate(ListVar *list, uint32_t dataSize)
{
    ListHeader *header = nullptr;
    if (dataSize <= HeapLargestBlock - sizeof(ListElement))
        header = (ListHeader *)HeapAllocate(sizeof(ListHeader), HeapFillZero);
    list->Header = header;
    if (header) header->ElementSize = dataSize + sizeof(ListElement);
}

// A new zero-filled element, linked in after Current (or before it), or at the head when
// Current is null; it becomes Current. First and Last follow from its own links.
static ListElement *ListNewElement(ListVar *list, ListSide side)
{
    ListHeader *header = list->Header;
    if (!header) return nullptr;
    ListElement *element = (ListElement *)HeapAllocate(header->ElementSize, HeapFillZero);
    if (!element) return nullptr;
    ListElement *current = list->Current;
    if (!current) {
        element->Next = header->First;
        if (header->First) header->First->Previous = element;
        element->Previous = nullptr;
    } else if (side == ListBeforeCurrent) {
        element->Next = current;
        element->Previous = current->Previous;
        if (current->Previous) current->Previous->Next = element;
        current->Previous = element;
    } else {
        element->Previous = current;
        element->Next = current->Next;
        if (current->Next) current->Next->Previous = element;
        current->Next = element;
    }
    list->Current = element;
    if (!element->Previous) header->First = element;
    if (!element->Next) header->Last = element;
    RUNTIME_ASSERT(ListLinked(header, element));
    RUNTIME_ASSERT(!element->Previous || ListLinked(header, element->Previous));
    RUNTIME_ASSERT(!element->Next || ListLinked(header, element->Next));
    return element;
}

ListElement *ListAddElement(ListVar *list)
{
    return ListNewElement(list, ListAfterCurrent);
}

ListElement *ListInsertBefore(ListVar *list)
{
    return ListNewElement(list, ListBeforeCurrent);
}

// The element before the deleted one becomes current, or the one after it for the first.
void ListDeleteCurrent(ListVar *list)
{
    ListHeader *header = list->Header;
    ListElement *element = list->Current;
    if (!header || !element) return;
    if (element->Next == element->Previous) {
        header->First = header->Last = nullptr;
        list->Current = nullptr;
    } else if (!element->Previous) {
        element->Next->Previous = nullptr;
        header->First = list->Current = element->Next;
    } else if (!element->Next) {
        element->Previous->Next = nullptr;
        header->Last = list->Current = element->Previous;
    } else {
        element->Previous->Next = element->Next;
        element->Next->Previous = element->Previous;
        list->Current = element->Previous;
    }
    // The neighbours that were left now link each other, or the list is empty.
    RUNTIME_ASSERT(!header->First == !header->Last);
    RUNTIME_ASSERT(!element->Previous || ListLinked(header, element->Previous));
    RUNTIME_ASSERT(!element->Next || ListLinked(header, element->Next));
    HeapRelease(element);
}

// Deletes from the front: each ListNext lands behind the element that stays current,
// and the last one left goes at the end.
void ListClear(ListVar *list)
{
    Containers.ListClearTarget = list;
    ListReset(Containers.ListClearTarget);
    for (;;) {
        ListElement *next = ListNext(Containers.ListClearTarget);
        ListDeleteCurrent(Containers.ListClearTarget);
        if (!next) break;
    }
}

int32_t ListCount(ListVar *list)
{
    if (!list->Header) return 0;
    int32_t count = 0;
    for (ListElement *e = list->Header->First; e; e = e->Next) count++;
    return count;
}

int32_t ListPosition(ListVar *list)
{
    if (!list->Header || !list->Current) return 0;
    int32_t position = 0;
    for (ListElement *e = list->Header->First; e; e = e->Next) {
        position++;
        if (e == list->Current) break;
    }
    return position;
}

void ListReset(ListVar *list)
{
    list->Current = nullptr;
}

ListElement *ListNext(ListVar *list)
{
    if (!list->Current) {
        if (!list->Header) return nullptr;
        list->Current = list->Header->First;
        return list->Current;
    }
    if (!list->Current->Next) return nullptr;
    list->Current = list->Current->Next;
    return list->Current;
}

ListElement *ListPrevious(ListVar *list)
{
    if (!list->Current || !list->Current->Previous) return nullptr;
    list->Current = list->Current->Previous;
    return list->Current;
}

ListElement *ListFirst(ListVar *list)
{
    if (!list->Header) return nullptr;
    list->Current = list->Header->First;
    return list->Current;
}

ListElement *ListLast(ListVar *list)
{
    if (!list->Header) return nullptr;
    list->Current = list->Header->Last;
    return list->Current;
}

// Null data stands for the position before the first element.
void ListSetCurrent(ListVar *list, void *data)
{
    list->Current = data ? (ListElement *)data - 1 : nullptr;
}
