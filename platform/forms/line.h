// Line: a windowless straight line between (X1, Y1) and (X2, Y2) in its container's scale.
#pragma once

#include "platform/forms/control.h"

namespace platform::forms {

class Line : public VisualControl {
    int x1() const { return ToScale(a_.x); }
    void setX1(int value) { SetEnds(POINT{ToPixels(value), a_.y}, b_); }
    int y1() const { return ToScale(a_.y); }
    void setY1(int value) { SetEnds(POINT{a_.x, ToPixels(value)}, b_); }
    int x2() const { return ToScale(b_.x); }
    void setX2(int value) { SetEnds(a_, POINT{ToPixels(value), b_.y}); }
    int y2() const { return ToScale(b_.y); }
    void setY2(int value) { SetEnds(a_, POINT{b_.x, ToPixels(value)}); }
    COLORREF borderColor() const { return borderColor_; }
    void setBorderColor(COLORREF value);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int value);

public:
    Line(ContainerRef container, std::string name, int index = -1);

    Prop<&Line::x1, &Line::setX1> X1{this};
    Prop<&Line::y1, &Line::setY1> Y1{this};
    Prop<&Line::x2, &Line::setX2> X2{this};
    Prop<&Line::y2, &Line::setY2> Y2{this};
    Prop<&Line::borderColor, &Line::setBorderColor> BorderColor{this};
    Prop<&Line::borderWidth, &Line::setBorderWidth> BorderWidth{this};  // pixels

    void PaintLook(Painter& painter) override;

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;

private:
    void SetEnds(POINT a, POINT b);

    POINT a_{0, 0};
    POINT b_{0, 0};
    COLORREF borderColor_ = vbWindowText;
    int borderWidth_ = 1;
};

}  // namespace platform::forms
