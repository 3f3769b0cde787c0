#include "hooklib/taskbar_probe.h"

#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "platform/shell/tray_messages.h"

namespace hooklib {
namespace {

using platform::HWND;

HWND Slot(std::uint32_t id) { return HWND{id}; }

int WindowHeight(std::uint32_t slot) {
    platform::RECT r;
    return platform::GetWindowRect(Slot(slot), &r) ? r.height() : 0;
}

bool IsHorizontalEdge(std::uint8_t edge) { return edge == kEdgeTop || edge == kEdgeBottom; }

}  // namespace

OsClass ClassifyOs(const platform::OSVERSIONINFO& v) {
    const std::int32_t lowBuild = static_cast<std::int32_t>(v.dwBuildNumber & 0xFFFF);
    if (v.dwPlatformId == platform::VER_PLATFORM_WIN32s || v.dwMajorVersion <= 3) return {1, 0};
    if (v.dwMajorVersion == 4) {
        switch (v.dwMinorVersion) {
            case 0:
                if (v.dwPlatformId == platform::VER_PLATFORM_WIN32_WINDOWS) return {1, lowBuild};
                return {2, 0};
            case 10: return {3, lowBuild};
            case 90: return {4, lowBuild};
            default: return {1, 0};
        }
    }
    if (v.dwMajorVersion == 5) {
        switch (v.dwMinorVersion) {
            case 0: return {5, 0};
            case 1: return {6, 0};
            case 2: return {7, 0};
            default: return {1, 0};
        }
    }
    if (v.dwMajorVersion == 6) return {8, 0};
    return {100, 0};
}

std::uint8_t EdgeOfTaskbar(const platform::RECT& r, platform::SIZE screen) {
    const int halfWidth = screen.cx / 2, halfHeight = screen.cy / 2;
    if (r.top >= halfHeight) return kEdgeBottom;
    if (r.left >= halfWidth) return kEdgeRight;
    if (r.bottom < halfHeight) return kEdgeTop;
    return kEdgeLeft;
}

void DetermineOSVersion() {
    platform::OSVERSIONINFO version;
    OsClass c;
    if (platform::GetVersionEx(&version)) c = ClassifyOs(version);
    Share().OSCode = c.code;
    Share().OSBuild = c.build;
}

std::uint8_t DetermineTaskBarPosition() {
    SharedHookState& s = Share();
    platform::RECT bar;
    platform::GetWindowRect(Slot(s.TaskbarWindow), &bar);
    const platform::SIZE screen{platform::GetSystemMetrics(platform::SM_CXSCREEN),
                                platform::GetSystemMetrics(platform::SM_CYSCREEN)};
    const std::uint8_t edge = EdgeOfTaskbar(bar, screen);
    if (s.BugFixer && s.TaskbarDropped) {
        s.TaskbarDropped = 0;
        if (IsHorizontalEdge(edge) && WindowHeight(s.TrayNotifyWindow) < 32) {
            platform::SendMessage(Slot(s.TaskbarWindow), platform::WM_SIZING, 3, 0);
            platform::SendMessage(Slot(s.TaskbarWindow), platform::WM_EXITSIZEMOVE, 0, 0);
            LogDebug("{DetermineTaskBarPosition}: Made additional bug-fix operations for dropped TaskBar.");
        }
    }
    LogDebugNumber("{DetermineTaskBarPosition}: TaskBar position calculated. Result:", edge);
    return edge;
}

bool IsChevronVisible() {
    platform::RECT r;
    return platform::GetWindowRect(Slot(Share().Chevron), &r) && r.width() != 0 && r.height() != 0;
}

int CountSystrayIcons() {
    const HWND toolbar = Slot(Share().NotificationToolbar);
    const int buttons = static_cast<int>(platform::SendMessage(toolbar, platform::TB_BUTTONCOUNT, 0, 0));
    int count = 0;
    for (int i = 0; i < buttons; ++i) {
        platform::TBBUTTON button;
        button.iString = 0;
        if (!platform::SendMessage(toolbar, platform::TB_GETBUTTON, static_cast<platform::WPARAM>(i),
                                   reinterpret_cast<platform::LPARAM>(&button)))
            continue;
        const bool shown = button.fsState == platform::TBSTATE_ENABLED ||
                           button.fsState == (platform::TBSTATE_ENABLED | platform::TBSTATE_WRAP);
        if (shown && button.iString != -1) ++count;
    }
    LogDebugNumber("{CountSystrayIcons}: Computed number of Systray icons:", count);
    return count;
}

void NudgeTaskBar() {
    const HWND bar = Slot(Share().TaskbarWindow);
    platform::SendMessage(bar, platform::WM_SIZING, 3, 0);
    platform::SendMessage(bar, platform::WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace hooklib
