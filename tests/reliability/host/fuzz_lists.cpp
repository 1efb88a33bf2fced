// libFuzzer target: sequences of list and array operations on two lists, with allocations
// refused now and then, each step checked against a std::list model with a cursor: the
// order of the elements, both links of every element, First, Last, Current, the results.
#include <fuzzer/FuzzedDataProvider.h>

#include <string.h>

#include "host_runtime.h"
#include "runtime/containers.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/containers.h"
#include "runtime/internal/heap.h"
#include "support/list_model.h"

namespace {

struct Model {
    bool Created = false;
    uint32_t DataSize = 0;
    ListModel<int32_t> List;   // the elements' first data words
};

struct Fuzz {
    FuzzedDataProvider &In;
    ListVar Lists[2] = {};
    Model Models[2];
    int32_t Serial = 0;
    bool RefuseNext = false;

    explicit Fuzz(FuzzedDataProvider &in) : In(in) {}

    int32_t Value(int i, ListElement *e)
    {
        return Models[i].DataSize >= 4 ? *(int32_t *)ListData(e) : 0;
    }

    // The whole list against the model, link by link, every element a live heap block.
    void Check(int i)
    {
        ListVar &l = Lists[i];
        Model &m = Models[i];
        if (!m.Created) {
            CHECK(l.Header == nullptr);
            CHECK(l.Current == nullptr);
            return;
        }
        CHECK(l.Header && HostHeapOwns(Runtime.RuntimeHeap, l.Header));
        CHECK(l.Header->ElementSize == m.DataSize + 8);
        std::string diff = ListModelDiff(&l, m.List, [&](ListElement *e) {
            CHECK(HostHeapOwns(Runtime.RuntimeHeap, e));
            return Value(i, e);
        });
        if (!diff.empty()) fprintf(stderr, "list %d: %s\n", i, diff.c_str());
        CHECK(diff.empty());
    }

    // What the runtime keeps after every step, whatever the model says: both ends of the list
    // agree, they are its ends, and the current element's neighbours link back to it.
    void Invariants(int i)
    {
        const ListVar &l = Lists[i];
        if (!l.Header) return;
        const ListHeader *h = l.Header;
        CHECK(!h->First == !h->Last);
        CHECK(!h->First || (!h->First->Previous && !h->Last->Next));
        CHECK(!l.Current || ListLinked(h, l.Current));
    }

    ListElement *ElementAt(int i, int index)
    {
        ListElement *e = Lists[i].Header->First;
        while (index--) e = e->Next;
        return e;
    }

    // Ends the refusal armed for an allocation; true when it was refused, its result checked
    // as null.
    bool Settled(bool refused, const void *result)
    {
        RefuseNext = false;
        Heap.HeapFailAt = 0;
        if (refused) CHECK(result == nullptr);
        return refused;
    }

    // An operation that allocates one element: the model follows only when it was given.
    void Adding(int i, bool before)
    {
        ListVar &l = Lists[i];
        Model &m = Models[i];
        bool refused = RefuseNext;
        ListElement *e = before ? ListInsertBefore(&l) : ListAddElement(&l);
        if (!m.Created) {
            CHECK(e == nullptr);
            return;
        }
        if (Settled(refused, e)) return;
        CHECK(e != nullptr && l.Current == e);
        for (uint32_t b = 0; b < m.DataSize; b++) CHECK(((unsigned char *)ListData(e))[b] == 0);
        int32_t v = ++Serial;
        if (m.DataSize >= 4)
            memcpy(ListData(e), &v, 4);
        else
            v = 0;
        m.List.Add(v, before);
    }

    void Step()
    {
        int i = In.ConsumeIntegralInRange(0, 1);
        ListVar &l = Lists[i];
        Model &m = Models[i];
        int count = (int)m.List.Items.size();
        ListElement *r;
        switch (In.ConsumeIntegralInRange(0, 16)) {
        case 0: {
            // Creating again leaves the old header and its elements where they are.
            uint32_t size = In.ConsumeBool() ? 4 : In.ConsumeIntegralInRange<uint32_t>(0, 40);
            bool refused = RefuseNext;
            ListCreate(&l, size);
            if (Settled(refused, l.Header)) {
                m = Model();
                l.Current = nullptr;
                break;
            }
            m.Created = true;
            m.DataSize = size;
            // ListCreate leaves Current alone; a current element of the old list would belong
            // to no list, so the program resets it, as this model does.
            ListReset(&l);
            m.List = ListModel<int32_t>();
            break;
        }
        case 1: Adding(i, false); break;
        case 2: Adding(i, true); break;
        case 3:
            ListDeleteCurrent(&l);
            m.List.DeleteCurrent();
            break;
        case 4:
            ListClear(&l);
            m.List.Clear();
            CHECK(ListCount(&l) == 0 && ListPosition(&l) == 0);
            break;
        case 5: CHECK(ListCount(&l) == count); break;
        case 6: CHECK(ListPosition(&l) == m.List.Current + 1); break;
        case 7:
            ListReset(&l);
            m.List.Reset();
            break;
        case 8:
            r = ListNext(&l);
            CHECK(r == (m.List.Next() ? l.Current : nullptr));
            break;
        case 9:
            r = ListPrevious(&l);
            CHECK(r == (m.List.Previous() ? l.Current : nullptr));
            break;
        case 10:
            r = ListFirst(&l);
            m.List.First();
            CHECK(r == l.Current);
            break;
        case 11:
            r = ListLast(&l);
            m.List.Last();
            CHECK(r == l.Current);
            break;
        case 12:
            if (m.Created && count && In.ConsumeBool()) {
                int at = In.ConsumeIntegralInRange(0, count - 1);
                ListSetCurrent(&l, ListData(ElementAt(i, at)));
                m.List.Current = at;
            } else {
                ListSetCurrent(&l, nullptr);
                m.List.Reset();
            }
            break;
        case 13:
            RefuseNext = true;
            Heap.HeapFailAt = Heap.HeapAllocations + 1;
            break;
        case 14:
            // The program writes the current element's data directly.
            if (m.List.Current >= 0 && m.DataSize >= 4) {
                int32_t v = In.ConsumeIntegral<int32_t>();
                memcpy(ListData(l.Current), &v, 4);
                m.List.Items[m.List.Current] = v;
            }
            break;
        default: Arrays(); break;
        }
        Invariants(0);
        Invariants(1);
        // Every link is compared after every step while the lists are short, then every
        // eighth step; the end of the input compares them once more.
        if (++Steps % 8 == 0 || Models[0].List.Items.size() + Models[1].List.Items.size() < 48) {
            Check(0);
            Check(1);
        }
    }
    unsigned Steps = 0;

    // Arrays: zero elements behind a two-word header, or null for a size beyond 32 bits.
    void Arrays()
    {
        uint32_t size = In.ConsumeIntegralInRange<uint32_t>(0, 64);
        int32_t upper = In.ConsumeIntegralInRange<int32_t>(-3, 300);
        bool huge = In.ConsumeBool() && In.ConsumeBool();
        if (huge) {
            size = 0x10000 + In.ConsumeIntegralInRange<uint32_t>(0, 0xFFFF);
            upper = 0x10000 + In.ConsumeIntegralInRange<int32_t>(0, 0x7FFEFFFF);
        }
        bool refused = RefuseNext;
        unsigned char *data = (unsigned char *)ArrayAlloc(size, upper, 5);
        if (upper < -1 || huge) {
            CHECK(data == nullptr);
            return;
        }
        if (Settled(refused, data)) return;
        CHECK(data != nullptr);
        ArrayHeader *h = (ArrayHeader *)data - 1;
        CHECK(h->UpperBound == upper && h->KindCode == 5);
        CHECK(HeapSize(Runtime.RuntimeHeap, 0, h) == 8 + size * (uint32_t)(upper + 1));
        for (uint32_t b = 0; b < size * (uint32_t)(upper + 1); b++) CHECK(data[b] == 0);
        memset(data, 0xAB, size * (uint32_t)(upper + 1));
        ArrayFree(data);
    }
};

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Runtime = RuntimeState();
    Heap = HeapState();
    Containers = ContainerState();
    Runtime.RuntimeHeap = HeapCreate(0, RuntimeHeapInitialSize, 0);
    {
        FuzzedDataProvider in(data, size);
        Fuzz fuzz(in);
        while (in.remaining_bytes()) fuzz.Step();
        fuzz.Check(0);
        fuzz.Check(1);
    }
    HeapDestroy(Runtime.RuntimeHeap);
    return 0;
}
