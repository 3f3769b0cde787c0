// Popup help: the pages call ShowHelp from the mouse-move handlers of their controls (and from the
// focus handlers of drop-down lists and scroll bars, which have no mouse-move event); ShowHelp
// looks the control's entry up in the help file's current section and hands it to the library's
// popup help, which shows it after the delay once the pointer rests.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/base.h"
#include "platform/services/registry.h"

namespace core {

// One entry for the library's popup help, in the order of OZRShowPopupHelp's arguments.
struct PopupHelpRequest {
    platform::HWND window;  // the control
    std::string title;      // line breaks as CR LF
    std::string text;
    std::int16_t delayMs;   // PopupHelpDelay
    std::int16_t helpId;    // the number of the help key's first four characters
    bool inflate;           // the library treats the control's rectangle as larger
    bool operator==(const PopupHelpRequest&) const = default;
};

// Who shows an entry: the real service hands it to the library's popup help (OZRShowPopupHelp).
class PopupHelpOutput : public platform::Service {
public:
    static std::unique_ptr<PopupHelpOutput> MakeReal();
    // False when nobody took it.
    virtual bool Show(const PopupHelpRequest& request) = 0;
};

// The entry of helpKey in HelpFile's current section: both "S" + helpKey (the title) and
// "S" + helpKey + "T" (the text) must be there; a dismissed entry ("H" keys) is not found.
// Line-break marks are expanded. The delay is the setting PopupHelpDelay.
std::optional<PopupHelpRequest> FindHelpEntry(platform::HWND hWnd, const std::string& helpKey, bool inflate);

// Hands the entry of helpKey to the library when the setting PopupHelp is on and the entry is
// there; otherwise does nothing (a missing entry is no error). Mouse-move handlers pass inflate
// false, focus handlers true.
void ShowHelp(platform::HWND hWnd, const std::string& helpKey, bool inflate);

// The entry ShowHelp last handed to the library, with the section it came from. Help ids are not
// unique on a page; the library reports a dismissal by id only, and this tells which of the
// entries with that id the user saw.
struct ShownHelpEntry {
    std::string section;
    std::string helpKey;
};
std::optional<ShownHelpEntry> LastShownHelpEntry();
void ForgetShownHelpEntry();

}  // namespace core
