// A starter program on the runtime: a window with a text, a button and a list box. Each click
// on the button appends "Klick N" to the list; closing the window ends the program.
#include "gadget/gadgets.h"
#include "runtime/startup.h"
#include "runtime/strings.h"
#include "window/events.h"
#include "window/windows.h"

enum HelloGadget : int32_t { HelloText = 0, HelloButton = 1, HelloList = 2 };

void ProgramStatements(void)
{
    if (WindowOpen(0, 100, 100, 300, 240, WindowFlagsStandard, "Hallo") == nullptr) return;
    if (GadgetListUse(CurrentWindowHandle()) == nullptr) return;
    GadgetCreateText(HelloText, 10, 10, 280, 20, "Jeder Klick schreibt eine Zeile.");
    GadgetCreateButton(HelloButton, 10, 34, 100, 26, "Klick");
    GadgetCreateListBox(HelloList, 10, 70, 280, 160);

    int32_t clicks = 0;
    for (;;) {
        int32_t code = WindowWaitEvent();
        if (code == EventCodeClose) break;
        if (code == EventCodeControl && EventControlNumber() == HelloButton &&
            EventSubtype() == SubtypeButtonClick) {
            clicks++;
            // The line is built in the scratch buffer; once the list box holds its own copy,
            // the room goes back.
            char *line = StringBegin();
            StringAppend("Klick ");
            StringAppendLong(clicks);
            GadgetAddItem(HelloList, -1, StringFinish(line));
            StringEnd(line);
        }
    }
}
