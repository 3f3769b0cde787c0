#include "platform/draw/paint.h"

#include "platform/draw/detail/gdi_state.h"
#include "platform/draw/raster.h"

#include <algorithm>
#include <cstdlib>

namespace platform {
using namespace draw;

namespace {

const PenData* DcPen(const DeviceContext& dc) {
    return dc.pen.object ? std::get_if<PenData>(dc.pen.object.get()) : nullptr;
}

const BrushData* DcBrush(const DeviceContext& dc) {
    return dc.brush.object ? std::get_if<BrushData>(dc.brush.object.get()) : nullptr;
}

// A line from `from` to `to` (end excluded), each point a square of the pen's width.
void StrokeLine(DeviceContext& dc, POINT from, POINT to) {
    const PenData* pen = DcPen(dc);
    if (!pen || pen->style == PS_NULL) return;
    const Pixel color = OpaquePixel(pen->color);
    const int half = (pen->width - 1) / 2;
    const POINT a = dc.toTarget(from);
    const POINT b = dc.toTarget(to);
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    POINT p = a;
    while (p.x != b.x || p.y != b.y) {
        const RECT dot{p.x - half, p.y - half, p.x - half + pen->width, p.y - half + pen->width};
        FillArea(dc.drawInto(dot), dc.clip, dot, color);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            p.x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

int Channel(COLOR16 value) { return value >> 8; }

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    auto dc = FindDc(hdc);
    const auto* data = FindObjectAs<BrushData>(brush);
    if (!dc || !rect || !data) return 0;
    if (data->hollow) return 1;
    const RECT area = dc->toTarget(*rect);
    FillArea(dc->drawInto(area), dc->clip, area, OpaquePixel(data->color));
    return 1;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = FindDc(hdc);
    if (!dc) return kFalse;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    const PenData* pen = DcPen(*dc);
    const bool outlined = pen && pen->style != PS_NULL;
    const BrushData* brush = DcBrush(*dc);
    if (brush && !brush->hollow) {
        const int inset = outlined ? 1 : 0;
        const RECT inside = dc->toTarget(RECT{left + inset, top + inset, right - inset, bottom - inset});
        FillArea(dc->drawInto(inside), dc->clip, inside, OpaquePixel(brush->color));
    }
    if (outlined && right > left && bottom > top) {
        // The outline is the path through the edge pixels, each widened to a square of the pen's width.
        const int w = pen->width;
        const int half = (w - 1) / 2;
        const RECT bands[] = {{left, top, right, top + 1}, {left, bottom - 1, right, bottom},
                              {left, top, left + 1, bottom}, {right - 1, top, right, bottom}};
        for (const RECT& band : bands) {
            const RECT edge =
                dc->toTarget(RECT{band.left - half, band.top - half, band.right - 1 - half + w, band.bottom - 1 - half + w});
            FillArea(dc->drawInto(edge), dc->clip, edge, OpaquePixel(pen->color));
        }
    }
    return kTrue;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    auto dc = FindDc(hdc);
    if (!dc) return kFalse;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return kTrue;
}

BOOL LineTo(HDC hdc, int x, int y) {
    auto dc = FindDc(hdc);
    if (!dc) return kFalse;
    StrokeLine(*dc, dc->position, POINT{x, y});
    dc->position = POINT{x, y};
    return kTrue;
}

BOOL GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG vertexCount, const GRADIENT_RECT* mesh, ULONG meshCount,
                  ULONG mode) {
    auto dc = FindDc(hdc);
    if (!dc || !vertices || !mesh || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)) return kFalse;
    const bool horizontal = mode == GRADIENT_FILL_RECT_H;
    for (ULONG m = 0; m < meshCount; ++m) {
        if (mesh[m].UpperLeft >= vertexCount || mesh[m].LowerRight >= vertexCount) return kFalse;
        TRIVERTEX a = vertices[mesh[m].UpperLeft];
        TRIVERTEX b = vertices[mesh[m].LowerRight];
        const RECT area{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        if ((horizontal ? a.x > b.x : a.y > b.y)) std::swap(a, b);
        const int span = horizontal ? area.width() : area.height();
        for (int i = 0; i < span; ++i) {
            auto mix = [&](COLOR16 from, COLOR16 to) { return Channel(from) + (Channel(to) - Channel(from)) * i / span; };
            const Pixel color = OpaquePixel(RGB(mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue)));
            const RECT band = horizontal ? RECT{area.left + i, area.top, area.left + i + 1, area.bottom}
                                         : RECT{area.left, area.top + i, area.right, area.top + i + 1};
            const RECT stripe = dc->toTarget(band);
            FillArea(dc->drawInto(stripe), dc->clip, stripe, color);
        }
    }
    return kTrue;
}

}  // namespace platform
