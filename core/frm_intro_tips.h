// frmIntroTips: the tip of the day. The splash opens it over its own lower part once it is opaque;
// it shows the next tip of the help file's section "TOTD", fades in, stays 20 seconds and then
// fades out together with the splash, closing both. A double-click on the tip closes both at once.
//
// The tips run 1, 2, ..., ThisSectionMaxID, 0, 1, ...: one per start, counted across starts in
// "TipCount" of the settings file, which is saved as soon as the window loads.
#pragma once

#include <cstdint>

#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/timer.h"

namespace core {

// The window's background, which the window system leaves transparent: only the tip shows.
inline constexpr platform::COLORREF kTipTransparentColor = platform::RGB(128, 255, 128);

// The number of the tip that follows tip `current` when the last tip is `max`. A stored count
// below 0 starts the tips again from 0, as one past the last does.
std::int32_t NextTipNumber(std::int32_t current, std::int32_t max);

class IntroTipsForm : public platform::forms::Form {
public:
    IntroTipsForm();

    platform::forms::Label lblTip{this, "lblTip"};
    platform::forms::Timer FadeIn{this, "FadeIn"};
    platform::forms::Timer FadeOutAndDie{this, "FadeOutAndDie"};

    // Closes the tip and the splash.
    void lblTip_DblClick();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void FadeIn_Tick();
    void FadeOutAndDie_Tick();

    std::int32_t AdvanceTipCount();

    std::int16_t opacity_ = 0;
};

// The one frmIntroTips of the run, made on first use and kept.
IntroTipsForm& frmIntroTips();

}  // namespace core
