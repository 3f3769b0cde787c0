// One half of the slide and fade step: the slide-in or the slide-out. Each has a direction (three
// options), a slide time, and an optional fade with its time and a start and a final opacity. The
// two halves differ in their names and help, in which way their fade runs (the fade-in never
// towards more transparency, the fade-out never towards less), and in the opacities stored while
// their fade row is hidden.
#pragma once

#include <cstdint>
#include <functional>

#include "alarmwizard/wizard_number_box.h"
#include "core/alarm.h"
#include "platform/forms/check_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/frame.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/label.h"
#include "platform/forms/option_button.h"
#include "platform/forms/text_box.h"

namespace alarmwizard {

// The names of one half's controls with their popup help keys.
struct SlideSideNames {
    const char *frame, *lblDirection, *opt0, *opt1, *opt2, *lblTime, *txtTime, *cmdTimeM, *cmdTimeP, *chkFading,
        *lblFadeTime, *txtFade, *cmdFadeM, *cmdFadeP, *lblStart, *scrStart, *lblFinal, *scrFinal;
    // Caption keys of the frame and of the labels that name the half.
    const char *captionFrame, *captionDirection, *captionTime, *captionFade;
    const char *helpOpt0, *helpOpt1, *helpOpt2, *helpFading, *helpTime, *helpFade, *helpStart, *helpFinal;
    // The fade-in rises (start at most final), the fade-out falls (start at least final).
    bool rising;
    // The opacities stored while the fade row is hidden.
    std::uint8_t hiddenStart, hiddenFinal;
};

// The stored fields of one half of the SlideSettings block.
struct SlideFields {
    std::int16_t& time;
    std::int16_t& alphaTime;
    std::uint8_t& alphaStart;
    std::uint8_t& alphaStop;
    std::uint8_t& direction;
};

class SlideSide {
public:
    SlideSide(platform::forms::Frame& container, const SlideSideNames& names, const bool& updating);

    platform::forms::Frame frame;
    platform::forms::Label lblDirection;
    platform::forms::OptionButton opt0, opt1, opt2;
    platform::forms::Label lblTime;
    platform::forms::CommandButton cmdTimeM;
    platform::forms::TextBox txtTime;
    platform::forms::CommandButton cmdTimeP;
    platform::forms::CheckBox chkFading;
    platform::forms::Label lblFadeTime;
    platform::forms::CommandButton cmdFadeM;
    platform::forms::TextBox txtFade;
    platform::forms::CommandButton cmdFadeP;
    platform::forms::Label lblStart;
    platform::forms::HScrollBar scrStart;
    platform::forms::Label lblFinal;
    platform::forms::HScrollBar scrFinal;
    WizardNumberBox time, fade;

    // Runs first when the final opacity changes (the fade-in's final opacity is copied to the
    // fade-out's start).
    std::function<void(int)> finalChanged;

    void Design(int left, int top, int width);
    // Captions from the step's section (`text` reads a key).
    void SetTexts(const std::function<std::string(const char*)>& text);
    // The stored half into the controls; a stored opacity below the bars' least is raised to it in
    // the record as well.
    void Fill(const SlideFields& stored);
    // Load's last word on the times: a slide time of 0 shows as half a second, then both boxes
    // are cleaned.
    void CleanTimes();
    // Cleans both boxes first, so text still being typed is never stored raw.
    void Store(const SlideFields& stored);
    void ShowFadeControls(bool show);

private:
    void BindHelp();
    void chkFading_Click();
    void scrStart_Change();
    void scrFinal_Change();

    const SlideSideNames& names_;
};

}  // namespace alarmwizard
