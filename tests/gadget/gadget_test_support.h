// Shared set-up for the gadget tests: the runtime brought up once per process, a hidden
// window 0 as the gadget parent for every test, and a scratch buffer with guard bytes
// behind its end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget/gadgets.h"
#include "runtime/startup.h"
#include "runtime/strings.h"
#include "window/windows.h"

// A fresh gadget layer (table of 30) whose gadgets go onto a new hidden window 0.
class GadgetTest : public ::testing::Test {
protected:
    void SetUp() override;
    HWND Parent = nullptr;
};

// The text a gadget's window shows, read with the platform alone.
std::string GadgetWindowText(HWND control);

// Number of direct child windows of a window.
int GadgetChildCount(HWND window);

// Replaces the scratch buffer by a copy with guard bytes behind its last byte for the
// lifetime of the object, so that a test sees any write past the end.
class GuardedScratch {
public:
    enum { Guard = 64, GuardByte = 0x5A };
    GuardedScratch();
    ~GuardedScratch();
    bool GuardIntact() const;
    // Puts the cursor so that exactly `characters` characters and a zero fit.
    void LeaveRoom(int characters);

private:
    std::vector<char> Block;
    char *SavedBuffer;
    char *SavedCursor;
};
