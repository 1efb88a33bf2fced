// Linked into an in-process test program by add_wine_test's RUNTIME option: the runtime
// comes up once, through its own prologue, before the first test.
#include <gtest/gtest.h>

#include "runtime/internal/startup.h"

namespace {

class RuntimeEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_EQ(RuntimePrologue(), 1); }
};

const ::testing::Environment *const Registered =
    ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);

}   // namespace
