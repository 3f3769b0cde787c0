#include "alarmwizard/wizard_pages.h"

#include "alarmwizard/frame_steps.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae1a.h"
#include "alarmwizard/frm_seti_rae2a.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "alarmwizard/frm_seti_rae3a.h"
#include "alarmwizard/frm_seti_rae4.h"

namespace alarmwizard {

platform::forms::Form* WizardStepNamed(const std::string& name) {
    using StepForm = platform::forms::Form& (*)();
    static constexpr std::pair<const char*, StepForm> kSteps[] = {
        {kStep1.form, []() -> platform::forms::Form& { return frmSetiRAE1(); }},
        {kStep1A.form, []() -> platform::forms::Form& { return frmSetiRAE1A(); }},
        {kStep2.form, []() -> platform::forms::Form& { return frmSetiRAE2(); }},
        {kStep2A.form, []() -> platform::forms::Form& { return frmSetiRAE2A(); }},
        {kStep3.form, []() -> platform::forms::Form& { return frmSetiRAE3(); }},
        {kStep3A.form, []() -> platform::forms::Form& { return frmSetiRAE3A(); }},
        {kStep4.form, []() -> platform::forms::Form& { return frmSetiRAE4(); }},
    };
    for (auto [stepName, form] : kSteps)
        if (name == stepName) return &form();
    return nullptr;
}

}  // namespace alarmwizard
