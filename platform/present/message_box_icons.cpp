#include "platform/present/message_box_icons.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/draw/gdi.h"
#include "platform/window/messages.h"

namespace platform {
namespace {

struct Point {
    double x, y;
};

double Distance(Point p, Point q) { return std::hypot(p.x - q.x, p.y - q.y); }

// Distance from p to the segment a-b.
double ToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return Distance(p, Point{a.x + t * dx, a.y + t * dy});
}

bool Stroke(Point p, Point a, Point b, double halfWidth) { return ToSegment(p, a, b) <= halfWidth; }
bool Dot(Point p, Point centre, double radius) { return Distance(p, centre) <= radius; }

// The body of an icon: a disc or the warning triangle, with a darker rim.
enum class Body { Disc, Triangle };

struct Look {
    Body body;
    COLORREF fill, rim, glyph;
    bool (*glyphAt)(Point);
};

bool Cross(Point p) { return Stroke(p, {10.5, 10.5}, {21.5, 21.5}, 2.1) || Stroke(p, {21.5, 10.5}, {10.5, 21.5}, 2.1); }
bool Exclamation(Point p) { return Stroke(p, {16, 11.5}, {16, 19.5}, 1.9) || Dot(p, {16, 24.3}, 2.0); }
bool SmallI(Point p) { return Dot(p, {16, 9.2}, 2.4) || Stroke(p, {16, 14}, {16, 24}, 2.0); }
// A hook (the ring around (16, 11.5) but its lower left quarter), its stem and its dot.
bool QuestionMark(Point p) {
    const Point centre{16, 11.5};
    const double r = Distance(p, centre);
    const bool ring = r >= 2.6 && r <= 6.4 && !(p.y > centre.y && p.x < centre.x);
    return ring || Stroke(p, {16, 16.5}, {16, 19.2}, 1.9) || Dot(p, {16, 24}, 2.1);
}

const Look& LookOf(BoxIcon icon) {
    static const Look kError{Body::Disc, RGB(212, 44, 40), RGB(140, 22, 20), RGB(255, 255, 255), Cross};
    static const Look kWarning{Body::Triangle, RGB(250, 204, 52), RGB(168, 118, 12), RGB(0, 0, 0), Exclamation};
    static const Look kQuestion{Body::Disc, RGB(44, 112, 208), RGB(22, 70, 148), RGB(255, 255, 255), QuestionMark};
    static const Look kInformation{Body::Disc, RGB(44, 112, 208), RGB(22, 70, 148), RGB(255, 255, 255), SmallI};
    switch (icon) {
        case BoxIcon::Error: return kError;
        case BoxIcon::Warning: return kWarning;
        case BoxIcon::Question: return kQuestion;
        default: return kInformation;
    }
}

// Inside the body: 0 outside, 1 on its rim, 2 inside the rim.
int BodyAt(Body body, Point p) {
    if (body == Body::Disc) {
        const double r = Distance(p, {16, 16});
        return r > 15 ? 0 : r > 13.6 ? 1 : 2;
    }
    const Point a{16, 1.5}, b{30.5, 29}, c{1.5, 29};
    auto side = [](Point p, Point u, Point v) { return (v.x - u.x) * (p.y - u.y) - (v.y - u.y) * (p.x - u.x); };
    const bool inside = side(p, a, b) >= 0 && side(p, b, c) >= 0 && side(p, c, a) >= 0;
    if (!inside) return 0;
    const double edge = std::min({ToSegment(p, a, b), ToSegment(p, b, c), ToSegment(p, c, a)});
    return edge < 1.4 ? 1 : 2;
}

// The colour at one point of the icon; the body lightens towards its top.
COLORREF ColourAt(const Look& look, Point p, COLORREF face) {
    switch (BodyAt(look.body, p)) {
        case 0: return face;
        case 1: return look.rim;
        default: break;
    }
    if (look.glyphAt(p)) return look.glyph;
    const double light = 0.3 * std::max(0.0, 1 - p.y / 20);
    auto mix = [light](int c) { return static_cast<BYTE>(std::lround(c + (255 - c) * light)); };
    return RGB(mix(GetRValue(look.fill)), mix(GetGValue(look.fill)), mix(GetBValue(look.fill)));
}

}  // namespace

BoxIcon BoxIconOf(UINT type) {
    switch (type & 0xF0) {
        case MB_ICONERROR: return BoxIcon::Error;
        case MB_ICONQUESTION: return BoxIcon::Question;
        case MB_ICONWARNING: return BoxIcon::Warning;
        case MB_ICONINFORMATION: return BoxIcon::Information;
        default: return BoxIcon::None;
    }
}

void DrawBoxIcon(HDC dc, int x, int y, BoxIcon icon, COLORREF face) {
    if (icon == BoxIcon::None) return;
    const Look& look = LookOf(icon);
    auto picture = std::make_shared<Surface>(kBoxIconSize, kBoxIconSize);
    // Four by four samples a pixel smooth the edges.
    constexpr int kSamples = 4;
    for (int py = 0; py < kBoxIconSize; ++py) {
        for (int px = 0; px < kBoxIconSize; ++px) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const COLORREF c =
                        ColourAt(look, Point{px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples}, face);
                    r += GetRValue(c);
                    g += GetGValue(c);
                    b += GetBValue(c);
                }
            constexpr int n = kSamples * kSamples;
            picture->at(px, py) = OpaquePixel(RGB((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
        }
    }
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateBitmapFromSurface(picture);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, kBoxIconSize, kBoxIconSize, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace platform
