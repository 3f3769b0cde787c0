// The window procedures of the taskbar and its parts: dragging the bar to another edge, the
// context menu on the right button, and the toolbar's answers about its buttons.
#include <cstring>

#include "platform/shell/detail/taskbar_state.h"
#include "platform/window/screen.h"

namespace platform {
using namespace detail;

namespace {

POINT ScreenPoint(HWND hwnd, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &p);
    return p;
}

// The screen edge nearest to a point; on a tie the bottom, top, left, right order decides.
TaskbarEdge NearestEdge(POINT p) {
    SIZE screen = ScreenSize();
    struct Candidate {
        TaskbarEdge edge;
        LONG distance;
    };
    const Candidate candidates[] = {{TaskbarEdge::Bottom, screen.cy - 1 - p.y},
                                    {TaskbarEdge::Top, p.y},
                                    {TaskbarEdge::Left, p.x},
                                    {TaskbarEdge::Right, screen.cx - 1 - p.x}};
    Candidate best = candidates[0];
    for (const Candidate& c : candidates)
        if (c.distance < best.distance) best = c;
    return best.edge;
}

// One step of a drag: the first step to another edge starts the move loop.
void DragToward(TaskbarEdge target) {
    Taskbar& t = TB();
    HWND bar = t.windows.taskbar;
    if (!t.dragging) {
        if (target == t.edge) return;
        t.dragging = true;
        SendMessage(bar, WM_ENTERSIZEMOVE, 0, 0);
    }
    RECT proposed = TaskbarRectOnEdge(target);
    SendMessage(bar, WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
    if (target != t.edge) {
        t.edge = target;
        RequestTaskbarLayout(true);
    }
}

void BeginPress(HWND bar) {
    TB().pressed = true;
    SetCapture(bar);
}

// The end of a press: a drag ends its move loop, and the bar gives the capture back.
void EndPress(HWND bar) {
    Taskbar& t = TB();
    bool wasDragging = t.dragging;
    t.pressed = false;
    t.dragging = false;
    if (wasDragging) SendMessage(bar, WM_EXITSIZEMOVE, 0, 0);
    if (GetCapture() == bar) ReleaseCapture();
    if (wasDragging && TaskbarMovedListener()) TaskbarMovedListener()(t.edge);
}

}  // namespace

bool detail::IsMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK; }

void detail::ForwardMouseToTaskbar(HWND from, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND bar = TB().windows.taskbar;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(from, bar, &p, 1);
    SendMessage(bar, msg, wParam, MakePointParam(p.x, p.y));
}

LRESULT detail::TaskbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Taskbar& t = TB();
    if (IsMouseMessage(msg) && IsWindow(t.menuWindow) && RouteMouseToMenu(msg, ScreenPoint(hwnd, lParam))) return 0;
    switch (msg) {
        case WM_LBUTTONDOWN: BeginPress(hwnd); return 0;
        case WM_MOUSEMOVE:
            if (t.pressed && GetCapture() == hwnd) DragToward(NearestEdge(ScreenPoint(hwnd, lParam)));
            return 0;
        case WM_LBUTTONUP:
            if (t.pressed) EndPress(hwnd);
            return 0;
        case WM_CAPTURECHANGED:
            // Capture taken away in the middle of a press: the press (and any drag) ends here.
            if (t.pressed) EndPress(hwnd);
            return 0;
        case WM_RBUTTONUP: OpenTaskbarMenu(ScreenPoint(hwnd, lParam)); return 0;
        case WM_EXITSIZEMOVE: RequestTaskbarLayout(true); return 0;
        case WM_SIZING:
        case WM_MOVING: return 1;  // the bar keeps the rectangle of its edge; lParam may be 0
        case WM_COMMAND: {
            static const TaskbarEdge kEdges[] = {TaskbarEdge::Bottom, TaskbarEdge::Top, TaskbarEdge::Left,
                                                 TaskbarEdge::Right};
            UINT id = LOWORD(wParam);
            if (id >= 1 && id <= 4) MoveTaskbarToEdge(kEdges[id - 1]);
            return 0;
        }
        case WM_PAINT: PaintTaskbarPart(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

// The task band, the notification area, the pager and the chevron: they paint the bar's
// background and leave the mouse to the bar.
LRESULT detail::TaskbarPartProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(msg)) {
        ForwardMouseToTaskbar(hwnd, msg, wParam, lParam);
        return 0;
    }
    switch (msg) {
        case WM_PAINT:
            if (hwnd == TB().windows.chevron)
                PaintChevron(hwnd);
            else
                PaintTaskbarPart(hwnd);
            return 0;
        case WM_ERASEBKGND: return 1;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT detail::TrayToolbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(msg)) {
        ForwardMouseToTaskbar(hwnd, msg, wParam, lParam);
        return 0;
    }
    switch (msg) {
        case TB_BUTTONCOUNT: return static_cast<LRESULT>(TB().icons.size());
        case TB_GETBUTTON: {
            auto* button = reinterpret_cast<TBBUTTON*>(lParam);
            int index = static_cast<int>(wParam);
            if (!button || index < 0 || index >= static_cast<int>(TB().icons.size())) return 0;
            *button = ButtonOfIcon(index);
            return 1;
        }
        case WM_PAINT: PaintTrayToolbar(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void MoveTaskbarToEdge(TaskbarEdge edge) {
    if (!ShellRunning()) return;
    ContextScope shell(ProcessContext::Shell);
    HWND bar = TB().windows.taskbar;
    BeginPress(bar);
    DragToward(edge);
    EndPress(bar);
}

}  // namespace platform
