#include "settings/settings_pages.h"

#include <memory>
#include <vector>

#include "alarmmanager/frm_seti_ral.h"
#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/wizard_pages.h"
#include "core/globals.h"
#include "core/popup_help.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_as.h"
#include "settings/frm_seti_at.h"
#include "settings/frm_seti_av.h"
#include "settings/frm_seti_ev.h"
#include "settings/frm_seti_go.h"
#include "settings/frm_seti_la.h"
#include "settings/frm_seti_lc.h"
#include "settings/settings_tree.h"

namespace settings {

using namespace platform::forms;

void DesignPage(Form& page) {
    page.BorderStyle = vbBSNone;
    page.ShowInTaskbar = false;
    page.ControlBox = false;
    page.Width = kPageWidth;
    page.Height = kPageHeight;
}

void PlacePage(Form& page) {
    if (core::SkipPageScaling) return;
    page.Move(frmSeti().frmDesc.Left * 15, frmSeti().frmDesc.Top * 15);
}

std::optional<SchemeColors> CurrentPalette() { return SchemePalette(core::Settings.ColorScheme); }

void ColorControls(std::initializer_list<InteractiveControl*> controls, const SchemeColors& palette) {
    for (InteractiveControl* c : controls) {
        c->BackColor = palette.back;
        c->ForeColor = palette.text;
    }
}

void ShowHelpOnMouseMove(WindowedControl& control, const char* helpKey) {
    control.MouseMove = [&control, helpKey](int, int, int, int) { core::ShowHelp(control.hWnd, helpKey, false); };
}

void BlankPage::Design() { DesignPage(*this); }

void BlankPage::Form_Load() {
    PlacePage(*this);
    if (auto palette = CurrentPalette()) BackColor = palette->back;
}

Form* PageNamed(const std::string& name) {
    if (name == frmSetiGO().Name()) return &frmSetiGO();
    if (name == frmSetiAV().Name()) return &frmSetiAV();
    if (name == frmSetiAS().Name()) return &frmSetiAS();
    if (name == frmSetiLA().Name()) return &frmSetiLA();
    if (name == frmSetiLC().Name()) return &frmSetiLC();
    if (name == frmSetiAT().Name()) return &frmSetiAT();
    if (name == frmSetiEV().Name()) return &frmSetiEV();
    if (name == alarmmanager::frmSetiRAM().Name()) return &alarmmanager::frmSetiRAM();
    // The alarm lists page has no node; it is shown by its Name only.
    if (name == alarmmanager::frmSetiRAL().Name()) return &alarmmanager::frmSetiRAL();
    if (Form* step = alarmwizard::WizardStepNamed(name)) return step;
    // The pages of the other nodes, empty until they are built.
    static std::vector<std::unique_ptr<BlankPage>> blanks;
    for (auto& blank : blanks)
        if (blank->Name() == name) return blank.get();
    if (NodeIndexOfPage(name) == 0) return nullptr;
    blanks.push_back(std::make_unique<BlankPage>(name));
    return blanks.back().get();
}

}  // namespace settings
