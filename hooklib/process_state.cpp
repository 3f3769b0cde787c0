#include "hooklib/process_state.h"

#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

constexpr int kTimerCount = static_cast<int>(LibraryTimer::Count);

struct ProcessState {
    platform::HMODULE module;
    platform::UINT_PTR timers[kTimerCount] = {};
};

ProcessState& ThisProcess() {
    static ProcessState states[platform::kContextCount];
    return states[static_cast<int>(platform::CurrentContext())];
}

std::int32_t& SharedSlot(LibraryTimer timer) {
    switch (timer) {
        case LibraryTimer::Refresh: return Share().RefreshTimer;
        case LibraryTimer::DataBridge: return Share().DataBridgeTimer;
        default: return Share().ClickTimer;
    }
}

}  // namespace

platform::HMODULE ThisModule() { return ThisProcess().module; }
void SetThisModule(platform::HMODULE module) { ThisProcess().module = module; }

platform::UINT_PTR StartLibraryTimer(LibraryTimer timer, platform::UINT intervalMs, platform::TIMERPROC proc) {
    platform::UINT_PTR& own = ThisProcess().timers[static_cast<int>(timer)];
    own = platform::SetTimer(platform::HWND{}, own, intervalMs, proc);
    SharedSlot(timer) = static_cast<std::int32_t>(own);
    return own;
}

void StopLibraryTimer(LibraryTimer timer) {
    platform::UINT_PTR& own = ThisProcess().timers[static_cast<int>(timer)];
    if (own) platform::KillTimer(platform::HWND{}, own);
    own = 0;
    SharedSlot(timer) = 0;
}

void StopOwnTimers() {
    for (int i = 0; i < kTimerCount; ++i) {
        platform::UINT_PTR& own = ThisProcess().timers[i];
        if (!own) continue;
        platform::KillTimer(platform::HWND{}, own);
        if (SharedSlot(static_cast<LibraryTimer>(i)) == static_cast<std::int32_t>(own))
            SharedSlot(static_cast<LibraryTimer>(i)) = 0;
        own = 0;
    }
}

bool RunsTimer(LibraryTimer timer) { return ThisProcess().timers[static_cast<int>(timer)] != 0; }

}  // namespace hooklib
