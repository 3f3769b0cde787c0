#include "settings/settings_commands.h"

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/intro_flags.h"
#include "settings/frm_about.h"
#include "settings/frm_seti.h"

namespace settings {

void OpenSettingsWindow(std::int16_t expandNode, std::int16_t selectNode) {
    if (core::SettingsWindowOpen) {
        frmSeti().AlwaysOnTop(true);
        if (!core::Settings.AlwaysOnTopWindows) frmSeti().AlwaysOnTop(false);
        return;
    }
    if (frmAbout().IsLoaded()) return;
    core::ModalWindowOpen = true;
    core::TreeExpandNode = expandNode;
    core::TreeSelectNode = selectNode;
    frmSeti().Load();  // its Load shows it
}

void OpenAboutWindow() {
    if (core::IntroShowing) core::UnloadIntro();
    if (core::ModalWindowOpen || core::IntroShowing) return;
    core::ModalWindowOpen = true;
    core::frmMain().BodyMovin.Enabled = false;
    frmAbout().Load();
    frmAbout().Show();
    frmAbout().cmdClose.SetFocus();
}

}  // namespace settings
