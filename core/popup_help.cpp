#include "core/popup_help.h"

#include "core/help_sections.h"
#include "core/language_files.h"
#include "core/language_text.h"
#include "core/library_binding.h"
#include "core/program_settings.h"

namespace core {
namespace {

class LibraryPopupHelp final : public PopupHelpOutput {
public:
    bool Show(const PopupHelpRequest& r) override {
        OZRShowPopupHelp(r.window, r.title, r.text, r.delayMs, r.helpId, r.inflate ? 1 : 0);
        return true;
    }
};

std::optional<ShownHelpEntry>& LastShown() {
    static std::optional<ShownHelpEntry> entry;
    return entry;
}

}  // namespace

std::unique_ptr<PopupHelpOutput> PopupHelpOutput::MakeReal() { return std::make_unique<LibraryPopupHelp>(); }

std::optional<PopupHelpRequest> FindHelpEntry(platform::HWND hWnd, const std::string& helpKey, bool inflate) {
    const std::string titleKey = kLiveHelpMark + helpKey;
    const std::string textKey = titleKey + kHelpTextSuffix;
    if (HelpFile.KeyExists(titleKey) == 0 || HelpFile.KeyExists(textKey) == 0) return std::nullopt;
    return PopupHelpRequest{hWnd,
                            ExpandLineBreaks(HelpFile.ReadString(titleKey)),
                            ExpandLineBreaks(HelpFile.ReadString(textKey)),
                            Settings.PopupHelpDelay,
                            HelpIdOf(helpKey),
                            inflate};
}

void ShowHelp(platform::HWND hWnd, const std::string& helpKey, bool inflate) {
    if (!Settings.PopupHelp) return;
    std::optional<PopupHelpRequest> entry = FindHelpEntry(hWnd, helpKey, inflate);
    if (!entry || !platform::UseService<PopupHelpOutput>().Show(*entry)) return;
    LastShown() = ShownHelpEntry{HelpFile.GetCurrentSection(), helpKey};
}

std::optional<ShownHelpEntry> LastShownHelpEntry() { return LastShown(); }

void ForgetShownHelpEntry() { LastShown().reset(); }

}  // namespace core
