#include "platform/present/minimized_bars.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/draw/gdi.h"
#include "platform/present/presented_windows.h"
#include "platform/window/context.h"
#include "platform/window/loop.h"
#include "platform/window/screen.h"

namespace platform {
namespace {

constexpr const char* kBarClass = "OzrMinimizedBar";
constexpr int kBarWidth = 160, kBarHeight = 24, kBox = 16;
constexpr COLORREF kFace = RGB(192, 192, 192), kLight = RGB(255, 255, 255), kDark = RGB(64, 64, 64),
                   kCaption = RGB(128, 128, 128), kCaptionText = RGB(212, 208, 200);

struct Bar {
    HWND window;
    int slot = 0;  // its place from the left, kept while the window stays minimised
    ProcessContext context = ProcessContext::Program;
};

struct BarsState {
    bool started = false;
    bool reconcileQueued = false;
    std::function<bool()> windowManagerKeeps;
    std::map<std::uint32_t, Bar> bars;  // by the minimised window
};

BarsState& B() {
    static BarsState state;
    return state;
}

HWND TargetOf(HWND bar) {
    for (const auto& [id, b] : B().bars)
        if (b.window == bar) return HWND{id};
    return HWND{};
}

bool WantsBar(HWND hwnd) {
    const std::optional<PresentedWindow> w = ReadPresentedWindow(hwnd);
    return w && w->topLevel && w->minimized && (w->style & WS_VISIBLE) && !w->shellWindow && w->className != kBarClass;
}

void Fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Edge(HDC dc, RECT r, COLORREF topLeft, COLORREF bottomRight) {
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

// A raised face with the inactive caption in it: the window's title and, at the right, the
// restore box (two small windows, one behind the other).
void PaintBar(HWND bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    RECT all;
    GetClientRect(bar, &all);
    Fill(dc, all, kFace);
    Edge(dc, all, kLight, kDark);
    const RECT caption{3, 3, all.right - 3, all.bottom - 3};
    Fill(dc, caption, kCaption);
    const RECT box{caption.right - 2 - kBox, caption.top + 2, caption.right - 2, caption.bottom - 2};
    Fill(dc, box, kFace);
    Edge(dc, box, kLight, kDark);
    const LONG x = box.left + 4, y = box.top + 2;
    for (RECT sign : {RECT{x + 2, y, x + 9, y + 5}, RECT{x, y + 3, x + 7, y + 9}}) {
        Fill(dc, sign, kFace);
        Edge(dc, sign, RGB(0, 0, 0), RGB(0, 0, 0));
        Fill(dc, RECT{sign.left, sign.top, sign.right, sign.top + 2}, RGB(0, 0, 0));
    }
    HFONT font = CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0, ANTIALIASED_QUALITY,
                            0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kCaptionText);
    RECT text{caption.left + 4, caption.top, box.left - 2, caption.bottom};
    DrawText(dc, GetWindowTextString(TargetOf(bar)), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(bar, &ps);
}

void Restore(HWND bar) {
    const HWND target = TargetOf(bar);
    const auto it = B().bars.find(target.id());
    if (!target || it == B().bars.end()) return;
    ContextScope scope(it->second.context);
    ShowWindow(target, SW_RESTORE);
}

LRESULT BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: PaintBar(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONUP: Restore(hwnd); return 0;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

int FreeSlot() {
    std::set<int> used;
    for (const auto& [id, b] : B().bars) used.insert(b.slot);
    int slot = 0;
    while (used.count(slot)) ++slot;
    return slot;
}

// Where the bars stand on: the bottom of the screen, or the top of a taskbar along it.
LONG BarsBottom() {
    const SIZE screen = ScreenSize();
    LONG bottom = screen.cy;
    for (HWND top : TopLevelWindowsInZOrder()) {
        const std::optional<PresentedWindow> w = ReadPresentedWindow(top);
        RECT r;
        if (!w || !w->shellWindow || !(w->style & WS_VISIBLE) || !GetWindowRect(top, &r)) continue;
        if (r.bottom >= screen.cy && r.width() > screen.cx / 2 && r.top > screen.cy / 2) bottom = std::min(bottom, r.top);
    }
    return bottom;
}

// Where the bar of that slot stands now: rows from the left, upwards from the bars' bottom.
POINT SlotPlace(int slot, LONG bottom) {
    const int perRow = std::max(1, static_cast<int>(ScreenSize().cx) / kBarWidth);
    return POINT{(slot % perRow) * kBarWidth, bottom - (1 + slot / perRow) * kBarHeight};
}

// A bar never takes the keyboard: the window it stands for becomes active when it is restored.
void MakeBar(HWND target) {
    const std::optional<PresentedWindow> w = ReadPresentedWindow(target);
    if (!w) return;
    Bar bar;
    bar.slot = FreeSlot();
    bar.context = w->shellWindow ? ProcessContext::Shell : ProcessContext::Program;
    const POINT at = SlotPlace(bar.slot, BarsBottom());
    ContextScope scope(bar.context);
    bar.window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBarClass, "", WS_POPUP, at.x, at.y, kBarWidth, kBarHeight, HWND{});
    if (!bar.window) return;
    B().bars[target.id()] = bar;
    ShowWindow(bar.window, SW_SHOWNOACTIVATE);
}

void DropBar(std::uint32_t target) {
    const auto it = B().bars.find(target);
    if (it == B().bars.end()) return;
    const Bar bar = it->second;
    B().bars.erase(it);
    ContextScope scope(bar.context);
    DestroyWindow(bar.window);
}

// The bars follow the minimised windows: one for each, none for a window shown again or gone.
void Reconcile() {
    B().reconcileQueued = false;
    const bool keeps = B().windowManagerKeeps && B().windowManagerKeeps();
    std::set<std::uint32_t> wanted;
    std::vector<HWND> order;
    if (!keeps)
        for (HWND top : TopLevelWindowsInZOrder())
            if (WantsBar(top)) {
                wanted.insert(top.id());
                order.push_back(top);
            }
    std::vector<std::uint32_t> gone;
    for (const auto& [id, b] : B().bars)
        if (!wanted.count(id)) gone.push_back(id);
    for (std::uint32_t id : gone) DropBar(id);
    for (auto it = order.rbegin(); it != order.rend(); ++it)  // the backmost first: it was minimised first
        if (!B().bars.count(it->id())) MakeBar(*it);
    // A taskbar that came, went or moved since (or a screen of another size) moves the bars too.
    const LONG bottom = BarsBottom();
    for (const auto& [id, b] : B().bars) {
        const POINT at = SlotPlace(b.slot, bottom);
        RECT now;
        ContextScope scope(b.context);
        if (GetWindowRect(b.window, &now) && (now.left != at.x || now.top != at.y))
            SetWindowPos(b.window, HWND{}, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(b.window, nullptr, 1);  // a title may have changed
    }
}

void QueueReconcile() {
    if (B().reconcileQueued) return;
    B().reconcileQueued = true;
    PostTask(Reconcile);
}

bool IsShellWindow(HWND hwnd) {
    const std::optional<PresentedWindow> w = ReadPresentedWindow(hwnd);
    return w && w->shellWindow;
}

void OnChanged(HWND hwnd) {
    if (TargetOf(hwnd)) return;  // a bar itself
    if (WantsBar(hwnd) || B().bars.count(hwnd.id()) || (!B().bars.empty() && IsShellWindow(hwnd))) QueueReconcile();
}

void OnDestroyed(HWND hwnd) {
    if (!B().bars.empty()) QueueReconcile();  // its own window, or a taskbar they stood on
    for (auto it = B().bars.begin(); it != B().bars.end(); ++it)
        if (it->second.window == hwnd) {
            B().bars.erase(it);  // ended with its context
            return;
        }
}

}  // namespace

void StartMinimizedBars() {
    if (B().started) return;
    B().started = true;
    WNDCLASS wc;
    wc.lpfnWndProc = BarProc;
    wc.lpszClassName = kBarClass;
    wc.style = CS_GLOBALCLASS;
    wc.background = kFace;
    RegisterClass(&wc);
    ObservePresentedWindows(OnChanged, OnDestroyed);
}

void SetWindowManagerKeepsMinimized(std::function<bool()> keeps) {
    B().windowManagerKeeps = std::move(keeps);
    QueueReconcile();
}

}  // namespace platform
