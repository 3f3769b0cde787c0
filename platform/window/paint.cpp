#include "platform/window/detail/paint.h"

#include <algorithm>
#include <unordered_set>

#include "platform/services/window_surfaces.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

// The DC of a window: its client area (or whole window), clipped to itself and its ancestors.
HDC MakeWindowDc(HWND hwnd, bool client, const RECT* clipInClient) {
    Window* w = Find(hwnd);
    if (!w) return HDC{};
    HWND top = GetTopLevel(hwnd);
    Window* t = Find(top);
    if (!t) return HDC{};
    POINT topOrigin = WindowOriginOnScreen(*t);
    POINT origin = WindowOriginOnScreen(*w);
    origin.x -= topOrigin.x;
    origin.y -= topOrigin.y;
    RECT area = RECT{0, 0, w->rect.width(), w->rect.height()};
    if (client) {
        RECT c = ClientAreaInWindow(*w);
        origin.x += c.left;
        origin.y += c.top;
        area = RECT{0, 0, c.width(), c.height()};
    }
    RECT clip = OffsetRectBy(clipInClient ? IntersectRects(*clipInClient, area) : area, origin.x, origin.y);
    // Children are clipped to every ancestor's client area.
    for (Window* a = w; !a->topLevel();) {
        Window* parent = Find(a->parent);
        if (!parent) break;
        POINT po = WindowOriginOnScreen(*parent);
        RECT pc = OffsetRectBy(ClientAreaInWindow(*parent), po.x - topOrigin.x, po.y - topOrigin.y);
        clip = IntersectRects(clip, pc);
        a = parent;
    }
    return UseService<WindowSurfaces>().MakeDc(top, origin, clip);
}

// What was drawn through a window DC reaches the screen, as far as it changed pixels: a paint
// that drew what the window shows already has nothing to show.
void ReleaseWindowDc(HWND hwnd, HDC hdc) {
    const RECT changed = UseService<WindowSurfaces>().ReleaseDc(hdc);
    if (changed.empty() || !Find(hwnd)) return;
    HWND top = GetTopLevel(hwnd);
    if (Window* t = Find(top)) NotifyDamaged(top, IntersectRects(changed, RECT{0, 0, t->rect.width(), t->rect.height()}));
}

// The windows with a pending paint, kept as they are invalidated, so that a loop pass with
// nothing to paint walks no window tree. `fresh` says something was added (or a window with a
// pending paint was shown again) since the last pass; windows that cannot paint now (hidden,
// minimized) stay listed until they can.
struct DirtyList {
    std::unordered_set<std::uint32_t> windows;
    bool fresh = false;
    bool watching = false;
};

DirtyList& Dirty() {
    static DirtyList list;
    return list;
}

void MarkDirty(HWND hwnd) {
    DirtyList& d = Dirty();
    if (!d.watching) {
        // A shown or restored window may make a listed one paintable again.
        d.watching = true;
        WindowObserver observer;
        observer.changed = [](HWND) {
            if (!Dirty().windows.empty()) Dirty().fresh = true;
        };
        AddWindowObserver(std::move(observer));
    }
    d.windows.insert(hwnd.id());
    d.fresh = true;
}

void AddUpdate(Window& w, const RECT& r, bool erase) {
    if (r.empty()) return;
    w.update = UnionRects(w.update, r);
    w.updateErase = w.updateErase || erase;
    MarkDirty(w.hwnd);
}

// Children lie above their parent and higher siblings above lower ones, so what a window
// repaints must be repainted in everything that covers it. A window repaints the whole of its
// pending area, which grows to hold every invalidation since its last paint: two small ones on
// either side of a child make a pending area that paints over the child, so the child is told
// the whole pending area, not only the last piece.
void InvalidateCovering(Window& w, bool erase) {
    const RECT pending = w.update;
    for (HWND childHandle : w.children) {
        Window* child = Find(childHandle);
        if (!child || !(child->style & WS_VISIBLE)) continue;
        RECT overlap = IntersectRects(pending, child->rect);
        if (overlap.empty()) continue;
        RECT inChild = OffsetRectBy(overlap, -child->rect.left, -child->rect.top);
        RECT childClient = ClientAreaInWindow(*child);
        AddUpdate(*child, IntersectRects(OffsetRectBy(inChild, -childClient.left, -childClient.top),
                                          RECT{0, 0, childClient.width(), childClient.height()}),
                  erase);
        InvalidateCovering(*child, erase);
    }
}

void CollectPending(HWND hwnd, std::vector<HWND>& out) {
    Window* w = Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE) || w->minimized) return;
    if (!w->update.empty()) out.push_back(hwnd);
    // Lower siblings first, so higher ones paint over them.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) CollectPending(*it, out);
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {
        for (HWND top : S().topLevels) InvalidateRect(top, nullptr, erase);
        return 1;
    }
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    RECT c = ClientAreaInWindow(*w);
    RECT full{0, 0, c.width(), c.height()};
    RECT r = rect ? IntersectRects(*rect, full) : full;
    AddUpdate(*w, r, erase != 0);
    if (w->update.empty()) return 1;
    InvalidateCovering(*w, erase != 0);
    // Siblings above this window that overlap what it repaints are covered by the repaint too.
    if (!w->topLevel()) {
        if (Window* parent = Find(w->parent)) {
            RECT inParent = OffsetRectBy(w->update, w->rect.left + c.left, w->rect.top + c.top);
            for (HWND sib : parent->children) {
                if (sib == hwnd) break;
                Window* s = Find(sib);
                if (!s || !(s->style & WS_VISIBLE)) continue;
                RECT overlap = IntersectRects(inParent, s->rect);
                if (overlap.empty()) continue;
                RECT sc = ClientAreaInWindow(*s);
                RECT local = OffsetRectBy(overlap, -s->rect.left - sc.left, -s->rect.top - sc.top);
                AddUpdate(*s, local, erase != 0);
                InvalidateCovering(*s, erase != 0);
            }
        }
    }
    return 1;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (!rect || (rect->left <= w->update.left && rect->top <= w->update.top && rect->right >= w->update.right &&
                  rect->bottom >= w->update.bottom)) {
        w->update = RECT{};
        w->updateErase = false;
    }
    return 1;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (rect) *rect = w->update;
    return w->update.empty() ? 0 : 1;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    std::vector<HWND> pending;
    CollectPending(hwnd, pending);
    for (HWND h : pending) {
        Window* p = Find(h);
        if (!p || p->update.empty()) continue;
        DispatchToWindow(h, WM_PAINT, 0, 0);
        if ((p = Find(h))) ValidateRect(h, nullptr);  // a procedure that never validates must not loop
    }
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    Window* w = FindOrFail(hwnd);
    if (!w || !ps) return HDC{};
    RECT c = ClientAreaInWindow(*w);
    ps->rcPaint = w->update.empty() ? RECT{0, 0, c.width(), c.height()} : w->update;
    bool erase = w->updateErase;
    w->update = RECT{};
    w->updateErase = false;
    ps->hdc = MakeWindowDc(hwnd, true, &ps->rcPaint);
    ps->fErase = 0;
    if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, static_cast<WPARAM>(ps->hdc.id()), 0) ? 0 : 1;
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return 0;
    if (ps->hdc) ReleaseWindowDc(hwnd, ps->hdc);
    return 1;
}

HDC GetDC(HWND hwnd) {
    if (!FindOrFail(hwnd)) return HDC{};
    return MakeWindowDc(hwnd, true, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
    if (!FindOrFail(hwnd)) return HDC{};
    return MakeWindowDc(hwnd, false, nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (!hdc) return 0;
    ReleaseWindowDc(hwnd, hdc);
    return 1;
}

ClientPixelsStamp GetClientPixelsStamp(HWND hwnd) {
    const Window* w = Find(hwnd);
    if (!w) return ClientPixelsStamp{};
    const RECT c = ClientAreaInWindow(*w);
    // One walk up to the top-level window: each window lies in its parent's client area.
    POINT origin{c.left, c.top};
    const Window* cur = w;
    while (!cur->topLevel()) {
        const Window* parent = Find(cur->parent);
        if (!parent) return ClientPixelsStamp{};
        const RECT parentClient = ClientAreaInWindow(*parent);
        origin.x += cur->rect.left + parentClient.left;
        origin.y += cur->rect.top + parentClient.top;
        cur = parent;
    }
    return ClientPixelsStamp{UseService<WindowSurfaces>().Generation(cur->hwnd), origin, SIZE{c.width(), c.height()}};
}

namespace {
// The top-level windows that hold a listed window and can paint now (shown, not minimized),
// bottom to top; drops listed windows that are gone or have nothing left to paint. A window
// that waits under a hidden top-level window stays listed and costs no more than its look-up.
std::vector<HWND> TopsWithDirtyWindows() {
    auto& listed = Dirty().windows;
    std::unordered_set<std::uint32_t> tops;
    for (auto it = listed.begin(); it != listed.end();) {
        Window* w = Find(HWND{*it});
        if (!w || w->update.empty()) {
            it = listed.erase(it);
            continue;
        }
        ++it;
        if (!(w->style & WS_VISIBLE) || w->minimized) continue;
        const HWND top = GetTopLevel(w->hwnd);
        const Window* t = Find(top);
        if (t && (t->style & WS_VISIBLE) && !t->minimized) tops.insert(top.id());
    }
    if (tops.empty()) return {};
    std::vector<HWND> ordered;
    const auto& all = S().topLevels;
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (tops.count(it->id())) ordered.push_back(*it);
    return ordered;
}
}  // namespace

bool detail::AnyPaintPending() {
    for (HWND top : TopsWithDirtyWindows()) {
        std::vector<HWND> pending;
        CollectPending(top, pending);
        if (!pending.empty()) return true;
    }
    return false;
}

bool detail::PaintPendingWindows() {
    if (!Dirty().fresh) return false;
    Dirty().fresh = false;
    bool painted = false;
    // Bottom to top, so that the compositor sees each window finished in stacking order.
    for (HWND top : TopsWithDirtyWindows()) {
        std::vector<HWND> pending;
        CollectPending(top, pending);
        for (HWND h : pending) {
            Window* w = Find(h);
            if (!w || w->update.empty()) continue;
            DispatchToWindow(h, WM_PAINT, 0, 0);
            if (Find(h)) ValidateRect(h, nullptr);
            painted = true;
        }
    }
    return painted;
}

void detail::EraseWithClassBackground(HWND hwnd, HDC hdc) {
    Window* w = Find(hwnd);
    if (!w || !hdc) return;
    RECT c = ClientAreaInWindow(*w);
    UseService<WindowSurfaces>().EraseBackground(hwnd, hdc, RECT{0, 0, c.width(), c.height()});
}

}  // namespace platform
