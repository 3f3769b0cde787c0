// What every step of the alarm wizard shares: a page of the settings window with the step's frame,
// its explanation and animation picture, the button row (Cancel, Save Simple, Previous, Next, Ok,
// and Test on the steps that shape the alarm's window: it previews the alarm with the step stored),
// loading from the alarm under edit once the step has been stored, colours by scheme, texts by the
// step's language section, the animation towards the step's resting frame, the moves to other
// steps. A step adds its controls and its store.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "alarmwizard/wizard_number_box.h"
#include "alarmwizard/wizard_rules.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "settings/page_boxes.h"

namespace alarmwizard {

class WizardStep : public platform::forms::Form {
public:
    explicit WizardStep(const StepLayout& layout);

    platform::forms::Frame frmWarlock{this, "frmWarlock"};
    platform::forms::Label lblStepInfo{frmWarlock, "lblStepInfo"};
    platform::forms::PictureBox pctPicture{frmWarlock, "pctPicture"};
    platform::forms::Timer Animatronic{this, "Animatronic"};
    platform::forms::CommandButton cmdCancel{this, "cmdCancel"};
    platform::forms::CommandButton cmdSave{this, "cmdSave"};
    platform::forms::CommandButton cmdPrevious{this, "cmdPrevious"};
    platform::forms::CommandButton cmdNext{this, "cmdNext"};
    platform::forms::CommandButton cmdOk{this, "cmdOk"};
    // Hidden on the steps without a Test (their layout names no help for it).
    platform::forms::CommandButton cmdTest{this, "cmdTest"};

    const StepLayout& Layout() const { return layout_; }

protected:
    // Layout of the frame and the button row; the step then places its own controls below the
    // frame (from kContentTop to kButtonTop).
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    static constexpr int kContentTop = 2280;
    static constexpr int kButtonTop = 6000;

    // The step's own part of the load: texts of its controls, its controls from the record (or its
    // defaults before it was ever stored), and the controls that follow from them.
    virtual void SetStepTexts() {}
    virtual void FillFromRecord() {}
    virtual void FillDefaults() {}
    virtual void AfterFill() {}
    // Writes the step into the alarm under edit and raises the progress to the step's mark.
    virtual void StoreStep();
    // Whether the step's record is filled on load (step 4 also while a Save Simple is pending).
    virtual bool StoredBefore() const;

    // The moves: forwards or back to a step (storing first unless told not to), Save Simple, and
    // the main steps' Cancel question.
    void MoveForward(const StepLayout& to, bool store = true);
    void MoveBack(const StepLayout& to, bool store = true);
    void SaveSimple();
    void CancelWizard();
    void ShowStep(const StepLayout& to);
    // Runs the leave clean-up of the number box that has the focus (Enter presses a button while a
    // box keeps it).
    void CleanFocusedBox();
    // The buttons of a side step (1A, 2A, 3A): Ok (Enter) stores and returns, Cancel (Esc) returns
    // without storing; Previous and Next do nothing there.
    void DesignSideStepButtons();
    // A link label: underlined, and its click does the move.
    void MakeLink(platform::forms::Label& link);
    // Popup help while the pointer moves over the controls (a number box with its buttons), or
    // when a list or scroll bar takes the focus.
    static void HelpOn(std::initializer_list<platform::forms::WindowedControl*> controls, const char* key);
    static void HelpOnFocus(platform::forms::WindowedControl& control, const char* key);

    // Shows one of the toolkit's common dialogs with the settings window out of the topmost band.
    // False when the dialog was cancelled or failed (the failure is told to the debug log); the
    // caller then changes nothing. Afterwards, chosen or not, the caller restores the band.
    bool RunCommonDialog(const std::function<void()>& show);
    void RestoreTopmost();

    std::string StepText(const char* key) const;
    static std::string GeneralText(const char* key);

    // The step's message boxes, with the texts of its section.
    settings::PageBoxes boxes_;
    bool Updating = false;
    std::vector<WizardNumberBox*> numberBoxes_;

private:
    void SetColors();
    void SetTexts();
    void ShowAnimationFrame();
    void Animatronic_Timer();
    void cmdTest_Click();

    const StepLayout& layout_;
};

}  // namespace alarmwizard
