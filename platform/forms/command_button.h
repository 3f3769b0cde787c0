// CommandButton: Click on a mouse click, on Space, and on Enter while it has the focus. The form's
// Default button is pressed by Enter and its Cancel button by Esc from any control of the form,
// without moving the focus.
#pragma once

#include "platform/forms/captioned_control.h"

namespace platform::forms {

class CommandButton : public CaptionedControl {
    bool isDefault() const;
    void setDefault(bool value);
    bool isCancel() const;
    void setCancel(bool value);

public:
    CommandButton(ContainerRef container, std::string name, int index = -1);
    ~CommandButton() override;

    Prop<&CommandButton::isDefault, &CommandButton::setDefault> Default{this};
    Prop<&CommandButton::isCancel, &CommandButton::setCancel> Cancel{this};

    void PaintLook(Painter& painter) override;

    // Toolkit side: Enter or Esc pressed the button.
    void PressFromKeyboard();
    bool CanBePressed() const;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;

protected:
    void ResetToDesign() override;
    const char* ClassName() const override { return "OzrCommandButton"; }
    UINT ClassStyle() const override { return 0; }  // a quick second click is a second Click
    void OnKey(int keyCode, int shift) override;
    void OnKeyReleased(int keyCode, int shift) override;
    bool TakesKeyRepeats() const override { return false; }
    void OnFocusChanged() override;

private:
    void SetPressedLook(bool pressed);
    bool pressedLook_ = false;
    bool spaceDown_ = false;
};

}  // namespace platform::forms
