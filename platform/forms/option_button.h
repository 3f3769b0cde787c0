// OptionButton: one of a group, the option buttons of one container. Setting Value to True, by the
// user or by code, clears the others of the group and raises Click, also when it was True already;
// setting it to False raises nothing. The arrow keys move to the next option of the group and select it.
#pragma once

#include "platform/forms/captioned_control.h"

namespace platform::forms {

class OptionButton : public CaptionedControl {
    bool value() const { return value_; }
    void setValue(bool value);

public:
    OptionButton(ContainerRef container, std::string name, int index = -1);

    Prop<&OptionButton::value, &OptionButton::setValue> Value{this};

    void PaintLook(Painter& painter) override;
    bool IsSelected() const { return value_; }  // without loading the form

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    const char* ClassName() const override { return "OzrOptionButton"; }
    void Clicked() override;
    void OnKey(int keyCode, int shift) override;
    void OnKeyReleased(int keyCode, int shift) override;

private:
    bool value_ = false;
};

}  // namespace platform::forms
