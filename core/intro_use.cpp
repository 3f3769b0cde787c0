// Start-up's and the commands' calls into the introduction windows.
#include "core/frm_intro.h"
#include "core/intro_flags.h"
#include "platform/forms/constants.h"

namespace core {

void RunFirstRunIntro() {
    frmIntro().Load();
    frmIntro().PrepareForFirstRunIntro();
    frmIntro().Show(platform::forms::vbModal);
}

void StartGreeting() {
    frmIntro().Load();
    frmIntro().DoGreeting();
}

void UnloadIntro() { frmIntro().Unload(); }

}  // namespace core
