// frmSetiRAL: the alarm lists page, a place kept for a section this version does not have; it only
// says so, in the colour scheme.
#pragma once

#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"

namespace alarmmanager {

inline constexpr const char* kAlarmListsHelpSection = "Popup Help System - Alarm Settings - Alarm Lists";

class frmSetiRALForm : public platform::forms::Form {
public:
    frmSetiRALForm();

    platform::forms::Frame frmMisc{this, "frmMisc"};
    platform::forms::Label lblXRelative{frmMisc, "lblXRelative"};
    platform::forms::Label Label1{frmMisc, "Label1"};
    platform::forms::Label lblOZR{frmMisc, "lblOZR"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void SetColors();
};

frmSetiRALForm& frmSetiRAL();

}  // namespace alarmmanager
