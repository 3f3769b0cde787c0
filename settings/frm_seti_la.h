// frmSetiLA: the language page. Four languages, each an option with its flag; choosing one switches
// the program's texts at once (the settings window's tree and buttons follow; this page's own
// captions change when it is next shown).
#pragma once

#include <cstdint>

#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/option_button.h"
#include "platform/forms/picture_box.h"

namespace settings {

inline constexpr const char* kLanguagePageHelpSection = "Popup Help System - Alarm Settings - Alarm Lists";
inline constexpr const char* kMakerWebPage = "https://ruriv.dralo.example/";

class frmSetiLAForm : public platform::forms::Form {
public:
    frmSetiLAForm();

    platform::forms::Frame frmLanguage{this, "frmLanguage"};
    platform::forms::OptionButton optUK{frmLanguage, "optUK"};
    platform::forms::OptionButton optUSA{frmLanguage, "optUSA"};
    platform::forms::OptionButton optRO{frmLanguage, "optRO"};
    platform::forms::OptionButton optNL{frmLanguage, "optNL"};
    // Each flag sits in a box whose colour shows around it when the flag is marked.
    platform::forms::PictureBox pctUK{frmLanguage, "pctUK"};
    platform::forms::PictureBox pctUSA{frmLanguage, "pctUSA"};
    platform::forms::PictureBox pctRO{frmLanguage, "pctRO"};
    platform::forms::PictureBox pctNL{frmLanguage, "pctNL"};
    platform::forms::PictureBox imgUK{pctUK, "imgUK"};
    platform::forms::PictureBox imgUSA{pctUSA, "imgUSA"};
    platform::forms::PictureBox imgRO{pctRO, "imgRO"};
    platform::forms::PictureBox imgNL{pctNL, "imgNL"};
    platform::forms::Label lblFlag{this, "lblFlag"};
    platform::forms::Label lblTranslate{this, "lblTranslate"};
    platform::forms::Label lblWeb{this, "lblWeb"};

    // Whether a flag is marked (the language chosen on this page).
    bool FlagMarked(std::int16_t language);

protected:
    void Design() override;
    void Form_Load() override;

private:
    void SetTexts();
    void SetColors();
    void ResetFlags();
    void ChooseLanguage(std::int16_t language);
    void lblWeb_Click();

    bool pageLoading_ = false;
};

frmSetiLAForm& frmSetiLA();

}  // namespace settings
