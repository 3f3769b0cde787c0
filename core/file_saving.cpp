#include "core/file_saving.h"

#include <set>
#include <string>

#include "core/debug_log.h"
#include "core/language_text.h"
#include "platform/window/message_box.h"
#include "platform/window/window.h"

namespace core {
namespace {

// The files whose failure the user was told of in this run.
std::set<std::string>& ToldFiles() {
    static std::set<std::string> told;
    return told;
}

void TellSaveFailure(const platform::SaveError& error, const SaveNotice& notice) {
    DebugLog("[SaveProgramFile]: " + std::string(error.what()));
    if (notice.oncePerRun && !ToldFiles().insert(error.Path()).second) return;
    std::string text = LanguageText("General", notice.messageKey, "The file %1 could not be saved (%2).");
    ReplaceAll(text, "%1", error.Path());
    ReplaceAll(text, "%2", error.Reason());
    const std::string title = "OZR Ruriv - " + LanguageText("General", "MSGBOX Error", "Error!");
    platform::MessageBox(platform::HWND{}, text.c_str(), title.c_str(), platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

}  // namespace

bool SaveProgramFile(platform::SettingsFile& file, const SaveNotice& notice) {
    try {
        return file.Save() == 1;
    } catch (const platform::SaveError& error) {
        TellSaveFailure(error, notice);
        return false;
    }
}

}  // namespace core
