#include "platform/forms/line.h"

#include <algorithm>

#include "platform/forms/painter.h"

namespace platform::forms {

Line::Line(ContainerRef container, std::string name, int index) : VisualControl(container, std::move(name), index) {
    Line::ResetToDesign();
}

void Line::ResetToDesign() {
    VisualControl::ResetToDesign();
    a_ = b_ = POINT{0, 0};
    borderColor_ = vbWindowText;
    borderWidth_ = 1;
    SetEnds(a_, b_);
}

void Line::CopyDesignFrom(const Control& other) {
    VisualControl::CopyDesignFrom(other);
    const auto& o = static_cast<const Line&>(other);
    borderColor_ = o.borderColor_;
    borderWidth_ = o.borderWidth_;
    SetEnds(o.a_, o.b_);
}

// The line's rectangle covers both ends and the pen's width, so that it repaints and reports
// where it lies.
void Line::SetEnds(POINT a, POINT b) {
    a_ = a;
    b_ = b;
    int pad = borderWidth_ / 2;
    SetPixelRect(RECT{std::min(a.x, b.x) - pad, std::min(a.y, b.y) - pad, std::max(a.x, b.x) + pad + 1,
                      std::max(a.y, b.y) + pad + 1});
}

void Line::setBorderColor(COLORREF value) {
    borderColor_ = value;
    Invalidate();
}

void Line::setBorderWidth(int value) {
    borderWidth_ = std::max(1, value);
    SetEnds(a_, b_);
    Invalidate();
}

void Line::PaintLook(Painter& painter) {
    painter.Line(a_.x - rect_.left, a_.y - rect_.top, b_.x - rect_.left, b_.y - rect_.top, borderColor_, borderWidth_);
}

}  // namespace platform::forms
