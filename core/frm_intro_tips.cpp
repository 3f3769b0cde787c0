#include "core/frm_intro_tips.h"

#include <optional>

#include "core/debug_log.h"
#include "core/file_saving.h"
#include "core/frm_intro.h"
#include "core/frm_intro_window.h"
#include "core/help_sections.h"
#include "core/intro_flags.h"
#include "core/language_files.h"
#include "core/language_text.h"
#include "core/program_settings.h"

namespace core {
namespace {

using namespace platform::forms;

constexpr int kFadeInStep = 7;
constexpr int kFadeOutStep = 10;
constexpr int kOpaque = 255;
constexpr int kStayMs = 20'000;

// The tip stands on a dark band of its own, so that it reads over every part of the splash.
constexpr platform::COLORREF kTipBackColor = platform::RGB(12, 36, 56);
constexpr platform::COLORREF kTipForeColor = platform::RGB(255, 255, 255);

// A number of one of the files; a value that is not one counts as 0, as a missing key does, and
// is told to the debug log.
std::int32_t ReadCount(const platform::SettingsFile& file, const char* section, const char* key) {
    const std::string text = file.ReadText(section, key);
    if (text.empty()) return 0;
    if (std::optional<std::int32_t> number = platform::ParseLongText(text)) return *number;
    DebugLog("[frmIntroTips]: \"" + std::string(key) + "\" of \"" + section + "\" holds \"" + text +
             "\", not a number; 0 is used.");
    return 0;
}

}  // namespace

std::int32_t NextTipNumber(std::int32_t current, std::int32_t max) {
    return current >= 0 && current < max ? current + 1 : 0;
}

IntroTipsForm::IntroTipsForm() : Form("frmIntroTips") {
    OZR_HANDLE(lblTip, DblClick);
    OZR_HANDLE(FadeIn, Tick);
    OZR_HANDLE(FadeOutAndDie, Tick);
}

IntroTipsForm& frmIntroTips() {
    static IntroTipsForm form;
    return form;
}

void IntroTipsForm::Design() {
    Caption = "OZR Ruriv";
    BorderStyle = vbBSNone;
    ShowInTaskbar = false;
    BackColor = kTipTransparentColor;
    // Over the splash from 120 twips in on the left and right to 120 twips above its bottom.
    Width = 7410;
    Height = 2655;

    lblTip.Move(0, 0, 7410, 255);
    lblTip.WordWrap = true;
    lblTip.AutoSize = true;
    lblTip.FontName = "Arial";
    lblTip.BackColor = kTipBackColor;
    lblTip.ForeColor = kTipForeColor;

    FadeIn.Interval = 1;
    FadeIn.Enabled = true;
    FadeOutAndDie.Interval = 1;
    FadeOutAndDie.Enabled = false;
}

void IntroTipsForm::Form_Load() {
    TipsShowing = true;
    opacity_ = 0;
    MakeLayered(hWnd);
    ApplyOpacity(hWnd, kTipTransparentColor, opacity_);

    const std::int32_t tip = AdvanceTipCount();
    lblTip.Caption = HelpFile.ReadText(kTipsSection, kTipHeadingKey) + "\r\n" +
                     ExpandLineBreaks(HelpFile.ReadText(kTipsSection, TipKey(tip)));
    SetTopmost(hWnd, true);
}

// The tip to show now, stored at once as the count for the next start.
std::int32_t IntroTipsForm::AdvanceTipCount() {
    const std::int32_t tip = NextTipNumber(ReadCount(MainSettingsFile, kRunCountSection, kTipCountKey),
                                           ReadCount(HelpFile, kTipsSection, kSectionMaxIdKey));
    MainSettingsFile.WriteLongIn(kRunCountSection, kTipCountKey, tip, tip, true);
    SaveProgramFile(MainSettingsFile);
    return tip;
}

void IntroTipsForm::Form_Unload(int&) { TipsShowing = false; }

void IntroTipsForm::FadeIn_Tick() {
    opacity_ = static_cast<std::int16_t>(opacity_ + kFadeInStep);
    if (opacity_ >= kOpaque) {
        opacity_ = kOpaque;
        FadeIn.Enabled = false;
        FadeOutAndDie.Interval = kStayMs;
        FadeOutAndDie.Enabled = true;
    }
    ApplyOpacity(hWnd, kTipTransparentColor, opacity_);
}

void IntroTipsForm::FadeOutAndDie_Tick() {
    // Only the first tick waits the whole stay; the fade-out runs at the platform's tick.
    FadeOutAndDie.Interval = 1;
    opacity_ = static_cast<std::int16_t>(opacity_ - kFadeOutStep);
    if (opacity_ <= 0) {
        FadeOutAndDie.Enabled = false;
        opacity_ = 0;
        Unload();
        frmIntro().Unload();
        return;
    }
    ApplyOpacity(hWnd, kTipTransparentColor, opacity_);
    // The splash fades with the tip.
    IntroForm& intro = frmIntro();
    if (intro.IsLoaded()) ApplyOpacity(intro.Window(), opacity_);
}

void IntroTipsForm::lblTip_DblClick() {
    Unload();
    frmIntro().Unload();
}

}  // namespace core
