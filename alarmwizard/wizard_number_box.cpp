#include "alarmwizard/wizard_number_box.h"

#include <cstdlib>
#include <string>

#include "settings/number_box.h"

namespace alarmwizard {

WizardNumberBox::WizardNumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                                 platform::forms::CommandButton& plus, long lower, long upper, const bool& updating,
                                 std::function<void()> followUp)
    : box_(box), minus_(minus), plus_(plus), lower_(lower), upper_(upper), updating_(updating),
      followUp_(std::move(followUp)) {
    box_.LostFocus = [this] { CleanUp(); };
    // The key is not consumed: the caret moves too.
    box_.KeyDown = [this](int& keyCode, int) {
        if (int step = settings::StepOfKey(keyCode)) Step(step);
    };
    minus.Click = [this] { Step(-1); };
    plus.Click = [this] { Step(1); };
}

void WizardNumberBox::Design() {
    box_.Alignment = platform::forms::vbCenter;
    box_.Text = std::to_string(lower_);
    minus_.Caption = "-";
    plus_.Caption = "+";
}

void WizardNumberBox::CleanUp() {
    if (updating_) return;
    box_.Text = settings::SanitizeNumericText(box_.Text, lower_, upper_);
    if (followUp_) followUp_();
}

std::int64_t WizardNumberBox::Value() const {
    return std::strtoll(settings::SanitizeNumericText(box_.TextValue(), lower_, upper_).c_str(), nullptr, 10);
}

void WizardNumberBox::Step(int direction) {
    // The step starts from what the box stands for, even when it still holds raw text.
    const settings::NumberBoxRule rule{.lower = static_cast<double>(lower_), .upper = static_cast<double>(upper_)};
    box_.Text = settings::StepNumberBoxText(box_.Text, rule, direction, ".");
    CleanUp();
    if (afterStep_) afterStep_();
}

}  // namespace alarmwizard
