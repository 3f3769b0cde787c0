#include "alarmwizard/frm_seti_rae2a.h"

#include "core/globals.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using core::AlarmUnderEdit;

namespace {

constexpr SlideSideNames kSlideIn{
    "frmSlideIn", "lblSlideInDirection", "optInMod0", "optInMod1", "optInMod2", "lblSlideInTime", "txtSlideIn",
    "cmdSlideInM", "cmdSlideInP", "chkUseSlideInFading", "lblFadeInTime", "txtFadeIn", "cmdFadeInM", "cmdFadeInP",
    "lblSlideInStartOpacity", "scrFadeInStartOpacity", "lblSlideInFinalOpacity", "scrFadeInFinalOpacity",
    "Slide-in Settings", "Slide-in Direction", "Slide-in Time", "Fade-in Time",
    "1001optInMod0", "1002optInMod1", "1003optInMod2", "1004chkUseSlideInFading", "1005txtSlideIn", "1006txtFadeIn",
    "1007scrFadeInStartOpacity", "1008scrFadeInFinalOpacity",
    /*rising=*/true, /*hiddenStart=*/0, /*hiddenFinal=*/255};

constexpr SlideSideNames kSlideOut{
    "frmSlideOut", "lblSlideOutDirection", "optOutMod0", "optOutMod1", "optOutMod2", "lblSlideOutTime", "txtSlideOut",
    "cmdSlideOutM", "cmdSlideOutP", "chkUseSlideOutFading", "lblFadeOutTime", "txtFadeOut", "cmdFadeOutM", "cmdFadeOutP",
    "lblSlideOutStartOpacity", "scrFadeOutStartOpacity", "lblSlideOutFinalOpacity", "scrFadeOutFinalOpacity",
    "Slide-out Settings", "Slide-out Direction", "Slide-out Time", "Fade-out Time",
    "1009optOutMod0", "1010optOutMod1", "1011optOutMod2", "1012chkUseSlideOutFading", "1013txtSlideOut", "1014txtFadeOut",
    "1015scrFadeOutStartOpacity", "1016scrFadeOutFinalOpacity",
    /*rising=*/false, /*hiddenStart=*/255, /*hiddenFinal=*/0};

SlideFields SlideInFields(core::SlideSettings& s) {
    return {s.SlideInTime, s.SlideInAlphaTime, s.SlideInAlphaStartValue, s.SlideInAlphaStopValue, s.SlideInDirection};
}

SlideFields SlideOutFields(core::SlideSettings& s) {
    return {s.SlideOutTime, s.SlideOutAlphaTime, s.SlideOutAlphaStartValue, s.SlideOutAlphaStopValue,
            s.SlideOutDirection};
}

}  // namespace

frmSetiRAE2AForm::frmSetiRAE2AForm()
    : WizardStep(kStep2A), slideIn(frmConfiguration, kSlideIn, Updating), slideOut(frmConfiguration, kSlideOut, Updating) {
    // The fade-in ends where the fade-out starts; never the other way round.
    slideIn.finalChanged = [this](int value) { scrFadeOutStartOpacity.Value = value; };
    cmdOk.Click = [this] { MoveBack(kStep2); };
    cmdCancel.Click = [this] { MoveBack(kStep2, false); };
    cmdSave.Click = [this] { SaveSimple(); };
    numberBoxes_ = {&slideIn.time, &slideIn.fade, &slideOut.time, &slideOut.fade};
    HelpOn({&cmdCancel}, "1017cmdCancel");
    HelpOn({&cmdSave}, "1018cmdSave");
    HelpOn({&cmdOk}, "1019cmdOk");
}

frmSetiRAE2AForm& frmSetiRAE2A() {
    static frmSetiRAE2AForm form;
    return form;
}

void frmSetiRAE2AForm::Design() {
    WizardStep::Design();
    DesignSideStepButtons();
    const int width = settings::kPageWidth - 120;
    frmConfiguration.Move(60, kContentTop - 60, width, kButtonTop - kContentTop);
    const int half = (width - 180) / 2;
    slideIn.Design(60, 240, half);
    slideOut.Design(120 + half, 240, half);
    lblSeconds.Move(120, 3270, width - 240, 255);
}

void frmSetiRAE2AForm::SetStepTexts() {
    frmConfiguration.Caption = StepText("Configuration");
    lblSeconds.Caption = StepText("Times In Seconds");
    const auto text = [this](const char* key) { return StepText(key); };
    slideIn.SetTexts(text);
    slideOut.SetTexts(text);
}

void frmSetiRAE2AForm::FillFromRecord() {
    slideIn.Fill(SlideInFields(AlarmUnderEdit.SlideSettings));
    slideOut.Fill(SlideOutFields(AlarmUnderEdit.SlideSettings));
}

// Never stored: both halves keep their design (horizontal, half a second, no fade).
void frmSetiRAE2AForm::FillDefaults() {}

void frmSetiRAE2AForm::AfterFill() {
    slideIn.CleanTimes();
    slideOut.CleanTimes();
}

void frmSetiRAE2AForm::StoreStep() { StoreSlideStep(); }

void frmSetiRAE2AForm::StoreSlideStep() {
    WizardStep::StoreStep();
    slideIn.Store(SlideInFields(AlarmUnderEdit.SlideSettings));
    slideOut.Store(SlideOutFields(AlarmUnderEdit.SlideSettings));
}

// The final save sends incomplete slide settings here.
void frmSetiRAE2AForm::Form_Activate() {
    if (core::AlarmWizardPending == kSlideInvalid) boxes_.Error("Error Invalid Data");
    core::AlarmWizardPending = kNothingPending;
}

}  // namespace alarmwizard
