#include "platform/present/desktop_screen.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/draw/dc.h"
#include "platform/draw/gdi.h"
#include "platform/present/runner.h"
#include "platform/present/window_icons.h"
#include "platform/services/drawing_host.h"
#include "platform/services/paths.h"
#include "platform/services/window_surfaces.h"
#include "platform/window/loop.h"
#include "platform/window/monitors.h"
#include "platform/window/detail/frame_tracking.h"
#include "platform/window/detail/paint.h"
#include "platform/window/screen.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

constexpr COLORREF kDesktopColour = RGB(58, 110, 165);
constexpr COLORREF kFrameColour = RGB(192, 192, 192);
constexpr COLORREF kCaptionColour = RGB(0, 0, 128), kInactiveCaptionColour = RGB(128, 128, 128);
constexpr COLORREF kCaptionTextColour = RGB(255, 255, 255), kInactiveCaptionTextColour = RGB(212, 208, 200);

struct ScreenState {
    bool started = false;
    std::map<std::uint32_t, std::shared_ptr<Surface>> surfaces;
    std::map<std::uint32_t, RECT> lastScreenRect;  // where each top-level window was composed
    std::unique_ptr<Compositor> compositor;
    std::function<void(HWND, const RECT&, bool repainted)> presented;
    std::function<bool(HWND)> shows;  // none: every window may be shown
    std::map<std::uint32_t, RECT> pendingPresent;  // window areas painted since the last present
    std::map<std::uint32_t, RECT> lost;            // window areas the presenter lost since then
    std::map<std::uint32_t, ShownPixels> shown;
};

ScreenState& St() {
    static ScreenState state;
    return state;
}

// A presenter that shows each window itself (X11) needs no composed screen; it is then built only
// when a screenshot asks for it.
bool PresenterComposes() { return static_cast<bool>(St().presented); }

// The composed screen covers every monitor; its pixel 0,0 is the top-left corner of them all.
Compositor& Comp() {
    const RECT all = VirtualScreen();
    auto& c = St().compositor;
    if (!c) c = std::make_unique<Compositor>(all.width(), all.height(), kDesktopColour);
    if (c->Width() != all.width() || c->Height() != all.height()) c->Resize(all.width(), all.height());
    return *c;
}

RECT OnComposedScreen(const RECT& screen) {
    const RECT all = VirtualScreen();
    return OffsetRectBy(screen, -all.left, -all.top);
}

RECT ScreenRectOf(const Window& w) {
    POINT o = WindowOriginOnScreen(w);
    return RECT{o.x, o.y, o.x + w.rect.width(), o.y + w.rect.height()};
}

// A caption button: a raised face (sunken while held down) with its sign, a cross for close, a bar
// for minimise, a box for maximise and two boxes for restore.
void PaintCaptionButton(Surface& surface, const CaptionButtonPlace& b, bool maximized, bool pushed) {
    const RECT r = b.rect;
    const Pixel light = OpaquePixel(RGB(255, 255, 255)), dark = OpaquePixel(RGB(64, 64, 64)),
                face = OpaquePixel(kFrameColour), sign = OpaquePixel(RGB(0, 0, 0));
    surface.fill(r, face);
    const Pixel topLeft = pushed ? dark : light, bottomRight = pushed ? light : dark;
    surface.fill(RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    surface.fill(RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    surface.fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    surface.fill(RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    const LONG shift = pushed ? 1 : 0;
    const LONG x = r.left + 4 + shift, y = r.top + 3 + shift;  // the sign's 8 x 7 area
    auto box = [&](LONG left, LONG top, LONG right, LONG bottom) {
        surface.fill(RECT{left, top, right, top + 2}, sign);
        surface.fill(RECT{left, bottom - 1, right, bottom}, sign);
        surface.fill(RECT{left, top, left + 1, bottom}, sign);
        surface.fill(RECT{right - 1, top, right, bottom}, sign);
    };
    switch (b.button) {
        case CaptionButton::Close:
            for (LONG i = 0; i < 7; ++i) {
                surface.fill(RECT{x + i, y + i, x + i + 2, y + i + 1}, sign);
                surface.fill(RECT{x + 6 - i, y + i, x + 8 - i, y + i + 1}, sign);
            }
            break;
        case CaptionButton::Minimize: surface.fill(RECT{x + 1, y + 5, x + 7, y + 7}, sign); break;
        case CaptionButton::Maximize:
            if (maximized) {
                box(x + 2, y - 1, x + 9, y + 4);
                surface.fill(RECT{x, y + 2, x + 7, y + 8}, face);
                box(x, y + 2, x + 7, y + 8);
            } else {
                box(x, y - 1, x + 9, y + 8);
            }
            break;
    }
}

// The window's icon (its own, or the program's) at the caption's left, in a square of the
// caption's height; the room it takes.
int DrawCaptionIcon(HDC dc, HICON icon, const RECT& caption) {
    const std::shared_ptr<const Surface> pixels = WindowIconPixels(icon);
    if (!pixels || pixels->width() <= 0 || pixels->height() <= 0) return 0;
    const int side = caption.height() - 2;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateBitmapFromSurface(std::make_shared<Surface>(*pixels));
    HGDIOBJ old = SelectObject(memory, bitmap);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, caption.left + 2, caption.top + 1, side, side, memory, 0, 0, pixels->width(), pixels->height(), blend);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return side + 2;
}

// The frame and caption of a top-level window, drawn the classic way, with the window's icon and
// the caption's buttons.
void PaintNonClient(HWND hwnd, Surface& surface) {
    Window* w = Find(hwnd);
    if (!w) return;
    RECT in = NonClientInsets(*w);
    if (in.left == 0 && in.top == 0) return;
    RECT whole{0, 0, surface.width(), surface.height()};
    RECT client = ClientAreaInWindow(*w);
    for (RECT band : {RECT{0, 0, whole.right, client.top}, RECT{0, client.bottom, whole.right, whole.bottom},
                      RECT{0, 0, client.left, whole.bottom}, RECT{client.right, 0, whole.right, whole.bottom}})
        surface.fill(band, OpaquePixel(kFrameColour));
    if (client.top - in.left > 2) {
        // Only the window that has the keyboard shows an active caption.
        const bool active = GetForegroundWindow() == hwnd;
        RECT caption{in.left, in.left, whole.right - in.right, client.top - 1};
        surface.fill(caption, OpaquePixel(active ? kCaptionColour : kInactiveCaptionColour));
        std::shared_ptr<Surface> target = St().surfaces[hwnd.id()];
        HDC dc = CreateSurfaceDC(target, POINT{0, 0}, caption);
        HFONT font = CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                                ANTIALIASED_QUALITY, 0, "Arial");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, active ? kCaptionTextColour : kInactiveCaptionTextColour);
        RECT text{caption.left + 4 + DrawCaptionIcon(dc, w->icon, caption), caption.top, caption.right - 4, caption.bottom};
        const std::vector<CaptionButtonPlace> buttons = CaptionButtons(*w);
        if (!buttons.empty()) text.right = buttons.back().rect.left - 2;
        DrawText(dc, w->text, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
        const std::optional<CaptionButton> pushed = PushedCaptionButton(hwnd);
        for (const CaptionButtonPlace& b : buttons) PaintCaptionButton(surface, b, w->maximized, pushed == b.button);
    }
}

// The size of a top-level window's surface: the window's own, clipped to what a surface may hold and
// to the part of the window that reaches the screen's far edge, at least a screen's size (a window
// whose top or left lies before the screen's reaches further into it). What is drawn beyond the
// surface is clipped away, so a window far bigger than the screen costs little more than the
// screen, and every part of it that shows is painted.
SIZE SurfaceSizeFor(const Window& w) {
    const RECT all = VirtualScreen();
    const POINT origin = WindowOriginOnScreen(w);
    const auto side = [](LONG window, LONG nearEdge, LONG farEdge, LONG start) {
        return std::clamp<LONG>(std::min<LONG>(window, farEdge - std::min<LONG>(start, nearEdge)), 1, kMaxSurfaceSide);
    };
    return SIZE{side(w.rect.width(), all.left, all.right, origin.x), side(w.rect.height(), all.top, all.bottom, origin.y)};
}

// A window the presenter never shows (the shell's taskbar while the clock lives elsewhere) paints
// nowhere: its pixels and the copy of what was shown would only be memory held all day. It gets
// them, and a paint, once the presenter shows it.
bool PresenterShows(HWND top) { return !St().shows || St().shows(top); }

void DropSurface(HWND top) {
    St().surfaces.erase(top.id());
    St().shown.erase(top.id());
}

std::shared_ptr<Surface> SurfaceFor(HWND top) {
    Window* w = Find(top);
    if (!w || !w->topLevel()) return nullptr;
    if (!PresenterShows(top)) {
        DropSurface(top);
        return nullptr;
    }
    const SIZE size = SurfaceSizeFor(*w);
    const int width = size.cx, height = size.cy;
    auto& s = St().surfaces[top.id()];
    if (!s || s->width() != width || s->height() != height) {
        COLORREF back = w->cls->background != 0xFFFFFFFF ? w->cls->background : RGB(255, 255, 255);
        s = std::make_shared<Surface>(width, height, OpaquePixel(back));
        // What the presenter showed of the old surface tells nothing of the new one (the server
        // may have dropped it with the size): the next paint goes to it whole.
        St().shown[top.id()].Forget();
        PaintNonClient(top, *s);
        InvalidateRect(top, nullptr, 1);
    }
    return s;
}

void DamageWindow(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    HWND top = GetTopLevel(hwnd);
    Window* t = Find(top);
    if (!t) return;
    RECT now = ScreenRectOf(*t);
    auto& last = St().lastScreenRect[top.id()];
    if (!PresenterComposes()) Comp().Damage(OnComposedScreen(UnionRects(last, now)));
    last = now;
    St().pendingPresent[top.id()] = RECT{0, 0, now.width(), now.height()};
}

void OnChanged(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    if (w->topLevel()) {
        auto it = St().surfaces.find(hwnd.id());
        if (it != St().surfaces.end() && it->second) {
            if (std::shared_ptr<Surface> surface = SurfaceFor(hwnd)) PaintNonClient(hwnd, *surface);
        }
    }
    DamageWindow(hwnd);
}

void OnDestroyed(HWND hwnd) {
    auto it = St().lastScreenRect.find(hwnd.id());
    if (it != St().lastScreenRect.end()) {
        if (!PresenterComposes()) Comp().Damage(OnComposedScreen(it->second));
        St().lastScreenRect.erase(it);
    }
    DropSurface(hwnd);
    St().pendingPresent.erase(hwnd.id());
    St().lost.erase(hwnd.id());
}

void OnDamaged(HWND top, const RECT& area) {
    Window* t = Find(top);
    if (!t) return;
    St().lastScreenRect[top.id()] = ScreenRectOf(*t);
    RECT& pending = St().pendingPresent[top.id()];
    pending = UnionRects(pending, area);
}

std::vector<Layer> LayersBottomFirst() {
    std::vector<Layer> layers;
    auto& tops = S().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = Find(*it);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized) continue;
        auto s = St().surfaces.find(it->id());
        if (s == St().surfaces.end() || !s->second) continue;
        Layer layer;
        layer.surface = s->second.get();
        const RECT place = OnComposedScreen(ScreenRectOf(*w));
        layer.position = POINT{place.left, place.top};
        layer.visible = true;
        if ((w->exStyle & WS_EX_LAYERED) && w->layeredSet) {
            layer.layered.colorKey = w->layeredKey;
            layer.layered.alpha = w->layeredAlpha;
            layer.layered.flags = w->layeredFlags;
        }
        layers.push_back(layer);
    }
    return layers;
}

// A presenter gets only the pixels that differ from what it shows: a repaint that changed nothing
// goes nowhere. What it lost it gets again, as the window is by then. When this side composes the
// screen, the painted areas become the screen's damage, composed only when someone looks at the
// screen (a screenshot, a test).
void Present() {
    // Windows that were shown but never painted still get their surface and background.
    for (HWND top : S().topLevels)
        if (Window* w = Find(top); w && (w->style & WS_VISIBLE)) SurfaceFor(top);
    auto pending = std::move(St().pendingPresent);
    St().pendingPresent.clear();
    auto lost = std::move(St().lost);
    St().lost.clear();
    for (auto& [id, area] : pending) {
        Window* w = Find(HWND{id});
        auto surface = St().surfaces.find(id);
        if (!w || surface == St().surfaces.end() || !surface->second) continue;
        if (!PresenterComposes()) {
            POINT origin = WindowOriginOnScreen(*w);
            Comp().Damage(OnComposedScreen(OffsetRectBy(area, origin.x, origin.y)));
            continue;
        }
        const RECT changed = St().shown[id].TakeChanges(*surface->second, area);
        if (!changed.empty()) St().presented(HWND{id}, changed, true);
        if (auto l = lost.find(id); l != lost.end()) {
            const RECT again = IntersectRects(l->second, surface->second->bounds());
            if (!again.empty()) St().presented(HWND{id}, again, false);
        }
    }
}

// The window system's context, the clock's paths and the screen, for the drawing layer.
class PlatformDrawingHost final : public DrawingHost {
public:
    int OwnerContext() override { return static_cast<int>(CurrentContext()); }
    std::string MapImagePath(const std::string& path) override { return MapPath(path); }
    SIZE ScreenSize() override { return platform::ScreenSize(); }
};

class DesktopSurfaces final : public WindowSurfaces {
public:
    HDC MakeDc(HWND top, POINT origin, RECT clip) override {
        auto surface = SurfaceFor(top);
        return surface ? CreateSurfaceDC(surface, origin, clip) : HDC{};
    }
    RECT ReleaseDc(HDC dc) override {
        const RECT changed = ChangedArea(dc);
        DeleteDC(dc);
        return changed;
    }
    std::uint64_t Generation(HWND top) override {
        auto it = St().surfaces.find(top.id());
        return it != St().surfaces.end() && it->second ? it->second->generation() : 0;
    }
    void EraseBackground(HWND hwnd, HDC dc, const RECT& area) override {
        Window* w = Find(hwnd);
        if (!w) return;
        if (w->cls->brush) {
            FillRect(dc, &area, w->cls->brush);
        } else if (w->cls->background != 0xFFFFFFFF) {
            HBRUSH brush = CreateSolidBrush(w->cls->background);
            FillRect(dc, &area, brush);
            DeleteObject(brush);
        }
    }
    std::optional<COLORREF> PixelAt(HWND top, POINT p) override {
        auto it = St().surfaces.find(top.id());
        if (it == St().surfaces.end() || !it->second || !it->second->bounds().contains(p)) return std::nullopt;
        return PixelColor(it->second->at(p.x, p.y));
    }
    void Present() override { platform::Present(); }
    bool WriteScreenshot(const std::string& path) override { return platform::WriteScreenshot(path); }
};

}  // namespace

// The services are installed on every start, since a test's service scope may have put them back.
void StartDesktopScreen() {
    InstallService<DrawingHost>(std::make_unique<PlatformDrawingHost>());
    InstallService<WindowSurfaces>(std::make_unique<DesktopSurfaces>());
    if (St().started) return;
    St().started = true;
    WindowObserver observer;
    observer.changed = OnChanged;
    observer.destroyed = OnDestroyed;
    observer.damaged = OnDamaged;
    AddWindowObserver(std::move(observer));
}

std::shared_ptr<Surface> WindowSurface(HWND topLevel) { return SurfaceFor(topLevel); }

void ShowAgain(HWND topLevel, const RECT& windowArea) {
    if (!Find(topLevel)) return;
    RECT& lost = St().lost[topLevel.id()];
    lost = UnionRects(lost, windowArea);
    RECT& pending = St().pendingPresent[topLevel.id()];
    pending = UnionRects(pending, windowArea);
}

const Surface& ComposedScreen() {
    Present();
    if (PresenterComposes()) Comp().DamageAll();
    if (Comp().HasDamage()) {
        auto layers = LayersBottomFirst();
        Comp().Compose(layers);
    }
    return Comp().Screen();
}

bool WriteScreenshot(const std::string& path) { return WritePng(ComposedScreen(), path); }

bool WriteWindowScreenshot(HWND hwnd, const std::string& path) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return false;
    const Surface& screen = ComposedScreen();
    r = IntersectRects(OnComposedScreen(r), screen.bounds());
    if (r.empty()) return false;
    Surface part(r.width(), r.height());
    for (int y = 0; y < r.height(); ++y)
        std::copy(screen.row(r.top + y) + r.left, screen.row(r.top + y) + r.right, part.row(y));
    return WritePng(part, path);
}

void SetPresentedWindowsListener(std::function<void(HWND, const RECT&, bool)> listener,
                                 std::function<bool(HWND)> shows) {
    St().presented = std::move(listener);
    St().shows = std::move(shows);
}

}  // namespace platform
