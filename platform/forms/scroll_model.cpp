#include "platform/forms/scroll_model.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/constants.h"
#include "platform/forms/painter.h"

namespace platform::forms {

namespace {
constexpr int kMinThumb = 8;

int Along(const ScrollModel& m, POINT p) { return m.vertical ? p.y : p.x; }
int Length(const ScrollModel& m, const RECT& r) { return m.vertical ? r.height() : r.width(); }
int Start(const ScrollModel& m, const RECT& r) { return m.vertical ? r.top : r.left; }
int Thickness(const ScrollModel& m, const RECT& bar) { return m.vertical ? bar.width() : bar.height(); }

RECT Span(const ScrollModel& m, const RECT& bar, int from, int to) {
    return m.vertical ? RECT{bar.left, from, bar.right, to} : RECT{from, bar.top, to, bar.bottom};
}
}  // namespace

int ScrollModel::Clamp(int v) const { return std::clamp(v, std::min(min, max), std::max(min, max)); }

RECT ScrollModel::DecreaseRect(const RECT& bar) const {
    int a = std::min(Thickness(*this, bar), Length(*this, bar) / 2);
    return Span(*this, bar, Start(*this, bar), Start(*this, bar) + a);
}

RECT ScrollModel::IncreaseRect(const RECT& bar) const {
    int a = std::min(Thickness(*this, bar), Length(*this, bar) / 2);
    int end = Start(*this, bar) + Length(*this, bar);
    return Span(*this, bar, end - a, end);
}

RECT ScrollModel::TrackRect(const RECT& bar) const {
    RECT d = DecreaseRect(bar), i = IncreaseRect(bar);
    return vertical ? RECT{bar.left, d.bottom, bar.right, i.top} : RECT{d.right, bar.top, i.left, bar.bottom};
}

RECT ScrollModel::ThumbRect(const RECT& bar) const {
    RECT track = TrackRect(bar);
    int length = Length(*this, track);
    int range = std::abs(max - min);
    int page = std::max(1, largeChange);
    int thumb = std::max(kMinThumb, static_cast<int>(std::lround(length * double(page) / (range + page))));
    thumb = std::min(thumb, length);
    int travel = length - thumb;
    double fraction = range == 0 ? 0.0 : std::abs(value - min) / double(range);
    int from = Start(*this, track) + static_cast<int>(std::lround(travel * fraction));
    return Span(*this, track, from, from + thumb);
}

ScrollPart ScrollModel::HitTest(const RECT& bar, POINT p) const {
    if (!bar.contains(p)) return ScrollPart::None;
    if (DecreaseRect(bar).contains(p)) return ScrollPart::Decrease;
    if (IncreaseRect(bar).contains(p)) return ScrollPart::Increase;
    RECT thumb = ThumbRect(bar);
    if (thumb.contains(p)) return ScrollPart::Thumb;
    return Along(*this, p) < Start(*this, thumb) ? ScrollPart::PageDecrease : ScrollPart::PageIncrease;
}

int ScrollModel::ValueAfter(ScrollPart part) const {
    int direction = max >= min ? 1 : -1;
    switch (part) {
        case ScrollPart::Decrease: return Clamp(value - direction * smallChange);
        case ScrollPart::Increase: return Clamp(value + direction * smallChange);
        case ScrollPart::PageDecrease: return Clamp(value - direction * largeChange);
        case ScrollPart::PageIncrease: return Clamp(value + direction * largeChange);
        default: return value;
    }
}

int ScrollModel::ValueForThumbAt(const RECT& bar, int along) const {
    RECT track = TrackRect(bar);
    RECT thumb = ThumbRect(bar);
    int travel = Length(*this, track) - Length(*this, thumb);
    if (travel <= 0) return value;
    double fraction = std::clamp((along - Start(*this, track)) / double(travel), 0.0, 1.0);
    return Clamp(min + static_cast<int>(std::lround(fraction * (max - min))));
}

void ScrollModel::Paint(Painter& painter, const RECT& bar, bool enabled) const {
    painter.FillRect(bar, 0xE8E8E8);
    COLORREF arrow = enabled ? vbButtonText : vbGrayText;
    for (ScrollPart part : {ScrollPart::Decrease, ScrollPart::Increase}) {
        RECT b = part == ScrollPart::Decrease ? DecreaseRect(bar) : IncreaseRect(bar);
        painter.FillRect(b, vbButtonFace);
        painter.FrameRect(b, vbButtonShadow);
        int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
        int s = std::max(2, std::min(b.width(), b.height()) / 4);
        bool back = part == ScrollPart::Decrease;
        if (vertical)
            painter.FillTriangle(POINT{cx - s, back ? cy + s / 2 : cy - s / 2}, POINT{cx + s, back ? cy + s / 2 : cy - s / 2},
                                 POINT{cx, back ? cy - s / 2 - 1 : cy + s / 2 + 1}, arrow);
        else
            painter.FillTriangle(POINT{back ? cx + s / 2 : cx - s / 2, cy - s}, POINT{back ? cx + s / 2 : cx - s / 2, cy + s},
                                 POINT{back ? cx - s / 2 - 1 : cx + s / 2 + 1, cy}, arrow);
    }
    if (!enabled || min == max) return;
    RECT thumb = ThumbRect(bar);
    painter.FillRect(thumb, vbButtonFace);
    painter.FrameRect(thumb, vbButtonShadow);
}

bool ScrollTracker::Press(HWND hwnd, const ScrollModel& model, const RECT& bar, POINT p,
                          const std::function<void(int)>& setValue) {
    ScrollPart part = model.HitTest(bar, p);
    if (part == ScrollPart::None) return false;
    part_ = part;
    last_ = p;
    if (part == ScrollPart::Thumb) {
        grab_ = Along(model, p) - Start(model, model.ThumbRect(bar));
        return true;
    }
    setValue(model.ValueAfter(part));
    SetTimer(hwnd, kRepeatTimer, 350, nullptr);
    return true;
}

void ScrollTracker::Move(const ScrollModel& model, const RECT& bar, POINT p, const std::function<void(int)>& setValue) {
    last_ = p;
    if (part_ != ScrollPart::Thumb) return;
    setValue(model.ValueForThumbAt(bar, Along(model, p) - grab_));
}

void ScrollTracker::Repeat(HWND hwnd, const ScrollModel& model, const RECT& bar, const std::function<void(int)>& setValue) {
    if (part_ == ScrollPart::None || part_ == ScrollPart::Thumb) {
        KillTimer(hwnd, kRepeatTimer);
        return;
    }
    SetTimer(hwnd, kRepeatTimer, 50, nullptr);
    // Paging stops once the thumb has reached the pointer.
    if (model.HitTest(bar, last_) == part_) setValue(model.ValueAfter(part_));
}

void ScrollTracker::Release(HWND hwnd) {
    if (part_ != ScrollPart::None && part_ != ScrollPart::Thumb) KillTimer(hwnd, kRepeatTimer);
    part_ = ScrollPart::None;
}

}  // namespace platform::forms
