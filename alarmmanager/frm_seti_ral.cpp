#include "alarmmanager/frm_seti_ral.h"

#include <initializer_list>

#include "core/language_files.h"
#include "settings/settings_pages.h"

namespace alarmmanager {

using namespace platform::forms;

frmSetiRALForm::frmSetiRALForm() : Form("frmSetiRAL") {}

frmSetiRALForm& frmSetiRAL() {
    static frmSetiRALForm form;
    return form;
}

void frmSetiRALForm::Design() {
    settings::DesignPage(*this);
    frmMisc.Move(240, 240, 5490, 2340);
    frmMisc.Caption = "Alarm Lists";
    lblXRelative.Move(240, 420, 5010, 300);
    lblXRelative.Caption = "This section is not available.";
    Label1.Move(240, 900, 5010, 900);
    Label1.WordWrap = true;
    Label1.Caption = "Alarm lists cannot be managed separately in this version of OZR Ruriv. "
                     "Every alarm is shown on the Alarm Manager page.";
    lblOZR.Move(240, 1920, 5010, 300);
    lblOZR.Caption = "OZR Ruriv";
}

void frmSetiRALForm::Form_Load() {
    settings::PlacePage(*this);
    SetColors();
    core::HelpFile.SelectSection(kAlarmListsHelpSection);
}

void frmSetiRALForm::SetColors() {
    auto palette = settings::CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{&frmMisc, &lblXRelative, &Label1, &lblOZR}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
}

}  // namespace alarmmanager
