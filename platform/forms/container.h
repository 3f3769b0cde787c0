// What holds controls: a form, a frame or a picture box. Its client area is the coordinate space of
// its children, counted in its scale mode. Windowless children (labels, lines) are painted by the
// container and take the mouse through it; option buttons form one group per container.
#pragma once

#include <vector>

#include "platform/base.h"
#include "platform/window/window.h"

namespace platform::forms {

class Control;
class Form;
class InteractiveControl;
class OptionButton;
class Painter;
class VisualControl;

class Container {
public:
    virtual ~Container() = default;

    virtual Form& OwningForm() = 0;
    // The window whose client area holds the children; 0 while the form is not loaded.
    virtual HWND ContainerWindow() const = 0;
    // The scale of the children's positions: vbTwips or vbPixels.
    virtual int ChildScaleMode() const = 0;

    const std::vector<Control*>& Children() const { return children_; }

    // Toolkit side.
    void AddChild(Control* control);
    void RemoveChild(Control* control);
    void MoveChildInZOrder(Control* control, bool toFront);
    // The topmost visible windowless control that takes the mouse at a client pixel.
    InteractiveControl* WindowlessAt(POINT clientPx) const;
    void PaintWindowless(Painter& painter) const;
    std::vector<OptionButton*> OptionGroup() const;

protected:
    // Hands a mouse message of the container's window to the windowless child under the pointer (or
    // to the one that holds the pressed button). True when a child took it.
    bool RouteMouseToWindowless(UINT msg, WPARAM wParam, LPARAM lParam);

    InteractiveControl* pressedWindowless_ = nullptr;
    std::vector<Control*> children_;  // creation order; windowless ones paint in this order
};

}  // namespace platform::forms
