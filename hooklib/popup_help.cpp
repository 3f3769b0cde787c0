// Popup help: the program asks for a control's help on every mouse move over it; the help balloon
// shows once the cursor has rested on the control for the delay, and goes when the cursor leaves
// the control or the window that keeps help alive is no longer active.
#include <cstdlib>
#include <string>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/process_state.h"
#include "hooklib/shared_state.h"
#include "hooklib/smart_window_manager.h"

namespace hooklib {
namespace {

using namespace platform;

constexpr int kInflate = 50;        // px around the control when inflate is set
constexpr int kRestTolerance = 5;   // px the cursor may drift and still count as resting

// The program's own copies of the texts of the running cycle.
struct HelpCycle {
    std::string title, text;
};
HelpCycle& Cycle() {
    static HelpCycle cycle[kContextCount];
    return cycle[static_cast<int>(CurrentContext())];
}

SmartWindow* HelpWindow() {
    SmartWindowManager* m = ExistingSmartWindowManager();
    return m ? m->PopupHelp : nullptr;
}

RECT TargetOf(std::uint32_t control, bool inflate = Share().HelpInflate) {
    RECT r;
    GetWindowRect(HWND{control}, &r);
    if (inflate) r = RECT{r.left - kInflate, r.top - kInflate, r.right + kInflate, r.bottom + kInflate};
    return r;
}

POINT Cursor() {
    POINT p;
    GetCursorPos(&p);
    return p;
}

void RememberRestPoint(POINT p) {
    Share().HelpRestPoint[0] = p.x;
    Share().HelpRestPoint[1] = p.y;
}

// True when the active window is the master window or lies inside it.
bool MasterIsActive() {
    const HWND master{Share().TooltipMasterWindow};
    if (!master) return false;
    for (HWND w = GetActiveWindow(); w; w = GetParent(w))
        if (w == master) return true;
    return false;
}

// Closed for the program or the master window: it fades out even with the cursor on the control.
void CloseHelpWindow() {
    if (SmartWindow* w = HelpWindow()) {
        w->ClosedByOwner = true;
        w->CloseSmartWindow();
    }
}

void ShowPopupHelpWindow() {
    SmartWindowManager& m = CreateSmartWindowManager();
    SmartWindow* w = m.NewWindow();
    w->IsPopupHelp = true;
    if (!w->Create(BalloonParams(TargetOf(Share().HelpTarget), 255, 300, 500))) {
        m.WindowDestroyed(w);
        return;
    }
    m.PopupHelp = w;
    Share().HelpWindowShown = w->Handle.id();
    w->SetTitle(Cycle().title);
    w->SetText(Cycle().text);
    w->ApplyWindowFlags(kHelpWindow);
    w->AspectRatio = 2;
    w->AutoSize();
    w->ApplyWindowFlags(kFreezesSoon);
    m.HelpId = Share().HelpId;
}

// A message box over the master window takes the activation; help that comes due meanwhile
// waits for the master instead of showing over the box.
bool MasterIsBusyElsewhere() { return Share().TooltipMasterWindow && !MasterIsActive(); }

void PopupHelpWatchTmrProc(HWND, UINT, UINT_PTR, DWORD) {
    SharedHookState& s = Share();
    // A control that was hidden under a resting cursor (a page that went) ends its cycle too.
    if (!s.HelpTarget || !IsWindowVisible(HWND{s.HelpTarget}) || !TargetOf(s.HelpTarget).contains(Cursor())) {
        StopLibraryTimer(LibraryTimer::HelpDelay);
        StopLibraryTimer(LibraryTimer::HelpWatch);
        s.HelpTarget = 0;
    }
    if (!MasterIsActive()) CloseHelpWindow();
}

void PopupHelpShowTmrProc(HWND, UINT, UINT_PTR, DWORD) {
    SharedHookState& s = Share();
    const POINT now = Cursor();
    if (MasterIsBusyElsewhere()) {
        RememberRestPoint(now);
        return;
    }
    if (!s.HelpInflate &&
        (std::abs(now.x - s.HelpRestPoint[0]) > kRestTolerance || std::abs(now.y - s.HelpRestPoint[1]) > kRestTolerance)) {
        RememberRestPoint(now);
        return;
    }
    StopLibraryTimer(LibraryTimer::HelpDelay);
    ShowPopupHelpWindow();
    RememberRestPoint(now);
}

}  // namespace
}  // namespace hooklib

using namespace hooklib;

void OZRShowPopupHelp(platform::HWND window, const char* title, const char* text, std::int16_t delayMs,
                      std::int16_t helpId, std::uint8_t inflate) {
    CreateSmartWindowManager();
    SharedHookState& s = Share();
    // A control away from the cursor (one that takes the focus as its page comes up) would end
    // its cycle at the watch's first tick: it leaves the balloon of the control under the cursor
    // and its cycle alone.
    if (!TargetOf(window.id(), inflate != 0).contains(Cursor())) return;
    const bool shows = HelpWindow() != nullptr;
    if (window.id() == s.HelpTarget && shows) return;
    s.HelpTarget = window.id();
    s.HelpId = helpId;
    s.HelpInflate = inflate;
    Cycle().title = title ? title : "";
    Cycle().text = text ? text : "";
    if (shows) {
        // The old control's cycle ends here, so that the next call for the new control starts
        // the new one.
        CloseHelpWindow();
        StopLibraryTimer(LibraryTimer::HelpDelay);
        StopLibraryTimer(LibraryTimer::HelpWatch);
        return;
    }
    if (RunsTimer(LibraryTimer::HelpWatch) || RunsTimer(LibraryTimer::HelpDelay)) return;
    StartLibraryTimer(LibraryTimer::HelpWatch, 1, PopupHelpWatchTmrProc);
    StartLibraryTimer(LibraryTimer::HelpDelay, static_cast<platform::UINT>(static_cast<std::uint16_t>(delayMs)),
                      PopupHelpShowTmrProc);
    RememberRestPoint(Cursor());
}

// A help still waiting for its delay does not come either; the control's cycle goes on until the
// cursor leaves it, so its next requests bring no balloon before then.
void OZRRemovePopupHelp() {
    CloseHelpWindow();
    StopLibraryTimer(LibraryTimer::HelpDelay);
}

platform::HWND OZRSpecifyTooltipMasterWindow(platform::HWND window) {
    Share().TooltipMasterWindow = window.id();
    return window;
}
