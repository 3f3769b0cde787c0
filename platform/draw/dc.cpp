#include "platform/draw/dc.h"

#include "platform/draw/detail/gdi_state.h"
#include "platform/draw/hooks.h"

namespace platform {
using namespace draw;

namespace draw {

FontInstance* DcFont(DeviceContext& dc) {
    auto* font = dc.font.object ? std::get_if<FontData>(dc.font.object.get()) : nullptr;
    return font ? font->instance.get() : nullptr;
}

const FontRequest& DcFontRequest(DeviceContext& dc) {
    static const FontRequest none;
    auto* font = dc.font.object ? std::get_if<FontData>(dc.font.object.get()) : nullptr;
    return font ? font->request : none;
}

}  // namespace draw

namespace {

Selection StockSelection(int index) {
    const HGDIOBJ handle = StockObject(index);
    return Selection{handle, FindObject(handle)};
}

HDC AddDc(DeviceContext dc) {
    dc.font = StockSelection(DEFAULT_GUI_FONT);
    dc.brush = StockSelection(WHITE_BRUSH);
    dc.pen = StockSelection(BLACK_PEN);
    auto shared = std::make_shared<DeviceContext>(std::move(dc));
    const std::uint32_t id = DcTable().add(shared, CurrentOwnerContext());
    shared->id = id;
    return HDC(id);
}

void ReleaseBitmap(Selection& selection) {
    if (auto* bitmap = selection.object ? std::get_if<BitmapData>(selection.object.get()) : nullptr)
        bitmap->selectedInto = 0;
}

}  // namespace

HDC CreateSurfaceDC(std::shared_ptr<Surface> target, POINT origin, RECT clip) {
    if (!target) return HDC();
    DeviceContext dc;
    dc.target = std::move(target);
    dc.origin = origin;
    dc.clip = IntersectRects(clip, dc.target->bounds());
    return AddDc(std::move(dc));
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !FindDc(hdc)) return HDC();
    DeviceContext dc;
    dc.memory = true;
    dc.bitmap = StockSelection(kStockDefaultBitmap);
    dc.target = std::get<BitmapData>(*dc.bitmap.object).surface;
    dc.clip = dc.target->bounds();
    return AddDc(std::move(dc));
}

BOOL DeleteDC(HDC hdc) {
    auto dc = FindDc(hdc);
    if (!dc) return kFalse;
    ReleaseBitmap(dc->bitmap);
    DcTable().remove(hdc.id());
    return kTrue;
}

RECT ChangedArea(HDC hdc) {
    auto dc = FindDc(hdc);
    return dc ? dc->changed : RECT{};
}

std::uint64_t SurfaceGeneration(HDC hdc) {
    auto dc = FindDc(hdc);
    return dc ? dc->target->generation() : 0;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    auto dc = FindDc(hdc);
    auto object = FindObject(handle);
    if (!dc || !object) return HGDIOBJ();
    Selection incoming{handle, object};
    Selection* slot = nullptr;
    if (std::holds_alternative<FontData>(*object)) slot = &dc->font;
    if (std::holds_alternative<BrushData>(*object)) slot = &dc->brush;
    if (std::holds_alternative<PenData>(*object)) slot = &dc->pen;
    if (auto* bitmap = std::get_if<BitmapData>(object.get())) {
        const bool shareable = handle == StockObject(kStockDefaultBitmap);
        if (!dc->memory || bitmap->icon) return HGDIOBJ();
        if (!shareable && bitmap->selectedInto != 0 && bitmap->selectedInto != dc->id) return HGDIOBJ();
        ReleaseBitmap(dc->bitmap);
        if (!shareable) bitmap->selectedInto = dc->id;
        dc->target = bitmap->surface;
        dc->clip = bitmap->surface->bounds();
        slot = &dc->bitmap;
    }
    const HGDIOBJ previous = slot->handle;
    *slot = std::move(incoming);
    return previous;
}

BOOL GetClipBox(HDC hdc, RECT* box) {
    auto dc = FindDc(hdc);
    if (!dc || !box) return kFalse;
    *box = OffsetRectBy(dc->clip, -dc->origin.x, -dc->origin.y);
    return kTrue;
}

BOOL IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = FindDc(hdc);
    if (!dc) return kFalse;
    dc->clip = IntersectRects(dc->clip, dc->toTarget(RECT{left, top, right, bottom}));
    return kTrue;
}

BOOL SetClipBox(HDC hdc, const RECT& box) {
    auto dc = FindDc(hdc);
    if (!dc) return kFalse;
    dc->clip = IntersectRects(dc->toTarget(box), dc->target->bounds());
    return kTrue;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    auto dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    auto dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF previous = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return previous;
}

int SetBkMode(HDC hdc, int mode) {
    auto dc = FindDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!FindDc(hdc)) return 0;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return kScreenDpi;
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case HORZRES: return ScreenSize().cx;
        case VERTRES: return ScreenSize().cy;
        default: return 0;
    }
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    auto dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    const POINT p = dc->toTarget(POINT{x, y});
    if (!IntersectRects(dc->clip, dc->target->bounds()).contains(p)) return CLR_INVALID;
    return PixelColor(dc->target->at(p.x, p.y));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    auto dc = FindDc(hdc);
    if (!dc) return CLR_INVALID;
    const POINT p = dc->toTarget(POINT{x, y});
    if (!IntersectRects(dc->clip, dc->target->bounds()).contains(p)) return CLR_INVALID;
    dc->drawInto(RECT{p.x, p.y, p.x + 1, p.y + 1}).at(p.x, p.y) = OpaquePixel(color);
    return color & 0xFFFFFF;
}

}  // namespace platform
