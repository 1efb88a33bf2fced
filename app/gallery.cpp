// The library's showcase: window 0 holds one gadget of every kind and a panel whose pages
// hold further gadgets, one of them a nested panel. A list box logs every event fetched, one
// line each, until the window is closed.
#include <windows.h>

#include "gadget/gadgets.h"
#include "gadget/panels.h"
#include "runtime/startup.h"
#include "runtime/strings.h"
#include "window/events.h"
#include "window/windows.h"

// Gadget numbers, as the log lines and the end-to-end tests name them.
enum GalleryGadget : int32_t {
    GalleryLog = 0,
    GalleryText = 1,
    GalleryButton = 2,
    GalleryList = 3,
    GalleryCheck = 4,
    GalleryOptionA = 5,
    GalleryOptionB = 6,
    GalleryOptionC = 7,
    GalleryGroupBox = 8,
    GallerySunkenFrame = 9,
    GalleryEdgeFrame = 10,
    GalleryCombo = 11,
    GalleryEdit = 12,
    GalleryPanel = 13,
    GalleryPageButton = 14,
    GalleryPageCheck = 15,
    GalleryPageText = 16,
    GalleryPageEdit = 17,
    GalleryInnerPanel = 18,
    GalleryInnerButton = 19,
    GalleryInnerText = 20,
    GalleryPageCombo = 21,
    GalleryPageOptionA = 22,
    GalleryPageOptionB = 23,
};

enum { GalleryWidth = 760, GalleryHeight = 540 };

// GadgetCreateFrame's flags: a group box, a sunken frame, a frame with a thin edge.
enum : uint32_t { GalleryFrameGroup = 0, GalleryFrameSunken = 1, GalleryFrameEdge = 2 };

static void GalleryLayout(void)
{
    GadgetCreateText(GalleryText, 10, 10, 180, 20, "Text gadget");
    GadgetCreateButton(GalleryButton, 10, 34, 110, 26, "Button");
    GadgetCreateListBox(GalleryList, 10, 66, 180, 70);
    GadgetAddItem(GalleryList, -1, "Alpha");
    GadgetAddItem(GalleryList, -1, "Beta");
    GadgetAddItem(GalleryList, -1, "Gamma");
    GadgetCreateCheckBox(GalleryCheck, 10, 144, 180, 22, "Check box");

    // The three options form one group; the group box right after them ends it.
    GadgetCreateOption(GalleryOptionA, 212, 30, 160, 20, "Option A");
    GadgetCreateOption(GalleryOptionB, 212, 52, 160, 20, "Option B");
    GadgetCreateOption(GalleryOptionC, 212, 74, 160, 20, "Option C");
    GadgetSetState(GalleryOptionA, 1);
    GadgetCreateFrame(GalleryGroupBox, 200, 8, 180, 94, "Group box", GalleryFrameGroup);
    GadgetCreateFrame(GallerySunkenFrame, 200, 110, 86, 56, "Sunken", GalleryFrameSunken);
    GadgetCreateFrame(GalleryEdgeFrame, 294, 110, 86, 56, "Edge", GalleryFrameEdge);

    GadgetCreateComboBox(GalleryCombo, 10, 176, 180, 120);
    GadgetAddItem(GalleryCombo, -1, "Red");
    GadgetAddItem(GalleryCombo, -1, "Green");
    GadgetAddItem(GalleryCombo, -1, "Blue");
    GadgetSetState(GalleryCombo, 0);
    GadgetCreateEdit(GalleryEdit, 200, 176, 180, 50, "Edit field");

    GadgetCreatePanel(GalleryPanel, 10, 240, 370, 290);
    GadgetAddItem(GalleryPanel, -1, "First");
    GadgetCreateButton(GalleryPageButton, 10, 10, 150, 26, "Button on a page");
    GadgetCreateCheckBox(GalleryPageCheck, 10, 46, 180, 22, "Check box on a page");

    GadgetAddItem(GalleryPanel, -1, "Second");
    GadgetCreateText(GalleryPageText, 10, 10, 160, 20, "Nested panel below");
    GadgetCreateEdit(GalleryPageEdit, 180, 8, 170, 24, "Edit on a page");
    GadgetCreatePanel(GalleryInnerPanel, 10, 40, 340, 190);
    GadgetAddItem(GalleryInnerPanel, -1, "Inner A");
    GadgetCreateButton(GalleryInnerButton, 10, 10, 150, 26, "Inner button");
    GadgetAddItem(GalleryInnerPanel, -1, "Inner B");
    GadgetCreateText(GalleryInnerText, 10, 10, 200, 20, "Text on an inner page");
    GadgetListClose();

    // The inner panel restarted the tab counter at its own two tabs; the outer panel's
    // third tab lands at index 2 all the same.
    GadgetAddItem(GalleryPanel, -1, "Third");
    GadgetCreateComboBox(GalleryPageCombo, 10, 10, 160, 100);
    GadgetAddItem(GalleryPageCombo, -1, "One");
    GadgetAddItem(GalleryPageCombo, -1, "Two");
    GadgetCreateOption(GalleryPageOptionA, 10, 46, 160, 20, "Page option 1");
    GadgetCreateOption(GalleryPageOptionB, 10, 68, 160, 20, "Page option 2");
    GadgetListClose();

    GadgetCreateListBox(GalleryLog, 390, 10, 360, 520);
}

// One log line, "<code> gadget <number> subtype <subtype>", the newest kept in view.
static void GalleryLogEvent(int32_t code)
{
    char *line = StringBegin();
    StringAppendLong(code);
    StringAppend(" gadget ");
    StringAppendLong((int32_t)EventControlNumber());
    StringAppend(" subtype ");
    StringAppendLong(EventSubtype());
    GadgetAddItemInView(GalleryLog, StringFinish(line));
    StringEnd(line);
}

static int GalleryIsEvent(int32_t code)
{
    return code == EventCodeSize || code == EventCodeControl || code == EventCodeCommand ||
           code == EventCodeMouse;
}

void ProgramStatements(void)
{
    int32_t y = (GetSystemMetrics(SM_CYSCREEN) - GalleryHeight) >> 1;
    int32_t x = (GetSystemMetrics(SM_CXSCREEN) - GalleryWidth) >> 1;
    if (WindowOpen(0, x, y, GalleryWidth, GalleryHeight, WindowFlagsStandard, "Gadget gallery") ==
        nullptr)
        return;
    if (GadgetListUse(CurrentWindowHandle()) == nullptr) return;
    GalleryLayout();
    for (;;) {
        int32_t code = WindowWaitEvent();
        if (code == EventCodeClose) break;
        // A fetch that produced no event hands back a bare message number: not logged.
        if (GalleryIsEvent(code)) GalleryLogEvent(code);
    }
}
