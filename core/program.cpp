#include "core/program.h"

#include <cstdio>

#include "core/failure_reports.h"
#include "core/frm_main.h"
#include "platform/present/runner.h"
#include "platform/services/paths.h"
#include "platform/window/loop.h"

namespace core {

bool StartProgram() {
    InstallProgramFailureReports();
    frmMain().Load();
    return !frmMain().Ended();
}

int RunProgram() {
    platform::PlatformOptions options;
    try {
        options = platform::ReadPlatformOptions();
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "OZRClock: %s\n", e.what());
        return 2;
    }
    platform::StartPlatform(options, platform::ProgramFolder());
    if (!StartProgram()) return frmMain().ExitStatus();
    // The window start-up showed reaches the screen now, before the engine's first ticks and
    // whatever else the timers start: on a loaded machine they would keep the loop from going
    // idle, which is when it otherwise presents.
    platform::PresentNow();
    int status = platform::RunMessageLoop();
    platform::WriteRunOutputs();
    return status;
}

}  // namespace core
