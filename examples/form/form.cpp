// The second example: a form whose panel pages hold an edit field, a combo box, options and a
// check box. "Uebernehmen" sums them up in one list line and moves this program's own progress
// bar on; "Hinweis" opens a second window that its OK button closes.
#include "gadget/gadgets.h"
#include "gadget/panels.h"
#include "progress.h"
#include "runtime/startup.h"
#include "runtime/strings.h"
#include "window/events.h"
#include "window/windows.h"

// Window numbers.
enum FormWindow : int32_t { FormMain = 0, FormNote = 1 };

// Gadget numbers. All windows share one gadget table, so the note's gadgets have their own.
enum FormGadget : int32_t {
    FormPanel = 1,
    FormNameLabel = 2,
    FormName = 3,
    FormColourLabel = 4,
    FormColour = 5,
    FormSizeSmall = 6,
    FormSizeMedium = 7,
    FormSizeLarge = 8,
    FormUrgent = 9,
    FormRead = 10,
    FormOpenNote = 11,
    FormSummaries = 12,
    FormProgress = 13,   // created last: the form is complete once it exists
    FormNoteText = 20,
    FormNoteOk = 21,
};

enum { FormProgressStep = 25 };

static void FormLayout(void)
{
    GadgetCreatePanel(FormPanel, 10, 10, 400, 130);
    GadgetAddItem(FormPanel, -1, "Person");
    GadgetCreateText(FormNameLabel, 10, 14, 60, 20, "Name");
    GadgetCreateEdit(FormName, 80, 10, 200, 24, "");
    GadgetCreateText(FormColourLabel, 10, 50, 60, 20, "Farbe");
    GadgetCreateComboBox(FormColour, 80, 46, 200, 100);
    GadgetAddItem(FormColour, -1, "Rot");
    GadgetAddItem(FormColour, -1, "Gruen");
    GadgetAddItem(FormColour, -1, "Blau");
    GadgetSetState(FormColour, 0);

    GadgetAddItem(FormPanel, -1, "Optionen");
    // The three options follow one another and so form one group; the check box ends it.
    GadgetCreateOption(FormSizeSmall, 10, 10, 120, 20, "Klein");
    GadgetCreateOption(FormSizeMedium, 10, 32, 120, 20, "Mittel");
    GadgetCreateOption(FormSizeLarge, 10, 54, 120, 20, "Gross");
    GadgetSetState(FormSizeSmall, 1);
    GadgetCreateCheckBox(FormUrgent, 150, 10, 120, 22, "Eilig");
    GadgetListClose();

    GadgetCreateButton(FormRead, 10, 150, 120, 26, "Uebernehmen");
    GadgetCreateButton(FormOpenNote, 140, 150, 120, 26, "Hinweis");
    GadgetCreateListBox(FormSummaries, 10, 186, 400, 124);
    GadgetCreateGauge(FormProgress, 270, 152, 140, 22);
}

// Appends the caption of the group's checked option, or "-" when none is.
static void FormAppendSize(void)
{
    for (int32_t option = FormSizeSmall; option <= FormSizeLarge; option++) {
        if (GadgetGetState(option) == 1) {
            GadgetGetText(option);
            return;
        }
    }
    StringAppend("-");
}

// "Name / Farbe / Groesse / eilig or normal". The text readers append at the cursor, so each
// reading joins the line being built.
static void FormSummarize(void)
{
    char *line = StringBegin();
    GadgetGetText(FormName);
    StringAppend(" / ");
    GadgetGetText(FormColour);
    StringAppend(" / ");
    FormAppendSize();
    StringAppend(GadgetGetState(FormUrgent) == 1 ? " / eilig" : " / normal");
    GadgetAddItemInView(FormSummaries, StringFinish(line));
    StringEnd(line);
    GadgetSetState(FormProgress, GadgetGetState(FormProgress) + FormProgressStep);
}

// The note goes beside the form. Opening makes it the current window but leaves the gadget
// parent alone, so the parent is set for its gadgets and given back to the form after them.
static void FormOpenNoteWindow(void)
{
    WindowUse(FormMain);
    int32_t x = WindowLeft() + 40, y = WindowTop() + 60;
    if (WindowOpen(FormNote, x, y, 280, 90, WindowFlagsStandard, "Hinweis") != nullptr &&
        GadgetListUse(CurrentWindowHandle()) != nullptr) {
        GadgetCreateText(FormNoteText, 10, 12, 260, 20, "Jede Zeile fasst das Formular zusammen.");
        GadgetCreateButton(FormNoteOk, 100, 50, 80, 26, "OK");
    }
    WindowUse(FormMain);
    GadgetListUse(CurrentWindowHandle());
}

static void FormCloseNoteWindow(void)
{
    WindowClose(FormNote);
    WindowUse(FormMain);
}

void ProgramStatements(void)
{
    if (WindowOpen(FormMain, 120, 100, 420, 320, WindowFlagsStandard, "Formular") == nullptr)
        return;
    if (GadgetListUse(CurrentWindowHandle()) == nullptr) return;
    FormLayout();

    for (;;) {
        int32_t code = WindowWaitEvent();
        if (code == EventCodeClose) {
            if (EventWindowNumber() != FormNote) break;
            FormCloseNoteWindow();
        } else if (code == EventCodeControl && EventSubtype() == SubtypeButtonClick) {
            uint32_t gadget = EventControlNumber();
            if (gadget == FormRead) FormSummarize();
            if (gadget == FormOpenNote) FormOpenNoteWindow();
            if (gadget == FormNoteOk) FormCloseNoteWindow();
        }
    }
}
