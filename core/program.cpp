#include "core/program.h"

#include <cstdio>

#include "core/frm_main.h"
#include "platform/present/runner.h"
#include "platform/services/paths.h"
#include "platform/window/loop.h"

namespace core {

bool StartProgram() {
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
    int status = platform::RunMessageLoop();
    platform::WriteRunOutputs();
    return status;
}

}  // namespace core
