// A whole-number box of a wizard step with its minus and plus buttons. Leaving the box cleans its
// text into a number within its bounds and runs the step's follow-up (the day's clamp to its
// month, a duration carried into larger units); the buttons and the arrow keys step the value by
// one within the bounds, never wrapping, and end with the same clean-up. Nothing reacts while the
// step sets its own controls.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/forms/command_button.h"
#include "platform/forms/text_box.h"

namespace alarmwizard {

class WizardNumberBox {
public:
    WizardNumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                    platform::forms::CommandButton& plus, long lower, long upper, const bool& updating,
                    std::function<void()> followUp = {});

    // The design: centred, holding its lower bound, the buttons captioned.
    void Design();
    // The leave clean-up; also run before a store when Enter pressed a button while the box kept
    // the focus, so raw text is never stored.
    void CleanUp();
    // Runs after a button or an arrow key stepped the box (the day box makes the shown day the
    // requested one).
    void AfterStep(std::function<void()> afterStep) { afterStep_ = std::move(afterStep); }
    // The cleaned value.
    std::int64_t Value() const;
    bool HasFocus() const { return box_.HasFocus(); }
    platform::forms::TextBox& Box() { return box_; }
    long Upper() const { return upper_; }

private:
    void Step(int direction);

    platform::forms::TextBox& box_;
    platform::forms::CommandButton& minus_;
    platform::forms::CommandButton& plus_;
    long lower_, upper_;
    const bool& updating_;
    std::function<void()> followUp_;
    std::function<void()> afterStep_;
};

}  // namespace alarmwizard
