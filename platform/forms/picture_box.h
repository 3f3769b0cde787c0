// PictureBox: shows a Picture at its top-left corner on its BackColor, contains controls, and raises
// Paint whenever it is painted (draw on hDC there; windowless children are drawn over it). Its
// children's positions and its mouse coordinates are in its own ScaleMode.
#pragma once

#include "platform/forms/client_dc.h"
#include "platform/forms/container.h"
#include "platform/forms/picture.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

class PictureBox : public WindowedControl, public Container {
    forms::Picture picture() const { return picture_; }
    void setPicture(forms::Picture value);
    int scaleMode() const { return scaleMode_; }
    void setScaleMode(int value) { scaleMode_ = value == vbPixels ? vbPixels : vbTwips; }
    int scaleWidth() const;
    int scaleHeight() const;
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int value);
    HDC hdc() const;

public:
    PictureBox(ContainerRef container, std::string name, int index = -1);

    Prop<&PictureBox::picture, &PictureBox::setPicture> Picture{this};
    Prop<&PictureBox::scaleMode, &PictureBox::setScaleMode> ScaleMode{this};
    Prop<&PictureBox::scaleWidth> ScaleWidth{this};
    Prop<&PictureBox::scaleHeight> ScaleHeight{this};
    Prop<&PictureBox::borderStyle, &PictureBox::setBorderStyle> BorderStyle{this};  // 0 none, 1 fixed single
    // The device context of the client area; during Paint the one being painted.
    Prop<&PictureBox::hdc> hDC{this};

    Event<> Paint;

    // Container.
    Form& OwningForm() override { return Parent(); }
    HWND ContainerWindow() const override { return hwnd_; }
    int ChildScaleMode() const override { return scaleMode_; }
    int MouseScaleMode() const override { return scaleMode_; }
    void PaintLook(Painter& painter) override;

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    void WindowsDestroyed() override;
    const char* ClassName() const override { return "OzrPictureBox"; }
    DWORD ExtraStyle() const override { return borderStyle_ ? WS_BORDER : 0; }
    void PaintWindow(Painter& painter) override;
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return RouteMouseToWindowless(msg, wParam, lParam);
    }
    LRESULT OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    forms::Picture picture_;
    int scaleMode_ = vbTwips;
    int borderStyle_ = 1;
    mutable detail::ClientDc dc_;
};

}  // namespace platform::forms
