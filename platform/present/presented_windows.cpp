#include "platform/present/presented_windows.h"

#include <utility>

#include "platform/window/detail/input.h"
#include "platform/window/detail/window_store.h"

namespace platform {

std::optional<PresentedWindow> ReadPresentedWindow(HWND hwnd) {
    const detail::Window* w = detail::Find(hwnd);
    if (!w) return std::nullopt;
    PresentedWindow p;
    p.topLevel = w->topLevel();
    p.className = w->cls->name;
    p.title = w->text;
    p.icon = w->icon;
    p.style = w->style;
    p.exStyle = w->exStyle;
    p.owned = static_cast<bool>(w->owner);
    p.ownedByHiddenWindow = w->hiddenOwner;
    p.shellWindow = w->context == ProcessContext::Shell;
    p.minimized = w->minimized;
    p.maximized = w->maximized;
    p.modal = w->modal;
    p.modalOver = w->modalOver;
    p.modalBlocksProgram = w->modalBlocksProgram;
    p.layeredFlags = ((w->exStyle & WS_EX_LAYERED) && w->layeredSet) ? w->layeredFlags : 0;
    p.layeredAlpha = w->layeredAlpha;
    p.layeredKey = w->layeredKey;
    return p;
}

std::vector<HWND> TopLevelWindowsInZOrder() { return detail::S().topLevels; }

HWND MenuKeyWindow() { return detail::CurrentMenuKeyWindow(); }

bool ShellWindowsPresented() { return detail::AnyHookOnContext(ProcessContext::Shell); }

void ObservePresentedWindows(std::function<void(HWND)> changed, std::function<void(HWND)> destroyed) {
    detail::WindowObserver observer;
    observer.changed = std::move(changed);
    observer.destroyed = std::move(destroyed);
    detail::AddWindowObserver(std::move(observer));
}

}  // namespace platform
