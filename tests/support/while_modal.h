// What a person does while a modal window waits (a modal form, a box that a person answers): run
// once from a timer a little after the wait began, inside its loop.
#pragma once

#include <functional>
#include <utility>

#include "platform/window/window.h"

namespace testsupport {

inline std::function<void()>& ActionWhileModal() {
    static std::function<void()> action;
    return action;
}

// Call before the modal window is shown; the action runs 100 ms later.
inline void WhileModalWaits(std::function<void()> action) {
    ActionWhileModal() = std::move(action);
    platform::SetTimer(platform::HWND{}, 0, 100, [](platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD) {
        platform::KillTimer(platform::HWND{}, id);
        ActionWhileModal()();
    });
}

}  // namespace testsupport
