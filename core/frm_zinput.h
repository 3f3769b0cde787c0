// frmZInput: the one-line input box. The caller fills it with SetTexts and SetProperties, shows it
// modally and then reads InputResultCode and InputResultText.
#pragma once

#include <cstdint>
#include <string>

#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"

namespace core {

// The answer, without carriage-return line-feed pairs once the box has closed.
inline std::string InputResultText;
// 0 while the box is open, then 1 for OK and 2 for Cancel (or any other way of closing it).
inline constexpr std::uint8_t kInputOpen = 0, kInputOk = 1, kInputCancelled = 2;
inline std::uint8_t InputResultCode = kInputOpen;

class frmZInputForm : public platform::forms::Form {
public:
    frmZInputForm();
    platform::forms::Label lblText{this, "lblText"};
    platform::forms::TextBox txtInput{this, "txtInput"};
    platform::forms::CommandButton cmdOk{this, "cmdOk"};
    platform::forms::CommandButton cmdCancel{this, "cmdCancel"};
    platform::forms::Timer Focuser{this, "Focuser"};

    // The window's title, the prompt, the default answer (selected whole) and the button captions.
    void SetTexts(const std::string& caption, const std::string& prompt, const std::string& defaultText,
                  const std::string& okCaption, const std::string& cancelCaption);
    // Centres the window on the point (twips).
    void SetProperties(std::int32_t x, std::int32_t y);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void SetOnTop(bool on);
    void SetColors();
    void Focuser_Timer();
    void cmdOk_Click();
    void cmdCancel_Click();
};

frmZInputForm& frmZInput();

}  // namespace core
