#include "platform/present/runner.h"

#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include "platform/present/desktop_screen.h"
#include "platform/present/message_box_window.h"
#include "platform/present/minimized_bars.h"
#include "platform/present/taskbar_place.h"
#include "platform/present/window_dump.h"
#include "platform/present/x11_presenter.h"
#include "platform/shell/taskbar.h"
#include "platform/services/clock.h"
#include "platform/services/power.h"
#include "platform/services/paths.h"
#include "platform/services/run_end.h"
#include "platform/services/running_copy.h"
#include "platform/services/sound_output.h"
#include "platform/services/window_surfaces.h"
#include "platform/window/loop.h"
#include "platform/window/message_box.h"
#include "platform/window/monitors.h"
#include "platform/window/remote.h"
#include "platform/window/screen.h"

namespace platform {
namespace {

PlatformOptions g_options;
bool g_previousInstance = false;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// "WIDTHxHEIGHT+X+Y,..." : each monitor's size and place on the headless screen.
std::vector<RECT> ParseMonitors(const std::string& text) {
    std::vector<RECT> monitors;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string one = text.substr(start, end - start);
        int w = 0, h = 0, x = 0, y = 0;
        char tail = 0;
        if (std::sscanf(one.c_str(), "%dx%d+%d+%d%c", &w, &h, &x, &y, &tail) != 4 || w < 64 || h < 64 || w > 16384 ||
            h > 16384 || x < 0 || y < 0 || x > 16384 || y > 16384 || monitors.size() == 16)
            throw Error("OZR_MONITORS must list up to 16 monitors as WIDTHxHEIGHT+X+Y (sizes 64 to 16384, places 0 to "
                        "16384) parted by commas, the primary first, not \"" + text + "\"");
        monitors.push_back(RECT{x, y, x + w, y + h});
        start = end + 1;
    }
    return monitors;
}

class ProcessRunEnd final : public RunEnd {
public:
    void End(int status) override { EndRun(status); }
};

}  // namespace

std::unique_ptr<RunEnd> RunEnd::MakeReal() { return std::make_unique<ProcessRunEnd>(); }

PlatformOptions ReadPlatformOptions() {
    PlatformOptions o;
    std::string presenter = Env("OZR_PRESENTER");
    if (presenter.empty()) presenter = Env("DISPLAY").empty() ? "headless" : "x11";
    if (presenter == "headless")
        o.presenter = PresenterKind::Headless;
    else if (presenter == "x11")
        o.presenter = PresenterKind::X11;
    else
        throw Error("OZR_PRESENTER must be \"headless\" or \"x11\", not \"" + presenter + "\"");

    if (std::string screen = Env("OZR_SCREEN"); !screen.empty()) {
        int w = 0, h = 0;
        char tail = 0;
        if (std::sscanf(screen.c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w < 64 || h < 64 || w > 16384 || h > 16384)
            throw Error("OZR_SCREEN must be WIDTHxHEIGHT in pixels (64 to 16384), not \"" + screen + "\"");
        o.screen = SIZE{w, h};
    }
    if (std::string monitors = Env("OZR_MONITORS"); !monitors.empty()) o.monitors = ParseMonitors(monitors);
    if (std::string clock = Env("OZR_CLOCK"); !clock.empty()) {
        const std::string prefix = "virtual:";
        std::int64_t start = 0;
        if (clock.rfind(prefix, 0) != 0 || !ParseLocalTimestamp(clock.substr(prefix.size()), &start))
            throw Error("OZR_CLOCK must be virtual:YYYY-MM-DDTHH:MM:SS, not \"" + clock + "\"");
        o.virtualStartUtcMs = start;
    }
    if (std::string runFor = Env("OZR_RUN_FOR"); !runFor.empty()) {
        char* end = nullptr;
        double seconds = std::strtod(runFor.c_str(), &end);
        if (!end || *end || seconds < 0 || seconds > 1e7)
            throw Error("OZR_RUN_FOR must be a number of seconds, not \"" + runFor + "\"");
        o.runForMs = static_cast<std::int64_t>(seconds * 1000);
    }
    o.windowDumpPath = Env("OZR_WINDOW_DUMP");
    o.screenshotPath = Env("OZR_SCREENSHOT");
    return o;
}

void StartPlatform(const PlatformOptions& options, const std::string& programFolder) {
    g_options = options;
    SetProgramFolder(programFolder);
    if (options.virtualStartUtcMs) InstallService<Clock>(MakeVirtualClock(*options.virtualStartUtcMs));
    // Only a run of the program itself may end the session or switch the computer off.
    if (RealPowerAllowed(options.virtualStartUtcMs.has_value(), options.runForMs.has_value()))
        InstallService<PowerControl>(MakeSessionPower());
    // Sound follows the clock: a virtual clock's run plays in its time (and records the plays);
    // a headless run has no one listening and plays to ALSA's null device.
    if (options.virtualStartUtcMs)
        InstallService<SoundOutput>(std::make_unique<VirtualSoundOutput>());
    else if (options.presenter == PresenterKind::Headless)
        InstallService<SoundOutput>(MakeAlsaSoundOutput("null"));
    SetScreenSize(options.screen);
    SetMonitorLayout(options.monitors, 0);
    StartDesktopScreen();
    StartMinimizedBars();
    if (g_options.presenter == PresenterKind::X11) {
        std::string why;
        if (!StartX11Presenter(&why)) {
            std::fprintf(stderr, "OZRClock: %s; running headless.\n", why.c_str());
            g_options.presenter = PresenterKind::Headless;
        } else {
            InstallService<MessageBoxes>(MakeMessageBoxWindows());  // a person answers on a real desktop
        }
    }
    // The taskbar the systray clock lives in, on the edge it was put on last.
    StartShell(KeptTaskbarEdge());
    SetTaskbarMovedListener(KeepTaskbarEdge);
    SetRunningProgramFolder(programFolder);
    g_previousInstance = !UseService<RunningCopy>().BecomeRunningCopy(programFolder);
    if (!g_previousInstance) RegisterRunningCopy(programFolder);
    if (options.runForMs) SetRunDeadline(CurrentClock().MonotonicMs() + *options.runForMs);
}

const PlatformOptions& CurrentPlatformOptions() { return g_options; }

bool PreviousInstanceRunning() { return g_previousInstance; }
bool IsHeadless() { return g_options.presenter == PresenterKind::Headless; }

void WriteRunOutputs() {
    if (!g_options.windowDumpPath.empty() && !WriteWindowDump(g_options.windowDumpPath))
        std::fprintf(stderr, "Could not write the window dump to %s\n", g_options.windowDumpPath.c_str());
    if (!g_options.screenshotPath.empty()) {
        if (!UseService<WindowSurfaces>().WriteScreenshot(g_options.screenshotPath))
            std::fprintf(stderr, "Could not write the screenshot to %s\n", g_options.screenshotPath.c_str());
    }
}

void EndRun(int status) {
    WriteRunOutputs();
    UnregisterRunningCopy();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(status);
}

}  // namespace platform
