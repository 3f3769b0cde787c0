#include "platform/window/panel_area.h"

#include <optional>
#include <utility>

#include "platform/window/screen.h"

namespace platform {

namespace {

struct PanelArea {
    std::optional<RECT> area;
    RECT told;  // the free area the listener heard of last
    std::function<void()> listener;
};

PanelArea& P() {
    static PanelArea panels;
    return panels;
}

}  // namespace

RECT PanelFreeArea() {
    const SIZE screen = ScreenSize();
    const RECT whole{0, 0, screen.cx, screen.cy};
    if (!P().area) return whole;
    const RECT free = IntersectRects(*P().area, whole);
    return free.empty() ? whole : free;
}

void SetPanelFreeArea(const RECT& area) {
    if (P().area && *P().area == area) return;
    P().area = area;
    P().told = PanelFreeArea();
    if (P().listener) P().listener();
}

void PanelFreeAreaMayHaveChanged() {
    const RECT free = PanelFreeArea();
    if (free == P().told) return;
    P().told = free;
    if (P().listener) P().listener();
}

void SetPanelFreeAreaListener(std::function<void()> listener) { P().listener = std::move(listener); }

}  // namespace platform
