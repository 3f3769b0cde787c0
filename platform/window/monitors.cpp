// The monitors, the screen metrics they give (the primary monitor's) and the look-ups by place.
#include "platform/window/monitors.h"

#include <algorithm>
#include <limits>

#include "platform/window/context.h"
#include "platform/window/detail/window_store.h"
#include "platform/window/panel_area.h"
#include "platform/window/screen.h"
#include "platform/window/window.h"

namespace platform {

namespace {

struct MonitorState {
    std::vector<RECT> monitors{RECT{0, 0, 1280, 1024}};  // the primary first, its corner at 0,0
    POINT origin;
    RECT published;  // the desktop's work area as the window manager tells it; empty: none
    std::uint32_t generation = 1;
};

MonitorState& M() {
    static MonitorState state;
    return state;
}

constexpr std::uint32_t kIndexBits = 8;

HMONITOR HandleOfIndex(std::size_t index) {
    return HMONITOR{(M().generation << kIndexBits) | static_cast<std::uint32_t>(index + 1)};
}

const RECT* MonitorOf(HMONITOR monitor) {
    const std::uint32_t id = monitor.id();
    const std::size_t index = (id & ((1u << kIndexBits) - 1)) - 1;
    if (!monitor || (id >> kIndexBits) != (M().generation & (std::numeric_limits<std::uint32_t>::max() >> kIndexBits)) ||
        index >= M().monitors.size())
        return nullptr;
    return &M().monitors[index];
}

long long Area(const RECT& r) { return r.empty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

// How far the rectangle lies from the monitor (0 when they touch or overlap), squared.
long long DistanceSquared(const RECT& monitor, const RECT& r) {
    const long long dx = std::max<long long>({0, monitor.left - static_cast<long long>(r.right) + 1, r.left - static_cast<long long>(monitor.right) + 1});
    const long long dy = std::max<long long>({0, monitor.top - static_cast<long long>(r.bottom) + 1, r.top - static_cast<long long>(monitor.bottom) + 1});
    return dx * dx + dy * dy;
}

HMONITOR FromRect(const RECT& rect, DWORD flags) {
    const std::vector<RECT>& list = M().monitors;
    std::size_t best = 0;
    long long bestArea = 0;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (const long long a = Area(IntersectRects(list[i], rect)); a > bestArea) {
            best = i;
            bestArea = a;
        }
    if (bestArea > 0) return HandleOfIndex(best);
    if (flags == MONITOR_DEFAULTTOPRIMARY) return HandleOfIndex(0);
    if (flags != MONITOR_DEFAULTTONEAREST) return HMONITOR{};
    for (std::size_t i = 1; i < list.size(); ++i)
        if (DistanceSquared(list[i], rect) < DistanceSquared(list[best], rect)) best = i;
    return HandleOfIndex(best);
}

RECT WorkAreaOf(const RECT& monitor) {
    const RECT work = IntersectRects(M().published, monitor);
    return work.empty() ? monitor : work;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT point, DWORD flags) { return FromRect(RECT{point.x, point.y, point.x + 1, point.y + 1}, flags); }

HMONITOR MonitorFromRect(const RECT& rect, DWORD flags) {
    // An empty rectangle is looked up by its corner.
    return FromRect(rect.empty() ? RECT{rect.left, rect.top, rect.left + 1, rect.top + 1} : rect, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return flags == MONITOR_DEFAULTTONULL ? HMONITOR{} : HandleOfIndex(0);
    return MonitorFromRect(r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
    const RECT* r = MonitorOf(monitor);
    if (!r || !info) return 0;
    info->rcMonitor = *r;
    info->rcWork = WorkAreaOf(*r);
    info->dwFlags = r == &M().monitors.front() ? MONITORINFOF_PRIMARY : 0;
    return 1;
}

RECT MonitorAreaAt(POINT point) { return *MonitorOf(MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY)); }
RECT MonitorAreaOf(const RECT& rect) { return *MonitorOf(MonitorFromRect(rect, MONITOR_DEFAULTTOPRIMARY)); }
RECT MonitorWorkAreaOf(const RECT& rect) { return WorkAreaOf(MonitorAreaOf(rect)); }

RECT CentringArea(HWND owner) {
    RECT r;
    if (owner && IsWindowVisible(owner) && GetWindowRect(owner, &r)) return MonitorAreaOf(r);
    return M().monitors.front();
}

bool OnSomeMonitor(const RECT& rect) {
    return std::any_of(M().monitors.begin(), M().monitors.end(),
                       [&](const RECT& m) { return !IntersectRects(m, rect).empty(); });
}

RECT VirtualScreen() {
    RECT all;
    for (const RECT& m : M().monitors) all = UnionRects(all, m);
    return all;
}

namespace {

// As the desktop does when a monitor goes: a shown window left on no monitor comes onto the primary
// one, whole where it fits.
void BringBackLostWindows() {
    const RECT primary = M().monitors.front();
    const std::vector<HWND> tops = detail::S().topLevels;
    for (HWND h : tops) {
        const detail::Window* w = detail::Find(h);
        if (!w || !(w->style & WS_VISIBLE) || OnSomeMonitor(w->rect)) continue;
        const LONG x = std::max(primary.left, std::min(w->rect.left, primary.right - w->rect.width()));
        const LONG y = std::max(primary.top, std::min(w->rect.top, primary.bottom - w->rect.height()));
        ContextScope scope(w->context);
        SetWindowPos(h, HWND{}, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

POINT SetMonitorLayout(const std::vector<RECT>& layout, std::size_t primary) {
    std::vector<RECT> monitors;
    if (primary < layout.size() && !layout[primary].empty()) {
        const POINT origin{layout[primary].left, layout[primary].top};
        monitors.push_back(OffsetRectBy(layout[primary], -origin.x, -origin.y));
        for (std::size_t i = 0; i < layout.size(); ++i)
            if (i != primary && !layout[i].empty()) monitors.push_back(OffsetRectBy(layout[i], -origin.x, -origin.y));
        M().origin = origin;
        if (monitors != M().monitors) {
            M().monitors = std::move(monitors);
            ++M().generation;
            BringBackLostWindows();
        }
    }
    PanelFreeAreaMayHaveChanged();
    return M().origin;
}

POINT MonitorLayoutOrigin() { return M().origin; }

SIZE ScreenSize() {
    const RECT& primary = M().monitors.front();
    return SIZE{primary.width(), primary.height()};
}

void SetScreenSize(SIZE size) { SetMonitorLayout({RECT{0, 0, size.cx, size.cy}}, 0); }

RECT WorkArea() { return WorkAreaOf(M().monitors.front()); }

void SetWorkArea(const RECT& area) { M().published = area; }

}  // namespace platform
