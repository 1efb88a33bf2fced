// A plain model of a runtime list, shared by the seeded list test and the list fuzz target:
// the items in order and the index of the current one, moved as each operation moves the
// list's own cursor, and the first way a list differs from it. Header only: the native build
// compiles it too.
#pragma once

#include <string>
#include <vector>

#include "runtime/containers.h"

template <typename Item> struct ListModel {
    std::vector<Item> Items;
    int Current = -1;   // index of the current item; -1 is before the first

    // ListAddElement puts the item after the current one, ListInsertBefore before it; both at
    // the head when none is current. The new item becomes current.
    void Add(const Item &item, bool before)
    {
        int at = Current < 0 ? 0 : before ? Current : Current + 1;
        Items.insert(Items.begin() + at, item);
        Current = at;
    }
    // The one before becomes current, or the one after it for the first.
    void DeleteCurrent()
    {
        if (Current < 0) return;
        Items.erase(Items.begin() + Current);
        if (Items.empty())
            Current = -1;
        else if (Current > 0)
            Current--;
    }
    // Whether ListNext gives an element; at the last one it stays there and gives null.
    bool Next()
    {
        if (Current < 0) {
            Current = Items.empty() ? -1 : 0;
            return !Items.empty();
        }
        if (Current + 1 >= (int)Items.size()) return false;
        Current++;
        return true;
    }
    // Whether ListPrevious gives an element; at the first or before it nothing moves.
    bool Previous()
    {
        if (Current <= 0) return false;
        Current--;
        return true;
    }
    void First() { Current = Items.empty() ? -1 : 0; }
    void Last() { Current = (int)Items.size() - 1; }
    void Reset() { Current = -1; }
    void Clear()
    {
        Items.clear();
        Current = -1;
    }
};

// The first way a list differs from its model, empty when it matches: each element in order
// with its link back, the last element, the current one, the count and the position. itemOf
// reads an element's item.
template <typename Item, typename Read>
std::string ListModelDiff(ListVar *list, const ListModel<Item> &model, Read itemOf)
{
    if (list->Header == nullptr) return "no header";
    const size_t size = model.Items.size();
    ListElement *previous = nullptr, *current = nullptr;
    size_t i = 0;
    for (ListElement *e = list->Header->First; e; e = e->Next, i++) {
        const std::string at = "element " + std::to_string(i);
        if (i >= size) return "more elements than the model's " + std::to_string(size);
        if (e->Previous != previous) return at + " does not link back";
        if (!(itemOf(e) == model.Items[i])) return at + " holds another item";
        if ((int)i == model.Current) current = e;
        previous = e;
    }
    if (i != size) return std::to_string(i) + " elements, the model has " + std::to_string(size);
    if (list->Header->Last != previous) return "Last is not the last element";
    if (list->Current != current) return "Current is not element " + std::to_string(model.Current);
    if (ListCount(list) != (int32_t)size) return "ListCount differs";
    if (ListPosition(list) != model.Current + 1) return "ListPosition differs";
    return "";
}
