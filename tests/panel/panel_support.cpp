#include "panel_support.h"

static std::vector<CreationRecord> Creations;
static HHOOK CreationHook;
static HWND VisibleWindow;

static LRESULT CALLBACK CreationWatch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        CBT_CREATEWNDA *create = (CBT_CREATEWNDA *)lParam;
        const CREATESTRUCTA *cs = create->lpcs;
        CreationRecord r;
        char name[64] = {};
        GetClassNameA((HWND)wParam, name, sizeof name);
        r.ClassName = name;
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

// The runtime comes up once per program, through its own prologue.
class RuntimeEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(RuntimePrologue(), 1);
        CreationHook = SetWindowsHookExA(WH_CBT, CreationWatch, nullptr, GetCurrentThreadId());
        ASSERT_NE(CreationHook, nullptr);
    }
};

static ::testing::Environment *const TheRuntime =
    ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);

std::vector<CreationRecord> TakeCreations() {
    std::vector<CreationRecord> taken;
    taken.swap(Creations);
    return taken;
}

HWND SharedVisibleWindow() {
    if (VisibleWindow == nullptr || !IsWindow(VisibleWindow)) {
        VisibleWindow = WindowOpen(9, 40, 40, 640, 480, WS_CAPTION | WS_SYSMENU, "Panel tests");
        FlushEvents();
    }
    return VisibleWindow;
}

void DestroyChildren(HWND window) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    for (HWND c : children) DestroyWindow(c);
}

void FlushEvents() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    EventState.PendingCode = 0;
}

std::vector<FetchedEvent> DrainEvents() {
    std::vector<FetchedEvent> events;
    for (int code; (code = WindowPollEvent()) != 0;)
        events.push_back({code, EventControlNumber()});
    return events;
}

std::string ScratchTextSince(const char *start) {
    std::string text(start);
    EXPECT_EQ(Scratch.ScratchCursor, start + text.size()) << "cursor not on the text's zero";
    return text;
}

static void GadgetStateRestart() {
    PanelLayerInit();
    Gadgets.OptionGroupOpen = 0;
    Scratch.ScratchCursor = Scratch.ScratchBuffer;
    TakeCreations();
}

void HiddenWindowTest::SetUp() {
    Window = WindowOpen(1, 30, 30, 500, 400, FlagHidden | WS_CAPTION | WS_SYSMENU, "Hidden");
    ASSERT_NE(Window, nullptr);
    GadgetListUse(Window);
    FlushEvents();
    GadgetStateRestart();
}

void HiddenWindowTest::TearDown() {
    WindowClose(1);
    FlushEvents();
}

void VisibleWindowTest::SetUp() {
    Window = SharedVisibleWindow();
    ASSERT_NE(Window, nullptr);
    ASSERT_TRUE(IsWindowVisible(Window));
    GadgetListUse(Window);
    FlushEvents();
    GadgetStateRestart();
}

void VisibleWindowTest::TearDown() {
    DestroyChildren(Window);
    FlushEvents();
}

HWND PageOf(HWND tab, int index) {
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(tab, TCM_GETITEMA, (WPARAM)index, (LPARAM)&item)) return nullptr;
    return (HWND)item.lParam;
}

RECT TabRect(HWND tab, int index) {
    RECT r = {};
    SendMessageA(tab, TCM_GETITEMRECT, (WPARAM)index, (LPARAM)&r);
    return r;
}

enum { GuardBytes = 64 };

GuardedScratch::GuardedScratch()
    : Block(ScratchBufferSize + GuardBytes, 'G'),
      SavedBuffer(Scratch.ScratchBuffer),
      SavedCursor(Scratch.ScratchCursor) {
    Scratch.ScratchBuffer = Block.data();
    Scratch.ScratchCursor = Block.data();
}

GuardedScratch::~GuardedScratch() {
    Scratch.ScratchBuffer = SavedBuffer;
    Scratch.ScratchCursor = SavedCursor;
}

bool GuardedScratch::GuardsIntact() const {
    for (size_t i = ScratchBufferSize; i < Block.size(); i++)
        if (Block[i] != 'G') return false;
    return true;
}
