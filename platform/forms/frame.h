// Frame: a captioned group box that contains controls. Its children's positions and its own mouse
// coordinates are twips, whatever the form's scale; hiding or disabling it hides or disables them.
#pragma once

#include "platform/forms/captioned_control.h"
#include "platform/forms/container.h"

namespace platform::forms {

class Frame : public CaptionedControl, public Container {
public:
    Frame(ContainerRef container, std::string name, int index = -1);

    Form& OwningForm() override { return Parent(); }
    HWND ContainerWindow() const override { return hwnd_; }
    int ChildScaleMode() const override { return vbTwips; }

    bool TakesFocus() const override { return false; }
    int MouseScaleMode() const override { return vbTwips; }
    void PaintLook(Painter& painter) override;

protected:
    void ResetToDesign() override;
    const char* ClassName() const override { return "OzrFrame"; }
    void PaintWindow(Painter& painter) override;
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return RouteMouseToWindowless(msg, wParam, lParam);
    }
};

}  // namespace platform::forms
