#include "core/language_files.h"

#include "core/failure_text.h"
#include "core/language_keys.h"
#include "core/program_settings.h"
#include "platform/services/paths.h"
#include "platform/window/message_box.h"
#include "platform/window/window.h"

namespace core {
namespace {

// The message boxes' buttons speak the language too, where its file has their words; Yes and No
// answer by their first letter.
platform::MessageBoxWords BoxWordsOf(const platform::SettingsFile& file) {
    platform::MessageBoxWords words;
    const struct {
        const char* key;
        std::string platform::MessageBoxWords::*word;
        const char* mark;
    } kWords[] = {{"Ok", &platform::MessageBoxWords::ok, ""},
                  {"Cancel", &platform::MessageBoxWords::cancel, ""},
                  {"Yes", &platform::MessageBoxWords::yes, "&"},
                  {"No", &platform::MessageBoxWords::no, "&"}};
    for (const auto& w : kWords)
        if (std::string text = file.ReadText(kGeneralSection, w.key); !text.empty()) words.*w.word = w.mark + text;
    return words;
}

}  // namespace

std::optional<std::string> LanguageFilePath(std::int16_t language) {
    for (const LanguageChoice& choice : kLanguageFiles)
        if (choice.language == language) return std::string(choice.path);
    return std::nullopt;
}

bool IsUntranslatedCopy(std::int16_t language) {
    const std::optional<std::string> path = LanguageFilePath(language);
    const std::optional<std::string> english = LanguageFilePath(0);
    if (!path || !english || *path == *english) return false;
    // Every section but the header, which names the language.
    auto texts = [](const std::string& file) {
        platform::SettingsFile f;
        f.Open(platform::ProgramFolder() + file);
        platform::SettingsContent content = f.Content();
        if (!content.empty()) content.erase(content.begin());
        return content;
    };
    const platform::SettingsContent translated = texts(*path);
    return !translated.empty() && translated == texts(*english);
}

bool LoadLanguageAndHelp() {
    if (std::optional<std::string> path = LanguageFilePath(Settings.Language)) {
        LanguageFile.Open(platform::ProgramFolder() + *path);
        HelpFile.Open(platform::ProgramFolder() + kHelpFilePath);
    }
    if (LanguageFile.IsLoaded() != 0 && HelpFile.IsLoaded() != 0) {
        platform::SetMessageBoxWords(BoxWordsOf(LanguageFile));
        return true;
    }
    const std::string text = RoutineFailureText("Error in LoadLanguageAndHelp | mdlRoutines.");
    platform::MessageBox(platform::HWND{}, text.c_str(), kLanguageLoadFailureTitle,
                         platform::MB_OK | platform::MB_ICONHAND);
    return false;
}

}  // namespace core
