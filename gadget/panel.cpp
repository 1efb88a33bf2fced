// The panel: a tab control whose tabs each own a page window on which that tab's gadgets are
// created, and the stack of saved gadget parents that lets panels nest. Pages are switched by
// the window layer (WindowTabShowPage), for a click and for PanelSelectTab alike, so the
// arrangement below is a contract: a tab's lParam is its page, and at most one page is on show.
#include "gadget/internal/panels.h"

#include "gadget/internal/gadgets.h"
#include "runtime/internal/check.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "window/internal/events.h"
#include "window/internal/windows.h"

RUNTIME_RECORD(PanelState, Panels);

constexpr uint32_t PanelStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | WS_TABSTOP | TCS_SINGLELINE;
static_assert(PanelStyle == 0x54030000);

void PanelLayerInit(void)
{
    RtlZeroMemory(&Panels, sizeof Panels);
}

// The gadget-list stack never holds more than it has room for, and panels are refused (and
// counted) only while it is full.
static void PanelCheckDepth(void)
{
    RUNTIME_ASSERT(RUNTIME_RECORD_INTACT(Panels));
    RUNTIME_ASSERT(Panels.GadgetListDepth >= 0 && Panels.GadgetListDepth <= GadgetListStackSize);
    RUNTIME_ASSERT(Panels.RefusedDepth >= 0);
    RUNTIME_ASSERT(Panels.RefusedDepth == 0 || Panels.GadgetListDepth == GadgetListStackSize);
}

static int32_t PanelCountItems(HWND tab)
{
    return (int32_t)SendBareMessage(tab, TCM_GETITEMCOUNT);
}

// At most one page of a panel is on show: a page shown beside another would stay on show until
// the next switch.
static void PanelCheckPages(HWND tab)
{
#if defined(RUNTIME_CHECKS)
    int32_t shown = 0;
    for (int32_t index = PanelCountItems(tab) - 1; index >= 0; index--)
        shown += (GetWindowLongA(WindowTabPage(tab, index), GWL_STYLE) & WS_VISIBLE) != 0;
    RUNTIME_ASSERT(shown <= 1);
#else
    (void)tab;
#endif
}

// The height of this panel's own row of tabs, which depends on its font: the bottom of its
// first tab, or of a temporary one while it has none.
static void PanelMeasureRow(HWND tab)
{
    bool empty = PanelCountItems(tab) == 0;
    if (empty) {
        Panels.TabItem.mask = 0;
        SendMessageA(tab, TCM_INSERTITEMA, 0, (LPARAM)&Panels.TabItem);
    }
    SendMessageA(tab, TCM_GETITEMRECT, 0, (LPARAM)&Panels.PanelRect);
    Panels.TabRowHeight = Panels.PanelRect.bottom;
    if (empty) SendMessageA(tab, TCM_DELETEITEM, 0, 0);
}

HWND GadgetCreatePanel(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height)
{
    // A full stack would be overrun by the push: refuse, and count the level so that the
    // GadgetListClose belonging to it still pairs with this call.
    if (Panels.GadgetListDepth >= GadgetListStackSize) {
        if (Panels.RefusedDepth == 0) Panels.RefusedParent = Gadgets.GadgetParent;
        Panels.RefusedDepth++;
        PanelCheckDepth();
        return nullptr;
    }
    GadgetCreatePrepare(x, y, width, height, nullptr, "SysTabControl32", PanelStyle, 0,
                        &PanelKindOps);
    HWND tab = GadgetCreate(number);

    Panels.TabCounter = 0;
    Panels.LastPanel = tab;
    // The parent stays: gadgets created before the first tab go beside the panel.
    Panels.GadgetListStack[Panels.GadgetListDepth] = Gadgets.GadgetParent;
    Panels.GadgetListDepth++;
    PanelCheckDepth();

    PanelMeasureRow(tab);
    return tab;
}

void GadgetListClose(void)
{
    if (Panels.RefusedDepth > 0) {
        Panels.RefusedDepth--;
        Gadgets.GadgetParent = Panels.RefusedParent;
        PanelCheckDepth();
        return;
    }
    if (Panels.GadgetListDepth > 0) {
        Panels.GadgetListDepth--;
        Gadgets.GadgetParent = Panels.GadgetListStack[Panels.GadgetListDepth];
    }
    PanelCheckDepth();
}

void PanelSelectTab(HWND tab, int32_t index)
{
    // What follows works on whatever the control made of the index: a refused one leaves the
    // old selection, whose page is shown again; with no tab selected, nothing changes.
    if (!WindowOwnedHere(tab)) return;
    SendMessageA(tab, TCM_SETCURSEL, (WPARAM)index, 0);
    WindowTabShowPage(tab, (int32_t)SendBareMessage(tab, TCM_GETCURSEL));
    PanelCheckPages(tab);
}

void PanelRemoveTab(HWND tab, int32_t index)
{
    if (!WindowOwnedHere(tab)) return;
    Panels.TabItem.mask = TCIF_PARAM;
    if (!SendMessageA(tab, TCM_GETITEMA, (WPARAM)index, (LPARAM)&Panels.TabItem)) return;
    DestroyWindow((HWND)Panels.TabItem.lParam);
    SendMessageA(tab, TCM_DELETEITEM, (WPARAM)index, 0);
}

void PanelLayoutPages(HWND tab)
{
    if (!WindowOwnedHere(tab)) return;
    PanelMeasureRow(tab);
    int32_t count = (int32_t)SendBareMessage(tab, TCM_GETITEMCOUNT);
    for (int32_t index = count - 1; index >= 0; index--) {
        GetClientRect(tab, &Panels.PanelRect);
        HWND page = WindowTabPage(tab, index);
        SetWindowPos(page, nullptr, 0, 0, Panels.PanelRect.right - 2 * PanelPageInset,
                     Panels.PanelRect.bottom - Panels.TabRowHeight - 2 * PanelPageInset,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    }
}

static int32_t PanelGetState(HWND tab)
{
    return (int32_t)SendBareMessage(tab, TCM_GETCURSEL);
}

static void PanelSetState(HWND tab, int32_t index)
{
    PanelSelectTab(tab, index);
}

// Appends the title of the tab at an index: at most PanelTitleLimit - 1 characters, and never
// past the end of the scratch buffer. No tab there gives the empty text.
static void PanelTitleAt(HWND tab, int32_t index)
{
    if (!ScratchCursorInside()) return;
    char *cursor = Scratch.ScratchCursor;
    char *end = ScratchEnd();
    *cursor = 0;
    int32_t room = (int32_t)(end - cursor) + 1;   // bytes, the terminating zero included
    Panels.TabItem.mask = TCIF_TEXT;
    Panels.TabItem.pszText = cursor;
    Panels.TabItem.cchTextMax = room < PanelTitleLimit ? room : PanelTitleLimit;
    SendMessageA(tab, TCM_GETITEMA, (WPARAM)index, (LPARAM)&Panels.TabItem);
    // The control may point pszText at its own copy of the title instead of filling the buffer.
    const char *title = Panels.TabItem.pszText;
    if (title == nullptr) title = "";
    if (title != cursor) {
        char *limit = cursor + Panels.TabItem.cchTextMax - 1;
        while (cursor < limit && *title != 0) *cursor++ = *title++;
    } else {
        while (cursor < end && *cursor != 0) cursor++;
    }
    *cursor = 0;
    Scratch.ScratchCursor = cursor;
}

static void PanelGetText(HWND tab)
{
    PanelTitleAt(tab, (int32_t)SendBareMessage(tab, TCM_GETCURSEL));
}

static void PanelGetItemText(HWND tab, int32_t index, int32_t)
{
    PanelTitleAt(tab, index);
}

static void PanelSetTitle(HWND tab, int32_t index, const char *text)
{
    Panels.TabItem.mask = TCIF_TEXT;
    Panels.TabItem.pszText = (LPSTR)(text != nullptr ? text : "");
    SendMessageA(tab, TCM_SETITEMA, (WPARAM)index, (LPARAM)&Panels.TabItem);
}

static void PanelSetText(HWND tab, const char *text)
{
    int32_t selected = (int32_t)SendBareMessage(tab, TCM_GETCURSEL);
    PanelSetTitle(tab, selected, text);
    PanelSelectTab(tab, selected);
}

static void PanelSetItemText(HWND tab, int32_t index, const char *text, int32_t)
{
    PanelSetTitle(tab, index, text);
    PanelSelectTab(tab, (int32_t)SendBareMessage(tab, TCM_GETCURSEL));
}

// Adds a tab with a new page, which becomes the gadget parent, after the panel's last tab. The
// position plays no part; the result is the new tab's index (-1 when the control refused it).
// The panel's own count decides, not TabCounter, which follows only the newest panel: a tab
// added to an outer panel after an inner one was made would land among the outer tabs and,
// counted as a first tab, show its page beside the one on show. For the same reason the page
// is placed below this panel's own row of tabs, not the newest panel's.
static int32_t PanelAddItem(HWND tab, int32_t, const char *text)
{
    int32_t count = PanelCountItems(tab);
    PanelMeasureRow(tab);
    GetClientRect(tab, &Panels.PanelRect);
    HWND page = CreateWindowExA(0, "TemplateClass", nullptr, WS_CHILD, PanelPageInset,
                                Panels.TabRowHeight + PanelPageInset,
                                Panels.PanelRect.right - 2 * PanelPageInset,
                                Panels.PanelRect.bottom - Panels.TabRowHeight - 2 * PanelPageInset,
                                tab, nullptr, Runtime.ModuleHandle, nullptr);
    Gadgets.GadgetParent = page;
    Panels.TabItem.mask = TCIF_TEXT | TCIF_PARAM;
    Panels.TabItem.pszText = (LPSTR)text;
    Panels.TabItem.lParam = (LPARAM)page;
    int32_t index =
        (int32_t)SendMessageA(tab, TCM_INSERTITEMA, (WPARAM)count, (LPARAM)&Panels.TabItem);
    if (count == 0) {
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        SetWindowPos(tab, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
    Panels.TabCounter++;
    PanelCheckPages(tab);
    return index;
}

static void PanelRemoveItem(HWND tab, int32_t index)
{
    PanelRemoveTab(tab, index);
}

static void PanelClearItems(HWND tab)
{
    int32_t count = (int32_t)SendBareMessage(tab, TCM_GETITEMCOUNT);
    for (int32_t index = count - 1; index >= 0; index--) PanelRemoveTab(tab, index);
}

const GadgetKindOps PanelKindOps = {
    nullptr,            // Free: DestroyWindow, which takes the pages and their gadgets along
    PanelGetState,      // GetState: selected tab, -1 when none
    PanelSetState,      // SetState: PanelSelectTab
    PanelGetText,       // GetText: the selected tab's title
    PanelSetText,       // SetText: retitles the selected tab
    PanelAddItem,       // AddItem: a tab with its page, which becomes the gadget parent
    nullptr,            // AddItemExtra: not offered
    PanelRemoveItem,    // RemoveItem: PanelRemoveTab
    PanelClearItems,    // ClearItems: every tab, the last first
    nullptr,            // Reserved
    PanelCountItems,    // CountItems: TCM_GETITEMCOUNT
    nullptr,            // GetItemState: 0
    nullptr,            // SetItemState: nothing
    PanelGetItemText,   // GetItemText: a tab's title
    PanelSetItemText,   // SetItemText: retitles a tab
};
