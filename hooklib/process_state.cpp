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

// The clock tooltip's two timers have no slot: only the taskbar's context knows them.
std::int32_t* SharedSlot(LibraryTimer timer) {
    switch (timer) {
        case LibraryTimer::Refresh: return &Share().RefreshTimer;
        case LibraryTimer::DataBridge: return &Share().DataBridgeTimer;
        case LibraryTimer::Click: return &Share().ClickTimer;
        case LibraryTimer::HelpDelay: return &Share().HelpDelayTimer;
        case LibraryTimer::HelpWatch: return &Share().HelpWatchTimer;
        default: return nullptr;
    }
}

void SetSlot(LibraryTimer timer, std::int32_t value) {
    if (std::int32_t* slot = SharedSlot(timer)) *slot = value;
}

}  // namespace

platform::HMODULE ThisModule() { return ThisProcess().module; }
void SetThisModule(platform::HMODULE module) { ThisProcess().module = module; }

platform::UINT_PTR StartLibraryTimer(LibraryTimer timer, platform::UINT intervalMs, platform::TIMERPROC proc) {
    platform::UINT_PTR& own = ThisProcess().timers[static_cast<int>(timer)];
    own = platform::SetTimer(platform::HWND{}, own, intervalMs, proc);
    SetSlot(timer, static_cast<std::int32_t>(own));
    return own;
}

void StopLibraryTimer(LibraryTimer timer) {
    platform::UINT_PTR& own = ThisProcess().timers[static_cast<int>(timer)];
    if (own) platform::KillTimer(platform::HWND{}, own);
    own = 0;
    SetSlot(timer, 0);
}

void StopOwnTimers() {
    for (int i = 0; i < kTimerCount; ++i) {
        platform::UINT_PTR& own = ThisProcess().timers[i];
        if (!own) continue;
        platform::KillTimer(platform::HWND{}, own);
        std::int32_t* slot = SharedSlot(static_cast<LibraryTimer>(i));
        if (slot && *slot == static_cast<std::int32_t>(own)) *slot = 0;
        own = 0;
    }
}

bool RunsTimer(LibraryTimer timer) { return ThisProcess().timers[static_cast<int>(timer)] != 0; }

}  // namespace hooklib
