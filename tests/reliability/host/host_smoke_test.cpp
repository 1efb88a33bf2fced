// What only the native build can show beside the core's own tests, which it runs unchanged:
// the runtime's invariant checks, compiled in here, stop a broken list on the spot.
#include "support/core_fixture.h"

namespace {

using HostChecks = CoreTest;

// A list whose links were broken behind the runtime's back stops at the next insertion
// instead of linking on.
TEST_F(HostChecks, ABrokenListLinkStopsTheNextInsertion)
{
    ListVar list = {};
    ListCreate(&list, 4);
    ListAddElement(&list);
    ListElement *second = ListAddElement(&list);
    ASSERT_NE(second, nullptr);
    second->Previous = nullptr;   // [1 2*], 2 no longer links back to 1
    EXPECT_DEATH(ListAddElement(&list), "");
}

}   // namespace
