#include "platform/forms/picture_box.h"

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

PictureBox::PictureBox(ContainerRef container, std::string name, int index)
    : WindowedControl(container, std::move(name), index) {
    PictureBox::ResetToDesign();
}

PictureBox::~PictureBox() { ReleaseOwnDc(); }

void PictureBox::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 100, 100};
    SetDefaultColors(vbButtonFace, vbButtonText);
    picture_ = forms::Picture{};
    scaleMode_ = vbTwips;
    borderStyle_ = 1;
}

void PictureBox::CopyDesignFrom(const Control& other) {
    WindowedControl::CopyDesignFrom(other);
    const auto& o = static_cast<const PictureBox&>(other);
    picture_ = o.picture_;
    scaleMode_ = o.scaleMode_;
    borderStyle_ = o.borderStyle_;
}

void PictureBox::setPicture(forms::Picture value) {
    picture_ = std::move(value);
    Invalidate();
}

void PictureBox::setBorderStyle(int value) {
    if (!Parent().IsLoading()) throw Error("The property BorderStyle of " + DisplayName() + " can be set only at design time");
    borderStyle_ = value ? 1 : 0;
}

int PictureBox::scaleWidth() const {
    RECT c{0, 0, rect_.width(), rect_.height()};
    if (hwnd_) GetClientRect(hwnd_, &c);
    return PixelsToScale(c.width(), scaleMode_);
}

int PictureBox::scaleHeight() const {
    RECT c{0, 0, rect_.width(), rect_.height()};
    if (hwnd_) GetClientRect(hwnd_, &c);
    return PixelsToScale(c.height(), scaleMode_);
}

HDC PictureBox::hdc() const {
    if (paintDc_) return paintDc_;
    if (!ownDc_ && hwnd_) ownDc_ = GetDC(hwnd_);
    return ownDc_;
}

void PictureBox::ReleaseOwnDc() const {
    if (!ownDc_) return;
    if (hwnd_) ReleaseDC(hwnd_, ownDc_);
    ownDc_ = HDC{};
}

void PictureBox::WindowsDestroyed() {
    ownDc_ = HDC{};
    paintDc_ = HDC{};
    WindowedControl::WindowsDestroyed();
}

void PictureBox::PaintLook(Painter& painter) {
    RECT client{0, 0, rect_.width(), rect_.height()};
    if (hwnd_) GetClientRect(hwnd_, &client);
    painter.FillRect(client, backColor_);
    if (picture_) painter.DrawPicture(picture_, 0, 0);
}

void PictureBox::PaintWindow(Painter& painter) {
    PaintLook(painter);
    paintDc_ = painter.Dc();
    if (Live()) Paint();
    paintDc_ = HDC{};
    PaintWindowless(painter);
    if (borderStyle_ && hwnd_) {
        HDC windowDc = GetWindowDC(hwnd_);
        if (windowDc) {
            Painter frame(windowDc);
            frame.FrameRect(RECT{0, 0, rect_.width(), rect_.height()}, vbButtonShadow);
            ReleaseDC(hwnd_, windowDc);
        }
    }
}

}  // namespace platform::forms
