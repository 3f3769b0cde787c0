#include "settings/frm_about.h"

#include "core/debug_log.h"
#include "core/frm_intro_window.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/language_text.h"
#include "platform/services/document_opener.h"
#include "settings/page_palette.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

constexpr int kDesignHeight = 8250;  // twips: 550 pixels
constexpr const char* kTeamNames = "the OZR Ruriv developers";
constexpr const char* kMakerNames = "the Dralo Software Development team";

}  // namespace

int AboutWindowHeight(int screenHeightPixels) {
    if (screenHeightPixels > 900) return 12750;
    if (screenHeightPixels > 700) return 9750;
    return kDesignHeight;
}

frmAboutForm::frmAboutForm() : Form("frmAbout"), titleBar_(*this, pctGradient, BodyMovin, Hover, kAboutTitleBar) {
    titleBar_.DragFromMinimizeZone = true;
    titleBar_.CloseClicked = [this] { cmdClose_Click(); };
    titleBar_.Content = [this] {
        return TitleBarContent{GradientFileForScheme(Settings.ColorScheme), "\\GUI\\Settings\\MainAbout.bmp",
                               core::LanguageFile.ReadText(core::kAboutWindowSection, "Title"), TitleTextColor(ForeColor)};
    };
    OZR_HANDLE(cmdClose, Click);
    OZR_HANDLE(Focuser, Tick);
    lblWeb.Click = [this] { OpenMail(); };
    lblMailOZR.Click = [this] { OpenMail(); };
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{&pctGradient, &rtbThanks, &cmdClose})
        c->KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
}

frmAboutForm& frmAbout() {
    static frmAboutForm form;
    return form;
}

void frmAboutForm::Design() {
    Caption = "About OZR Ruriv";
    BorderStyle = vbBSNone;
    StartUpPosition = vbStartUpScreen;
    ScaleMode = vbPixels;
    Width = 7500;
    Height = kDesignHeight;

    pctGradient.Move(0, 0, 500, 27);
    pctGradient.BorderStyle = 0;
    pctGradient.TabStop = false;

    frmVersion.Move(2, 29, 496, 52);
    lblVersion.Move(120, 240, 7100, 255);
    lblVersion.Caption = "OZR Ruriv 2.7 - FINAL";
    lblVersion.FontBold = true;
    lblOZR.Move(120, 510, 7100, 255);
    lblOZR.Caption = "Made by Dralo Software Development";

    frmTeam.Move(2, 84, 496, 85);
    lblProgramming.Move(120, 240, 7100, 255);
    lblDesign.Move(120, 510, 7100, 255);
    lblQA.Move(120, 780, 7100, 450);
    lblQA.WordWrap = true;

    frmOZR.Move(2, 172, 496, 70);
    lblOZRProgramming.Move(120, 240, 7100, 255);
    lblOZRDesign.Move(120, 495, 7100, 255);
    lblOZRQA.Move(120, 750, 7100, 255);

    frmContact.Move(2, 245, 496, 89);
    lblInfo.Move(120, 225, 7100, 540);
    lblInfo.WordWrap = true;
    lblForum.Move(120, 780, 1800, 255);
    lblWeb.Move(1980, 780, 5200, 255);
    lblWeb.FontUnderline = true;
    lblWeb.Caption = "ruriv@dralo.example";
    lblMail.Move(120, 1020, 1800, 255);
    lblMailOZR.Move(1980, 1020, 5200, 255);
    lblMailOZR.FontUnderline = true;
    lblMailOZR.Caption = "ruriv@dralo.example";

    frmThanks.Move(2, 339, 496, 187);
    rtbThanks.Move(120, 240, 7200, 2460);

    cmdClose.Move(0, 527, 499, 22);
    cmdClose.Cancel = true;  // Esc closes the window too

    BodyMovin.Interval = 1;
    BodyMovin.Enabled = false;
    Hover.Interval = 1;
    Hover.Enabled = false;
    Focuser.Interval = 1;
    Focuser.Enabled = true;
}

void frmAboutForm::Form_Load() {
    SetTexts();
    SetColors();
    openedFromSettings_ = false;
    titleBar_.Reset();
    core::frmMain().GetScreenSize();
    const int extra = AboutWindowHeight(core::ScreenHeightTwips / 15) - Height;
    Height = Height + extra;
    frmThanks.Height = frmThanks.Height + extra / 15;
    rtbThanks.Height = rtbThanks.Height + extra;
    cmdClose.Top = cmdClose.Top + extra / 15;
    if (Settings.MenusTranslucent) {
        core::MakeLayered(hWnd);
        core::ApplyOpacity(hWnd, EffectiveMenusAlpha(Settings.MenusAlpha));
    }
    if (Settings.AlwaysOnTopWindows) AlwaysOnTop(true);
    try {
        rtbThanks.LoadFile(kCreditsFile);
    } catch (const platform::Error& e) {
        // Without the credits file the box stays empty.
        core::DebugLog(std::string("[frmAbout]: ") + e.what());
    }
}

void frmAboutForm::Form_Unload(int&) {
    if (openedFromSettings_) return;
    core::ModalWindowOpen = false;
    // Opened from the clock: the clock's keys work again at once.
    if (!Settings.SystrayClock && core::frmMain().IsLoaded()) core::frmMain().SetFocus();
}

void frmAboutForm::Form_KeyDown(int& KeyCode, int Shift) {
    if (KeyCode != platform::VK_F4 || Shift != vbAltMask) return;
    KeyCode = 0;
    Unload();
}

void frmAboutForm::Focuser_Tick() {
    Focuser.Enabled = false;
    cmdClose.SetFocus();
}

void frmAboutForm::AlwaysOnTop(bool on) { core::SetTopmost(hWnd, on); }

void frmAboutForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kAboutWindowSection);
    auto T = [](const char* key) { return core::LanguageFile.ReadString(key); };
    const std::string names = kTeamNames, makers = kMakerNames;
    frmVersion.Caption = T("Version");
    std::string team = T("Team");
    core::ReplaceAll(team, "!", "OZR Ruriv");
    frmTeam.Caption = team + ":";
    lblProgramming.Caption = T("Programming") + ": " + names;
    lblDesign.Caption = T("Design") + ": " + names;
    lblQA.Caption = T("Quality Assurance") + ": " + names;
    frmOZR.Caption = "Dralo Software Development" + T("OZR") + ":";
    lblOZRProgramming.Caption = T("OZR Programming") + ": " + makers;
    lblOZRDesign.Caption = T("OZR Design") + ": " + makers;
    lblOZRQA.Caption = T("OZR Quality Assurance") + ": " + makers;
    frmContact.Caption = T("Contact");
    lblInfo.Caption = T("Contact Info") + ": ";
    lblForum.Caption = T("Contact 1") + ":";
    lblMail.Caption = T("Contact 2") + ":";
    frmThanks.Caption = T("Thanks");
    cmdClose.Caption = T("Close");
}

void frmAboutForm::SetColors() {
    auto palette = SchemePalette(Settings.ColorScheme);
    if (!palette) return;
    BackColor = palette->back;
    ForeColor = palette->text;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &frmVersion, &lblVersion, &lblOZR, &frmTeam, &lblProgramming, &lblDesign, &lblQA, &frmOZR,
             &lblOZRProgramming, &lblOZRDesign, &lblOZRQA, &frmContact, &lblInfo, &lblForum, &lblMail, &lblWeb,
             &lblMailOZR, &frmThanks}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
    cmdClose.BackColor = palette->button;
}

void frmAboutForm::OpenMail() { platform::ShellExecute(hWnd, nullptr, kMakerMail, nullptr, "C:\\", 3); }

}  // namespace settings
