// frmAbout: the about window, with its own painted title bar: the version, who made the program,
// how to reach its makers and the credits file. The main window's "About" command shows it
// modeless; the settings tree shows it modal over the settings window.
#pragma once

#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/rich_text_box.h"
#include "platform/forms/timer.h"
#include "settings/title_bar.h"

namespace settings {

inline constexpr const char* kCreditsFile = "\\Chest\\Hall Of Fame.richtext";
inline constexpr const char* kMakerMail = "mailto:ruriv@dralo.example";

// The window's height in twips for a screen of that many pixels: 550 pixels, 650 on screens
// taller than 700 pixels, 850 on screens taller than 900.
int AboutWindowHeight(int screenHeightPixels);

class frmAboutForm : public platform::forms::Form {
public:
    frmAboutForm();

    platform::forms::PictureBox pctGradient{this, "pctGradient"};
    platform::forms::Frame frmVersion{this, "frmVersion"};
    platform::forms::Label lblVersion{frmVersion, "lblVersion"};
    platform::forms::Label lblOZR{frmVersion, "lblOZR"};
    platform::forms::Frame frmTeam{this, "frmTeam"};
    platform::forms::Label lblProgramming{frmTeam, "lblProgramming"};
    platform::forms::Label lblDesign{frmTeam, "lblDesign"};
    platform::forms::Label lblQA{frmTeam, "lblQA"};
    platform::forms::Frame frmOZR{this, "frmOZR"};
    platform::forms::Label lblOZRProgramming{frmOZR, "lblOZRProgramming"};
    platform::forms::Label lblOZRDesign{frmOZR, "lblOZRDesign"};
    platform::forms::Label lblOZRQA{frmOZR, "lblOZRQA"};
    platform::forms::Frame frmContact{this, "frmContact"};
    platform::forms::Label lblInfo{frmContact, "lblInfo"};
    platform::forms::Label lblForum{frmContact, "lblForum"};
    platform::forms::Label lblWeb{frmContact, "lblWeb"};
    platform::forms::Label lblMail{frmContact, "lblMail"};
    platform::forms::Label lblMailOZR{frmContact, "lblMailOZR"};
    platform::forms::Frame frmThanks{this, "frmThanks"};
    platform::forms::RichTextBox rtbThanks{frmThanks, "rtbThanks"};
    platform::forms::CommandButton cmdClose{this, "cmdClose"};
    platform::forms::Timer BodyMovin{this, "BodyMovin"};
    platform::forms::Timer Focuser{this, "Focuser"};
    platform::forms::Timer Hover{this, "Hover"};

    // Opened from the settings window's tree: closing leaves the settings window's ModalWindowOpen.
    void LoadedFromSettings() { openedFromSettings_ = true; }
    bool OpenedFromSettings() const { return openedFromSettings_; }
    const TitleBar& Bar() const { return titleBar_; }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

private:
    void AlwaysOnTop(bool on);
    void SetTexts();
    void SetColors();
    void cmdClose_Click() { Unload(); }
    void Focuser_Tick();
    void OpenMail();

    TitleBar titleBar_;
    bool openedFromSettings_ = false;
};

frmAboutForm& frmAbout();

}  // namespace settings
