// The gadget tests' set-up, their creation watch and their readings of controls, tabs and
// pages.
#include "gadget_parent.h"

static std::vector<CreationRecord> Creations;
static HHOOK CreationHook;
static HWND VisibleWindow;

static LRESULT CALLBACK CreationWatch(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        CBT_CREATEWNDA *create = (CBT_CREATEWNDA *)lParam;
        const CREATESTRUCTA *cs = create->lpcs;
        CreationRecord r;
        r.ClassName = OutsideClassName((HWND)wParam);
        r.Style = (DWORD)cs->style;
        r.ExStyle = cs->dwExStyle;
        r.X = cs->x;
        r.Y = cs->y;
        r.Width = cs->cx;
        r.Height = cs->cy;
        r.Parent = cs->hwndParent;
        r.Id = (intptr_t)cs->hMenu;
        r.Title = cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) ? cs->lpszName : "";
        Creations.push_back(r);
    }
    return CallNextHookEx(CreationHook, code, wParam, lParam);
}

// The creation watch is set once per program, before the first test.
class CreationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override
    {
        CreationHook = SetWindowsHookExA(WH_CBT, CreationWatch, nullptr, GetCurrentThreadId());
        ASSERT_NE(CreationHook, nullptr);
    }
};

static ::testing::Environment *const TheCreationWatch =
    ::testing::AddGlobalTestEnvironment(new CreationEnvironment);

std::vector<CreationRecord> TakeCreations()
{
    std::vector<CreationRecord> taken;
    taken.swap(Creations);
    return taken;
}

// A fresh gadget layer with the window as its parent, nothing queued, nothing recorded.
static void GadgetStateRestart(HWND window)
{
    GadgetLayerInit();
    GadgetListUse(window);
    WindowTestFlush();
    Scratch.ScratchCursor = Scratch.ScratchBuffer;
    *Scratch.ScratchCursor = 0;
    TakeCreations();
}

void HiddenParentTest::SetUp()
{
    Window = WindowOpen(HiddenParentNumber, 30, 30, Width, Height,
                        WS_CAPTION | WS_SYSMENU | FlagHidden, "Gadgets");
    ASSERT_NE(Window, nullptr);
    GadgetStateRestart(Window);
}

void HiddenParentTest::TearDown()
{
    WindowClose(HiddenParentNumber);
    WindowTestFlush();
}

HWND SharedVisibleWindow()
{
    if (VisibleWindow == nullptr || !IsWindow(VisibleWindow)) {
        VisibleWindow = WindowOpen(9, 40, 40, 640, 480, WS_CAPTION | WS_SYSMENU, "Panel tests");
        WindowTestFlush();
    }
    return VisibleWindow;
}

void DestroyChildren(HWND window)
{
    std::vector<HWND> children;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    for (HWND c : children) DestroyWindow(c);
}

void VisibleWindowTest::SetUp()
{
    Window = SharedVisibleWindow();
    ASSERT_NE(Window, nullptr);
    ASSERT_TRUE(IsWindowVisible(Window));
    GadgetStateRestart(Window);
}

void VisibleWindowTest::TearDown()
{
    DestroyChildren(Window);
    WindowTestFlush();
}

static BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*(int *)count;
    return TRUE;
}

int GadgetChildCount(HWND window)
{
    int count = 0;
    EnumChildWindows(window, CountChild, (LPARAM)&count);
    return count;
}

HWND PageOf(HWND tab, int index)
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(tab, TCM_GETITEMA, (WPARAM)index, (LPARAM)&item)) return nullptr;
    return (HWND)item.lParam;
}

RECT TabRect(HWND tab, int index)
{
    RECT r = {};
    SendMessageA(tab, TCM_GETITEMRECT, (WPARAM)index, (LPARAM)&r);
    return r;
}
