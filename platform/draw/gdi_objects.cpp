#include "platform/draw/gdi_objects.h"

#include "platform/draw/detail/gdi_state.h"

#include <array>

namespace platform {
using namespace draw;

namespace draw {

HandleTable<GdiObject>& ObjectTable() {
    static HandleTable<GdiObject> table;
    return table;
}

HandleTable<DeviceContext>& DcTable() {
    static HandleTable<DeviceContext> table;
    return table;
}

std::shared_ptr<DeviceContext> FindDc(HDC hdc) { return DcTable().find(hdc.id()); }
std::shared_ptr<GdiObject> FindObject(HGDIOBJ handle) { return ObjectTable().find(handle.id()); }

HGDIOBJ AddObject(GdiObject object) {
    return HGDIOBJ(ObjectTable().add(std::make_shared<GdiObject>(std::move(object)), CurrentOwnerContext()));
}

namespace {

struct StockEntry {
    int index;
    GdiObject (*make)();
};

GdiObject MakeDefaultFont() {
    FontRequest request;
    request.height = -11;  // 8 points
    FontData font{request, FontInstance::For(FontKey{MatchFontFace(request.face, FW_NORMAL, false), -11, true})};
    return font;
}

const std::array<StockEntry, 8> kStock{{
    {WHITE_BRUSH, [] { return GdiObject(BrushData{RGB(255, 255, 255), false}); }},
    {BLACK_BRUSH, [] { return GdiObject(BrushData{RGB(0, 0, 0), false}); }},
    {NULL_BRUSH, [] { return GdiObject(BrushData{0, true}); }},
    {WHITE_PEN, [] { return GdiObject(PenData{PS_SOLID, 1, RGB(255, 255, 255)}); }},
    {BLACK_PEN, [] { return GdiObject(PenData{PS_SOLID, 1, RGB(0, 0, 0)}); }},
    {NULL_PEN, [] { return GdiObject(PenData{PS_NULL, 1, 0}); }},
    {DEFAULT_GUI_FONT, MakeDefaultFont},
    {kStockDefaultBitmap, [] { return GdiObject(BitmapData{std::make_shared<Surface>(1, 1), false, 0}); }},
}};

std::array<std::uint32_t, kStock.size()>& StockIds() {
    static std::array<std::uint32_t, kStock.size()> ids{};
    return ids;
}

bool IsStock(HGDIOBJ handle) {
    for (std::uint32_t id : StockIds())
        if (id != 0 && id == handle.id()) return true;
    return false;
}

}  // namespace

HGDIOBJ StockObject(int index) {
    for (std::size_t i = 0; i < kStock.size(); ++i) {
        if (kStock[i].index != index) continue;
        std::uint32_t& id = StockIds()[i];
        if (id == 0) id = ObjectTable().add(std::make_shared<GdiObject>(kStock[i].make()), kSharedOwner);
        return HGDIOBJ(id);
    }
    return HGDIOBJ();
}

}  // namespace draw

HBRUSH CreateSolidBrush(COLORREF color) { return AddObject(BrushData{color & 0xFFFFFF, false}); }

HPEN CreatePen(int style, int width, COLORREF color) {
    return AddObject(PenData{style == PS_NULL ? PS_NULL : PS_SOLID, width < 1 ? 1 : width, color & 0xFFFFFF});
}

HGDIOBJ GetStockObject(int index) { return index == kStockDefaultBitmap ? HGDIOBJ() : StockObject(index); }

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (!SurfaceSizeAllowed(width, height)) return HBITMAP();
    return AddObject(BitmapData{std::make_shared<Surface>(width, height), false, 0});
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, void* section, DWORD) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section) return HBITMAP();
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biPlanes != 1) return HBITMAP();
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biWidth <= 0 || height == 0 || !SurfaceSizeAllowed(h.biWidth, height)) return HBITMAP();
    auto surface = std::make_shared<Surface>(h.biWidth, height, 0, h.biHeight > 0);
    void* data = surface->bits();
    surface->shareBits();
    HBITMAP handle = AddObject(BitmapData{std::move(surface), false, 0});
    if (handle && bits) *bits = data;
    return handle;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (IsStock(object)) return kFalse;
    return ObjectTable().remove(object.id()) ? kTrue : kFalse;
}

BOOL DestroyIcon(HICON icon) {
    const auto* bitmap = FindObjectAs<BitmapData>(icon);
    if (!bitmap || !bitmap->icon) return kFalse;
    return DeleteObject(icon);
}

BOOL GetObject(HGDIOBJ object, BITMAP* out) {
    const auto* bitmap = FindObjectAs<BitmapData>(object);
    if (!bitmap || !out) return kFalse;
    Surface& s = *bitmap->surface;
    s.shareBits();
    *out = BITMAP{0, s.width(), s.height(), s.width() * 4, 1, 32, s.bits()};
    return kTrue;
}

std::shared_ptr<Surface> SurfaceOfBitmap(HGDIOBJ object) {
    const auto* bitmap = FindObjectAs<BitmapData>(object);
    return bitmap ? bitmap->surface : nullptr;
}

HBITMAP CreateBitmapFromSurface(std::shared_ptr<Surface> surface, bool icon) {
    if (!surface) return HBITMAP();
    return AddObject(BitmapData{std::move(surface), icon, 0});
}

std::size_t LiveGdiObjectCount() { return ObjectTable().live(); }
std::size_t LiveDcCount() { return DcTable().live(); }
std::size_t MadeGdiObjectCount() { return ObjectTable().made(); }
std::size_t MadeDcCount() { return DcTable().made(); }

}  // namespace platform
