// Commands: keys, the clock's popup menu, the taskbar menu, a second copy and the pages write a
// command text into PendingCommand and start the one-shot timer Tricker; its tick runs the
// command after the current event or message has been answered. Every command text and what it
// does stand in one table (commands.cpp); the writers name a command, never spell its text.
#pragma once

#include <string>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"

namespace core {

enum class Command { BringToForeground, ProgramSettings, AlarmSettings, About, TimeSync, Quit };

// The text that PendingCommand holds for a command.
const std::string& CommandText(Command command);

// PendingCommand = the command's text, Tricker on. A command written while another is pending
// replaces it.
void RunLater(Command command);
// The ends of a desktop session (a request to end, the display's loss) end the program as Quit
// does: a request runs Quit, as the menu's Exit does without its question; at the display's loss,
// which cannot wait for the loop, Quit's saves are written before the process ends.
void TakeOverOutsideEnds();
// Tricker's tick: runs PendingCommand. An empty text is no command; any other text that names no
// command goes to the debug log and runs nothing.
void RunPendingCommand();
// The clock window's keys (Form_KeyDown of frmMain).
void ClockKeyDown(int keyCode, int shift);

// The never-shown window that holds the clock's popup menu and the alarm manager's.
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
    // The alarm manager page pops this one up on its grid; each item runs one of its commands.
    platform::forms::Menu mnuAlarmManagement{this, "mnuAlarmManagement"};
    platform::forms::Menu mncTest{mnuAlarmManagement, "mncTest"};
    platform::forms::Menu mncRename{mnuAlarmManagement, "mncRename"};
    platform::forms::Menu mncActivate{mnuAlarmManagement, "mncActivate"};
    platform::forms::Menu mncDeactivate{mnuAlarmManagement, "mncDeactivate"};
    platform::forms::Menu mncModify{mnuAlarmManagement, "mncModify"};
    platform::forms::Menu mncDelete{mnuAlarmManagement, "mncDelete"};
    platform::forms::Menu mncNew{mnuAlarmManagement, "mncNew"};

protected:
    void Design() override;

private:
    void mncExit_Click();
};

frmMenuHostForm& frmMenuHost();

}  // namespace core
