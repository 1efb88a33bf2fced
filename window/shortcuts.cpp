// Keyboard shortcuts: each window with shortcuts has a platform accelerator table of its own,
// made anew whenever its bindings change, which the fetch translates against for the active
// window after the table in use (whose Tab entry keeps moving the focus).
#include "window/internal/tools.h"
#include "window/events.h"
#include "runtime/internal/heap.h"

ShortcutState Shortcuts;

// What a binding's fVirt holds beyond its modifiers: a virtual-key code, and no menu flash.
enum : BYTE { ShortcutKeyFlags = FVIRTKEY | FNOINVERT };
enum : int32_t { ShortcutModifiers = ShortcutShift | ShortcutCtrl | ShortcutAlt };

static ShortcutTable *ShortcutTableOf(HWND window)
{
    for (uint32_t i = 0; i < Shortcuts.Count; i++)
        if (Shortcuts.Tables[i].Window == window) return &Shortcuts.Tables[i];
    return nullptr;
}

// Only the active window's table counts: the command goes to the active window, as the Tab
// table's does.
static int ShortcutTranslate(MSG *fetched)
{
    HWND active = GetActiveWindow();
    ShortcutTable *entry = active ? ShortcutTableOf(active) : nullptr;
    if (!entry) return 0;
    return TranslateAcceleratorA(active, entry->Table, fetched) ? 1 : 0;
}

static void ShortcutDrop(ShortcutTable *entry)
{
    DestroyAcceleratorTable(entry->Table);
    *entry = Shortcuts.Tables[--Shortcuts.Count];
    if (Shortcuts.Count == 0) {
        HeapRelease(Shortcuts.Tables);
        Shortcuts.Tables = nullptr;
    }
}

static void ShortcutForget(HWND window)
{
    ShortcutTable *entry = ShortcutTableOf(window);
    if (entry) ShortcutDrop(entry);
}

static void ShortcutEnd(void)
{
    while (Shortcuts.Count) ShortcutDrop(&Shortcuts.Tables[0]);
}

// The first shortcut operation after the layer (re)started: the record begins empty and the
// layer's fetch and close learn the steps.
static void ShortcutStart(void)
{
    if (Windows.Steps.ShortcutTranslate) return;
    Shortcuts = ShortcutState{};
    Windows.Steps.ShortcutTranslate = ShortcutTranslate;
    Windows.Steps.ShortcutForget = ShortcutForget;
    Windows.Steps.ShortcutEnd = ShortcutEnd;
}

// Whether modifiers and a key can make a binding: Ctrl, Shift and Alt alone, a virtual-key code.
static bool ShortcutKeyFits(int32_t modifiers, int32_t key)
{
    return (modifiers & ~ShortcutModifiers) == 0 && key >= 1 && key <= 254;
}

// A binding's place among the count entries, or -1.
static int32_t ShortcutFind(const ACCEL *keys, int32_t count, BYTE modifiers, WORD key)
{
    for (int32_t i = 0; i < count; i++)
        if ((keys[i].fVirt & ShortcutModifiers) == modifiers && keys[i].key == key) return i;
    return -1;
}

// Gives the window the bindings as its new table, in place of its old one; 0 when the platform
// or the heap refuses, which leaves the old table in use.
static int ShortcutReplace(HWND window, ShortcutTable *entry, const ACCEL *keys, int32_t count)
{
    if (count == 0) {
        if (entry) ShortcutDrop(entry);
        return 1;
    }
    if (!entry) {
        uint64_t bytes = (uint64_t)(Shortcuts.Count + 1) * sizeof(ShortcutTable);
        ShortcutTable *tables =
            (ShortcutTable *)HeapReallocateZero(Shortcuts.Tables, (uint32_t)bytes);
        if (!tables) return 0;
        Shortcuts.Tables = tables;
    }
    HACCEL table = CreateAcceleratorTableA((ACCEL *)keys, count);
    if (!table) return 0;
    if (entry) {
        DestroyAcceleratorTable(entry->Table);
    } else {
        entry = &Shortcuts.Tables[Shortcuts.Count++];
        entry->Window = window;
    }
    entry->Table = table;
    return 1;
}

// The window's bindings copied out of its table into a heap block with room for one more;
// null when the heap refuses. A window without a table gives an empty block.
static ACCEL *ShortcutKeysOf(ShortcutTable *entry, int32_t *count)
{
    *count = entry ? CopyAcceleratorTableA(entry->Table, nullptr, 0) : 0;
    ACCEL *keys = (ACCEL *)HeapAllocate((uint32_t)(*count + 1) * sizeof(ACCEL), HeapFillZero);
    if (keys && *count) *count = CopyAcceleratorTableA(entry->Table, keys, *count);
    return keys;
}

int32_t ShortcutAdd(int32_t window, int32_t modifiers, int32_t key, int32_t number)
{
    HWND handle = WindowHandleOf(window);
    if (!handle || !ShortcutKeyFits(modifiers, key)) return 0;
    // A key bound to a number of the window menu's commands (SC_SIZE and above) would be
    // translated into that WM_SYSCOMMAND, not into a command event.
    if (number < 0 || number >= SC_SIZE || number == CommandFocusNext) return 0;
    // Tab alone keeps moving the focus.
    if (modifiers == 0 && key == VK_TAB) return 0;
    ShortcutStart();
    ShortcutTable *entry = ShortcutTableOf(handle);
    int32_t count;
    ACCEL *keys = ShortcutKeysOf(entry, &count);
    if (!keys) return 0;
    int32_t at = ShortcutFind(keys, count, (BYTE)modifiers, (WORD)key);
    if (at < 0) at = count++;
    keys[at].fVirt = (BYTE)(ShortcutKeyFlags | modifiers);
    keys[at].key = (WORD)key;
    keys[at].cmd = (WORD)number;
    int result = ShortcutReplace(handle, entry, keys, count);
    HeapRelease(keys);
    return result;
}

int32_t ShortcutRemove(int32_t window, int32_t modifiers, int32_t key)
{
    HWND handle = WindowHandleOf(window);
    if (!handle || !ShortcutKeyFits(modifiers, key)) return 0;
    ShortcutStart();
    ShortcutTable *entry = ShortcutTableOf(handle);
    if (!entry) return 0;
    int32_t count;
    ACCEL *keys = ShortcutKeysOf(entry, &count);
    if (!keys) return 0;
    int32_t at = ShortcutFind(keys, count, (BYTE)modifiers, (WORD)key);
    int result = 0;
    if (at >= 0) {
        keys[at] = keys[--count];
        result = ShortcutReplace(handle, entry, keys, count);
    }
    HeapRelease(keys);
    return result;
}
