// A windowed control whose Caption is its window text, so that WM_SETTEXT and GetWindowText from
// the clock's code see and change the same caption the properties do.
#pragma once

#include "platform/forms/windowed_control.h"

namespace platform::forms {

class CaptionedControl : public WindowedControl {
    std::string caption() const { return caption_; }
    void setCaption(std::string value);

public:
    CaptionedControl(ContainerRef container, std::string name, int index);

    Prop<&CaptionedControl::caption, &CaptionedControl::setCaption> Caption{this};
    const std::string& CaptionText() const { return caption_; }  // without loading the form
    // Alt and the caption's access key: the control takes the focus and acts as if clicked.
    virtual void PressAccessKey();

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    std::string WindowText() const override { return caption_; }
    LRESULT OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::string caption_;
};

// The text messages of a control that keeps its text itself.
LRESULT AnswerTextMessage(const std::string& text, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform::forms
