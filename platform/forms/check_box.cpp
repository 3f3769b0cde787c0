#include "platform/forms/check_box.h"

#include <algorithm>

#include "platform/forms/painter.h"

namespace platform::forms {

CheckBox::CheckBox(ContainerRef container, std::string name, int index)
    : CaptionedControl(container, std::move(name), index) {
    CheckBox::ResetToDesign();
}

void CheckBox::ResetToDesign() {
    CaptionedControl::ResetToDesign();
    rect_ = RECT{0, 0, 120, 17};
    SetDefaultColors(vbButtonFace, vbButtonText);
    value_ = vbUnchecked;
}

void CheckBox::CopyDesignFrom(const Control& other) {
    CaptionedControl::CopyDesignFrom(other);
    value_ = static_cast<const CheckBox&>(other).value_;
}

void CheckBox::setValue(int value) {
    value = std::clamp(value, vbUnchecked, vbGrayed);
    if (value == value_) return;
    value_ = value;
    Invalidate();
    if (Live()) Click();
}

void CheckBox::Clicked() { setValue(value_ == vbChecked ? vbUnchecked : vbChecked); }

void CheckBox::OnKeyReleased(int keyCode, int shift) {
    (void)shift;
    if (keyCode == VK_SPACE) Clicked();
}

void CheckBox::PaintLook(Painter& painter) {
    PaintCheckMarkControl(painter, RECT{0, 0, rect_.width(), rect_.height()}, false, value_, enabled_, hasFocus_,
                          backColor_, foreColor_, font_, caption_);
}

void PaintCheckMarkControl(Painter& painter, const RECT& r, bool round, int state, bool enabled, bool focused,
                           COLORREF back, COLORREF fore, const FontDescription& font, const std::string& caption) {
    painter.FillRect(r, back);
    constexpr int kBox = 13;
    int top = (r.height() - kBox) / 2;
    RECT box{1, top, 1 + kBox, top + kBox};
    COLORREF well = enabled && state != vbGrayed ? vbWindowBackground : vbButtonFace;
    COLORREF mark = enabled ? vbWindowText : vbGrayText;
    if (round) {
        painter.Ellipse(box, well, vbButtonShadow);
        if (state) painter.Ellipse(RECT{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4}, mark, mark);
    } else {
        painter.FillRect(box, well);
        painter.FrameRect(box, vbButtonShadow);
        if (state) {
            // A tick of two strokes, three pixels thick.
            for (int d = 0; d < 3; ++d) {
                painter.Line(box.left + 3, box.top + 5 + d, box.left + 5, box.top + 7 + d, mark);
                painter.Line(box.left + 5, box.top + 7 + d, box.left + 10, box.top + 2 + d, mark);
            }
        }
    }
    RECT text{box.right + 4, 0, r.right, r.bottom};
    painter.Text(text, caption, font, enabled ? fore : vbGrayText, kTextLeft | kTextVCenter | kTextMnemonic);
    if (focused) {
        SIZE size = MeasureText(font, StripMnemonic(caption));
        int h = std::min<int>(r.height(), size.cy + 2);
        int y = (r.height() - h) / 2;
        painter.FocusRect(RECT{text.left - 1, y, std::min<LONG>(r.right, text.left + size.cx + 1), y + h}, fore);
    }
}

}  // namespace platform::forms
