#include "platform/window/detail/window_store.h"

#include <algorithm>

namespace platform::detail {
namespace {
std::vector<WindowObserver>& Observers() {
    static std::vector<WindowObserver> observers;
    return observers;
}
}  // namespace

Store& S() {
    static Store store;
    return store;
}

Window* Find(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& windows = S().windows;
    auto it = windows.find(hwnd.id());
    return it == windows.end() ? nullptr : it->second.get();
}

Window* FindOrFail(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

std::uint32_t NewHandleId() {
    // Ids are never reused, so a stale handle can never reach a newer object.
    std::uint32_t id = S().nextHandle;
    S().nextHandle += 2;
    return id;
}

WNDPROC ProcFromId(LONG id) {
    auto& procs = S().procs;
    if (id <= 0 || static_cast<std::size_t>(id) > procs.size()) return nullptr;
    return procs[static_cast<std::size_t>(id) - 1];
}

RECT NonClientInsets(const Window& w) {
    LONG frame = 0;
    if (w.style & WS_THICKFRAME)
        frame = 4;
    else if (w.style & WS_DLGFRAME)
        frame = 3;
    else if (w.style & WS_BORDER)
        frame = 1;
    if (w.exStyle & WS_EX_CLIENTEDGE) frame += 2;
    LONG caption = ((w.style & WS_CAPTION) == WS_CAPTION) ? 18 : 0;
    return RECT{frame, frame + caption, frame, frame};
}

RECT ClientAreaInWindow(const Window& w) {
    RECT in = NonClientInsets(w);
    RECT r{in.left, in.top, w.rect.width() - in.right, w.rect.height() - in.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

RECT CaptionBand(const Window& w) {
    if (!w.topLevel() || (w.style & WS_CAPTION) != WS_CAPTION) return RECT{};
    const RECT in = NonClientInsets(w);
    const RECT client = ClientAreaInWindow(w);
    const LONG frame = in.left;
    RECT band{frame, frame, w.rect.width() - in.right, client.top - 1};
    return band.empty() ? RECT{} : band;
}

std::vector<CaptionButtonPlace> CaptionButtons(const Window& w) {
    std::vector<CaptionButtonPlace> out;
    const RECT band = CaptionBand(w);
    if (band.empty() || !(w.style & WS_SYSMENU)) return out;
    constexpr LONG kWidth = 16, kMargin = 2;
    const bool tool = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
    const struct {
        CaptionButton button;
        bool shown;
        LRESULT hit;
        WPARAM command;
    } wanted[] = {
        {CaptionButton::Close, true, HTCLOSE, SC_CLOSE},
        {CaptionButton::Maximize, !tool && (w.style & WS_MAXIMIZEBOX), HTMAXBUTTON, w.maximized ? SC_RESTORE : SC_MAXIMIZE},
        {CaptionButton::Minimize, !tool && (w.style & WS_MINIMIZEBOX), HTMINBUTTON, SC_MINIMIZE},
    };
    LONG right = band.right - kMargin;
    for (const auto& b : wanted) {
        if (!b.shown) continue;
        if (!out.empty() && out.back().button == CaptionButton::Close) right -= kMargin;  // the close box stands apart
        const RECT r{right - kWidth, band.top + kMargin, right, band.bottom - kMargin + 1};
        if (r.left < band.left + kMargin || r.empty()) break;  // a caption too narrow drops the rest
        out.push_back(CaptionButtonPlace{b.button, r, b.hit, b.command});
        right = r.left;
    }
    return out;
}

POINT WindowOriginOnScreen(const Window& w) {
    POINT p{w.rect.left, w.rect.top};
    const Window* cur = &w;
    while (!cur->topLevel()) {
        const Window* parent = Find(cur->parent);
        if (!parent) break;
        RECT client = ClientAreaInWindow(*parent);
        p.x += parent->rect.left + client.left;
        p.y += parent->rect.top + client.top;
        cur = parent;
    }
    return p;
}

bool IsTopmost(const Window& w) { return (w.exStyle & WS_EX_TOPMOST) != 0; }

bool OwnedBy(const Window& w, HWND owner) {
    for (const Window* o = Find(w.owner); o; o = Find(o->owner))
        if (o->hwnd == owner) return true;
    return false;
}
int ZBand(const Window& w) { return w.modal ? 2 : IsTopmost(w) ? 1 : 0; }

void RemoveFromZOrder(Window& w) {
    std::vector<HWND>* list = &S().topLevels;
    if (!w.topLevel()) {
        Window* parent = Find(w.parent);
        if (!parent) return;
        list = &parent->children;
    }
    list->erase(std::remove(list->begin(), list->end(), w.hwnd), list->end());
}

void InsertInZOrder(Window& w, HWND insertAfter) {
    if (!w.topLevel()) {
        Window* parent = Find(w.parent);
        if (!parent) return;
        auto& list = parent->children;
        if (insertAfter == HWND_BOTTOM) {
            list.push_back(w.hwnd);
            return;
        }
        auto it = std::find(list.begin(), list.end(), insertAfter);
        list.insert(it == list.end() || insertAfter == HWND_TOP ? list.begin() : it + 1, w.hwnd);
        return;
    }
    auto& list = S().topLevels;
    // A window stays within its band; the bands lie in order, the highest in front.
    const int band = ZBand(w);
    auto bandBegin = std::find_if(list.begin(), list.end(), [band](HWND h) {
        Window* o = Find(h);
        return o && ZBand(*o) <= band;
    });
    auto bandEnd = std::find_if(bandBegin, list.end(), [band](HWND h) {
        Window* o = Find(h);
        return o && ZBand(*o) < band;
    });
    if (insertAfter == HWND_BOTTOM) {
        list.insert(bandEnd, w.hwnd);
        return;
    }
    if (insertAfter && insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        auto it = std::find(list.begin(), list.end(), insertAfter);
        Window* after = Find(insertAfter);
        if (it != list.end() && after && ZBand(*after) == band) {
            list.insert(it + 1, w.hwnd);
            return;
        }
    }
    list.insert(bandBegin, w.hwnd);
}

int AddWindowObserver(WindowObserver observer) {
    Observers().push_back(std::move(observer));
    return static_cast<int>(Observers().size());
}

void NotifyCreated(HWND hwnd) {
    for (auto& o : Observers())
        if (o.created) o.created(hwnd);
}
void NotifyDestroyed(HWND hwnd) {
    for (auto& o : Observers())
        if (o.destroyed) o.destroyed(hwnd);
}
void NotifyChanged(HWND hwnd) {
    for (auto& o : Observers())
        if (o.changed) o.changed(hwnd);
}
void NotifyDamaged(HWND topLevel, const RECT& windowRect) {
    for (auto& o : Observers())
        if (o.damaged) o.damaged(topLevel, windowRect);
}

}  // namespace platform::detail
