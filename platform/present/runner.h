// Starting the platform for a run: the environment variables that choose the presenter, the
// screen, the clock and a bounded run with its window dump and screenshot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base.h"

namespace platform {

enum class PresenterKind { Headless, X11 };

struct PlatformOptions {
    PresenterKind presenter = PresenterKind::Headless;
    SIZE screen{1280, 1024};
    std::vector<RECT> monitors;  // OZR_MONITORS: the screen cut into these, the first the primary
    std::optional<std::int64_t> virtualStartUtcMs;  // OZR_CLOCK=virtual:...
    std::optional<std::int64_t> runForMs;           // OZR_RUN_FOR
    std::string windowDumpPath;                     // OZR_WINDOW_DUMP
    std::string screenshotPath;                     // OZR_SCREENSHOT
};

// Reads OZR_PRESENTER, OZR_SCREEN, OZR_MONITORS, OZR_CLOCK, OZR_RUN_FOR, OZR_WINDOW_DUMP and OZR_SCREENSHOT
// (and DISPLAY for the default presenter). A malformed value raises platform::Error.
PlatformOptions ReadPlatformOptions();

// Installs the clock and the screen, makes programFolder the program folder (where the clock's
// paths lead), notes whether another copy of the program in this program folder is running,
// registers this copy, and arms the end of a bounded run.
void StartPlatform(const PlatformOptions& options, const std::string& programFolder);
const PlatformOptions& CurrentPlatformOptions();
bool PreviousInstanceRunning();
bool IsHeadless();

// Writes what the run asked for (window dump, screenshot); then ends the process with the status.
// The RunEnd service's real implementation.
[[noreturn]] void EndRun(int status);
// The screenshot is what the WindowSurfaces service shows.
void WriteRunOutputs();

}  // namespace platform
