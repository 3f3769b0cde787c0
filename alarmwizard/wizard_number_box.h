// A number box of a wizard step with its minus and plus buttons: whole numbers, or decimals read
// and written with "." whatever the user's locale. Leaving the box cleans its text into a number
// within its bounds and runs the step's follow-up (the day's clamp to its month, a duration
// carried into larger units); the buttons and the arrow keys step the value by the box's step
// within the bounds, never wrapping, and end with the same clean-up. Nothing reacts while the
// step sets its own controls.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/forms/command_button.h"
#include "platform/forms/label.h"
#include "platform/forms/text_box.h"
#include "settings/number_box.h"

namespace alarmwizard {

// A number box's row inside its frame (twips): label, minus button, box, plus button, in one of
// three columns.
inline constexpr int kBoxLabelWidth = 600, kSmallButton = 225, kBoxWidth = 840, kBoxColumnPitch = 1890;
void PlaceNumberBox(platform::forms::Label& label, platform::forms::CommandButton& minus,
                    platform::forms::TextBox& box, platform::forms::CommandButton& plus, int column, int y);
// The same row from `x` on, with a label of its own width.
void PlaceNumberBoxAt(platform::forms::Label& label, platform::forms::CommandButton& minus,
                      platform::forms::TextBox& box, platform::forms::CommandButton& plus, int x, int y,
                      int labelWidth);

// One number box's row: its label, minus button, box and plus button.
struct NumberBoxRow {
    platform::forms::Label& label;
    platform::forms::CommandButton& minus;
    platform::forms::TextBox& box;
    platform::forms::CommandButton& plus;
};
// Once the captions are set, in the page's language: the labels of a column of rows as wide as the
// widest of their captions needs, measured as AutoSize measures a label. A label that grows moves
// its minus button and box right and narrows the box by as much, so the row keeps its place.
void FitNumberBoxLabels(std::initializer_list<NumberBoxRow> column);

class WizardNumberBox {
public:
    WizardNumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                    platform::forms::CommandButton& plus, long lower, long upper, const bool& updating,
                    std::function<void()> followUp = {});
    // A box by its rule (a decimal box has maxDecimals above 0).
    WizardNumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                    platform::forms::CommandButton& plus, settings::NumberBoxRule rule, const bool& updating,
                    std::function<void()> followUp = {});

    // A box whose number may grow long gets a taller twin at its place that wraps the number: from
    // six characters on the twin is shown instead of the box, below six the box again, the focus
    // going along; each holds the other's text. `swapped` learns which one is shown.
    void WithTwin(platform::forms::TextBox& twin, std::function<void(bool twinShown)> swapped);
    // The design: centred, holding its lower bound, the buttons captioned; a twin hidden, multi-line,
    // at the box's place but taller, holding at most `twinLength` characters.
    void Design();
    void DesignTwin(int twinLength);
    // The twin back over its box, after the box moved.
    void PlaceTwin();
    // The leave clean-up; also run before a store when Enter pressed a button while the box kept
    // the focus, so raw text is never stored.
    void CleanUp();
    // A bound that follows something outside (the screen's size): asked again before each clean-up
    // and each step.
    void UpperFrom(std::function<long()> upper) { upperFrom_ = std::move(upper); }
    // Runs after a button or an arrow key stepped the box (the day box makes the shown day the
    // requested one).
    void AfterStep(std::function<void()> afterStep) { afterStep_ = std::move(afterStep); }
    // The cleaned value, whole or with its decimals.
    std::int64_t Value() const;
    double Number() const;
    // The number the box's own text reads as, not cleaned (text that is no number reads as 0).
    double TextNumber() const;
    bool HasFocus() const { return box_.HasFocus() || (twin_ && twin_->HasFocus()); }
    platform::forms::TextBox& Box() { return box_; }
    long Upper() const { return static_cast<long>(rule_.upper); }

private:
    std::string Clean(const std::string& text) const;
    void Step(int direction);
    void RefreshUpper();
    void CleanText();
    void BoxChanged();
    void TwinChanged();
    void ShowBoxIfShort(const std::string& text);
    void Leave();
    bool TwinShown() const;

    platform::forms::TextBox& box_;
    platform::forms::CommandButton& minus_;
    platform::forms::CommandButton& plus_;
    settings::NumberBoxRule rule_;
    const bool& updating_;
    std::function<void()> followUp_;
    std::function<void()> afterStep_;
    std::function<long()> upperFrom_;
    platform::forms::TextBox* twin_ = nullptr;
    std::function<void(bool)> swapped_;
    bool swapping_ = false;    // the swap moved the focus: the leave it causes is no leave
    bool sanitising_ = false;  // the twin is cleaned as it is left: a swap back takes no focus
    bool copying_ = false;
};

}  // namespace alarmwizard
