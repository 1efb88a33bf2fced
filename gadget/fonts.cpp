// Fonts for GadgetSetFont, made from a face name, a size in points and a look. The runtime
// keeps the list of those it made, deletes one on FontFree and the rest in the gadget layer's
// end step; the first font made hands that step its work, so a program that makes none calls
// nothing of this.
#include "gadget/internal/gadgets.h"

#include "runtime/internal/heap.h"

enum {
    FontPointsLimit = 1000,   // the largest size taken, in points
    FontListGrowth = 8,       // room made when the list is full
    FontPointsPerInch = 72,
};

// The gadget font goes back to the stock font when it is the one deleted, so that no later
// control is handed a deleted font.
static void FontDelete(HFONT font)
{
    if (Gadgets.GadgetFont == font) Gadgets.GadgetFont = (HFONT)GetStockObject(ANSI_VAR_FONT);
    DeleteObject(font);
}

static void FontFreeAll(void)
{
    for (uint32_t i = 0; i < Gadgets.FontCount; i++) FontDelete(Gadgets.Fonts[i]);
    Gadgets.FontCount = 0;
}

// Room for one more font; 0 when the heap refuses, which leaves the list as it was.
static int FontListEnsure(void)
{
    if (Gadgets.FontCount < Gadgets.FontCapacity) return 1;
    uint32_t capacity = Gadgets.FontCapacity + FontListGrowth;
    HFONT *fonts = (HFONT *)HeapReallocateZero(Gadgets.Fonts, capacity * sizeof(HFONT));
    if (fonts == nullptr) return 0;
    Gadgets.Fonts = fonts;
    Gadgets.FontCapacity = capacity;
    return 1;
}

// The size is the height of the characters, the internal leading left out, which is what a
// negative height asks of the font mapper; points become pixels at the screen's vertical
// resolution.
HFONT FontCreate(const char *face, int32_t points, int32_t flags)
{
    if (face == nullptr) face = "";
    // The platform reads at most LF_FACESIZE bytes of a face name, its zero included.
    if (points < 1 || points > FontPointsLimit || (flags & ~(FontBold | FontItalic)) != 0 ||
        StringLength(face) >= LF_FACESIZE)
        return nullptr;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return nullptr;
    int32_t pixels = MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), FontPointsPerInch);
    ReleaseDC(nullptr, screen);
    if (pixels < 1 || !FontListEnsure()) return nullptr;
    HFONT font = CreateFontA(-pixels, 0, 0, 0, (flags & FontBold) ? FW_BOLD : FW_NORMAL,
                             (flags & FontItalic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    if (font == nullptr) return nullptr;
    Gadgets.Fonts[Gadgets.FontCount++] = font;
    Gadgets.FontsEnd = FontFreeAll;
    return font;
}

// A font the runtime did not make is the program's, and is left alone.
void FontFree(HFONT font)
{
    for (uint32_t i = 0; i < Gadgets.FontCount; i++) {
        if (Gadgets.Fonts[i] != font) continue;
        FontDelete(font);
        Gadgets.Fonts[i] = Gadgets.Fonts[--Gadgets.FontCount];
        Gadgets.Fonts[Gadgets.FontCount] = nullptr;
        return;
    }
}
