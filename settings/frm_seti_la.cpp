#include "settings/frm_seti_la.h"

#include "core/debug_log.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "platform/services/document_opener.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

constexpr platform::COLORREF kMarkColor = 0x0000FF;  // red

// The four languages of the page, in the order of their options.
struct LanguageOption {
    std::int16_t language;
    OptionButton frmSetiLAForm::*option;
    PictureBox frmSetiLAForm::*flag;
    PictureBox frmSetiLAForm::*image;
    const char* caption;
    const char* flagFile;
    const char* notice;  // the box shown before switching to a file that is an English copy; nullptr for none
};

constexpr const char* kRomanianNotice =
    "We don't yet have a translation for this language ::- (, nobody loves OZR Ruriv.... Maybe somebody out there "
    "will do it...\r\n\r\nHowever, using the \\System\\Lang\\002Romanian.ozrini file. The file is just a copy of the "
    "English UK one...";
constexpr const char* kDutchNotice =
    "We don't yet have a translation for this language ::- (, nobody loves OZR Ruriv... Maybe somebody out there "
    "will do it...\r\n\r\nHowever, using the \\System\\Lang\\003Dutch.ozrini file. The file is just a copy of the "
    "English UK one...";

const LanguageOption kLanguageOptions[] = {
    {0, &frmSetiLAForm::optUK, &frmSetiLAForm::pctUK, &frmSetiLAForm::imgUK, "English (UK)", "\\GUI\\Flags\\000UK.gif",
     nullptr},
    {-1, &frmSetiLAForm::optUSA, &frmSetiLAForm::pctUSA, &frmSetiLAForm::imgUSA, "English (USA)",
     "\\GUI\\Flags\\001USA.gif", nullptr},
    {1, &frmSetiLAForm::optRO, &frmSetiLAForm::pctRO, &frmSetiLAForm::imgRO, "Română", "\\GUI\\Flags\\002RO.gif",
     kRomanianNotice},
    {2, &frmSetiLAForm::optNL, &frmSetiLAForm::pctNL, &frmSetiLAForm::imgNL, "Nederlands", "\\GUI\\Flags\\003NL.gif",
     kDutchNotice},
};

const LanguageOption* OptionOf(std::int16_t language) {
    for (const LanguageOption& o : kLanguageOptions)
        if (o.language == language) return &o;
    return nullptr;
}

}  // namespace

frmSetiLAForm::frmSetiLAForm() : Form("frmSetiLA") {
    for (const LanguageOption& o : kLanguageOptions) {
        OptionButton& option = this->*o.option;
        option.Click = [this, language = o.language] { ChooseLanguage(language); };
        // A click on a flag chooses its language as its option does.
        auto choose = [&option] { option.Value = true; };
        (this->*o.flag).Click = choose;
        (this->*o.image).Click = choose;
    }
    OZR_HANDLE(lblWeb, Click);
}

frmSetiLAForm& frmSetiLA() {
    static frmSetiLAForm form;
    return form;
}

void frmSetiLAForm::Design() {
    DesignPage(*this);
    frmLanguage.Move(240, 240, 5490, 2520);
    int top = 360;
    for (const LanguageOption& o : kLanguageOptions) {
        PictureBox& flag = this->*o.flag;
        flag.Move(300, top - 30, 600, 420);  // 40 x 28 pixels: the 32 x 20 flag and its mark around it
        flag.BorderStyle = 0;
        flag.ScaleMode = vbPixels;
        PictureBox& image = this->*o.image;
        image.Move(4, 4, 32, 20);
        image.BorderStyle = 0;
        OptionButton& option = this->*o.option;
        option.Move(1080, top, 4200, 330);
        option.Caption = o.caption;
        top += 540;
    }
    lblFlag.Move(240, 2940, 5490, 600);
    lblFlag.WordWrap = true;
    lblTranslate.Move(240, 3660, 5490, 900);
    lblTranslate.WordWrap = true;
    lblWeb.Move(240, 4740, 5490, 300);
    lblWeb.Caption = kMakerWebPage;
    lblWeb.FontUnderline = true;
}

void frmSetiLAForm::Form_Load() {
    PlacePage(*this);
    pageLoading_ = true;
    SetColors();
    SetTexts();
    core::HelpFile.SelectSection(kLanguagePageHelpSection);
    for (const LanguageOption& o : kLanguageOptions) {
        try {
            (this->*o.image).Picture = LoadPicture(o.flagFile);
        } catch (const platform::Error& e) {
            core::DebugLog(std::string("[frmSetiLA]: ") + e.what());
        }
    }
    if (const LanguageOption* o = OptionOf(Settings.Language)) (this->*o->option).Value = true;
    pageLoading_ = false;
}

void frmSetiLAForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kLanguagePageSection);
    frmLanguage.Caption = core::LanguageFile.ReadString("Select Language");
    lblFlag.Caption = core::LanguageFile.ReadString("Flag");
    lblTranslate.Caption = core::LanguageFile.ReadString("Translate");
}

void frmSetiLAForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{&frmLanguage, &lblFlag, &lblTranslate, &lblWeb,
                                                                            &optUK, &optUSA, &optRO, &optNL}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
    for (const LanguageOption& o : kLanguageOptions) (this->*o.flag).BackColor = palette->back;
}

void frmSetiLAForm::ResetFlags() {
    const platform::COLORREF plain = CurrentPalette() ? CurrentPalette()->back : static_cast<platform::COLORREF>(BackColor);
    for (const LanguageOption& o : kLanguageOptions) (this->*o.flag).BackColor = plain;
}

bool frmSetiLAForm::FlagMarked(std::int16_t language) {
    const LanguageOption* o = OptionOf(language);
    return o && (this->*o->flag).BackColor == kMarkColor;
}

void frmSetiLAForm::ChooseLanguage(std::int16_t language) {
    if (pageLoading_) return;
    const LanguageOption* o = OptionOf(language);
    if (!o) return;
    if (o->notice && core::IsUntranslatedCopy(language))
        platform::MessageBox(hWnd, o->notice, "OZR Ruriv - Nobody Loves Me",
                                        platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    ResetFlags();
    (this->*o->flag).BackColor = kMarkColor;
    Settings.Language = language;
    frmSeti().SetTexts(true);
    // The page on show speaks the new language too.
    if (IsLoaded()) SetTexts();
}

void frmSetiLAForm::lblWeb_Click() { platform::ShellExecute(hWnd, nullptr, kMakerWebPage, nullptr, "C:\\", 3); }

}  // namespace settings
