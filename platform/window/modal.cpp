#include "platform/window/modal.h"

#include <algorithm>

#include "platform/window/detail/input.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

// Innermost last.
std::vector<ModalWait*>& Waits() {
    static std::vector<ModalWait*> waits;
    return waits;
}

bool Usable(HWND hwnd) {
    return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && IsWindowEnabled(GetTopLevel(hwnd));
}

// The modal window goes in front of every other window; over a topmost window it is topmost too.
void MarkModal(HWND window, HWND over, bool blocksProgram, bool* wasTopmost) {
    Window* w = Find(window);
    if (!w) return;
    *wasTopmost = IsTopmost(*w);
    w->modal = true;
    w->modalOver = over;
    w->modalBlocksProgram = blocksProgram;
    const Window* o = Find(over);
    const bool topmost = *wasTopmost || (o && IsTopmost(*o));
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void UnmarkModal(HWND window, bool wasTopmost) {
    Window* w = Find(window);
    if (!w || !w->modal) return;
    w->modal = false;
    w->modalOver = HWND{};
    w->modalBlocksProgram = false;
    SetWindowPos(window, wasTopmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

ModalWait::ModalWait(HWND owner, bool blocksProgram, HWND modalWindow) : modalWindow_(modalWindow) {
    const int ctx = static_cast<int>(CurrentContext());
    hadFocus_ = S().focus[ctx];
    wasActive_ = S().active[ctx];
    if (!Find(owner)) {
        owner = wasActive_;
        blocksProgram = true;
    }
    blocksProgram_ = blocksProgram;
    over_ = GetTopLevel(owner);
    if (over_ == modalWindow) over_ = HWND{};

    std::vector<HWND> blocked;
    if (blocksProgram) {
        // The program's windows, whichever context asks (the clock's library asks its Exit question
        // from the taskbar's), and the asking context's own.
        const ProcessContext asking = CurrentContext();
        for (HWND top : S().topLevels) {
            const Window* w = Find(top);
            if (w && (w->context == asking || w->context == ProcessContext::Program) && top != modalWindow &&
                !OwnedBy(*w, modalWindow))
                blocked.push_back(top);
        }
    } else if (over_) {
        blocked.push_back(over_);
    }
    // A press that began in a blocked window is over: its release would never reach it.
    if (HWND capture = S().capture; capture && std::find(blocked.begin(), blocked.end(), GetTopLevel(capture)) != blocked.end())
        ReleaseCapture();
    for (HWND h : blocked) {
        if (!IsWindowEnabled(h)) continue;  // disabled by someone else: left to them
        EnableWindow(h, 0);
        disabled_.push_back(h);
    }
    Waits().push_back(this);
    if (modalWindow_) MarkModal(modalWindow_, over_, blocksProgram_, &wasTopmost_);
}

ModalWait::~ModalWait() {
    auto& waits = Waits();
    waits.erase(std::remove(waits.begin(), waits.end(), this), waits.end());
    for (HWND h : disabled_)
        if (IsWindow(h)) EnableWindow(h, 1);
    if (modalWindow_) UnmarkModal(modalWindow_, wasTopmost_);
    ForgetLastPress();
    if (Usable(hadFocus_))
        SetFocus(hadFocus_);
    else if (wasActive_ && IsWindowVisible(wasActive_) && IsWindowEnabled(wasActive_))
        SetActiveWindow(wasActive_);
}

bool detail::RestoreMinimizedModalWindows() {
    std::vector<HWND> minimized;
    for (auto it = Waits().rbegin(); it != Waits().rend(); ++it)
        if (const Window* w = Find((*it)->ModalWindow()); w && w->minimized && (w->style & WS_VISIBLE))
            minimized.push_back(w->hwnd);
    for (HWND h : minimized) {
        if (const Window* w = Find(h)) {
            ContextScope scope(w->context);
            ShowWindow(h, SW_RESTORE);
        }
    }
    return !minimized.empty();
}

void PresentModalWindow(HWND modalWindow) {
    if (Waits().empty() || !Find(modalWindow)) return;
    ModalWait& inner = *Waits().back();
    if (inner.modalWindow_) return;
    inner.modalWindow_ = modalWindow;
    MarkModal(modalWindow, inner.over_, inner.blocksProgram_, &inner.wasTopmost_);
}

HWND ModalWindowBlocking(HWND window) {
    HWND blocked = GetTopLevel(window);
    HWND modal;
    // A modal window may itself be blocked by a later wait (a box asked from a modal form).
    for (std::size_t depth = 0; depth < Waits().size(); ++depth) {
        auto wait = std::find_if(Waits().rbegin(), Waits().rend(), [&](const ModalWait* w) {
            return w->modalWindow_ && std::find(w->disabled_.begin(), w->disabled_.end(), blocked) != w->disabled_.end();
        });
        if (wait == Waits().rend()) break;
        modal = blocked = (*wait)->modalWindow_;
    }
    return modal;
}

}  // namespace platform
