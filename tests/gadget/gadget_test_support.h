// Shared set-up for the gadget tests (the runtime is up from the test environment): a hidden
// window 0 as the gadget parent for every test, and what the tests read with the platform alone.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget/internal/gadgets.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "support/gadget_slot.h"
#include "support/outside_reader.h"
#include "support/scratch.h"
#include "window/internal/windows.h"

// A fresh gadget layer (table of 30) whose gadgets go onto a new hidden window 0.
class GadgetTest : public ::testing::Test {
  protected:
    void SetUp() override;
    HWND Parent = nullptr;
};

// Number of direct child windows of a window.
int GadgetChildCount(HWND window);
