// Laying the taskbar out: the bar on its edge, the task band, and the notification area with its
// chevron, icons and clock. The clock is asked for its size at every layout.
#include <algorithm>

#include "platform/shell/detail/taskbar_state.h"
#include "platform/window/screen.h"

namespace platform::detail {
namespace {

void Place(HWND hwnd, int x, int y, int width, int height) {
    SetWindowPos(hwnd, HWND{}, x, y, std::max(0, width), std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void SnapToEdge() {
    RECT r = TaskbarRectOnEdge(TB().edge);
    SetWindowPos(TB().windows.taskbar, HWND{}, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The size the clock asks for, kept within the screen.
SIZE AskClockSize(HWND clock) {
    LRESULT answer = SendMessage(clock, WM_TRAYCLOCKSIZE, 0, 0);
    SIZE screen = ScreenSize();
    return SIZE{std::min<LONG>(LOWORD(static_cast<std::uintptr_t>(answer)), screen.cx),
                std::min<LONG>(HIWORD(static_cast<std::uintptr_t>(answer)), screen.cy)};
}

// Horizontal: [chevron or 1 px][icons][clock][3 px], right-aligned in the bar.
void LayoutHorizontal(const TaskbarWindows& w, RECT bar, SIZE clock, int shown, bool chevron) {
    int trayHeight = bar.height() - 2 * kBorder;
    int lead = chevron ? kChevronSize : 1;
    int iconsWidth = kIconCell * shown;
    int trayWidth = lead + iconsWidth + clock.cx + 3;
    int trayX = std::max(kBorder, bar.width() - kBorder - trayWidth);
    Place(w.taskBand, kBorder, kBorder, trayX - 2 * kBorder, trayHeight);
    Place(w.tray, trayX, kBorder, trayWidth, trayHeight);
    int chevronSize = chevron ? kChevronSize : 0;
    Place(w.chevron, 0, (trayHeight - kChevronSize) / 2, chevronSize, chevronSize);
    Place(w.pager, lead, (trayHeight - kIconCell) / 2, iconsWidth, kIconCell);
    Place(w.toolbar, 0, 0, iconsWidth, kIconCell);
    Place(w.clock, lead + iconsWidth, 0, clock.cx, trayHeight);
}

// Vertical: the chevron, rows of icons and the clock, stacked at the bottom of the bar.
void LayoutVertical(const TaskbarWindows& w, RECT bar, SIZE clock, int shown, bool chevron) {
    int trayWidth = bar.width() - 2 * kBorder;
    int perRow = IconsPerRow();
    int rows = (shown + perRow - 1) / perRow;
    int chevronSize = chevron ? kChevronSize : 0;
    int iconsWidth = perRow * kIconCell, iconsHeight = rows * kIconCell;
    int trayHeight = 1 + chevronSize + iconsHeight + 2 + clock.cy + 3;
    int trayY = std::max(kBorder, bar.height() - kBorder - trayHeight);
    Place(w.taskBand, kBorder, kBorder, trayWidth, trayY - 2 * kBorder);
    Place(w.tray, kBorder, trayY, trayWidth, trayHeight);
    Place(w.chevron, (trayWidth - kChevronSize) / 2, 1, chevronSize, chevronSize);
    Place(w.pager, (trayWidth - iconsWidth) / 2, 1 + chevronSize, iconsWidth, iconsHeight);
    Place(w.toolbar, 0, 0, iconsWidth, iconsHeight);
    Place(w.clock, 0, 1 + chevronSize + iconsHeight + 2, trayWidth, clock.cy);
}

// True when the bar has the thickness that the clock's last answer gives it.
bool HasItsThickness() {
    RECT bar, wanted = TaskbarRectOnEdge(TB().edge);
    GetWindowRect(TB().windows.taskbar, &bar);
    return Horizontal(TB().edge) ? bar.height() == wanted.height() : bar.width() == wanted.width();
}

void LayoutParts() {
    const TaskbarWindows w = TB().windows;
    RECT bar;
    GetClientRect(w.taskbar, &bar);
    SIZE clock = AskClockSize(w.clock);
    if (!IsWindow(w.taskbar)) return;  // the answer may have come from code that stopped the shell
    TB().clockAsked = clock;
    int shown = ShownIconCount();
    bool chevron = static_cast<int>(TB().icons.size()) > shown;
    if (Horizontal(TB().edge))
        LayoutHorizontal(w, bar, clock, shown, chevron);
    else
        LayoutVertical(w, bar, clock, shown, chevron);
    InvalidateRect(w.toolbar, nullptr, 1);
}

}  // namespace

int IconsPerRow() {
    RECT bar;
    if (!GetClientRect(TB().windows.taskbar, &bar)) return 1;
    return std::max(1, (bar.width() - 2 * kBorder - 2) / kIconCell);
}

void RequestTaskbarLayout(bool snap) {
    Taskbar& t = TB();
    if (!IsWindow(t.windows.taskbar)) return;
    if (t.layingOut) {
        t.layoutAgain = true;
        t.snapAgain = t.snapAgain || snap;
        return;
    }
    t.layingOut = true;
    // Bounded: parts that keep asking for a new layout get a few passes, never a loop.
    for (int pass = 0; pass < 4 && IsWindow(t.windows.taskbar); ++pass) {
        t.layoutAgain = false;
        t.snapAgain = false;
        if (snap) SnapToEdge();
        LayoutParts();
        if (IsWindow(t.windows.taskbar) && !HasItsThickness()) {
            snap = true;  // the clock asked for another size: the bar follows it, then its parts
            continue;
        }
        if (!t.layoutAgain) break;
        snap = t.snapAgain;
    }
    t.layingOut = false;
}

}  // namespace platform::detail
