// The containers' process-wide word and the list invariant that the list operations and
// their tests check.
#pragma once

#include "runtime/containers.h"

// Process-wide state of the containers; zero at start.
struct ContainerState {
    ListVar *ListClearTarget;   // the list ListClear is emptying; a process-wide word that
                                // still names that list after the clear
};

extern ContainerState Containers;

// The invariant every insertion and deletion keeps: the element's neighbours link back to it,
// and an element without one is the list's First or Last.
inline bool ListLinked(const ListHeader *header, const ListElement *element)
{
    return (element->Previous ? element->Previous->Next == element : header->First == element) &&
           (element->Next ? element->Next->Previous == element : header->Last == element);
}
