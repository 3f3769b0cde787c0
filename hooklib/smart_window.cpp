// A smart window's life: its window and class, the window registry, its timers, layering,
// showing, placing and closing.
#include "hooklib/smart_window.h"
#include "platform/services/paths.h"

#include <map>
#include <set>

#include "hooklib/program_bridge.h"
#include "hooklib/smart_window_manager.h"
#include "hooklib/taskbar_probe.h"
#include "platform/draw/image.h"
#include "platform/shell/system_version.h"
#include "platform/window/monitors.h"
#include "platform/window/screen.h"

namespace hooklib {
using namespace platform;

LRESULT SmartWindowClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

struct Registry {
    std::map<std::uint32_t, SmartWindow*> windows;     // by window handle
    std::map<const SmartWindow*, std::set<UINT_PTR>> timers;  // the timers each window runs
};

Registry& ThisContextsRegistry() {
    static Registry registries[kContextCount];
    return registries[static_cast<int>(CurrentContext())];
}

struct KindClass {
    const char* name;
    DWORD exStyle;
};
KindClass ClassOfKind(SmartKind kind) {
    switch (kind) {
        case kDragKind: return {"OZRSW Drag", 0};
        case kTooltipKind: return {"OZRSW Tooltip", WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE};
        case kFSingleKind: return {"OZRSW FSingle", 0};
        case kToolBoxKind: return {"OZRSW ToolBox", WS_EX_TOOLWINDOW};
    }
    return {"OZRSW Drag", 0};
}

constexpr DWORD kFramedResizable = 0xCF0000;  // WS_OVERLAPPEDWINDOW
constexpr DWORD kFramedFixed = 0xCB0000;      // the same without WS_THICKFRAME

}  // namespace

UINT SmartTimerInterval(UINT_PTR id) {
    switch (id) {
        case kFadeInTimer:
        case kFadeOutTimer:
        case kSlideInTimer:
        case kSlideOutTimer: return 10;
        case kDragTimer:
        case kFollowCursorTimer:
        case kRightButtonTimer: return 1;
        case kTooltipRepaintTimer:
        case kClosingHintTimer: return 100;
        case kDismissTimer: return 2000;
        case kFreezeTimer: return 500;
        default: return 0;
    }
}

SmartWindow* FindSmartWindow(HWND hwnd) {
    auto& windows = ThisContextsRegistry().windows;
    auto it = windows.find(hwnd.id());
    return it == windows.end() ? nullptr : it->second;
}

SmartWindow::SmartWindow(SmartWindowManager& manager)
    : Manager(&manager), Instance(manager.Instance), SkinFolder(manager.SkinFolder) {
    OSVERSIONINFO version;
    if (GetVersionEx(&version)) {
        OsClass c = ClassifyOs(version);
        OsCode = c.code;
        OsBuild = c.build;
    }
    MakeDefaultFonts();
}

SmartWindow::~SmartWindow() {
    if (!Destroying) Destroy();
}

bool SmartWindow::Create(const Params& s) {
    Kind = s.kind;
    X = s.x;
    Y = s.y;
    Width = s.width;
    Height = s.height;
    BackColor = s.backColor;
    TextColor = s.textColor;
    ColorKey = s.colorKey;
    Alpha = s.alpha;
    Visuals = s.visuals;
    TargetRect = s.targetRect;
    DesktopRect = s.desktopRect;
    FadeEnabled = s.fade;
    FadeInTime = s.fadeInTime;
    FadeOutTime = s.fadeOutTime;
    Skinned = s.skinned && OsCode > 4;
    if (!IconPath.empty()) {
        Icon = LoadImage(MapPath(IconPath), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
        if (!Icon) LogDebug("{SmartWindow}: No icon: " + LastImageError());
    }

    KindClass kc = ClassOfKind(Kind);
    ClassName = kc.name;
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = SmartWindowClassProc;
    wc.lpszClassName = kc.name;
    RegisterClass(&wc);  // refused when the class is registered already, which is fine

    DWORD style = WS_POPUP;
    std::string caption = s.title;
    int x = X, y = Y;
    if (Kind == kDragKind) {
        caption = ClassName;
    } else if (Kind == kTooltipKind) {
        x = y = 0;
    } else {
        style = Resizable ? kFramedResizable : kFramedFixed;
        if (!MinimizeBox) style &= ~WS_MINIMIZEBOX;
        if (!MaximizeBox) style &= ~WS_MAXIMIZEBOX;
    }
    Handle = CreateWindowEx(kc.exStyle, kc.name, caption.c_str(), style, x, y, Width, Height, HWND{});
    if (!Handle) return false;
    ThisContextsRegistry().windows[Handle.id()] = this;
    // Its caption and the desktop's task lists show its icon; one without shows the program's.
    if (Icon) SendMessage(Handle, WM_SETICON, ICON_BIG, static_cast<LPARAM>(Icon.id()));

    if (Kind == kTooltipKind) {
        Visuals = 3;
        ColorKey = 0xFEFEFE;
        ApplyLayering(ColorKey, FadeEnabled ? 0 : Alpha, Visuals);
        StartTimer(kFollowCursorTimer);
        StartTimer(kTooltipRepaintTimer);
        if (Skinned) LoadTooltipSkin();
    } else if (Alpha != 255 || ColorKey != 0) {
        ApplyLayering(ColorKey, Alpha, Visuals);
    }
    if (s.showNow) ShowSmartWindow(true);
    return true;
}

// Timers --------------------------------------------------------------------------------------

int SmartWindow::StartTimer(UINT_PTR id) {
    if (!Handle || !IsWindow(Handle)) return kSmartUnknown;
    auto& running = ThisContextsRegistry().timers[this];
    if (running.count(id)) return kSmartTimerRunning;
    if (!SetTimer(Handle, id, SmartTimerInterval(id), nullptr)) return kSmartUnknown;
    running.insert(id);
    return kSmartOk;
}

int SmartWindow::StopTimer(UINT_PTR id) {
    auto& timers = ThisContextsRegistry().timers;
    auto it = timers.find(this);
    if (it == timers.end() || !it->second.erase(id)) return kSmartNoSuchTimer;
    KillTimer(Handle, id);
    return kSmartOk;
}

bool SmartWindow::TimerRuns(UINT_PTR id) const {
    const auto& timers = ThisContextsRegistry().timers;
    auto it = timers.find(this);
    return it != timers.end() && it->second.count(id) != 0;
}

// Layering, showing, placing ------------------------------------------------------------------

int SmartWindow::ApplyLayering(COLORREF colorKey, std::uint8_t alpha, std::uint8_t visuals) {
    if (OsCode < kFirstOsWithLayering) return kSmartNoLayering;
    if (!Handle) return kSmartUnknown;
    LONG ex = GetWindowLong(Handle, GWL_EXSTYLE);
    if (visuals == 0) {
        if (ex & WS_EX_LAYERED) SetWindowLong(Handle, GWL_EXSTYLE, ex & ~static_cast<LONG>(WS_EX_LAYERED));
        Layered = false;
        Visuals = 0;
        AppliedAlpha = 255;
        return kSmartOk;
    }
    if (!(ex & WS_EX_LAYERED)) {
        SetLastError(ERROR_SUCCESS);
        if (!SetWindowLong(Handle, GWL_EXSTYLE, ex | static_cast<LONG>(WS_EX_LAYERED)) && GetLastError())
            return kSmartLayeringRefused;
    }
    Layered = true;
    ColorKey = colorKey;
    Visuals = visuals;
    bool fading = TimerRuns(kFadeInTimer) || TimerRuns(kFadeOutTimer);
    std::uint8_t applied = fading ? static_cast<std::uint8_t>(FadeCurrent) : alpha;
    AppliedAlpha = applied;
    return SetLayeredWindowAttributes(Handle, colorKey, applied, visuals) ? kSmartOk : kSmartNoLayering;
}

void SmartWindow::ShowSmartWindow(bool show) {
    if (!Handle) return;
    if (FadeEnabled && OsCode >= kFirstOsWithLayering) {
        if (!Shown) {
            FadeCurrent = 0;
            ApplyLayering(ColorKey, 0, Visuals ? Visuals : 2);
        }
        FadeTarget = show ? Alpha : 0;
        StartFade(show);
    } else if (Kind == kTooltipKind) {
        if (show) {
            SetWindowPos(Handle, HWND_TOPMOST, -20000, -20000, 0, 0, 81);
            InvalidateRect(Handle, nullptr, 1);
            UpdateWindow(Handle);
            SetWindowPos(Handle, HWND_TOPMOST, X, Y, 0, 0, 81);
        } else {
            SetWindowPos(Handle, HWND_TOPMOST, 0, 0, 0, 0, 147);
        }
    } else if (show) {
        if (Layered && AppliedAlpha < 3) ApplyLayering(ColorKey, 255, Visuals);
        ShowWindow(Handle, SW_SHOW);
    } else {
        ShowWindow(Handle, SW_HIDE);
    }
    if (show) Shown = true;
}

void SmartWindow::PlaceWindow(int code) {
    RECT r;
    GetWindowRect(Handle, &r);
    const RECT work = WorkArea();
    auto p = PositionPoint(code, SIZE{r.width(), r.height()}, SIZE{work.width(), work.height()});
    if (!p) return;  // an unknown code computes nothing
    X = work.left + p->x;
    Y = work.top + p->y;
    SetWindowPos(Handle, HWND{}, X, Y, 0, 0, 513);
}

void SmartWindow::KeepWithinWorkArea() {
    RECT r;
    if (!GetWindowRect(Handle, &r)) return;
    const RECT kept = KeptWithin(r, MonitorWorkAreaOf(r));
    if (kept == r) return;
    X = kept.left;
    Y = kept.top;
    SetWindowPos(Handle, HWND{}, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SmartWindow::ApplyWindowFlags(std::uint32_t flags) {
    WindowFlags |= flags;
    if (flags & kHelpWindow) {
        SetSmallText(
            "\r\nIf you don't wish to see help for this particular control in the future, press your right mouse "
            "button...");
        StartTimer(kRightButtonTimer);
    }
    if (flags & kFreezesSoon) StartTimer(kFreezeTimer);
}

// Closing -------------------------------------------------------------------------------------

void SmartWindow::CloseSmartWindow() {
    if (Destroying) return;
    if (Manager->CloseRequested(this)) return;
    SendMessage(Handle, WM_CLOSE, 0, 0);
}

void SmartWindow::RequestClose() {
    if (Destroying) return;
    if (Manager->CloseRequested(this)) return;
    Manager->WindowDestroyed(this);
}

void SmartWindow::OnClose() {
    if (Destroying) return;
    // While it slides out, a further close would only queue another slide-out.
    if (TimerRuns(kSlideOutTimer) || Manager->CloseRequested(this)) return;
    if (FadeEnabled && OsCode >= kFirstOsWithLayering) {
        Closing = true;
        FadeTarget = 0;
        StartFade(false);
        return;
    }
    RequestClose();
}

// The window went without asking (its owner destroyed it): it can neither slide nor fade now.
void SmartWindow::OnDestroyedFromOutside() {
    if (Destroying) return;
    Manager->WindowDestroyed(this);
}

void SmartWindow::Destroy() {
    if (Destroying) return;
    if (HelpDismissed) Manager->WindowEvent(this, kHelpDismissed);
    Destroying = true;
    auto& reg = ThisContextsRegistry();
    if (auto it = reg.timers.find(this); it != reg.timers.end()) {
        for (UINT_PTR id : it->second) KillTimer(Handle, id);
        reg.timers.erase(it);
    }
    HWND h = Handle;
    for (auto& child : Children) {
        if (child->brush) DeleteObject(child->brush);
        if (child->ownsFont && child->font) DeleteObject(child->font);
    }
    if (h && IsWindow(h)) DestroyWindow(h);
    reg.windows.erase(h.id());
    Children.clear();
    UnregisterClass(ClassName.c_str());
    DeleteSkin();
    if (Background) DeleteObject(Background);
    if (Icon) DeleteObject(Icon);
    Background = HBITMAP{};
    Icon = HGDIOBJ{};
    DeleteFonts();
}

}  // namespace hooklib
