// Hooking the tray clock's thread, taking the taskbar's windows over on the first hook call, and
// giving everything back.
#include "hooklib/tray_hook.h"

#include <algorithm>

#include "hooklib/clock_image.h"
#include "hooklib/clock_labels.h"
#include "hooklib/context_labels.h"
#include "hooklib/label_batch.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/clock_tooltip.h"
#include "hooklib/pending_steps.h"
#include "hooklib/process_state.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "hooklib/taskbar_menu.h"
#include "hooklib/taskbar_probe.h"
#include "platform/draw/gdi_objects.h"
#include "platform/shell/tray_messages.h"

namespace hooklib {
namespace {

using platform::HWND;

HWND Slot(std::uint32_t id) { return HWND{id}; }

// The hook state that each hook starts from; settings keep their values.
void ResetHookState(bool keepSubclassing) {
    SharedHookState& s = Share();
    s.TrayClockHeight = s.TrayClockWidth = 0;
    s.StagedLabelIndex = s.HookLabelCount = 0;
    s.LabelPositionPending = s.LabelPropertiesPending = s.LabelAllocPending = 0;
    s.ColourCount = s.LabelsReported = s.DataBridgeFirstTick = s.LabelsShareBackground = s.EasyTransparency = 0;
    s.LastUnhookResult = 0;
    std::fill(std::begin(s.RestoredProcedures), std::end(s.RestoredProcedures), 0);
    s.ClickPending = s.UnhookPending = s.TooltipShown = 0;
    if (!keepSubclassing) s.Subclassed = 0;
    s.FakeIconData = SharedIconRecord{};
    s.FakeIconData.Size = sizeof(SharedIconRecord);
    s.FakeIconData.Window = 3;
    s.TaskbarDropped = s.TaskbarDragging = s.FakeIconPresent = s.TaskbarMoved = s.MenuPainting = s.MenuOpen = 0;
    s.PaintCountdown = 0;
    s.BackgroundFrozen = 0;
    s.SizeFixCount = 0;
}

void FindTaskbarWindows() {
    SharedHookState& s = Share();
    auto find = [](HWND parent, const char* cls, const char* title) {
        return platform::FindWindowEx(parent, HWND{}, cls, title).id();
    };
    s.TaskbarWindow = find(HWND{}, platform::kTaskbarClass, nullptr);
    s.TaskBandWindow = s.TaskbarWindow ? find(Slot(s.TaskbarWindow), platform::kTaskBandClass, nullptr) : 0;
    s.TrayNotifyWindow = s.TaskbarWindow ? find(Slot(s.TaskbarWindow), platform::kTrayNotifyClass, nullptr) : 0;
    const HWND tray = Slot(s.TrayNotifyWindow);
    s.TrayClockWindow = tray ? find(tray, platform::kTrayClockClass, nullptr) : 0;
    s.TrayPager = tray ? find(tray, platform::kTrayPagerClass, nullptr) : 0;
    s.Chevron = tray ? find(tray, platform::kChevronClass, nullptr) : 0;
    s.NotificationToolbar =
        s.TrayPager ? find(Slot(s.TrayPager), platform::kToolbarClass, platform::kNotificationAreaTitle) : 0;
    // Only this process's main window; a copy of the program elsewhere is not ours to report to.
    s.MainWindow = platform::FindWindowEx(HWND{}, HWND{}, nullptr, kMainWindowTitle).id();
    s.MainWindowFound = s.MainWindow;
}

// Puts our procedure on a window, never over itself, keeping the one it replaces.
void Subclass(std::uint32_t window, platform::WNDPROC ours, std::int32_t& previous) {
    const HWND hwnd = Slot(window);
    const platform::LONG id = platform::AddressOf(ours);
    if (!hwnd || platform::GetWindowLong(hwnd, platform::GWL_WNDPROC) == id) return;
    if (platform::LONG replaced = platform::SetWindowLong(hwnd, platform::GWL_WNDPROC, id)) previous = replaced;
}

// Gives a window its procedure back while it still runs ours; the result of the change.
std::int32_t Unsubclass(std::uint32_t window, platform::WNDPROC ours, std::int32_t previous) {
    const HWND hwnd = Slot(window);
    if (!previous || platform::GetWindowLong(hwnd, platform::GWL_WNDPROC) != platform::AddressOf(ours)) return 0;
    return platform::SetWindowLong(hwnd, platform::GWL_WNDPROC, previous);
}

bool RunsOurProcedure(std::uint32_t window, platform::WNDPROC ours) {
    return window && platform::GetWindowLong(Slot(window), platform::GWL_WNDPROC) == platform::AddressOf(ours);
}

// Whether the tray clock's class had double clicks before the library took them, per context: the
// unload gives the taskbar its class style back as it found it.
bool& ClockDoubleClicksTaken() {
    static bool taken[platform::kContextCount] = {};
    return taken[static_cast<int>(platform::CurrentContext())];
}

void SubclassTaskbarWindows() {
    SharedHookState& s = Share();
    Subclass(s.TrayClockWindow, WndProcTrayClock, s.PreviousClockProc);
    Subclass(s.TrayNotifyWindow, WndProcSystray, s.PreviousTrayProc);
    Subclass(s.TaskbarWindow, WndProcTaskBar, s.PreviousTaskbarProc);
    // The library tells single from double clicks itself.
    const HWND clock = Slot(s.TrayClockWindow);
    const platform::DWORD style = platform::GetClassLong(clock, platform::GCL_STYLE);
    ClockDoubleClicksTaken() = (style & platform::CS_DBLCLKS) != 0;
    platform::SetClassLong(clock, platform::GCL_STYLE, static_cast<platform::LONG>(style & ~platform::CS_DBLCLKS));
    s.Subclassed = 1;
    LogDebug("{CALLBACK => MsgProc}: Windows subclassed.");
}

void RepaintClock() {
    const HWND clock = Slot(Share().TrayClockWindow);
    platform::InvalidateRect(clock, nullptr, 1);
    platform::SendMessage(clock, platform::WM_PAINT, 0, 0);
}

// Asks the taskbar's context to unload; what the program's context runs stops here.
void ReleaseTaskbar() {
    SharedHookState& s = Share();
    s.UnhookPending = 1;
    platform::SendMessage(Slot(s.TrayClockWindow), platform::WM_PAINT, 0, 0);
    StopOwnTimers();
    // A hook the taskbar could not take the request through (its clock is gone) goes from here.
    if (s.Hook) DLLUnloadProcedures();
}

// Between 1 ms and about 24 days, as a timer takes it.
platform::UINT TimerInterval(std::int32_t ms) { return static_cast<platform::UINT>(std::max<std::int32_t>(ms, 1)); }

std::int16_t SaturatedSize(int n) { return static_cast<std::int16_t>(std::clamp(n + 4, -32768, 32767)); }

void SetTraySize(std::int16_t& stored, std::int16_t n) {
    if (Share().TaskbarDragging) return;
    if (n >= stored - 3 && n <= stored + 3) return;
    stored = SaturatedSize(n);
    NudgeTaskBar();
}

}  // namespace

platform::LRESULT MsgProc(int code, platform::WPARAM wParam, platform::LPARAM lParam) {
    SharedHookState& s = Share();
    const platform::HHOOK self{s.Hook};
    if (!s.Subclassed) SubclassTaskbarWindows();
    if (s.UnhookPending) {
        s.UnhookPending = 0;
        DLLUnloadProcedures();
        return platform::CallNextHookEx(self, code, wParam, lParam);
    }
    ServeLabelRequests();
    if (!s.LabelsReported && FindLabelStore(s.HookLabels)) SynchronizeWithProgram();
    return platform::CallNextHookEx(self, code, wParam, lParam);
}

void RefreshTmrProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD) { RepaintClock(); }

void OnQuit() {
    StopClockTooltipTimers();
    LogDebug("OnQuit");
}

void DLLUnloadProcedures() {
    SharedHookState& s = Share();
    s.UnhookPending = 1;
    DestroySmartWindowManager();
    // The painting captures a strip again only while its handle is clear. A bitmap of the other
    // context is refused here and stays that context's.
    for (std::uint32_t* bitmap : {&s.VerticalFrozenBackground, &s.HorizontalFrozenBackground, &s.RowStrip, &s.ColumnStrip}) {
        if (*bitmap) platform::DeleteObject(platform::HBITMAP{*bitmap});
        *bitmap = 0;
    }
    ReleaseClockImage();
    // Only the taskbar's context can give its windows their procedures back; elsewhere this fails
    // without effect and the taskbar's own unload does it.
    s.RestoredProcedures[0] = Unsubclass(s.TrayClockWindow, WndProcTrayClock, s.PreviousClockProc);
    if (s.RestoredProcedures[0] && ClockDoubleClicksTaken()) {
        const HWND clock = Slot(s.TrayClockWindow);
        platform::SetClassLong(clock, platform::GCL_STYLE,
                               static_cast<platform::LONG>(platform::GetClassLong(clock, platform::GCL_STYLE) |
                                                           platform::CS_DBLCLKS));
        ClockDoubleClicksTaken() = false;
    }
    s.RestoredProcedures[1] = Unsubclass(s.TrayNotifyWindow, WndProcSystray, s.PreviousTrayProc);
    s.RestoredProcedures[2] = Unsubclass(s.TaskbarWindow, WndProcTaskBar, s.PreviousTaskbarProc);
    // A taskbar menu still open keeps its window: it must not lead into a library that leaves.
    if (platform::IsWindow(Slot(s.MenuWindow))) Unsubclass(s.MenuWindow, WndprocTaskBarMenu, s.PreviousMenuProc);
    s.Subclassed = RunsOurProcedure(s.TrayClockWindow, WndProcTrayClock) ||
                   RunsOurProcedure(s.TrayNotifyWindow, WndProcSystray) ||
                   RunsOurProcedure(s.TaskbarWindow, WndProcTaskBar);
    if (s.Hook) {
        s.LastUnhookResult = platform::UnhookWindowsHookEx(platform::HHOOK{s.Hook});
        s.Hook = 0;
    }
    OnQuit();
    // Each context stops the timers it started; the ids go from the section wherever this runs.
    StopOwnTimers();
    s.ClickTimer = s.DataBridgeTimer = s.RefreshTimer = 0;
    RepaintClock();
    NudgeTaskBar();
    if (s.SavedTaskbarExStyle) {
        platform::SetWindowLong(Slot(s.TaskbarWindow), platform::GWL_EXSTYLE, s.SavedTaskbarExStyle);
        s.SavedTaskbarExStyle = 0;
    }
    ReleaseBehaviorQueue();
    LogDebug("{DLLUnloadProcedures}: DLL unloaded!");
}

}  // namespace hooklib

using namespace hooklib;

std::uint32_t OZRHookSystem() {
    SharedHookState& s = Share();
    // A hook still in place (the program sets the library up again without releasing it) is
    // kept with its subclassing and timers; in floating mode it is released first.
    if (s.Hook && s.FloatingMode) ReleaseTaskbar();
    const bool hookLive = s.Hook != 0;
    const std::uint32_t hookedClock = s.TrayClockWindow;
    ResetHookState(hookLive);
    FindTaskbarWindows();
    DetermineOSVersion();
    s.DataBridgeFirstTick = 1;
    if (s.FloatingMode) return static_cast<std::uint32_t>(StartLibraryTimer(LibraryTimer::DataBridge, 1, DataBridgeTmrProc));

    const HWND clock = Slot(s.TrayClockWindow);
    if (hookLive && (s.TrayClockWindow != hookedClock || !platform::IsWindow(clock))) {
        // The windows the old hook took over are gone with their taskbar.
        platform::UnhookWindowsHookEx(platform::HHOOK{s.Hook});
        s.Hook = 0;
        s.Subclassed = 0;
    }
    if (!clock) {
        LogDebug("{WINAPI => OZRHookSystem}: Taskbar clock not found. System not hooked.");
        return 0;
    }
    const HWND taskbar = Slot(s.TaskbarWindow);
    if (s.OSCode > 5 && taskbar && !s.SavedTaskbarExStyle) {
        s.SavedTaskbarExStyle = platform::GetWindowLong(taskbar, platform::GWL_EXSTYLE);
        platform::SetWindowLong(taskbar, platform::GWL_EXSTYLE, s.SavedTaskbarExStyle | platform::WS_EX_LAYERED);
        platform::SetLayeredWindowAttributes(taskbar, 0, 255, platform::LWA_ALPHA);
    }
    StartLibraryTimer(LibraryTimer::DataBridge, 300, DataBridgeTmrProc);
    StartLibraryTimer(LibraryTimer::Refresh, TimerInterval(s.Refresh), RefreshTmrProc);
    if (!s.Hook) {
        const platform::DWORD thread = platform::GetWindowThreadProcessId(clock, nullptr);
        s.Hook = platform::SetWindowsHookEx(platform::WH_CALLWNDPROC, MsgProc, ThisModule().id(), thread).id();
        if (!s.Hook) {
            StopOwnTimers();
            LogDebug("{WINAPI => OZRHookSystem}: The hook could not be installed. System not hooked.");
            return 0;
        }
    }
    RepaintClock();
    NudgeTaskBar();
    const std::uint8_t edge = DetermineTaskBarPosition();
    s.TaskbarPosition = s.PreviousTaskbarEdge = s.CurrentTaskbarEdge = edge;
    LogDebug("{WINAPI => OZRHookSystem}: DLL loaded! System hooked.");
    return s.Hook;
}

void OZRUnHookSystem() {
    if (Share().FloatingMode) {
        DLLUnloadProcedures();
        return;
    }
    ReleaseTaskbar();
    LogDebug("{WINAPI => OZRUnHookSystem}: Command to unload DLL received.");
}

void OZRSetClockWidth(std::int16_t width) { SetTraySize(Share().TrayClockWidth, width); }

void OZRSetClockHeight(std::int16_t height) { SetTraySize(Share().TrayClockHeight, height); }

void OZRSetClockRefresh(std::int32_t intervalMs) { Share().Refresh = intervalMs; }

void OZRSetClockBugFixer(std::uint8_t on) { Share().BugFixer = on; }
