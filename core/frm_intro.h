// frmIntro: the borderless picture window that greets the user. On the very first run it asks
// whether the clock lives in the taskbar's notification area (the systray clock) or floats on the
// desktop; on every start with Splash on it fades in as the splash, opens the tip of the day over
// its lower part once it is opaque, and closes with it.
//
// Start-up drives it:
//   first run:   frmIntro().Load(); frmIntro().PrepareForFirstRunIntro(); frmIntro().Show(vbModal);
//                frmIntro().Load(); frmIntro().DoGreeting();
//   later runs:  frmIntro().Load(); frmIntro().DoGreeting();      (when Splash is on)
// The modal showing ends when the user has chosen: the choice, RunCount 1 and the settings are
// then saved.
#pragma once

#include <cstdint>

#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/option_button.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"

namespace core {

// Where start-up counts the runs and the tip window counts the tips: section and keys of the
// settings file that LoadSettings and SaveSettings leave alone.
inline constexpr const char* kRunCountSection = "Main Settings";
inline constexpr const char* kRunCountKey = "RunCount";
inline constexpr const char* kTipCountKey = "TipCount";

// Who answers the first-run choice. On a real desktop the user does. A headless run has nobody to
// ask, so the window answers itself as a message box takes its default button: it chooses the
// floating clock, the choice that needs nothing of the taskbar, shows the clock at once in the
// middle of the screen and keeps the settings file's own default. A test that clicks the window
// itself sets IntroDrivenByTest first.
inline bool IntroDrivenByTest = false;

class IntroForm : public platform::forms::Form {
public:
    IntroForm();

    platform::forms::PictureBox pctSplash{this, "pctSplash"};
    platform::forms::Frame frmClock{this, "frmClock"};
    platform::forms::PictureBox pctSystray{frmClock, "pctSystray"};
    platform::forms::PictureBox pctFloating{frmClock, "pctFloating"};
    platform::forms::OptionButton optSystray{frmClock, "optSystray"};
    platform::forms::OptionButton optFloating{frmClock, "optFloating"};
    platform::forms::CommandButton cmdNext{frmClock, "cmdNext"};
    platform::forms::Timer FadeIn{this, "FadeIn"};
    platform::forms::Timer TipIn{this, "TipIn"};

    // Shows the systray-or-floating choice in the middle of the window.
    void PrepareForFirstRunIntro();
    // Starts the splash: the window shows at opacity 0 and fades in; the tip follows.
    void DoGreeting();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_DblClick() override;
    platform::LRESULT OnMessage(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                platform::LPARAM lParam) override;

private:
    void pctSplash_Click();
    void pctSystray_Click();
    void pctFloating_Click();
    void optSystray_Click();
    void optFloating_Click();
    void cmdNext_Click();
    void FadeIn_Tick();
    void TipIn_Tick();

    void CloseGreeting();
    void AnswerLikeAMessageBox();

    std::int16_t opacity_ = 0;
};

// The one frmIntro of the run, made on first use and kept.
IntroForm& frmIntro();

}  // namespace core
