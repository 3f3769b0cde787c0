// Commands: keys, the clock's popup menu, the taskbar menu and a second copy write a command text
// into PendingCommand and start the one-shot timer Tricker; its tick runs the command after the
// current event or message has been answered.
#pragma once

#include <string>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"

namespace core {

// PendingCommand = text, Tricker on.
void RunLater(const std::string& text);
// Tricker's tick: runs PendingCommand.
void RunPendingCommand();
// The clock window's keys (Form_KeyDown of frmMain).
void ClockKeyDown(int keyCode, int shift);

// The never-shown window that holds the clock's popup menu.
class frmMenuHostForm : public platform::forms::Form {
public:
    frmMenuHostForm();
    platform::forms::Menu mnuMain{this, "mnuMain"};
    platform::forms::Menu mncProgramSettings{mnuMain, "mncProgramSettings"};
    platform::forms::Menu mncAlarmSettings{mnuMain, "mncAlarmSettings"};
    platform::forms::Menu mncAtomicClock{mnuMain, "mncAtomicClock"};
    platform::forms::Menu mncNull{mnuMain, "mncNull"};
    platform::forms::Menu mncAbout{mnuMain, "mncAbout"};
    platform::forms::Menu mncExit{mnuMain, "mncExit"};

protected:
    void Design() override;

private:
    void mncExit_Click();
};

frmMenuHostForm& frmMenuHost();

}  // namespace core
