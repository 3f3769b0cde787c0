// Ends of the run that come from outside the program. Each ends it as the program's own end does,
// so that nothing the program keeps is lost with it.
#pragma once

#include <functional>

namespace platform {

// A request to end the run (SIGTERM from a session or a service manager, SIGHUP from a closed
// session or terminal, SIGINT from Ctrl+C) runs `quit` on the loop's thread, as an event of the
// loop like any other. The first call takes those signals over.
void OnEndRequest(std::function<void()> quit);

// What must be written when the run ends without the loop (the display is gone).
void OnEndWithoutLoop(std::function<void()> save);

// The display is gone: writes what OnEndWithoutLoop gave, with any message box on standard error
// (none can be shown now), then ends the run through the RunEnd service with status 1. For a
// presenter whose connection broke, from a place where nothing may talk to the display.
void EndWithoutDisplay();

}  // namespace platform
