#include "core/frm_intro.h"

#include "core/autostart_entry.h"
#include "core/debug_log.h"
#include "core/frm_intro_tips.h"
#include "core/frm_intro_window.h"
#include "core/intro_flags.h"
#include "core/program_settings.h"
#include "core/settings_load.h"
#include "platform/present/runner.h"

namespace core {
namespace {

using namespace platform::forms;

// Posted to the window when a headless run has nobody to answer the first-run choice.
constexpr platform::UINT WM_INTRO_ANSWER = platform::WM_USER + 0x119;

constexpr int kFadeInStep = 10;
constexpr int kOpaque = 255;

}  // namespace

IntroForm::IntroForm() : Form("frmIntro") {
    OZR_HANDLE(pctSplash, Click);
    OZR_HANDLE(pctSystray, Click);
    OZR_HANDLE(pctFloating, Click);
    OZR_HANDLE(optSystray, Click);
    OZR_HANDLE(optFloating, Click);
    OZR_HANDLE(cmdNext, Click);
    OZR_HANDLE(FadeIn, Tick);
    OZR_HANDLE(TipIn, Tick);
}

IntroForm& frmIntro() {
    static IntroForm form;
    return form;
}

void IntroForm::Design() {
    Caption = "OZR Ruriv";
    BorderStyle = vbBSNone;
    StartUpPosition = vbStartUpScreen;
    Width = 7650;
    Height = 4500;

    pctSplash.Move(0, 0, 7650, 4500);
    pctSplash.BorderStyle = 0;

    // The choice: two pictures of the clock types side by side, an option under each, and the
    // button that goes on once one is chosen.
    frmClock.Visible = false;
    frmClock.Caption = "How would you like for OZR Ruriv to be displayed?";
    frmClock.FontName = "Arial";
    frmClock.Move(0, 0, 6300, 3180);
    pctSystray.Move(240, 360, 2700, 1650);
    pctSystray.BorderStyle = 0;
    pctFloating.Move(3360, 360, 2700, 1650);
    pctFloating.BorderStyle = 0;
    optSystray.Move(240, 2130, 2700, 285);
    optSystray.Caption = "&Systray Ruriv";
    optFloating.Move(3360, 2130, 2700, 285);
    optFloating.Caption = "&Floating Ruriv";
    cmdNext.Move(4560, 2580, 1500, 405);
    cmdNext.Caption = "S&tart >>";
    cmdNext.Enabled = false;

    FadeIn.Interval = 1;
    FadeIn.Enabled = false;
    TipIn.Interval = 300;
    TipIn.Enabled = false;
}

void IntroForm::Form_Load() {
    IntroShowing = true;
    pctSplash.Picture = IntroPicture("Splash.jpg");
    pctSystray.Picture = IntroPicture("OZRClockSystrayM.jpg");
    pctFloating.Picture = IntroPicture("OZRClockFloatingM.jpg");
    SetTopmost(hWnd, true);
}

void IntroForm::Form_Unload(int&) {
    if (TipsShowing) frmIntroTips().Unload();
    IntroShowing = false;
}

// ---- The first-run choice ----

void IntroForm::PrepareForFirstRunIntro() {
    frmClock.Visible = true;
    frmClock.Move(Width / 2 - frmClock.Width / 2, Height / 2 - frmClock.Height / 2);
    if (platform::IsHeadless() && !IntroDrivenByTest) platform::PostMessage(hWnd, WM_INTRO_ANSWER, 0, 0);
}

void IntroForm::AnswerLikeAMessageBox() {
    if (!frmClock.Visible) return;
    optFloating.Value = true;
    cmdNext_Click();
}

platform::LRESULT IntroForm::OnMessage(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                       platform::LPARAM lParam) {
    if (msg == WM_INTRO_ANSWER) {
        AnswerLikeAMessageBox();
        return 0;
    }
    return Form::OnMessage(hwnd, msg, wParam, lParam);
}

void IntroForm::pctSystray_Click() { optSystray.Value = true; }

void IntroForm::pctFloating_Click() { optFloating.Value = true; }

void IntroForm::optSystray_Click() {
    pctSystray.Picture = IntroPicture("OZRClockSystray.jpg");
    pctFloating.Picture = IntroPicture("OZRClockFloatingM.jpg");
    Settings.SystrayClock = true;
    cmdNext.Enabled = true;
}

void IntroForm::optFloating_Click() {
    pctFloating.Picture = IntroPicture("OZRClockFloating.jpg");
    pctSystray.Picture = IntroPicture("OZRClockSystrayM.jpg");
    Settings.SystrayClock = false;
    cmdNext.Enabled = true;
}

void IntroForm::cmdNext_Click() {
    frmClock.Visible = false;
    MainSettingsFile.WriteLongIn(kRunCountSection, kRunCountKey, 1, 1, true);
    // The systray clock's labels sit three pixels higher than the floating clock's.
    if (Settings.SystrayClock) Settings.PositionY = -3;
    SaveSettings(false);
    // The session starts the clock from its first run on when the setting says so, as it does
    // once Apply has written the entry.
    if (const std::optional<std::string> failure = FollowAutostartSetting())
        DebugLog("[frmIntro]: Cannot write the autostart entry (" + *failure + ").");
    Unload();
}

// ---- The splash ----

void IntroForm::DoGreeting() {
    opacity_ = 0;
    MakeLayered(hWnd);
    ApplyOpacity(hWnd, opacity_);
    FadeIn.Enabled = true;
    frmClock.Visible = false;
    Show(vbModeless);
}

void IntroForm::FadeIn_Tick() {
    opacity_ = static_cast<std::int16_t>(opacity_ + kFadeInStep);
    if (opacity_ >= kOpaque) {
        opacity_ = kOpaque;
        FadeIn.Enabled = false;
        TipIn.Enabled = true;
    }
    ApplyOpacity(hWnd, opacity_);
}

void IntroForm::TipIn_Tick() {
    TipIn.Enabled = false;
    IntroTipsForm& tips = frmIntroTips();
    tips.Load();
    tips.Move(Left + 120, Top + 1725);
    tips.Show(vbModeless, this);
}

void IntroForm::CloseGreeting() {
    // While the choice is showing the picture behind it does not close the window.
    // Unloading takes the tip window along.
    if (frmClock.Visible) return;
    Unload();
}

void IntroForm::pctSplash_Click() { CloseGreeting(); }

void IntroForm::Form_DblClick() { CloseGreeting(); }

}  // namespace core
