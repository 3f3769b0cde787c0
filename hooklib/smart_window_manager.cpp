#include "hooklib/smart_window_manager.h"

#include <algorithm>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/process_state.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"

namespace hooklib {
using namespace platform;

SmartWindowManager::SmartWindowManager(HMODULE instance, std::string skinFolder)
    : Instance(instance), SkinFolder(std::move(skinFolder)) {}

SmartWindowManager::~SmartWindowManager() {
    // Whatever still stands goes now, each reported once.
    while (!windows_.empty()) WindowDestroyed(windows_.back().get());
}

SmartWindow* SmartWindowManager::NewWindow() {
    windows_.push_back(std::make_unique<SmartWindow>(*this));
    return windows_.back().get();
}

AlarmWindowEntry* SmartWindowManager::EntryOf(const SmartWindow* window) {
    auto it = std::find_if(AlarmWindows.begin(), AlarmWindows.end(),
                           [window](const AlarmWindowEntry& e) { return e.window == window; });
    return it == AlarmWindows.end() ? nullptr : &*it;
}

void SmartWindowManager::WindowDestroyed(SmartWindow* window) {
    auto owned = std::find_if(windows_.begin(), windows_.end(),
                              [window](const std::unique_ptr<SmartWindow>& w) { return w.get() == window; });
    if (owned == windows_.end()) return;  // already gone: reported once only
    // Taken out of the manager first, so that nothing the report sets off finds it again.
    std::unique_ptr<SmartWindow> held = std::move(*owned);
    windows_.erase(owned);
    if (AlarmWindowEntry* entry = EntryOf(window)) {
        std::int32_t id = entry->AlarmId;
        AlarmWindows.erase(AlarmWindows.begin() + (entry - AlarmWindows.data()));
        // Sent, not posted: the program has stopped the alarm's sound before the window goes.
        NotifyProgram(CN_ALARMWINDOWCLOSED, id);
    }
    if (window == ClockTooltip) {
        ClockTooltip = nullptr;
        Share().TooltipShown = 0;
    }
    if (window == PopupHelp) {
        PopupHelp = nullptr;
        Share().HelpWindowShown = 0;
    }
    if (SavedTextOwner == window) {
        SavedTextOwner = nullptr;
        SavedText.clear();
    }
    held->Destroy();
}

bool SmartWindowManager::CloseRequested(SmartWindow* window) {
    if (!(window->WindowFlags & kSlideManaged) || !EntryOf(window)) return false;
    const AlarmWindowEntry& e = *EntryOf(window);
    if (window->TimerRuns(kSlideOutTimer)) return true;
    // An alarm file may hold a direction no way can be computed for: the window closes at once.
    if (e.Slide.SlideOutDirection < kSlideHorizontal || e.Slide.SlideOutDirection > kSlideDiagonal) {
        window->WindowFlags &= ~kSlideManaged;
        return false;
    }
    // A slide-out runs from the custom position back out; the routine knows it by the order.
    window->StartSlide(e.CustomPosition, e.Slide.SlideOutDirection, e.Slide.SlideOutAlphaStartValue,
                       e.Slide.SlideOutAlphaStopValue, e.Slide.SlideOutTime, e.Slide.SlideOutAlphaTime);
    return true;
}

void SmartWindowManager::SlideFinished(SmartWindow* window, int which) {
    if (which == 2 && (window->WindowFlags & kSlideManaged)) {
        window->WindowFlags &= ~kSlideManaged;
        window->CloseSmartWindow();
    }
}

void SmartWindowManager::WindowEvent(SmartWindow* window, int event) {
    switch (event) {
        case kLeftPressed: {
            SmartChild* text = window->Child("Text");
            if (!text || (window->WindowFlags & kClosingHintShown)) break;
            SavedText = text->text;
            SavedTextOwner = window;
            const AlarmWindowEntry* e = EntryOf(window);
            bool slidesIn = e && e->Slide.SlideInTime != 0;
            window->ShowHint(slidesIn ? kClosingHint : kClosingHintWithDrag);
            window->WindowFlags |= kClosingHintShown;
            window->StartTimer(kClosingHintTimer);
            break;
        }
        case kLeftReleased:
        case kCursorLeft:
            // Only the window whose hint is shown gets its own text back.
            if (!(window->WindowFlags & kClosingHintShown) || SavedTextOwner != window) break;
            window->WindowFlags &= ~kClosingHintShown;
            window->StopTimer(kClosingHintTimer);
            window->PutTextBack(SavedText);
            SavedTextOwner = nullptr;
            break;
        case kDoubleClicked: window->CloseSmartWindow(); break;
        case kHelpDismissed: NotifyProgram(CN_HELPDISMISSED, HelpId); break;
        default: break;
    }
}

void SmartWindowManager::KillAll() {
    // The list changes while windows close: walk a copy, and skip what went meanwhile.
    std::vector<SmartWindow*> order;
    for (const AlarmWindowEntry& e : AlarmWindows) order.push_back(e.window);
    if (ClockTooltip) order.push_back(ClockTooltip);
    if (PopupHelp) order.push_back(PopupHelp);
    for (SmartWindow* w : order) {
        bool alive = std::any_of(windows_.begin(), windows_.end(),
                                 [w](const std::unique_ptr<SmartWindow>& o) { return o.get() == w; });
        if (alive) w->RequestClose();
    }
}

namespace {
SmartWindowManager* Managers[kContextCount] = {};
SmartWindowManager*& ManagerOfThisContext() { return Managers[static_cast<int>(CurrentContext())]; }
}  // namespace

SmartWindowManager& CreateSmartWindowManager() {
    SmartWindowManager*& m = ManagerOfThisContext();
    if (!m) m = new SmartWindowManager(ThisModule(), std::string(Share().ImageFolder) + "Tooltip\\");
    return *m;
}

SmartWindowManager* ExistingSmartWindowManager() { return ManagerOfThisContext(); }

void FreeSmartWindowManager() {
    SmartWindowManager*& m = ManagerOfThisContext();
    if (!m) return;
    m->KillAll();
    SmartWindowManager* gone = m;
    m = nullptr;
    delete gone;
    // The classes lead to the library's code, which may leave the process after this.
    for (const char* cls : {"OZRSW Drag", "OZRSW Tooltip", "OZRSW FSingle", "OZRSW ToolBox", kSmartChildClass})
        UnregisterClass(cls);
}

}  // namespace hooklib

void OZRKillSmartWindows() {
    if (hooklib::SmartWindowManager* m = hooklib::ExistingSmartWindowManager()) m->KillAll();
}
