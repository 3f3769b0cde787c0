// Classes, creation and destruction, window longs, texts, layered attributes and look-ups.
#include <algorithm>
#include <cstring>

#include "platform/window/detail/input.h"
#include "platform/window/detail/timers.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

std::shared_ptr<WindowClass> LookupClass(const std::string& name, ProcessContext context) {
    auto& own = S().classes[static_cast<int>(context)];
    if (auto it = own.find(name); it != own.end()) return it->second;
    for (auto& table : S().classes)
        for (auto& [key, cls] : table)
            if (key == name && cls->global) return cls;
    return nullptr;
}

int CopyOut(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

void DestroyTree(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w || w->destroying) return;
    HandOverForeground(hwnd);  // as the window is hidden on its way out
    w->destroying = true;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    w = Find(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) DestroyTree(child);
    // Owned top-level windows go with their owner.
    std::vector<HWND> owned;
    for (auto& [id, other] : S().windows)
        if (other->owner == hwnd && other->topLevel() && !other->destroying) owned.push_back(other->hwnd);
    for (HWND o : owned) DestroyTree(o);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    w = Find(hwnd);
    if (!w) return;
    RemoveFromZOrder(*w);
    KillTimersOfWindow(hwnd);
    for (auto& focus : S().focus)
        if (focus == hwnd) focus = HWND{};
    for (auto& active : S().active)
        if (active == hwnd) active = HWND{};
    if (S().foreground == hwnd) S().foreground = HWND{};
    if (S().capture == hwnd) S().capture = HWND{};
    NotifyDestroyed(hwnd);
    S().windows.erase(hwnd.id());
}

}  // namespace

LONG AddressOf(WNDPROC proc) {
    if (!proc) return 0;
    auto& procs = S().procs;
    auto it = std::find(procs.begin(), procs.end(), proc);
    if (it != procs.end()) return static_cast<LONG>(it - procs.begin()) + 1;
    procs.push_back(proc);
    return static_cast<LONG>(procs.size());
}

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& table = S().classes[static_cast<int>(CurrentContext())];
    if (table.count(wc->lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->style = wc->style;
    cls->procId = AddressOf(wc->lpfnWndProc);
    cls->brush = wc->hbrBackground;
    cls->background = wc->background;
    cls->context = CurrentContext();
    cls->global = (wc->style & CS_GLOBALCLASS) != 0;
    table[cls->name] = cls;
    return static_cast<ATOM>(0xC000 + table.size());
}

BOOL UnregisterClass(const char* className) {
    if (!className) return 0;
    return S().classes[static_cast<int>(CurrentContext())].erase(className) ? 1 : 0;
}

DWORD GetClassLong(HWND hwnd, int index) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    return index == GCL_STYLE ? w->cls->style : 0;
}

DWORD SetClassLong(HWND hwnd, int index, LONG value) {
    Window* w = FindOrFail(hwnd);
    if (!w || index != GCL_STYLE) return 0;
    // A class belongs to the context that registered it; changing it from outside is refused.
    if (w->cls->context != CurrentContext()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    DWORD old = w->cls->style;
    w->cls->style = static_cast<UINT>(value);
    return old;
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT_PTR menuOrId, void* param) {
    if (!className) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HWND{};
    }
    auto cls = LookupClass(className, CurrentContext());
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return HWND{};
    }
    Window* parentWindow = nullptr;
    if (parent) {
        parentWindow = FindOrFail(parent);
        if (!parentWindow) return HWND{};
    }
    if ((style & WS_CHILD) && !parentWindow) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HWND{};
    }
    auto window = std::make_unique<Window>();
    Window* w = window.get();
    w->hwnd = HWND{NewHandleId()};
    w->context = CurrentContext();
    w->cls = cls;
    w->text = windowName ? windowName : "";
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    if (style & WS_CHILD) {
        w->parent = parent;
        w->controlId = static_cast<LONG>(menuOrId);
    } else if (parentWindow) {
        w->owner = GetTopLevel(parent);
    }
    w->procId = cls->procId;
    HWND hwnd = w->hwnd;
    S().windows[hwnd.id()] = std::move(window);
    InsertInZOrder(*w, HWND_TOP);
    NotifyCreated(hwnd);

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.exStyle = exStyle;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
        SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return HWND{};
    }
    if (!Find(hwnd)) return HWND{};
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOWNA);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (w->context != CurrentContext()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    bool wasVisible = IsWindowVisible(hwnd);
    RECT screenRect;
    GetWindowRect(hwnd, &screenRect);
    HWND top = GetTopLevel(hwnd);
    bool child = !w->topLevel();
    DestroyTree(hwnd);
    if (child && wasVisible && Find(top)) {
        POINT origin = WindowOriginOnScreen(*Find(top));
        NotifyDamaged(top, OffsetRectBy(screenRect, -origin.x, -origin.y));
        InvalidateRect(top, nullptr, 1);
    }
    return 1;
}

BOOL IsWindow(HWND hwnd) { return Find(hwnd) ? 1 : 0; }

BOOL IsWindowVisible(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = w->topLevel() ? nullptr : Find(w->parent)) {
        if (!(w->style & WS_VISIBLE)) return 0;
        if (w->topLevel()) return 1;
    }
    return 0;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED) ? 1 : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? 1 : 0;
    bool change = enable ? wasDisabled : !wasDisabled;
    if (!change) return wasDisabled;
    if (enable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    if (!enable) {
        for (auto& focus : S().focus)
            if (focus == hwnd) SetFocus(HWND{});
    }
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    InvalidateRect(hwnd, nullptr, 1);
    return wasDisabled;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    for (Window* w = Find(hwnd); w && !w->topLevel(); w = Find(w->parent))
        if (w->parent == parent) return 1;
    return 0;
}

HWND GetParent(HWND hwnd) {
    Window* w = FindOrFail(hwnd);
    if (!w) return HWND{};
    return w->topLevel() ? w->owner : w->parent;
}

HWND GetOwner(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->owner : HWND{};
}

HWND SetParent(HWND child, HWND newParent) {
    Window* w = FindOrFail(child);
    if (!w) return HWND{};
    if (newParent && !FindOrFail(newParent)) return HWND{};
    HWND old = w->topLevel() ? HWND{} : w->parent;
    bool visible = IsWindowVisible(child);
    RemoveFromZOrder(*w);
    if (newParent) {
        w->style = (w->style & ~WS_POPUP) | WS_CHILD;
        w->parent = newParent;
        w->owner = HWND{};
    } else {
        w->style &= ~WS_CHILD;
        w->parent = HWND{};
    }
    InsertInZOrder(*w, HWND_TOP);
    NotifyChanged(child);
    if (visible || IsWindowVisible(child)) InvalidateRect(child, nullptr, 1);
    return old;
}

HWND GetDesktopWindow() { return HWND{}; }

HWND GetTopLevel(HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && !w->topLevel()) w = Find(w->parent);
    return w ? w->hwnd : HWND{};
}

HWND GetWindow(HWND hwnd, UINT relation) {
    Window* w = FindOrFail(hwnd);
    if (!w) return HWND{};
    if (relation == GW_OWNER) return w->owner;
    if (relation == GW_CHILD) return w->children.empty() ? HWND{} : w->children.front();
    const std::vector<HWND>* list = &S().topLevels;
    if (!w->topLevel()) {
        Window* parent = Find(w->parent);
        if (!parent) return HWND{};
        list = &parent->children;
    }
    if (list->empty()) return HWND{};
    auto it = std::find(list->begin(), list->end(), hwnd);
    switch (relation) {
        case GW_HWNDFIRST: return list->front();
        case GW_HWNDLAST: return list->back();
        case GW_HWNDNEXT: return (it == list->end() || it + 1 == list->end()) ? HWND{} : *(it + 1);
        case GW_HWNDPREV: return (it == list->begin() || it == list->end()) ? HWND{} : *(it - 1);
        default: return HWND{};
    }
}

LONG GetWindowLong(HWND hwnd, int index) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWL_WNDPROC: return w->procId;
        case GWL_STYLE: return static_cast<LONG>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
        case GWL_ID: return w->controlId;
        case GWL_USERDATA: return static_cast<LONG>(w->userData);
        case GWL_HWNDPARENT: return static_cast<LONG>(w->topLevel() ? w->owner.id() : w->parent.id());
        default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    LONG old = GetWindowLong(hwnd, index);
    switch (index) {
        case GWL_WNDPROC:
            // Subclassing works only from inside the window's own context.
            if (w->context != CurrentContext() || !ProcFromId(value)) {
                SetLastError(w->context != CurrentContext() ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
                return 0;
            }
            w->procId = value;
            return old;
        case GWL_STYLE: {
            DWORD visible = w->style & WS_VISIBLE;
            w->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | visible;
            NotifyChanged(hwnd);
            return old;
        }
        case GWL_EXSTYLE: {
            bool wasTopmost = IsTopmost(*w);
            w->exStyle = static_cast<DWORD>(value);
            if (wasTopmost) w->exStyle |= WS_EX_TOPMOST;  // the band changes only through SetWindowPos
            else w->exStyle &= ~WS_EX_TOPMOST;
            if (!(w->exStyle & WS_EX_LAYERED)) w->layeredSet = false;
            NotifyChanged(hwnd);
            return old;
        }
        case GWL_ID: w->controlId = value; return old;
        case GWL_USERDATA: w->userData = value; return old;
        case GWL_HWNDPARENT: {
            // Sets the owner of a top-level window (a window never owns itself or its owners).
            HWND owner{static_cast<std::uint32_t>(value)};
            if (!w->topLevel() || (owner && !FindOrFail(owner))) return 0;
            for (HWND o = owner; o; o = Find(o) ? Find(o)->owner : HWND{})
                if (o == hwnd) {
                    SetLastError(ERROR_INVALID_PARAMETER);
                    return 0;
                }
            w->owner = owner ? GetTopLevel(owner) : HWND{};
            NotifyChanged(hwnd);
            return old;
        }
        default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (index == GWL_USERDATA) return w->userData;
    return GetWindowLong(hwnd, index);
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (index == GWL_USERDATA) {
        LONG_PTR old = w->userData;
        w->userData = value;
        return old;
    }
    return SetWindowLong(hwnd, index, static_cast<LONG>(value));
}

LONG GetDlgCtrlID(HWND hwnd) { return GetWindowLong(hwnd, GWL_ID); }

int GetClassName(HWND hwnd, char* buffer, int size) {
    Window* w = FindOrFail(hwnd);
    return w ? CopyOut(w->cls->name, buffer, size) : 0;
}

std::string GetClassNameString(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->cls->name : std::string();
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    // Inside its own context the window is asked; another context's window text is read as stored.
    if (w->context == CurrentContext())
        return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
    return CopyOut(w->text, buffer, size);
}

int GetWindowTextLength(HWND hwnd) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (w->context == CurrentContext()) return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
    return static_cast<int>(w->text.size());
}

std::string GetWindowTextString(HWND hwnd) {
    int n = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowText(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

BOOL SetWindowText(HWND hwnd, const char* text) {
    if (!FindOrFail(hwnd)) return 0;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? 1 : 0;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (!(w->exStyle & WS_EX_LAYERED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    w->layeredKey = key;
    w->layeredAlpha = alpha;
    w->layeredFlags = flags & (LWA_COLORKEY | LWA_ALPHA);
    w->layeredSet = true;
    NotifyChanged(hwnd);
    if (w->topLevel()) NotifyDamaged(hwnd, RECT{0, 0, w->rect.width(), w->rect.height()});
    return 1;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
    Window* w = FindOrFail(hwnd);
    if (!w || !w->layeredSet) return 0;
    if (key) *key = w->layeredKey;
    if (alpha) *alpha = w->layeredAlpha;
    if (flags) *flags = w->layeredFlags;
    return 1;
}

HWND FindWindowEx(HWND parent, HWND childAfter, const char* className, const char* windowName) {
    const std::vector<HWND>* list = &S().topLevels;
    if (parent) {
        Window* p = FindOrFail(parent);
        if (!p) return HWND{};
        list = &p->children;
    }
    bool started = !childAfter;
    for (HWND h : *list) {
        if (!started) {
            started = (h == childAfter);
            continue;
        }
        Window* w = Find(h);
        if (!w) continue;
        if (className && w->cls->name != className) continue;
        if (windowName && w->text != windowName) continue;
        return h;
    }
    return HWND{};
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    std::vector<HWND> list = S().topLevels;
    for (HWND h : list)
        if (Find(h) && !proc(h, lParam)) return 0;
    return 1;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    Window* p = FindOrFail(parent);
    if (!p) return 0;
    std::vector<HWND> list = p->children;
    for (HWND h : list) {
        if (!Find(h)) continue;
        if (!proc(h, lParam)) return 0;
        if (!EnumChildWindows(h, proc, lParam)) return 0;
    }
    return 1;
}

}  // namespace platform
