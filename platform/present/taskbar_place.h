// The edge the taskbar was last put on, kept in the program folder (as a desktop keeps the place
// of its panel), so that the next start puts it there again.
#pragma once

#include "platform/shell/taskbar.h"

namespace platform {

// The bottom when none was kept (or the file names no edge).
TaskbarEdge KeptTaskbarEdge();
// A file that cannot be written is reported as dropped work.
void KeepTaskbarEdge(TaskbarEdge edge);

}  // namespace platform
