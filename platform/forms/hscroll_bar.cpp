#include "platform/forms/hscroll_bar.h"

#include "platform/forms/painter.h"

namespace platform::forms {

HScrollBar::HScrollBar(ContainerRef container, std::string name, int index)
    : WindowedControl(container, std::move(name), index) {
    HScrollBar::ResetToDesign();
}

void HScrollBar::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 120, 17};
    SetDefaultColors(vbScrollBars, vbButtonText);
    model_ = ScrollModel{};
    tracker_ = ScrollTracker{};
}

void HScrollBar::CopyDesignFrom(const Control& other) {
    WindowedControl::CopyDesignFrom(other);
    model_ = static_cast<const HScrollBar&>(other).model_;
}

void HScrollBar::ChangeValue(int value) {
    value = model_.Clamp(value);
    if (value == model_.value) return;
    model_.value = value;
    Invalidate();
    if (Live()) Change();
}

void HScrollBar::setValue(int value) { ChangeValue(value); }

void HScrollBar::setMin(int value) {
    model_.min = value;
    Invalidate();
    ChangeValue(model_.value);
}

void HScrollBar::setMax(int value) {
    model_.max = value;
    Invalidate();
    ChangeValue(model_.value);
}

void HScrollBar::setLargeChange(int value) {
    model_.largeChange = value < 1 ? 1 : value;
    Invalidate();
}

void HScrollBar::HandleMouseDown(int button, int shift, POINT px) {
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button == vbLeftButton && hwnd_) tracker_.Press(hwnd_, model_, Bar(), px, [this](int v) { ChangeValue(v); });
}

void HScrollBar::HandleMouseMove(int buttons, int shift, POINT px) {
    if (tracker_.Active()) tracker_.Move(model_, Bar(), px, [this](int v) { ChangeValue(v); });
    WindowedControl::HandleMouseMove(buttons, shift, px);
}

void HScrollBar::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (button == vbLeftButton) tracker_.Release(hwnd_);
    WindowedControl::HandleMouseUp(button, shift, px, inside);
}

void HScrollBar::OnTimerTick(UINT_PTR id) {
    if (id == ScrollTracker::kRepeatTimer) tracker_.Repeat(hwnd_, model_, Bar(), [this](int v) { ChangeValue(v); });
}

void HScrollBar::OnKey(int keyCode, int shift) {
    (void)shift;
    switch (keyCode) {
        case VK_LEFT:
        case VK_UP: ChangeValue(model_.ValueAfter(ScrollPart::Decrease)); break;
        case VK_RIGHT:
        case VK_DOWN: ChangeValue(model_.ValueAfter(ScrollPart::Increase)); break;
        case VK_PRIOR: ChangeValue(model_.ValueAfter(ScrollPart::PageDecrease)); break;
        case VK_NEXT: ChangeValue(model_.ValueAfter(ScrollPart::PageIncrease)); break;
        case VK_HOME: ChangeValue(model_.min); break;
        case VK_END: ChangeValue(model_.max); break;
        default: break;
    }
}

void HScrollBar::PaintLook(Painter& painter) {
    model_.Paint(painter, Bar(), enabled_);
    if (hasFocus_) {
        RECT thumb = model_.ThumbRect(Bar());
        painter.FocusRect(RECT{thumb.left + 2, thumb.top + 2, thumb.right - 2, thumb.bottom - 2}, vbWindowText);
    }
}

}  // namespace platform::forms
