// The third example: a task list kept in a text file, one task a line, "[x] " before a done
// task and "[ ] " before an open one. The list box holds the lines as the file does, and is the
// program's only record of the tasks. A file named on the command line is read at start.
#include "gadget/gadgets.h"
#include "runtime/files.h"
#include "runtime/startup.h"
#include "runtime/strings.h"
#include "window/clipboard.h"
#include "window/dialogs.h"
#include "window/events.h"
#include "window/menus.h"
#include "window/windows.h"

enum { TasksWindow = 0, TasksClock = 1 };

// Gadget numbers; the progress bar is created last, so the window is complete once it exists.
enum TasksGadget : int32_t { TasksField = 1, TasksAdd, TasksList, TasksStatus, TasksProgress };

// Menu items, numbered by title: File, Task, Help.
enum : int32_t { TasksOpen = 101, TasksSave, TasksSaveAs, TasksExit };
enum : int32_t { TasksToggle = 201, TasksRemove, TasksCopy, TasksAbout = 301 };

// A row of the menu bar: a command (0 starts a title, -1 is a separator), its text with the
// shortcut behind a tab, and that shortcut's modifiers and key, bound beside it (key 0: none).
struct TasksMenuRow {
    int32_t Number;
    const char *Text;
    int32_t Modifiers, Key;
};

static const TasksMenuRow TasksMenu[] = {
    {0, "&File", 0, 0},
    {TasksOpen, "&Open...\tCtrl+O", ShortcutCtrl, 'O'},
    {TasksSave, "&Save\tCtrl+S", ShortcutCtrl, 'S'},
    {TasksSaveAs, "Save &as...", 0, 0},
    {-1, nullptr, 0, 0},
    {TasksExit, "E&xit", 0, 0},
    {0, "&Task", 0, 0},
    {TasksToggle, "&Done or not\tCtrl+D", ShortcutCtrl, 'D'},
    {TasksRemove, "&Remove\tDel", 0, VK_DELETE},
    {TasksCopy, "&Copy\tCtrl+C", ShortcutCtrl, 'C'},
    {0, "&Help", 0, 0},
    {TasksAbout, "&About...\tF1", 0, VK_F1},
};

static const char TasksFilter[] = "Task lists (*.txt)|*.txt|All files (*.*)|*.*";

struct TasksState {
    StringVar Path;      // the file Save writes; null until one is read or saved
    int32_t Changed;     // 1 while the list differs from that file
    int32_t FieldKeys;   // 1 while Del and Ctrl+C are left to the field
};
static TasksState Tasks;

static int32_t TasksFailed(const char *what, const char *path)
{
    char *text = StringBegin();
    StringAppendFormat("Cannot %s %s.", what, path);
    DialogMessage("Tasks", StringFinish(text), DialogButtonsOk | DialogIconError);
    StringEnd(text);
    return 0;
}

// The menu bar is built from the rows above, so that each item's text and its shortcut sit
// side by side and cannot drift apart.
static void TasksMenuBar(void)
{
    MenuCreate(TasksWindow);
    for (const TasksMenuRow &row : TasksMenu) {
        if (row.Number == 0) MenuAddTitle(row.Text);
        if (row.Number < 0) MenuAddSeparator();
        if (row.Number > 0) MenuAddItem(row.Number, row.Text);
        if (row.Key != 0) ShortcutAdd(TasksWindow, row.Modifiers, row.Key, row.Number);
    }
}

// Del and Ctrl+C act on the selected task, but in the field they must do what they do in any
// field; so they are bound only while it lacks the focus. The focus moves only while a message
// is handled, and the fetch returns after each one.
static void TasksKeysFollowFocus(void)
{
    int32_t inField = GetFocus() == GadgetGetHandle(TasksField);
    if (inField == Tasks.FieldKeys) return;
    Tasks.FieldKeys = inField;
    ShortcutRemove(TasksWindow, 0, VK_DELETE);
    ShortcutRemove(TasksWindow, ShortcutCtrl, 'C');
    if (inField) return;
    ShortcutAdd(TasksWindow, 0, VK_DELETE, TasksRemove);
    ShortcutAdd(TasksWindow, ShortcutCtrl, 'C', TasksCopy);
}

static int32_t TasksLayout(void)
{
    if (!WindowOpen(TasksWindow, 160, 120, 360, 320, WindowFlagsStandard, "Tasks")) return 0;
    if (!GadgetListUse(CurrentWindowHandle())) return 0;
    TasksMenuBar();
    // The status bar's height is the platform's choice: the gadgets above it go by its top.
    GadgetCreateStatusBar(TasksStatus);
    static const int32_t parts[] = {260, -1};
    GadgetSetParts(TasksStatus, 2, parts);
    int32_t bottom = GadgetGetY(TasksStatus) - 6;
    GadgetCreateField(TasksField, 10, 10, 260, 24, "");
    GadgetCreateButton(TasksAdd, 280, 9, 70, 26, "Add");
    GadgetSetDefault(TasksAdd);
    GadgetCreateListBoxSingle(TasksList, 10, 44, 340, bottom - 72);
    GadgetCreateProgressBar(TasksProgress, 10, bottom - 18, 340, 18);
    GadgetActivate(TasksField);
    return 1;
}

// Counted afresh from the lines after every change, so that the count cannot drift from them.
static void TasksListChanged(int32_t changed)
{
    Tasks.Changed = changed;
    int32_t count = GadgetCountItems(TasksList), done = 0;
    char *text = StringBegin();
    for (int32_t index = 0; index < count; index++) {
        GadgetGetItemText(TasksList, index, 0);
        done += text[1] == 'x';
        StringEnd(text);
    }
    StringAppendFormat("%d %s, %d done", count, count == 1 ? "task" : "tasks", done);
    GadgetSetItemText(TasksStatus, 0, StringFinish(text), 0);
    StringEnd(text);
    GadgetSetState(TasksProgress, count > 0 ? done * 100 / count : 0);
}

static void TasksShowClock(void)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char *text = StringBegin();
    StringAppendFormat("%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    GadgetSetItemText(TasksStatus, 1, StringFinish(text), 0);
    StringEnd(text);
}

// The list and the file name change only once the whole file has been read. A line without a
// mark is kept whole as an open task; blank lines go.
static int32_t TasksRead(const char *path)
{
    StringVar file = nullptr;
    if (!FileReadText(&file, path)) return TasksFailed("read", path);
    GadgetClearItems(TasksList);
    for (const char *text = file; *text != 0;) {
        const char *end = text;
        while (*end != 0 && *end != '\n') end++;
        int32_t length = (int32_t)(end - text);
        if (length > 0 && end[-1] == '\r') length--;
        if (length > 0) {
            int32_t marked = text[0] == '[' && (text[1] == 'x' || text[1] == ' ') &&
                             text[2] == ']' && text[3] == ' ';
            char *line = StringBegin();
            if (!marked) StringAppend("[ ] ");
            StringLeftPart(text, length, StringBegin());
            GadgetAddItem(TasksList, -1, StringFinish(line));
            StringEnd(line);
        }
        text = *end != 0 ? end + 1 : end;
    }
    StringFree(file);
    StringAssignText(&Tasks.Path, path);
    TasksListChanged(0);
    return 1;
}

static int32_t TasksWrite(const char *path)
{
    char *text = StringBegin();
    for (int32_t index = 0; index < GadgetCountItems(TasksList); index++) {
        GadgetGetItemText(TasksList, index, 0);
        StringAppend("\r\n");
    }
    // A list that reached the scratch buffer's end was cut there; it must not replace the file
    // as if it were whole.
    int32_t written = StringBegin() < ScratchEnd() && FileWriteText(path, StringFinish(text));
    StringEnd(text);
    if (!written) return TasksFailed("write", path);
    StringAssignText(&Tasks.Path, path);
    TasksListChanged(0);
    return 1;
}

// Save as asks for a name, and so does Save while the list has none.
static int32_t TasksSaveFile(int32_t askName)
{
    if (Tasks.Path && !askName) return TasksWrite(Tasks.Path);
    char *path = StringBegin();
    int32_t saved =
        DialogSaveFile("Save task list", TasksFilter, Tasks.Path) && TasksWrite(StringFinish(path));
    StringEnd(path);
    return saved;
}

// Whether the list may be given up, for closing or for another file: at once when it is
// saved, else as the user answers. Yes saves first, and a save that fails keeps the list.
static int32_t TasksMayDiscard(void)
{
    if (!Tasks.Changed) return 1;
    int32_t choice = DialogMessage("Tasks", "Save the changes to the task list?",
                                   DialogButtonsYesNoCancel | DialogIconQuestion);
    if (choice == DialogChoiceYes) return TasksSaveFile(0);
    return choice == DialogChoiceNo;
}

static void TasksOpenFile(void)
{
    if (!TasksMayDiscard()) return;
    char *path = StringBegin();
    if (DialogOpenFile("Open task list", TasksFilter, Tasks.Path)) TasksRead(StringFinish(path));
    StringEnd(path);
}

// The command tail is the file name, perhaps quoted because it holds blanks.
static void TasksReadNamedFile(void)
{
    const char *tail = StartupCommandTail();
    while (*tail == ' ' || *tail == '"') tail++;
    char *path = StringBegin();
    StringAppend(tail);
    for (char *end = StringBegin(); end > path && (end[-1] == ' ' || end[-1] == '"');) *--end = 0;
    if (*path != 0) TasksRead(StringFinish(path));
    StringEnd(path);
}

static void TasksAddFromField(void)
{
    char *line = StringBegin();
    StringAppend("[ ] ");
    char *typed = StringBegin();
    GadgetGetText(TasksField);
    if (*typed != 0) {
        GadgetAddItemInView(TasksList, StringFinish(line));
        GadgetSetText(TasksField, "");
        TasksListChanged(1);
    }
    StringEnd(line);
}

// Each task command acts on the selected line and keeps a line selected, so that the keys can
// go on down the list. The mark's middle character is what tells done from open.
static void TasksOnSelected(int32_t command)
{
    int32_t index = GadgetGetState(TasksList);
    if (index < 0) return;
    char *line = StringBegin();
    GadgetGetItemText(TasksList, index, 0);
    if (command == TasksCopy) ClipboardPutText(line + 4);
    if (command == TasksToggle) {
        line[1] = line[1] == 'x' ? ' ' : 'x';
        GadgetSetItemText(TasksList, index, StringFinish(line), 0);
    }
    StringEnd(line);
    if (command == TasksCopy) return;
    if (command == TasksRemove) GadgetRemoveItem(TasksList, index);
    int32_t last = GadgetCountItems(TasksList) - 1;
    GadgetSetState(TasksList, index < last ? index : last);
    TasksListChanged(1);
}

// Carries out a menu item or its shortcut; 0 when the program is to end.
static int32_t TasksRunCommand(uint32_t command)
{
    switch (command) {
    case TasksOpen: TasksOpenFile(); break;
    case TasksSave:
    case TasksSaveAs: TasksSaveFile(command == TasksSaveAs); break;
    case TasksExit: return !TasksMayDiscard();
    case TasksToggle:
    case TasksRemove:
    case TasksCopy: TasksOnSelected((int32_t)command); break;
    case TasksAbout:
        DialogMessage("About Tasks", "Tasks 1.0\nA task list in a text file, one task a line.",
                      DialogButtonsOk | DialogIconInformation);
        break;
    }
    return 1;
}

void ProgramStatements(void)
{
    if (!TasksLayout()) return;
    TasksListChanged(0);
    TasksReadNamedFile();
    TasksShowClock();
    WindowTimerStart(TasksWindow, TasksClock, 1000);
    TasksKeysFollowFocus();
    for (;;) {
        int32_t code = WindowWaitEvent();
        TasksKeysFollowFocus();
        if (code == EventCodeTimer) TasksShowClock();
        if (code == EventCodeClose && TasksMayDiscard()) return;
        if (code == EventCodeCommand && !TasksRunCommand(EventCommandNumber())) return;
        if (code == EventCodeControl && EventControlNumber() == TasksAdd &&
            EventSubtype() == SubtypeButtonClick)
            TasksAddFromField();
    }
}
