#include "platform/forms/picture_box.h"

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

PictureBox::PictureBox(ContainerRef container, std::string name, int index)
    : WindowedControl(container, std::move(name), index) {
    PictureBox::ResetToDesign();
}

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

HDC PictureBox::hdc() const { return dc_.Get(hwnd_); }

void PictureBox::WindowsDestroyed() {
    dc_.Release(HWND{});
    WindowedControl::WindowsDestroyed();
}

LRESULT PictureBox::OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != detail::WM_FORMS_RELEASEDC) return WindowedControl::OnKindMessage(msg, wParam, lParam);
    dc_.Release(hwnd_);
    return 0;
}

void PictureBox::PaintLook(Painter& painter) {
    RECT client{0, 0, rect_.width(), rect_.height()};
    if (hwnd_) GetClientRect(hwnd_, &client);
    painter.FillRect(client, backColor_);
    if (picture_) painter.DrawPicture(picture_, 0, 0);
}

void PictureBox::PaintWindow(Painter& painter) {
    PaintLook(painter);
    dc_.Painting(painter.Dc());
    if (Live()) Paint();
    dc_.PaintDone();
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
