#include "core/language_files.h"

#include "core/failure_text.h"
#include "core/program_settings.h"
#include "platform/services/paths.h"
#include "platform/window/window.h"

namespace core {

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
    const std::string text = RoutineFailureText("Error in LoadLanguageAndHelp | mdlRoutines.");
    platform::MessageBox(platform::HWND{}, text.c_str(), kLanguageLoadFailureTitle,
                         platform::MB_OK | platform::MB_ICONHAND);
    return false;
}

}  // namespace core
