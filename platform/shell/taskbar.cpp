// Starting and stopping the taskbar, its edge and its background.
#include <algorithm>
#include <utility>

#include "platform/shell/popup_menu.h"
#include "platform/shell/detail/taskbar_state.h"
#include "platform/window/panel_area.h"
#include "platform/window/screen.h"

namespace platform {
using namespace detail;

namespace {

void RegisterTaskbarClasses() {
    struct ClassEntry {
        const char* name;
        WNDPROC proc;
    };
    static const ClassEntry kClasses[] = {
        {kTaskbarClass, TaskbarProc},          {kTaskBandClass, TaskbarPartProc},
        {kTrayNotifyClass, TaskbarPartProc},   {kTrayPagerClass, TaskbarPartProc},
        {kChevronClass, TaskbarPartProc},      {kToolbarClass, TrayToolbarProc},
        {kTrayClockClass, TrayClockProc},      {kMenuWindowClass, TaskbarMenuWindowProc},
    };
    for (const auto& entry : kClasses) {
        WNDCLASS wc;
        wc.style = entry.proc == TrayClockProc ? CS_DBLCLKS : 0;
        wc.lpfnWndProc = entry.proc;
        wc.lpszClassName = entry.name;
        RegisterClass(&wc);  // the classes stay registered in the shell after a stop
    }
}

HWND MakePart(const char* cls, const char* title, HWND parent) {
    return CreateWindowEx(0, cls, title, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent);
}

}  // namespace

Taskbar& detail::TB() {
    static Taskbar taskbar;
    return taskbar;
}

bool detail::Horizontal(TaskbarEdge edge) { return edge == TaskbarEdge::Top || edge == TaskbarEdge::Bottom; }

bool ShellRunning() { return IsWindow(TB().windows.taskbar) != 0; }

bool StartShell(TaskbarEdge edge) {
    if (ShellRunning()) return true;
    ContextScope shell(ProcessContext::Shell);
    RegisterTaskbarClasses();
    Taskbar& t = TB();
    TaskbarBackground background = t.background;
    t = Taskbar{};
    t.background = background;
    t.edge = edge;
    RECT r = TaskbarRectOnEdge(t.edge);
    TaskbarWindows& w = t.windows;
    w.taskbar = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTaskbarClass, "", WS_POPUP | WS_CLIPCHILDREN,
                               r.left, r.top, r.width(), r.height(), HWND{});
    if (!w.taskbar) return false;
    w.taskBand = MakePart(kTaskBandClass, "", w.taskbar);
    w.tray = MakePart(kTrayNotifyClass, "", w.taskbar);
    w.chevron = MakePart(kChevronClass, "", w.tray);
    w.pager = MakePart(kTrayPagerClass, "", w.tray);
    w.toolbar = MakePart(kToolbarClass, kNotificationAreaTitle, w.pager);
    w.clock = MakePart(kTrayClockClass, "", w.tray);
    CreateTaskbarMenu();
    RequestTaskbarLayout(true);
    ShowWindow(w.taskbar, SW_SHOWNA);
    // Other panels of the desktop come, go or change: the taskbar keeps to what they leave.
    SetPanelFreeAreaListener([] {
        ContextScope scope(ProcessContext::Shell);
        RequestTaskbarLayout(true);
    });
    return true;
}

void StopShell() {
    Taskbar& t = TB();
    ContextScope shell(ProcessContext::Shell);
    SetPanelFreeAreaListener(nullptr);
    CloseTaskbarMenu();
    if (IsWindow(t.windows.taskbar)) DestroyWindow(t.windows.taskbar);
    DestroyMenu(t.menu);
    TaskbarBackground background = t.background;
    t = Taskbar{};
    t.background = background;
}

TaskbarWindows GetTaskbarWindows() { return ShellRunning() ? TB().windows : TaskbarWindows{}; }

TaskbarEdge CurrentTaskbarEdge() { return TB().edge; }

std::function<void(TaskbarEdge)>& detail::TaskbarMovedListener() {
    static std::function<void(TaskbarEdge)> listener;  // outlives the taskbar's stops and starts
    return listener;
}

void SetTaskbarMovedListener(std::function<void(TaskbarEdge)> listener) { TaskbarMovedListener() = std::move(listener); }

RECT TaskbarRectOnEdge(TaskbarEdge edge) {
    // Along the edge of what the desktop's other panels leave free, never over them.
    const RECT a = PanelFreeArea();
    // As thick as the clock with the bar's margins, but never thinner than the least thickness
    // nor thicker than half the screen.
    const SIZE screen = ScreenSize();
    const SIZE clock = TB().clockAsked;
    const int height = std::max<int>(kHorizontalThickness, std::min<int>(clock.cy + 2 * kBorder, screen.cy / 2));
    const int width = std::max<int>(kVerticalThickness, std::min<int>(clock.cx + 2 * kBorder, screen.cx / 2));
    switch (edge) {
        case TaskbarEdge::Left: return RECT{a.left, a.top, a.left + width, a.bottom};
        case TaskbarEdge::Right: return RECT{a.right - width, a.top, a.right, a.bottom};
        case TaskbarEdge::Top: return RECT{a.left, a.top, a.right, a.top + height};
        case TaskbarEdge::Bottom: break;
    }
    return RECT{a.left, a.bottom - height, a.right, a.bottom};
}

void SetTaskbarBackground(const TaskbarBackground& background) {
    TB().background = background;
    if (ShellRunning()) InvalidateRect(TB().windows.taskbar, nullptr, 1);
}

TaskbarBackground CurrentTaskbarBackground() { return TB().background; }

bool TaskbarMenuOpen() { return IsWindow(TB().menuWindow) != 0; }

HWND TaskbarMenuWindow() { return TaskbarMenuOpen() ? TB().menuWindow : HWND{}; }
HMENU TaskbarMenu() { return TB().menu; }

}  // namespace platform
