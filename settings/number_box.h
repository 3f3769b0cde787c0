// Number boxes of the settings pages: a text box with a minus and a plus button beside it
// ("txtDelay", "cmdDelayM", "cmdDelayP"). The box always shows text; losing the focus cleans the
// text into a number within the box's bounds, which the page then stores in its setting. The
// buttons and the arrow keys step the value by the box's step, never past a bound.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/command_button.h"
#include "platform/forms/text_box.h"

namespace settings {

// The decimal clean-up: leading zeros, signs, blanks, letters and the other separator are
// dropped; decimals beyond maxDecimals are cut (not rounded); text that is no number becomes 0;
// the value is clamped to the bounds and shown with at least minDecimals decimals. The minus sign
// counts only when the lower bound is below 0. The separator is the locale's decimal sign.
std::string SanitizeDecimalText(const std::string& text, double lower, double upper, bool allowDecimals,
                                int maxDecimals, int minDecimals);
// The same with the separator given (the locale's decimal sign is "." or ",").
std::string SanitizeDecimalText(const std::string& text, double lower, double upper, bool allowDecimals,
                                int maxDecimals, int minDecimals, const std::string& separator);

// The integer clean-up: only digits are kept (leading zeros dropped), text that is no number
// becomes 0, and the value is clamped to the bounds; an overlong digit string clamps to the upper
// bound. The minus sign counts only when the lower bound is below 0.
std::string SanitizeNumericText(const std::string& text, long lower, long upper);

// What a number box is: its bounds, its step, and its decimals (0 for an integer box).
struct NumberBoxRule {
    double lower = 0;
    double upper = 0;
    double step = 1;
    int maxDecimals = 0;  // decimals kept; 0: an integer box
    int minDecimals = 0;  // decimals always shown
};

// The clean-up of a box by its rule.
std::string CleanNumberBoxText(const std::string& text, const NumberBoxRule& rule, const std::string& separator);

// The box's text after its minus (direction -1) or plus (+1) button: the text is cleaned first
// (an empty box, text that is no number, a number past a bound); the value moves by one step only
// while it is inside the bounds (no wrap-around); the result is cleaned again. The step is taken
// on the box's decimals, so 0.3 - 0.1 gives 0.2.
std::string StepNumberBoxText(const std::string& text, const NumberBoxRule& rule, int direction,
                              const std::string& separator);

// The step of an arrow key in a number box: Up and Right +1, Left and Down -1, other keys 0.
int StepOfKey(int keyCode);

// The value a cleaned text stands for.
double NumberBoxValue(const std::string& cleanText, const std::string& separator);

// Binds a box and its two buttons: LostFocus cleans the text and hands the value to `store`
// (unless the page is loading); the buttons and the arrow keys step and then clean and store.
// `loading` tells whether the page is filling its controls.
class NumberBox {
public:
    NumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus, platform::forms::CommandButton& plus,
              NumberBoxRule rule, std::function<void(double)> store, std::function<bool()> loading);
    // A box whose rule changes while the page is shown (a bound that follows the screen size): the
    // rule is asked afresh on every clean-up and every step.
    NumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus, platform::forms::CommandButton& plus,
              std::function<NumberBoxRule()> rule, std::function<void(double)> store, std::function<bool()> loading);
    // The LostFocus clean-up, run by the page after its load for boxes that must show their format.
    void CleanUp();

private:
    void Step(int direction);

    platform::forms::TextBox& box_;
    std::function<NumberBoxRule()> rule_;
    std::function<void(double)> store_;
    std::function<bool()> loading_;
};

}  // namespace settings
