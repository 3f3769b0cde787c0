#include "platform/forms/frame.h"

#include "platform/forms/painter.h"

namespace platform::forms {

Frame::Frame(ContainerRef container, std::string name, int index) : CaptionedControl(container, std::move(name), index) {
    Frame::ResetToDesign();
}

void Frame::ResetToDesign() {
    CaptionedControl::ResetToDesign();
    rect_ = RECT{0, 0, 160, 100};
    SetDefaultColors(vbButtonFace, vbButtonText);
}

void Frame::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, backColor_);
    std::string shown = StripMnemonic(caption_);
    int lineY = shown.empty() ? 0 : LineHeight(font_) / 2;
    painter.FrameRect(RECT{0, lineY, r.right, r.bottom}, vbButtonShadow);
    if (shown.empty()) return;
    SIZE text = MeasureText(font_, shown);
    RECT label{7, 0, 7 + text.cx + 4, text.cy};
    painter.FillRect(label, backColor_);
    painter.Text(RECT{label.left + 2, 0, label.right, label.bottom}, caption_, font_, enabled_ ? foreColor_ : vbGrayText,
                 kTextLeft | kTextMnemonic);
}

void Frame::PaintWindow(Painter& painter) {
    PaintLook(painter);
    PaintWindowless(painter);
}

}  // namespace platform::forms
