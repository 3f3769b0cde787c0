// The one owner of a process context's smart windows: the open alarm windows in order of
// opening, the clock's hover tooltip and the popup help. It tells the program when an alarm
// window goes or a help text is dismissed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/smart_window.h"

namespace hooklib {


struct AlarmWindowEntry {
    SmartWindow* window = nullptr;
    std::uint8_t CustomPosition = 0;
    SlideSettings Slide{};
    std::int32_t AlarmId = 0;
};

// The events a window passes to its manager.
enum SmartWindowEvent { kLeftPressed = 1, kLeftReleased = 2, kDoubleClicked = 3, kCursorLeft = 4, kHelpDismissed = 5 };

class SmartWindowManager {
public:
    SmartWindowManager(platform::HMODULE instance, std::string skinFolder);
    virtual ~SmartWindowManager();

    // A window went: an alarm window's closing reaches the program once; the window object is
    // destroyed and its entry freed.
    virtual void WindowDestroyed(SmartWindow* window);
    // True when the manager takes the close over (a slide-managed alarm window slides out first).
    virtual bool CloseRequested(SmartWindow* window);
    // which: 1 after a slide-in, 2 after a slide-out.
    virtual void SlideFinished(SmartWindow* window, int which);
    virtual void WindowEvent(SmartWindow* window, int event);

    // Makes a window object the manager owns until WindowDestroyed.
    SmartWindow* NewWindow();
    AlarmWindowEntry* EntryOf(const SmartWindow* window);
    // Asks every window to close: the alarm windows, then the tooltip, then the popup help.
    void KillAll();

    std::vector<AlarmWindowEntry> AlarmWindows;
    SmartWindow* ClockTooltip = nullptr;
    SmartWindow* PopupHelp = nullptr;
    platform::HMODULE Instance;
    std::string SkinFolder;
    std::string SavedText;
    SmartWindow* SavedTextOwner = nullptr;  // whose closing hint SavedText stands in for
    std::int16_t HelpId = 0;

private:
    std::vector<std::unique_ptr<SmartWindow>> windows_;
};

// The closing hints of a style-2 alarm window.
inline constexpr const char* kClosingHint =
    " - To close the window:\r\n    * Press ALT + F4\r\n    * Double-click the window\r\n";
inline constexpr const char* kClosingHintWithDrag =
    " - To close the window:\r\n    * Press ALT + F4\r\n    * Double-click the window\r\n - To move the "
    "window:\r\n    * Simply drag&&drop";

// The calling context's manager, made on first use with the library's module and the skin
// folder (the image folder followed by "Tooltip\").
SmartWindowManager& CreateSmartWindowManager();
// None when the context has not made one.
SmartWindowManager* ExistingSmartWindowManager();
// Kills the context's windows and frees its manager (the library leaves the context).
void FreeSmartWindowManager();

}  // namespace hooklib
