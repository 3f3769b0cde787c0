#include "platform/forms/painter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "platform/draw/gdi.h"
#include "platform/forms/constants.h"
#include "platform/forms/picture.h"
#include "platform/window/context.h"

namespace platform::forms {

namespace {

// Drawing objects belong to the context that made them. The painter keeps one per context and
// font, colour or pen, so that painting makes none per shape or per cell.
using FontKey = std::tuple<int, std::string, int, bool, bool, bool, bool>;

FontKey KeyOf(const FontDescription& wanted, int* height) {
    *height = -static_cast<int>(std::lround(wanted.size * kScreenDpi / 72.0));
    return FontKey{static_cast<int>(CurrentContext()), wanted.name, *height, wanted.bold, wanted.italic, wanted.underline,
                   wanted.strikethru};
}

HFONT FontFor(const FontDescription& wanted) {
    static auto* fonts = new std::map<FontKey, HFONT>;
    int height = 0;
    FontKey key = KeyOf(wanted, &height);
    auto it = fonts->find(key);
    if (it != fonts->end()) return it->second;
    HFONT font = CreateFont(height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, wanted.italic, wanted.underline, wanted.strikethru,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, wanted.name);
    (*fonts)[key] = font;
    return font;
}

// Text is measured outside a paint with one memory DC per font, its font selected for good.
HDC MeasuringDc(const FontDescription& font) {
    static auto* dcs = new std::map<FontKey, HDC>;
    int height = 0;
    FontKey key = KeyOf(font, &height);
    auto it = dcs->find(key);
    if (it != dcs->end()) return it->second;
    HDC dc = CreateCompatibleDC(HDC{});
    if (dc) SelectObject(dc, FontFor(font));
    (*dcs)[key] = dc;
    return dc;
}

// Solid brushes and pens by colour (and width). A painter uses a handful of colours; should a
// program run through very many, the cache starts again rather than grow without end.
template <class Make>
HGDIOBJ Cached(std::map<std::tuple<int, COLORREF, int>, HGDIOBJ>& cache, COLORREF color, int width, Make make) {
    constexpr std::size_t kMostKept = 256;
    std::tuple<int, COLORREF, int> key{static_cast<int>(CurrentContext()), color, width};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= kMostKept) {
        for (auto& [k, object] : cache) {
            ContextScope scope(static_cast<ProcessContext>(std::get<0>(k)));
            DeleteObject(object);
        }
        cache.clear();
    }
    HGDIOBJ object = make();
    cache[key] = object;
    return object;
}

HBRUSH BrushFor(COLORREF color) {
    static auto* brushes = new std::map<std::tuple<int, COLORREF, int>, HGDIOBJ>;
    return Cached(*brushes, color, 0, [&] { return CreateSolidBrush(color); });
}

HPEN PenFor(COLORREF color, int width) {
    static auto* pens = new std::map<std::tuple<int, COLORREF, int>, HGDIOBJ>;
    return Cached(*pens, color, width, [&] { return CreatePen(PS_SOLID, width, color); });
}

// A memory DC per small picture (the icons of list and grid cells) and context, with the picture's
// bitmap selected, kept for the next paint. The kept bitmap holds the picture's pixels, so a kept
// picture's address is never reused; large pictures are not held once their form is gone.
constexpr int kMostKeptPictureSide = 64;

HDC PictureDc(const Picture& picture) {
    struct Kept {
        HDC dc;
        HBITMAP bitmap;
    };
    static auto* kept = new std::map<std::pair<int, const Surface*>, Kept>;
    constexpr std::size_t kMostKept = 256;
    std::pair<int, const Surface*> key{static_cast<int>(CurrentContext()), picture.Pixels().get()};
    auto it = kept->find(key);
    if (it != kept->end()) return it->second.dc;
    if (kept->size() >= kMostKept) {
        for (auto& [k, entry] : *kept) {
            ContextScope scope(static_cast<ProcessContext>(k.first));
            DeleteDC(entry.dc);
            DeleteObject(entry.bitmap);
        }
        kept->clear();
    }
    HDC dc = CreateCompatibleDC(HDC{});
    HBITMAP bitmap = CreateBitmapFromSurface(picture.Pixels());
    if (!dc || !bitmap || !SelectObject(dc, bitmap)) {
        if (dc) DeleteDC(dc);
        if (bitmap) DeleteObject(bitmap);
        return HDC{};
    }
    (*kept)[key] = Kept{dc, bitmap};
    return dc;
}

UINT DrawTextFormat(unsigned flags) {
    UINT format = 0;
    if (flags & kTextCenter) format |= DT_CENTER;
    if (flags & kTextRight) format |= DT_RIGHT;
    if (flags & kTextVCenter) format |= DT_VCENTER | DT_SINGLELINE;
    if ((flags & kTextWrap) && !(flags & kTextVCenter)) format |= DT_WORDBREAK;
    if (!(flags & kTextMnemonic)) format |= DT_NOPREFIX;
    if (flags & kTextNoClip) format |= DT_NOCLIP;
    return format;
}

}  // namespace

// ---- Painter ----

Painter::Painter(HDC hdc, POINT origin, RECT clip) : hdc_(hdc), origin_(origin), clip_(clip) {}

RECT Painter::ToDevice(const RECT& r) const { return OffsetRectBy(r, origin_.x, origin_.y); }

// A scope narrows the DC's clip to its visible part, which clips everything drawn in it, text
// included, and puts the clip back at the end.
Painter::Scope::Scope(Painter& painter, const RECT& r)
    : painter_(painter), savedOrigin_(painter.origin_), savedClip_(painter.clip_), savedDc_(painter.hdc_) {
    const RECT visible = IntersectRects(r, painter.clip_);
    if (visible.empty() || !savedDc_ || !GetClipBox(savedDc_, &savedDcClip_)) {
        painter.hdc_ = HDC{};
        return;
    }
    const RECT device = painter.ToDevice(visible);
    IntersectClipRect(savedDc_, device.left, device.top, device.right, device.bottom);
    clipped_ = true;
    painter.origin_ = POINT{savedOrigin_.x + r.left, savedOrigin_.y + r.top};
    painter.clip_ = OffsetRectBy(visible, -r.left, -r.top);
}

Painter::Scope::~Scope() {
    if (clipped_) SetClipBox(savedDc_, savedDcClip_);
    painter_.hdc_ = savedDc_;
    painter_.origin_ = savedOrigin_;
    painter_.clip_ = savedClip_;
}

void Painter::FillRect(const RECT& r, COLORREF color) {
    if (!hdc_) return;
    RECT area = ToDevice(IntersectRects(r, clip_));
    if (area.empty()) return;
    platform::FillRect(hdc_, &area, BrushFor(ResolveColor(color)));
}

void Painter::FrameRect(const RECT& r, COLORREF color) {
    if (r.empty()) return;
    FillRect(RECT{r.left, r.top, r.right, r.top + 1}, color);
    FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    FillRect(RECT{r.left, r.top, r.left + 1, r.bottom}, color);
    FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

void Painter::Line(int x1, int y1, int x2, int y2, COLORREF color, int width) {
    if (!hdc_) return;
    HGDIOBJ old = SelectObject(hdc_, PenFor(ResolveColor(color), std::max(1, width)));
    MoveToEx(hdc_, x1 + origin_.x, y1 + origin_.y, nullptr);
    LineTo(hdc_, x2 + origin_.x, y2 + origin_.y);
    // The end point belongs to the line too.
    SetPixel(hdc_, x2 + origin_.x, y2 + origin_.y, ResolveColor(color));
    SelectObject(hdc_, old);
}

void Painter::SunkenEdge(const RECT& r) {
    FillRect(RECT{r.left, r.top, r.right, r.top + 1}, vbButtonShadow);
    FillRect(RECT{r.left, r.top, r.left + 1, r.bottom}, vbButtonShadow);
    FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, vb3DHighlight);
    FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, vb3DHighlight);
}

void Painter::RaisedEdge(const RECT& r) {
    FillRect(RECT{r.left, r.top, r.right, r.top + 1}, vb3DHighlight);
    FillRect(RECT{r.left, r.top, r.left + 1, r.bottom}, vb3DHighlight);
    FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, vbButtonShadow);
    FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, vbButtonShadow);
}

void Painter::FocusRect(const RECT& r, COLORREF color) {
    if (!hdc_ || r.empty()) return;
    COLORREF c = ResolveColor(color);
    auto dot = [&](int x, int y) {
        if (clip_.contains(POINT{x, y})) SetPixel(hdc_, x + origin_.x, y + origin_.y, c);
    };
    for (int x = r.left; x < r.right; x += 2) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

void Painter::Text(const RECT& r, const std::string& text, const FontDescription& font, COLORREF color, unsigned flags) {
    if (!hdc_ || text.empty()) return;
    HGDIOBJ old = SelectObject(hdc_, FontFor(font));
    SetTextColor(hdc_, ResolveColor(color));
    SetBkMode(hdc_, TRANSPARENT);
    RECT area = ToDevice(r);
    DrawText(hdc_, text, &area, DrawTextFormat(flags));
    if (old) SelectObject(hdc_, old);
}

void Painter::DrawPicture(const Picture& picture, int x, int y) {
    if (!hdc_ || !picture) return;
    SIZE size = picture.PixelSize();
    const bool small = size.cx <= kMostKeptPictureSide && size.cy <= kMostKeptPictureSide;
    HDC source = small ? PictureDc(picture) : CreateCompatibleDC(hdc_);
    HBITMAP bitmap = small ? HBITMAP{} : CreateBitmapFromSurface(picture.Pixels());
    HGDIOBJ old = !small && source && bitmap ? SelectObject(source, bitmap) : HGDIOBJ{};
    if (source && (small || old)) {
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;  // pictures with transparency keep it
        AlphaBlend(hdc_, x + origin_.x, y + origin_.y, size.cx, size.cy, source, 0, 0, size.cx, size.cy, blend);
    }
    if (small) return;
    if (old) SelectObject(source, old);
    if (bitmap) DeleteObject(bitmap);
    if (source) DeleteDC(source);
}

void Painter::FillTriangle(POINT a, POINT b, POINT c, COLORREF color) {
    int top = std::min({a.y, b.y, c.y}), bottom = std::max({a.y, b.y, c.y});
    POINT pts[3] = {a, b, c};
    for (int y = top; y <= bottom; ++y) {
        // The span of the triangle on this row, from its three edges.
        double lo = 1e9, hi = -1e9;
        for (int i = 0; i < 3; ++i) {
            POINT p = pts[i], q = pts[(i + 1) % 3];
            if ((y < std::min(p.y, q.y)) || (y > std::max(p.y, q.y))) continue;
            if (p.y == q.y) {
                lo = std::min<double>({lo, double(p.x), double(q.x)});
                hi = std::max<double>({hi, double(p.x), double(q.x)});
                continue;
            }
            double x = p.x + (q.x - p.x) * double(y - p.y) / double(q.y - p.y);
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (lo > hi) continue;
        FillRect(RECT{static_cast<int>(std::lround(lo)), y, static_cast<int>(std::lround(hi)) + 1, y + 1}, color);
    }
}

void Painter::Ellipse(const RECT& r, COLORREF fill, COLORREF frame) {
    if (r.empty()) return;
    double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    double rx = r.width() / 2.0, ry = r.height() / 2.0;
    for (int y = r.top; y < r.bottom; ++y) {
        double dy = (y - cy) / ry;
        double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        int x0 = static_cast<int>(std::lround(cx - half + 0.25)), x1 = static_cast<int>(std::lround(cx + half - 0.25));
        if (x1 < x0) continue;
        FillRect(RECT{x0, y, x1 + 1, y + 1}, fill);
        if (frame != fill) {
            FillRect(RECT{x0, y, x0 + 1, y + 1}, frame);
            FillRect(RECT{x1, y, x1 + 1, y + 1}, frame);
        }
    }
    if (frame == fill) return;
    // Top and bottom rows of the outline.
    for (int x = r.left; x < r.right; ++x) {
        double dx = (x - cx) / rx;
        double half = ry * std::sqrt(std::max(0.0, 1.0 - dx * dx));
        FillRect(RECT{x, static_cast<int>(std::lround(cy - half + 0.25)), x + 1, static_cast<int>(std::lround(cy - half + 0.25)) + 1},
                 frame);
        FillRect(RECT{x, static_cast<int>(std::lround(cy + half - 0.25)), x + 1, static_cast<int>(std::lround(cy + half - 0.25)) + 1},
                 frame);
    }
}

// ---- Measuring ----

SIZE MeasureText(const FontDescription& font, const std::string& text, unsigned flags, int wrapWidth) {
    if (text.empty()) return SIZE{0, LineHeight(font)};
    HDC dc = MeasuringDc(font);
    if (!dc) return SIZE{0, 0};
    UINT format = DT_CALCRECT | ((flags & kTextMnemonic) ? 0 : DT_NOPREFIX);
    if (flags & kTextWrap) format |= DT_WORDBREAK;
    RECT r{0, 0, (flags & kTextWrap) ? std::max(1, wrapWidth) : 100000, 0};
    DrawText(dc, text, &r, format);
    return SIZE{r.width(), r.height()};
}

int LineHeight(const FontDescription& font) {
    HDC dc = MeasuringDc(font);
    TEXTMETRIC tm;
    if (!dc || !GetTextMetrics(dc, &tm)) return 13;
    return tm.tmHeight;
}

CharacterWidth::CharacterWidth(const FontDescription& font) : dc_(MeasuringDc(font)) {}

int CharacterWidth::operator()(std::string_view character) const {
    SIZE size{0, 0};
    if (dc_) GetTextExtentPoint32(dc_, character, &size);
    return size.cx;
}

// Text widths are the sums of the characters' advances, so each character is measured once.
std::vector<int> CharacterOffsets(const FontDescription& font, const std::string& line) {
    std::vector<int> offsets{0};
    const CharacterWidth width(font);
    std::size_t start = 0;
    for (std::size_t i = 1; i <= line.size(); ++i) {
        if (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;
        offsets.push_back(offsets.back() + width(std::string_view(line).substr(start, i - start)));
        start = i;
    }
    return offsets;
}

std::string StripMnemonic(const std::string& caption, int* underlined) {
    std::string out;
    int mark = -1;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && mark < 0) mark = static_cast<int>(out.size());
        }
        out += caption[i];
    }
    if (underlined) *underlined = mark;
    return out;
}

}  // namespace platform::forms
