// Saving the program's own files (the settings file, the help file). A save that fails never ends
// the program and never passes in silence: the program goes on with what it holds in memory, the
// file on disk stays as it was (the component's save is atomic), the failure goes to the debug
// log, and the user is told in a message box that names the file and the reason. The box comes
// once per file and run, so a save repeated every second does not bring a box every second; the
// next save simply tries again. At Quit the box always comes: what was not saved is lost then.
#pragma once

#include "platform/services/settings_file.h"

namespace core {

// When a failure is told: the box's language key and whether it comes only once per file and run.
struct SaveNotice {
    const char* messageKey;
    bool oncePerRun;
};
inline constexpr SaveNotice kSaveWhileRunning{"MSGBOX Error Save", true};
inline constexpr SaveNotice kSaveAtQuit{"MSGBOX Error Save Quit", false};

// Saves the file; true when it was written. A failure is handled as above.
bool SaveProgramFile(platform::SettingsFile& file, const SaveNotice& notice = kSaveWhileRunning);

}  // namespace core
