// What the window manager did to top-level windows by its own rules (a move, a size, a maximise,
// a raise) taken into the program's records, so that they never tell of another place or order
// than the one on screen.
#include <algorithm>

#include "platform/window/detail/window_store.h"
#include "platform/window/window_manager.h"

namespace platform {
using namespace detail;

void WindowManagerPlaced(HWND hwnd, const RECT& screen) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel() || w->rect == screen) return;
    ContextScope scope(w->context);
    SetWindowPos(hwnd, HWND{}, screen.left, screen.top, screen.width(), screen.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowManagerStacked(const std::vector<HWND>& topFirst) {
    std::vector<HWND>& list = S().topLevels;
    // The listed windows take the places in the program's order that they hold now, in the
    // window manager's order; a window stays in its band, so the bands keep their places too.
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (std::find(topFirst.begin(), topFirst.end(), list[i]) != topFirst.end()) places.push_back(i);
    std::vector<HWND> ordered;
    for (HWND h : topFirst)
        if (std::find(list.begin(), list.end(), h) != list.end() && std::find(ordered.begin(), ordered.end(), h) == ordered.end())
            ordered.push_back(h);
    std::stable_sort(ordered.begin(), ordered.end(), [](HWND a, HWND b) { return ZBand(*Find(a)) > ZBand(*Find(b)); });
    std::vector<HWND> moved;
    for (std::size_t k = 0; k < places.size() && k < ordered.size(); ++k) {
        if (list[places[k]] != ordered[k]) moved.push_back(ordered[k]);
        list[places[k]] = ordered[k];
    }
    for (HWND h : moved) NotifyChanged(h);
}

void WindowManagerMaximized(HWND hwnd, bool maximized) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel() || w->maximized == maximized) return;
    if (maximized) w->normalRect = w->rect;
    w->maximized = maximized;
    NotifyChanged(hwnd);  // the caption's maximise box changes its face
}

}  // namespace platform
