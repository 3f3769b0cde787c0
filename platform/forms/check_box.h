// CheckBox: Value 0 (unchecked), 1 (checked) or 2 (grayed). A click or Space toggles it; a change
// of Value, by the user or by code, raises Click.
#pragma once

#include "platform/forms/captioned_control.h"

namespace platform::forms {

class CheckBox : public CaptionedControl {
    int value() const { return value_; }
    void setValue(int value);

public:
    CheckBox(ContainerRef container, std::string name, int index = -1);

    Prop<&CheckBox::value, &CheckBox::setValue> Value{this};

    void PaintLook(Painter& painter) override;

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    const char* ClassName() const override { return "OzrCheckBox"; }
    UINT ClassStyle() const override { return 0; }
    void Clicked() override;
    void OnKeyReleased(int keyCode, int shift) override;

private:
    int value_ = vbUnchecked;
};

// The box of a check box or the circle of an option button, and the caption beside it.
void PaintCheckMarkControl(Painter& painter, const RECT& r, bool round, int state, bool enabled, bool focused,
                           COLORREF back, COLORREF fore, const FontDescription& font, const std::string& caption);

}  // namespace platform::forms
