// A gadget number's slot for tests that look a number up without testing it first. The gadget
// layer itself refuses such numbers (GadgetSlotOrNull); here a number outside the table gets a
// zeroed slot of the tests' own, which reads as a gadget never created. Header only.
#pragma once

#include "gadget/internal/gadgets.h"

inline GadgetSlot *GadgetSlotOrSpare(int32_t number)
{
    static GadgetSlot spare;
    GadgetSlot *slot = GadgetSlotOrNull(number);
    if (slot != nullptr) return slot;
    spare = GadgetSlot();   // a caller may have written through the last one handed out
    return &spare;
}
