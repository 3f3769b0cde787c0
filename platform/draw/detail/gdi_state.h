// The drawing objects and device contexts behind the handles (inside platform/draw only).
#pragma once

#include "platform/draw/font_face.h"
#include "platform/draw/gdi_types.h"
#include "platform/draw/detail/handle_table.h"
#include "platform/draw/surface.h"

#include <memory>
#include <string>
#include <variant>

namespace platform::draw {

constexpr BOOL kTrue = 1;
constexpr BOOL kFalse = 0;

struct BrushData {
    COLORREF color = 0;
    bool hollow = false;
};

struct PenData {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

// What CreateFont was asked for; kept whole for the text metrics.
struct FontRequest {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    DWORD charSet = DEFAULT_CHARSET;
    DWORD outPrecision = OUT_DEFAULT_PRECIS;
    DWORD clipPrecision = CLIP_DEFAULT_PRECIS;
    DWORD quality = DEFAULT_QUALITY;
    DWORD pitchAndFamily = DEFAULT_PITCH;
    std::string face;
};

struct FontData {
    FontRequest request;
    std::shared_ptr<FontInstance> instance;
};

struct BitmapData {
    std::shared_ptr<Surface> surface;
    bool icon = false;
    std::uint32_t selectedInto = 0;  // the memory DC that holds it; a bitmap sits in one DC at a time
};

using GdiObject = std::variant<BrushData, PenData, FontData, BitmapData>;

// A selected object stays alive while a DC holds it, even after DeleteObject took its handle.
struct Selection {
    HGDIOBJ handle;
    std::shared_ptr<GdiObject> object;
};

struct DeviceContext {
    std::uint32_t id = 0;
    bool memory = false;  // a memory DC draws into its selected bitmap
    std::shared_ptr<Surface> target;
    POINT origin;  // where (0, 0) of the DC lies on the target
    RECT clip;     // in target coordinates
    Selection font, brush, pen, bitmap;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT position;
    RECT changed;  // in target coordinates: where drawing through this DC may have changed pixels

    RECT toTarget(RECT r) const { return OffsetRectBy(r, origin.x, origin.y); }
    // What a drawing step changed (target coordinates); only the part inside the clip counts.
    void noteChanged(RECT area) {
        const RECT inside = IntersectRects(area, clip);
        if (inside.empty()) return;
        changed = UnionRects(changed, inside);
        target->touch();
    }
    // The target, for a drawing step that may change every pixel of area (target coordinates).
    Surface& drawInto(RECT area) {
        noteChanged(area);
        return *target;
    }
    POINT toTarget(POINT p) const { return POINT{p.x + origin.x, p.y + origin.y}; }
};

HandleTable<GdiObject>& ObjectTable();
HandleTable<DeviceContext>& DcTable();

std::shared_ptr<DeviceContext> FindDc(HDC hdc);
std::shared_ptr<GdiObject> FindObject(HGDIOBJ handle);
template <class T>
T* FindObjectAs(HGDIOBJ handle, std::shared_ptr<GdiObject>* keep = nullptr) {
    auto object = FindObject(handle);
    T* typed = object ? std::get_if<T>(object.get()) : nullptr;
    if (keep) *keep = object;
    return typed;
}

HGDIOBJ AddObject(GdiObject object);
HGDIOBJ StockObject(int index);  // also the DC defaults; null for an unknown index
constexpr int kStockDefaultBitmap = 21;

// The font a DC draws with (its own or the default).
FontInstance* DcFont(DeviceContext& dc);
const FontRequest& DcFontRequest(DeviceContext& dc);

}  // namespace platform::draw
