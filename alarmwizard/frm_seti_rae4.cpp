#include "alarmwizard/frm_seti_rae4.h"

#include "alarmwizard/alarm_save.h"
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/text_replace.h"
#include "platform/forms/captioned_control.h"
#include "platform/services/paths.h"
#include "platform/window/message_box.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;
using core::AlarmUnderEdit;
using core::Settings;

namespace {

constexpr std::int32_t kMostLoops = 32000;
constexpr std::int32_t kLongestPause = 60;  // seconds
// The whole visit: a cancel raises an error; the colour dialog opens fully at the colour given,
// the font dialog offers screen and printer fonts with underline and strikeout.
constexpr platform::LONG kDialogFlags = cdlCCRGBInit | cdlCCFullOpen | cdlCCAnyColor;
static_assert(kDialogFlags == (cdlCFBoth | cdlCFEffects));

constexpr int kLabelX = 120, kLabelWidth = 1080, kPathX = 1230, kPathWidth = 3300, kBrowseX = 4590,
              kBrowseWidth = 1140, kRowHeight = 300;

}  // namespace

frmSetiRAE4Form::frmSetiRAE4Form() : WizardStep(kStep4) {
    OZR_HANDLE(txtSound, Change);
    OZR_HANDLE(chLoop, Click);
    OZR_HANDLE(cmdTestSound, Click);
    OZR_HANDLE(cmdFont, Click);
    txtSound.GotFocus = [this] { txtSound_Change(); };
    cmdBrowseIcon.Click = [this] {
        Browse(txtIcon, "Icons require ICO files (*.ico)|*.ico", "\\Alarms\\Icons\\Some Icon");
    };
    cmdBrowseBackground.Click = [this] {
        Browse(txtBackground, "Backgrounds require BMP files (*.bmp)|*.bmp", "\\Alarms\\Backgrounds\\Some Bitmap");
    };
    cmdBrowseSound.Click = [this] {
        Browse(txtSound, "Accepted sound files (*.wav;*.mp3)|*.wav;*.mp3", "\\Alarms\\Sounds\\Some Sound");
    };
    cmdColor.Click = [this] { ChooseColor(pctColor, "FontBackColor", cmdColor); };
    pctColor.Click = [this] { ChooseColor(pctColor, "FontBackColor", cmdColor); };
    cmdTextColor.Click = [this] { ChooseColor(pctTextColor, "FontForeColor", cmdTextColor); };
    pctTextColor.Click = [this] { ChooseColor(pctTextColor, "FontForeColor", cmdTextColor); };
    cmdPrevious.Click = [this] { MoveBack(kStep3); };
    cmdSave.Click = [] { FinishAlarmWizard(); };
    cmdCancel.Click = [this] { CancelWizard(); };
    loops_ = std::make_unique<WizardNumberBox>(txtLoop, cmdLoopM, cmdLoopP, 0, kMostLoops, Updating);
    seconds_ = std::make_unique<WizardNumberBox>(txtSeconds, cmdSecondsM, cmdSecondsP, 0, kLongestPause, Updating);
    numberBoxes_ = {loops_.get(), seconds_.get()};
    BindHelp();
}

frmSetiRAE4Form& frmSetiRAE4() {
    static frmSetiRAE4Form form;
    return form;
}

void frmSetiRAE4Form::BindHelp() {
    HelpOn({&txtIcon}, "1301txtIcon");
    HelpOn({&cmdBrowseIcon}, "1302cmdBrowseIcon");
    HelpOn({&txtBackground}, "1303txtBackground");
    HelpOn({&cmdBrowseBackground}, "1304cmdBrowseBackground");
    HelpOn({&txtSound}, "1305txtSound");
    HelpOn({&cmdBrowseSound}, "1306cmdBrowseSound");
    HelpOn({&cmdTestSound}, "1307cmdTestSound");
    HelpOn({&chLoop}, "1308chLoop");
    HelpOn({&txtLoop, &cmdLoopM, &cmdLoopP}, "1309txtLoop");
    HelpOn({&txtSeconds, &cmdSecondsM, &cmdSecondsP}, "1310txtSeconds");
    HelpOn({&cmdColor}, "1311cmdColor");
    HelpOn({&cmdTextColor}, "1312cmdTextColor");
    HelpOn({&cmdFont}, "1313cmdFont");
    HelpOn({&pctColor}, "1314pctColor");
    HelpOn({&pctTextColor}, "1315pctTextColor");
    HelpOn({&cmdCancel}, "1318cmdCancel");
    HelpOn({&cmdSave}, "1319cmdSave");
    HelpOn({&cmdPrevious}, "1320cmdPrevious");
}

void frmSetiRAE4Form::Design() {
    WizardStep::Design();
    cmdOk.Enabled = false;
    cmdNext.Enabled = false;
    cmdSave.Default = true;
    cmdCancel.Cancel = true;

    frmMore.Move(60, kContentTop, settings::kPageWidth - 120, 2130);
    const std::tuple<Label*, TextBox*, CommandButton*> rows[] = {{&lblIcon, &txtIcon, &cmdBrowseIcon},
                                                                 {&lblBackground, &txtBackground, &cmdBrowseBackground},
                                                                 {&lblSound, &txtSound, &cmdBrowseSound}};
    int y = 270;
    for (auto [label, box, browse] : rows) {
        label->Move(kLabelX, y + 30, kLabelWidth, 255);
        box->Move(kPathX, y, kPathWidth, kRowHeight);
        browse->Move(kBrowseX, y, kBrowseWidth, kRowHeight);
        y += 360;
    }
    chLoop.Move(kLabelX, y + 15, 3000, 285);
    cmdTestSound.Move(kBrowseX, y, kBrowseWidth, kRowHeight);
    cmdTestSound.Visible = false;
    y += 360;
    // Room for the longer labels of some languages.
    constexpr int kLoopLabelWidth = 1050;
    PlaceNumberBoxAt(lblLoops, cmdLoopM, txtLoop, cmdLoopP, kLabelX, y, kLoopLabelWidth);
    PlaceNumberBoxAt(lblSeconds, cmdSecondsM, txtSeconds, cmdSecondsP, 3000, y, kLoopLabelWidth);
    ShowLoopControls(false);
    DesignColors();
}

void frmSetiRAE4Form::DesignColors() {
    frmColors.Move(60, kContentTop + 2160, settings::kPageWidth - 120, 1500);
    const int buttonHeight = 345;
    cmdColor.Move(120, 270, 1620, buttonHeight);
    pctColor.Move(1800, 270, 600, buttonHeight);
    cmdTextColor.Move(2640, 270, 1620, buttonHeight);
    pctTextColor.Move(4320, 270, 600, buttonHeight);
    for (PictureBox* swatch : {&pctColor, &pctTextColor}) swatch->BorderStyle = 1;
    cmdFont.Move(120, 900, 1620, buttonHeight);
    lblFont.Move(1800, 900, 3840, 420);
    lblFont.Caption = "Arial, 8";
    auto put = [](Line& line, int x1, int y1, int x2, int y2) {
        line.X1 = x1;
        line.Y1 = y1;
        line.X2 = x2;
        line.Y2 = y2;
    };
    put(Line1, 1740, 840, 5700, 840);
    put(Line2, 5700, 840, 5700, 1380);
    put(Line3, 1740, 1380, 5700, 1380);
    put(Line4, 1740, 840, 1740, 1380);
    put(Line5, 1620, 442, 1800, 442);
    put(Line6, 4140, 442, 4320, 442);
    put(Line7, 120, 705, 5730, 705);
    put(Line8, 120, 735, 5730, 735);
}

void frmSetiRAE4Form::SetStepTexts() {
    const std::pair<CaptionedControl*, const char*> captions[] = {
        {&frmMore, "More"},        {&chLoop, "LoopSound"},   {&cmdTestSound, "TestSound"},
        {&frmColors, "Colors Font"}, {&cmdColor, "Color"},   {&cmdTextColor, "Text Color"},
        {&cmdFont, "Font"},
    };
    for (auto [control, key] : captions) control->Caption = StepText(key);
    const std::pair<Label*, const char*> labels[] = {{&lblIcon, "Icon"},   {&lblBackground, "Background"},
                                                     {&lblSound, "Sound"}, {&lblLoops, "Loops"},
                                                     {&lblSeconds, "Seconds"}};
    for (auto [label, key] : labels) label->Caption = StepText(key);
    for (CommandButton* browse : {&cmdBrowseIcon, &cmdBrowseBackground, &cmdBrowseSound})
        browse->Caption = GeneralText("Browse");
}

// The controls take the record's values as a user's changes would: a sound shows its try-out, a
// ticked loop its group.
void frmSetiRAE4Form::FillFromRecord() {
    txtIcon.Text = AlarmUnderEdit.Icon;
    txtBackground.Text = AlarmUnderEdit.Background;
    txtSound.Text = AlarmUnderEdit.Sound;
    chLoop.Value = (AlarmUnderEdit.Flags & core::kAlarmLoopSound) ? vbChecked : vbUnchecked;
    txtLoop.Text = std::to_string(AlarmUnderEdit.Loops);
    txtSeconds.Text = std::to_string(AlarmUnderEdit.LoopDelay);
}

// Every visit takes the colours and the font from the record, stored before or not.
void frmSetiRAE4Form::AfterFill() {
    stepFontInformation_ = AlarmUnderEdit.FontInformation;
    ShowFontPreview();
    CD.CancelError = true;
    CD.Flags = kDialogFlags;
}

bool frmSetiRAE4Form::StoredBefore() const {
    return WizardStep::StoredBefore() || core::AlarmWizardPending == kSaveSimplePending;
}

// A Save Simple of an earlier step ends here: the final save runs at once.
void frmSetiRAE4Form::Form_Activate() {
    if (core::AlarmWizardPending == kSaveSimplePending) FinishAlarmWizard();
}

// A try-out still sounding ends with the step.
void frmSetiRAE4Form::Form_Unload(int& Cancel) {
    WizardStep::Form_Unload(Cancel);
    // At the program's end the main window may have gone first; a reference would load it again.
    if (!core::frmMain().IsLoaded()) return;
    core::frmMain().mmc.Command = "Stop";
    core::frmMain().mmc.Command = "Close";
}

void frmSetiRAE4Form::StoreMediaStep() {
    for (WizardNumberBox* box : numberBoxes_) box->CleanUp();
    WizardStep::StoreStep();
    AlarmUnderEdit.Icon = txtIcon.Text;
    AlarmUnderEdit.Background = txtBackground.Text;
    AlarmUnderEdit.Sound = txtSound.Text;
    std::int32_t& flags = AlarmUnderEdit.Flags;
    flags = chLoop.Value == vbChecked ? flags | core::kAlarmLoopSound : flags & ~core::kAlarmLoopSound;
    AlarmUnderEdit.Loops = static_cast<std::int16_t>(loops_->Value());
    AlarmUnderEdit.LoopDelay = static_cast<std::int16_t>(seconds_->Value());
    AlarmUnderEdit.FontInformation = stepFontInformation_;
    AlarmUnderEdit.BackColor = static_cast<std::int32_t>(pctColor.BackColor());
    AlarmUnderEdit.TextColor = static_cast<std::int32_t>(pctTextColor.BackColor());
}

void frmSetiRAE4Form::ShowLoopControls(bool show) {
    for (VisualControl* c : std::initializer_list<VisualControl*>{&lblLoops, &cmdLoopM, &cmdLoopP, &txtLoop, &lblSeconds,
                                                                   &cmdSecondsM, &cmdSecondsP, &txtSeconds})
        c->Visible = show;
}

// The swatches, the dialog's preset and the preview follow the title block; an entry that does not
// read is shown, and kept, as a new alarm has it.
void frmSetiRAE4Form::ShowFontPreview() {
    shownFont_ = RepairTitleFont(stepFontInformation_);
    pctColor.BackColor = static_cast<platform::COLORREF>(shownFont_.backColor);
    pctTextColor.BackColor = static_cast<platform::COLORREF>(shownFont_.foreColor);
    const FontDescription font = shownFont_.Description();
    CD.FontName = font.name;
    CD.FontSize = font.size;
    CD.FontBold = font.bold;
    CD.FontItalic = font.italic;
    CD.FontUnderline = font.underline;
    CD.FontStrikethru = font.strikethru;
    lblFont.Caption = FontPreviewText(shownFont_);
    lblFont.FontName = shownFont_.name;
}

void frmSetiRAE4Form::txtSound_Change() {
    if (!txtSound.Text().empty()) cmdTestSound.Visible = true;
}

void frmSetiRAE4Form::chLoop_Click() { ShowLoopControls(chLoop.Value == vbChecked); }

// Plays the sound once, whatever the loop settings; the main window closes it when it has ended.
void frmSetiRAE4Form::cmdTestSound_Click() {
    MultimediaControl& mmc = core::frmMain().mmc;
    mmc.Command = "Stop";
    mmc.Command = "Close";
    const std::string sound = txtSound.Text;
    if (sound.empty()) return;
    mmc.FileName = sound;
    mmc.Command = "Open";
    std::string failure = mmc.ErrorMessage;
    if (failure.empty()) {
        mmc.Command = "Play";
        failure = mmc.ErrorMessage;
    }
    if (failure.empty()) return;
    boxes_.Show(settings::PageBox::Error,
                core::ReplaceEvery(core::ReplaceEvery(StepText("Error Sound Not Played"), "%1", sound), "%2", failure));
}

// The dialog opens on the box's file, or in the step's folder of the program when the box is empty;
// a chosen file is kept with its full path.
void frmSetiRAE4Form::Browse(TextBox& box, const char* filter, const char* offered) {
    CD.Filter = filter;
    const std::string current = box.Text;
    CD.FileName = current.empty() ? platform::ProgramFolder() + offered : current;
    if (RunCommonDialog([this] { CD.ShowOpen(); })) box.Text = CD.FileName;
    RestoreTopmost();
}

void frmSetiRAE4Form::ChooseColor(PictureBox& swatch, const char* key, CommandButton& button) {
    CD.Color = swatch.BackColor;
    if (RunCommonDialog([this] { CD.ShowColor(); })) {
        swatch.BackColor = CD.Color;
        SetTitleFontEntry(stepFontInformation_, key, std::to_string(CD.Color()));
    }
    if (!Settings.SystrayClock && core::frmMain().Visible) core::frmMain().SetFocus();
    RestoreTopmost();
    button.SetFocus();
}

void frmSetiRAE4Form::cmdFont_Click() {
    if (RunCommonDialog([this] { CD.ShowFont(); })) {
        SetChosenFont(stepFontInformation_, FontDescription{.name = CD.FontName,
                                                     .size = CD.FontSize,
                                                     .bold = CD.FontBold,
                                                     .italic = CD.FontItalic,
                                                     .underline = CD.FontUnderline,
                                                     .strikethru = CD.FontStrikethru});
        ShowFontPreview();
    }
    RestoreTopmost();
    cmdFont.SetFocus();
}

}  // namespace alarmwizard
