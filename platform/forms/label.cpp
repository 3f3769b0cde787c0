#include "platform/forms/label.h"

#include "platform/forms/painter.h"

namespace platform::forms {

Label::Label(ContainerRef container, std::string name, int index) : InteractiveControl(container, std::move(name), index) {
    Label::ResetToDesign();
}

void Label::ResetToDesign() {
    InteractiveControl::ResetToDesign();
    rect_ = RECT{0, 0, 80, 17};
    caption_ = Name();
    autoSize_ = false;
    alignment_ = vbLeftJustify;
    wordWrap_ = false;
    useMnemonic_ = true;
}

void Label::CopyDesignFrom(const Control& other) {
    InteractiveControl::CopyDesignFrom(other);
    const auto& o = static_cast<const Label&>(other);
    caption_ = o.caption_;
    autoSize_ = o.autoSize_;
    alignment_ = o.alignment_;
    wordWrap_ = o.wordWrap_;
    useMnemonic_ = o.useMnemonic_;
}

void Label::setCaption(std::string value) {
    if (value == caption_) return;
    caption_ = std::move(value);
    AppearanceChanged();
}

void Label::setAutoSize(bool value) {
    autoSize_ = value;
    Fit();
}

void Label::setAlignment(int value) {
    alignment_ = (value == vbRightJustify || value == vbCenter) ? value : vbLeftJustify;
    Invalidate();
}

void Label::setWordWrap(bool value) {
    wordWrap_ = value;
    AppearanceChanged();
}

void Label::setUseMnemonic(bool value) {
    useMnemonic_ = value;
    AppearanceChanged();
}

void Label::AppearanceChanged() {
    Fit();
    Invalidate();
}

void Label::Fit() {
    if (!autoSize_) return;
    RECT r = rect_;
    const unsigned flags = (useMnemonic_ ? kTextMnemonic : 0) | (wordWrap_ ? kTextWrap : 0);
    const int wrapWidth = wordWrap_ ? r.width() : 0;
    if (!measured_ || measured_->font != font_ || measured_->text != caption_ || measured_->flags != flags ||
        measured_->wrapWidth != wrapWidth)
        measured_ = Measured{font_, caption_, flags, wrapWidth, MeasureText(font_, caption_, flags, wrapWidth)};
    const SIZE text = measured_->size;
    int w = wordWrap_ ? r.width() : text.cx;
    int left = r.left;
    if (alignment_ == vbCenter) left = r.left + (r.width() - w) / 2;
    if (alignment_ == vbRightJustify) left = r.right - w;
    SetPixelRect(RECT{left, r.top, left + w, r.top + text.cy});
}

void Label::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, backColor_);
    unsigned flags = (alignment_ == vbCenter ? kTextCenter : alignment_ == vbRightJustify ? kTextRight : kTextLeft) |
                     (useMnemonic_ ? kTextMnemonic : 0) | (wordWrap_ || !autoSize_ ? kTextWrap : 0);
    painter.Text(r, caption_, font_, enabled_ ? foreColor_ : vbGrayText, flags);
}

}  // namespace platform::forms
