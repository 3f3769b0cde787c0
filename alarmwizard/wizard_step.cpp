#include "alarmwizard/wizard_step.h"

#include "alarmwizard/alarm_test_preview.h"
#include "core/debug_log.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/popup_help.h"
#include "platform/forms/captioned_control.h"
#include "platform/forms/check_box.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/line.h"
#include "platform/forms/option_button.h"
#include "platform/window/message_box.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;

namespace {

constexpr int kPictureSide = 2100;  // twips: the pictures are 140 x 140 pixels
constexpr int kFrameHeight = 2220;
constexpr int kButtonHeight = 405;
// The button row: five buttons, or six narrower ones with Test.
constexpr int kButtonWidth = 1110, kButtonPitch = 1170;
constexpr int kTestedButtonWidth = 945, kTestedButtonPitch = 975;

}  // namespace

WizardStep::WizardStep(const StepLayout& layout)
    : Form(layout.form), boxes_(*this, layout.languageSection), layout_(layout) {
    Animatronic.Tick = [this] { Animatronic_Timer(); };
    if (layout.testHelp) {
        cmdTest.Click = [this] { cmdTest_Click(); };
        HelpOn({&cmdTest}, layout.testHelp);
    }
}

void WizardStep::Design() {
    settings::DesignPage(*this);
    frmWarlock.Move(60, 0, settings::kPageWidth - 120, kFrameHeight);
    lblStepInfo.Move(120, 270, settings::kPageWidth - 120 - kPictureSide - 420, kFrameHeight - 390);
    lblStepInfo.WordWrap = true;
    pctPicture.Move(settings::kPageWidth - 120 - kPictureSide - 90, 60 + 45, kPictureSide, kPictureSide);
    pctPicture.BorderStyle = 0;
    const bool tested = layout_.testHelp != nullptr;
    const int width = tested ? kTestedButtonWidth : kButtonWidth, pitch = tested ? kTestedButtonPitch : kButtonPitch;
    int i = 0;
    for (CommandButton* b : {&cmdCancel, &cmdSave, &cmdPrevious, &cmdNext, &cmdOk, &cmdTest})
        b->Move(60 + pitch * i++, kButtonTop, width, kButtonHeight);
    cmdTest.Visible = tested;
    for (WizardNumberBox* box : numberBoxes_) box->Design();
    // The animation's first move comes two seconds after the step shows.
    Animatronic.Interval = 2000;
    Animatronic.Enabled = true;
}

void WizardStep::Form_Load() {
    core::WarlockStepLoaded = true;
    settings::PlacePage(*this);
    ShowAnimationFrame();
    SetColors();
    SetTexts();
    core::HelpFile.SelectSection(layout_.helpSection);
    Updating = true;
    if (StoredBefore())
        FillFromRecord();
    else
        FillDefaults();
    Updating = false;
    AfterFill();
}

void WizardStep::Form_Unload(int&) { core::WarlockStepLoaded = false; }

bool WizardStep::StoredBefore() const { return core::AlarmEditProgress >= layout_.mark; }

void WizardStep::StoreStep() { core::AlarmEditProgress = RaisedProgress(core::AlarmEditProgress, layout_.mark); }

// Buttons get the button colour; frames, labels, options and tick boxes the page's colours, lines
// the text colour; text boxes, lists, scroll bars and pictures keep their own.
void WizardStep::SetColors() {
    auto palette = settings::CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    for (Control* c : Controls()) {
        if (auto* button = dynamic_cast<CommandButton*>(c)) {
            button->BackColor = palette->button;
        } else if (dynamic_cast<Frame*>(c) || dynamic_cast<Label*>(c) || dynamic_cast<CheckBox*>(c) ||
                   dynamic_cast<OptionButton*>(c)) {
            auto* shown = dynamic_cast<InteractiveControl*>(c);
            shown->BackColor = palette->back;
            shown->ForeColor = palette->text;
        } else if (auto* line = dynamic_cast<Line*>(c)) {
            line->BorderColor = palette->text;
        }
    }
}

void WizardStep::SetTexts() {
    frmWarlock.Caption = StepText("Warlock");
    lblStepInfo.Caption = StepText("Step");
    SetStepTexts();
    cmdOk.Caption = GeneralText("Ok");
    cmdCancel.Caption = GeneralText("Cancel");
    cmdSave.Caption = GeneralText("Save Simple");
    cmdPrevious.Caption = GeneralText("Previous");
    cmdNext.Caption = GeneralText("Next");
    cmdTest.Caption = GeneralText("Test");
}

std::string WizardStep::StepText(const char* key) const { return core::LanguageFile.ReadText(layout_.languageSection, key); }

std::string WizardStep::GeneralText(const char* key) { return core::LanguageFile.ReadText(core::kGeneralSection, key); }

// A missing picture keeps the one shown before.
void WizardStep::ShowAnimationFrame() {
    const std::string path = "\\GUI\\Warlock\\Anim" + std::to_string(core::WarlockAnimFrame) + ".jpg";
    try {
        pctPicture.Picture = LoadPicture(path);
    } catch (const platform::Error& e) {
        core::DebugLog(std::string("[") + layout_.form + "]: " + e.what());
    }
}

void WizardStep::Animatronic_Timer() {
    Animatronic.Interval = 50;
    const auto next = NextAnimationFrame(core::WarlockAnimFrame, core::WarlockAnimReverse, layout_.restingFrame,
                                         layout_.restingFrame == kLastAnimationFrame);
    if (!next) {
        Animatronic.Enabled = false;
        return;
    }
    core::WarlockAnimFrame = *next;
    ShowAnimationFrame();
}

// A click has cleaned the box it left; Enter or a key press may not have.
void WizardStep::cmdTest_Click() {
    CleanFocusedBox();
    TestAlarmWindow(hWnd, [this] { StoreStep(); });
}

void WizardStep::ShowStep(const StepLayout& to) {
    settings::frmSeti().ShowSubWindow(settings::PageNamed(to.form), true);
}

void WizardStep::MoveForward(const StepLayout& to, bool store) {
    CleanFocusedBox();
    core::WarlockAnimReverse = DirectionGoingForward(core::WarlockAnimFrame, core::WarlockAnimReverse, to.restingFrame);
    if (store) StoreStep();
    ShowStep(to);
}

void WizardStep::MoveBack(const StepLayout& to, bool store) {
    CleanFocusedBox();
    core::WarlockAnimReverse = DirectionGoingBack(core::WarlockAnimFrame, core::WarlockAnimReverse, to.restingFrame);
    if (store) StoreStep();
    ShowStep(to);
}

void WizardStep::SaveSimple() {
    CleanFocusedBox();
    StoreStep();
    core::AlarmWizardPending = kSaveSimplePending;
    ShowStep(kStep4);
}

// The alarm list and the record stay as they are; the next New or Modify starts afresh.
void WizardStep::CancelWizard() {
    if (boxes_.Show(settings::PageBox::Question, GeneralText("MSGBOX Warning Save Alarm")) != platform::IDYES) return;
    settings::frmSeti().ShowSubWindow(settings::PageNamed("frmSetiRAM"), true);
}

void WizardStep::CleanFocusedBox() {
    for (WizardNumberBox* box : numberBoxes_)
        if (box->HasFocus()) box->CleanUp();
}

void WizardStep::DesignSideStepButtons() {
    cmdPrevious.Enabled = false;
    cmdNext.Enabled = false;
    cmdOk.Default = true;
    cmdCancel.Cancel = true;
}

void WizardStep::MakeLink(Label& link) {
    link.FontUnderline = true;
}

void WizardStep::HelpOn(std::initializer_list<WindowedControl*> controls, const char* key) {
    for (WindowedControl* c : controls) c->MouseMove = [c, key](int, int, int, int) { core::ShowHelp(c->hWnd, key, false); };
}

void WizardStep::HelpOnFocus(WindowedControl& control, const char* key) {
    control.GotFocus = [&control, key] { core::ShowHelp(control.hWnd, key, false); };
}

bool WizardStep::RunCommonDialog(const std::function<void()>& show) {
    settings::frmSeti().AlwaysOnTop(false);
    bool chosen = false;
    try {
        show();
        chosen = true;
    } catch (const CommonDialogCancelled&) {
    } catch (const platform::Error& e) {
        core::DebugLog(std::string("[") + layout_.form + "]: the dialog failed, nothing was changed: " + e.what());
    }
    return chosen;
}

void WizardStep::RestoreTopmost() {
    if (core::Settings.AlwaysOnTopWindows) settings::frmSeti().AlwaysOnTop(true);
}

}  // namespace alarmwizard
