// What the library keeps per process context: its module handle, the timers the context started
// and the memory blocks it made. A context never touches another's; it leaves all of it behind
// when the library leaves the context.
#pragma once

#include <cstdint>

#include "platform/services/library_loader.h"
#include "platform/window/window.h"

namespace hooklib {

// The module handle DllMain was given in the calling context (0 when the library is linked in).
platform::HMODULE ThisModule();
void SetThisModule(platform::HMODULE module);

// The library's thread timers. Most have a slot in the shared section; the context that started
// a timer is the only one that can stop it.
enum class LibraryTimer { Refresh, DataBridge, Click, HelpDelay, HelpWatch, TooltipDelay, TooltipWatch, Count };

// Starts the timer in the calling context, or restarts it with the same id when this context
// runs it already; writes the id into its shared slot and returns it.
platform::UINT_PTR StartLibraryTimer(LibraryTimer timer, platform::UINT intervalMs, platform::TIMERPROC proc);
// Stops the timer when the calling context runs it; the shared slot is cleared either way.
void StopLibraryTimer(LibraryTimer timer);
// Stops every timer the calling context runs (the shared slots of the others stay).
void StopOwnTimers();
bool RunsTimer(LibraryTimer timer);  // in the calling context

}  // namespace hooklib
