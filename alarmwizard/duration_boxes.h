// The six duration boxes of a wizard step (years, months, days, hours, minutes, seconds): the
// schedule step's countdown and the repetition step's interval. Leaving a box carries overflowing
// units upwards (90 seconds show as 1 minute 30 seconds); a total past 50 years is refused with
// the step's message and the last accepted total of this visit is shown again.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alarmwizard/wizard_number_box.h"
#include "platform/forms/label.h"
#include "alarmwizard/wizard_rules.h"

namespace alarmwizard {

struct DurationBox {
    platform::forms::Label& label;
    platform::forms::TextBox& box;
    platform::forms::CommandButton& minus;
    platform::forms::CommandButton& plus;
    platform::forms::TextBox* twin = nullptr;  // hours, minutes and seconds: the tall twin
};

class DurationBoxes {
public:
    // `tooBig` shows the step's message; the boxes join the step's list of number boxes. The
    // seconds' twin covers `clear` while it is shown.
    DurationBoxes(std::array<DurationBox, 6> boxes, platform::forms::CommandButton& clear, const bool& updating,
                  std::function<void()> tooBig, std::vector<WizardNumberBox*>& stepBoxes);
    // Places the boxes in two rows of three from `top` of their frame, the twins over them, and
    // Clear below on the right.
    void Design(int top);
    // Once the captions are set: each column's labels fitted to their captions, the twins following
    // their boxes.
    void FitLabels();
    // Popup help: the page's two digits, then the running number from `firstNumber` on, then the
    // box's name; a box's buttons and twin show the box's help.
    void BindHelp(int page, int firstNumber);

    // The boxes as numbers, and their total (-1 past the limit); an accepted total is remembered.
    DurationParts Parts() const;
    std::int32_t Total();
    // Shows a total split into the boxes; 0 takes the boxes' own total, checked.
    void Normalize(std::int32_t seconds);
    void Clear();
    // A new visit: no total accepted yet.
    void Forget() { lastValid_ = 0; }
    std::int32_t LastValid() const { return lastValid_; }

private:
    std::array<DurationBox, 6> controls_;
    platform::forms::CommandButton& clear_;
    std::array<std::unique_ptr<WizardNumberBox>, 6> boxes_;
    std::function<void()> tooBig_;
    std::array<std::string, 6> helpKeys_;
    std::int32_t lastValid_ = 0;
};

}  // namespace alarmwizard
