// The monitors, the screen metrics they give (the primary monitor's) and the look-ups by place.
#include "platform/window/monitors.h"

#include <algorithm>

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
};

MonitorState& M() {
    static MonitorState state;
    return state;
}

long long Area(const RECT& r) { return r.empty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

// The monitor that holds most of the rectangle; the primary one where none holds any of it.
const RECT& Holding(const RECT& rect) {
    const RECT* best = &M().monitors.front();
    long long bestArea = 0;
    for (const RECT& m : M().monitors)
        if (const long long a = Area(IntersectRects(m, rect)); a > bestArea) {
            best = &m;
            bestArea = a;
        }
    return *best;
}

RECT WorkAreaOf(const RECT& monitor) {
    const RECT work = IntersectRects(M().published, monitor);
    return work.empty() ? monitor : work;
}

}  // namespace

RECT MonitorAreaAt(POINT point) { return Holding(RECT{point.x, point.y, point.x + 1, point.y + 1}); }
// An empty rectangle is looked up by its corner.
RECT MonitorAreaOf(const RECT& rect) {
    return Holding(rect.empty() ? RECT{rect.left, rect.top, rect.left + 1, rect.top + 1} : rect);
}
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

RECT KeptWithin(const RECT& rect, const RECT& area) {
    const LONG x = std::max(area.left, std::min(rect.left, area.right - rect.width()));
    const LONG y = std::max(area.top, std::min(rect.top, area.bottom - rect.height()));
    return OffsetRectBy(rect, x - rect.left, y - rect.top);
}

namespace {

long long Covered(const RECT& rect) {
    long long sum = 0;
    for (const RECT& m : M().monitors) sum += Area(IntersectRects(m, rect));
    return sum;
}

// How far the rectangle lies from the monitor, across and down (0 for one that touches it).
long long Gap(const RECT& rect, const RECT& m) {
    const long long dx = std::max<long long>({0, m.left - rect.right, rect.left - m.right});
    const long long dy = std::max<long long>({0, m.top - rect.bottom, rect.top - m.bottom});
    return dx * dx + dy * dy;
}

const RECT& Nearest(const RECT& rect) {
    if (OnSomeMonitor(rect)) return Holding(rect);
    return *std::min_element(M().monitors.begin(), M().monitors.end(),
                             [&](const RECT& a, const RECT& b) { return Gap(rect, a) < Gap(rect, b); });
}

}  // namespace

RECT KeptOnMonitor(const RECT& rect) {
    const RECT probe = rect.empty() ? RECT{rect.left, rect.top, rect.left + 1, rect.top + 1} : rect;
    if (Covered(probe) >= Area(probe)) return rect;
    return KeptWithin(rect, Nearest(probe));
}

namespace {

// As the desktop does when a monitor goes or shrinks: a shown window that the monitors left no
// longer cover whole comes wholly onto the nearest of them (its program hears of it as a move).
void BringBackLostWindows() {
    const std::vector<HWND> tops = detail::S().topLevels;
    for (HWND h : tops) {
        const detail::Window* w = detail::Find(h);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized) continue;
        const RECT kept = KeptOnMonitor(w->rect);
        if (kept == w->rect) continue;
        ContextScope scope(w->context);
        SetWindowPos(h, HWND{}, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
