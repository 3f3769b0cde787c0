#include "core/language_files.h"

#include "core/program_settings.h"
#include "platform/services/paths.h"
#include "platform/window/window.h"

namespace core {

const char* const kLanguageLoadFailureText =
    "Error in LoadLanguageAndHelp | mdlRoutines.\r\n"
    "\r\n"
    "Possible reasons:\r\n"
    "   - Corruption/infection/deletion of program files.\r\n"
    "   - Internal algorithm error.\r\n"
    "\r\n"
    "We are sorry for any inconveniences this error may have caused you. It would be of great help for Dralo "
    "Software Development if you could find a little time and write us a small description of what you were "
    "trying to do when this error occurred. If you do so, we will investigate the problem and provide you with an "
    "explanation or even a newer version of the program if this error was caused by a bug. The contact e-mail "
    "addresses are in the \"About\" section (F6) of the program.";

std::optional<std::string> LanguageFilePath(std::int16_t language) {
    for (const LanguageChoice& choice : kLanguageFiles)
        if (choice.language == language) return std::string(choice.path);
    return std::nullopt;
}

bool LoadLanguageAndHelp() {
    if (std::optional<std::string> path = LanguageFilePath(Settings.Language)) {
        LanguageFile.Open(platform::ProgramFolder() + *path);
        HelpFile.Open(platform::ProgramFolder() + kHelpFilePath);
    }
    if (LanguageFile.IsLoaded() != 0 && HelpFile.IsLoaded() != 0) return true;
    platform::MessageBox(platform::HWND{}, kLanguageLoadFailureText, kLanguageLoadFailureTitle,
                         platform::MB_OK | platform::MB_ICONHAND);
    return false;
}

}  // namespace core
