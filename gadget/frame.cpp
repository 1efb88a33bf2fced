// The frame: a group box (flags 0), a sunken static frame (flags 1) or a static frame with a
// thin edge (any other flags). It has no table of its own: it borrows the button's or the
// text's, neither of which overrides anything.
#include "gadget/internal/gadgets.h"

constexpr uint32_t FrameGroupStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;
constexpr uint32_t FrameStaticStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER;
static_assert(FrameGroupStyle == 0x50020007 && FrameStaticStyle == 0x50020001);

HWND GadgetCreateFrame(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                       const char *text, uint32_t flags)
{
    GadgetCreatePrepare(x, y, width, height, text, "BUTTON", FrameGroupStyle, 0, &ButtonKindOps);
    Gadgets.Params.Flags = flags;
    if (flags != 0) {
        Gadgets.ClassName = "STATIC";
        Gadgets.Style = FrameStaticStyle;
        Gadgets.KindOps = &TextKindOps;
        // transparent, so that the gadgets drawn inside it show through
        Gadgets.ExStyle = flags == 1 ? WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT
                                     : WS_EX_STATICEDGE | WS_EX_TRANSPARENT;
    }
    return GadgetCreate(number);
}
