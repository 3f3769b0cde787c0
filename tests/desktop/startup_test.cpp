// Start-up and shut-down of the whole program on the headless desktop.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/frm_intro.h"
#include "core/frm_intro_tips.h"
#include "core/frm_main.h"
#include "core/intro_flags.h"
#include "core/globals.h"
#include "core/settings_windows.h"
#include "desktop_harness.h"
#include "platform/services/settings_file.h"
#include "platform/window/message_box.h"
#include "platform/window/monitors.h"
#include "platform/window/window_manager.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;

namespace {

// A settings file of an earlier run, so that no first-run introduction comes.
void WriteLaterRunSettings(const std::filesystem::path& folder, const std::string& advancedSettings = "") {
    std::ofstream out(folder / "Settings.ozrini");
    out << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";
    if (!advancedSettings.empty())
        out << "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\n" << advancedSettings;
}

std::string LogOf(const Desktop& d) { return d.FileExists("!debug.dump") ? d.ReadFile("!debug.dump") : ""; }

TEST(Startup, TheMainWindowCarriesItsTitleAndAVirtualHourPasses) {
    Desktop d({.prepare = [](auto& f) { WriteLaterRunSettings(f); }});
    ASSERT_TRUE(d.Start());
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    ASSERT_TRUE(main);
    d.Advance(3'600'000);
    EXPECT_FALSE(d.Ended());
    EXPECT_EQ(d.Text(main), "OZR Ruriv Main Window");
}

TEST(Startup, ALaterRunCountsItselfWithoutChangingTheLoadedRunCount) {
    Desktop d({.prepare = [](auto& f) { WriteLaterRunSettings(f); }});
    ASSERT_TRUE(d.Start());
    EXPECT_EQ(core::Settings.RunCount, 4);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Main Settings", "RunCount"), 5);
}

TEST(Startup, AMissingLanguageFileEndsTheProgramWithItsMessage) {
    Desktop d({.prepare = [](auto& f) {
        WriteLaterRunSettings(f);
        std::filesystem::remove(f / "System/Lang/000English.ozrini");
    }});
    EXPECT_FALSE(d.Start());
    EXPECT_TRUE(d.Ended());
    EXPECT_NE(d.ExitCode(), 0);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 16u);
}

TEST(Startup, AMissingLibraryEndsTheProgramWithAMessageNamingTheFile) {
    Desktop d({.prepare = [](auto& f) {
        WriteLaterRunSettings(f);
        std::filesystem::remove(f / "System/libOZRClock.so");
    }});
    EXPECT_FALSE(d.Start());
    EXPECT_NE(d.ExitCode(), 0);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_NE(d.MessageBoxes()[0].text.find("libOZRClock.so"), std::string::npos);
}

std::vector<std::string> LogLines(const std::string& log) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    return lines;
}

TEST(Startup, WithDebugModeTheFirstLogLineOfTheRunIsTheStartLine) {
    Desktop d({.prepare = [](auto& f) { WriteLaterRunSettings(f, "DebugMode=1\nDLLDebugMode=0\n"); }});
    ASSERT_TRUE(d.Start());
    std::vector<std::string> lines = LogLines(LogOf(d));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[0].find("> [frmMain]: OZR Ruriv successfully started.\""), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].substr(lines[1].size() - 4), " > \"") << "then an empty line";
}

TEST(Startup, ProblemsOfTheLoadedSettingsAreLoggedRightAfterTheStartLine) {
    Desktop d({.prepare = [](auto& f) {
        WriteLaterRunSettings(f, "DebugMode=1\nDLLDebugMode=0\n[Float Window]\nAlwaysOnTop=maybe\n");
    }});
    ASSERT_TRUE(d.Start());
    std::vector<std::string> lines = LogLines(LogOf(d));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_NE(lines[0].find("> [frmMain]: OZR Ruriv successfully started.\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("> [LoadSettings]: \"AlwaysOnTop\" in section \"Float Window\" holds \"maybe\""),
              std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[2].substr(lines[2].size() - 4), " > \"") << "then an empty line";
}

TEST(Startup, QuitSavesTheSettingsAndEndsTheProgram) {
    Desktop d({.prepare = [](auto& f) { WriteLaterRunSettings(f); }});
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    SendMessage(main, core::WM_CLOCKQUIT, 0, 0);
    d.Advance(100);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.ExitCode(), 0);
    std::string settings = d.ReadFile("Settings.ozrini");
    EXPECT_NE(settings.find("[Float Window]"), std::string::npos);
    EXPECT_FALSE(IsWindow(main));
}

// A second copy, a real process in the same program folder, hands over and ends.
TEST(Startup, ASecondCopyBringsTheFirstForwardAndEndsWithoutWritingAFile) {
    Desktop d({.prepare = [](auto& f) { WriteLaterRunSettings(f); }});
    ASSERT_TRUE(d.Start());
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    HWND other = CreateWindowEx(0, "Form", "someone else", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, HWND{});
    SetForegroundWindow(other);
    WindowManagerIconic(main, true);  // as a pager minimises it: the second copy brings it back all the same
    d.Advance(100);
    auto before = std::filesystem::last_write_time(d.PathOf("Settings.ozrini"));
    std::string executable = (d.Folder() / "OZRClock").string();
    pid_t child = fork();
    if (child == 0) {
        setenv("OZR_PRESENTER", "headless", 1);
        unsetenv("OZR_CLOCK");
        setenv("OZR_RUN_FOR", "10", 1);
        execl(executable.c_str(), executable.c_str(), nullptr);
        _exit(127);
    }
    int status = -1;
    for (int i = 0; i < 1000; ++i) {
        d.Advance(10);
        if (waitpid(child, &status, WNOHANG) == child) break;
        usleep(5000);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    d.Advance(100);
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(std::filesystem::last_write_time(d.PathOf("Settings.ozrini")), before);
    EXPECT_FALSE(d.FileExists("!debug.dump"));
}

}  // namespace

namespace {

// The centre of a window on the screen.
POINT CentreOf(const Desktop& d, HWND hwnd) {
    RECT r = d.Rect(hwnd);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(FirstRun, AFreshFolderWritesEveryDefaultTwoLabelsAndRunCountOne) {
    Desktop d;  // headless and nobody driving: the choice is answered with its default
    ASSERT_TRUE(d.Start());
    d.Advance(5000);
    ASSERT_TRUE(d.FileExists("Settings.ozrini"));
    std::string settings = d.ReadFile("Settings.ozrini");
    EXPECT_EQ(settings.rfind("[Dralo Software Development Ruriv - Settings File]", 0), 0u);
    for (const char* section : {"[Main Settings]", "[Float Window]", "[Systray Window]", "[Shortcuts]", "[Labels]",
                                "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]"})
        EXPECT_NE(settings.find(section), std::string::npos) << section;
    EXPECT_NE(settings.find("RunCount=1"), std::string::npos);
    ASSERT_EQ(core::LabelCount, 2);
    EXPECT_NE(core::Labels[0].LabelKey, core::Labels[1].LabelKey);
    // The floating clock was chosen: its top-left corner starts at the screen's centre.
    EXPECT_FALSE(core::Settings.SystrayClock);
    EXPECT_EQ(core::Settings.FloatWindowLeft, 1280 * 15 / 2);
    EXPECT_EQ(core::Settings.FloatWindowTop, 1024 * 15 / 2);
}

// A first run on which the user clicks one of the two clock types, then Start: `self` is the
// desktop the options go to.
DesktopOptions ChoosingAtFirstRun(Desktop*& self, platform::forms::OptionButton core::IntroForm::*option,
                                  DesktopOptions o = {}) {
    o.duringFirstRun = [&self, option] {
        self->Click(CentreOf(*self, (core::frmIntro().*option).hWnd));
        self->Click(CentreOf(*self, core::frmIntro().cmdNext.hWnd));
    };
    return o;
}

// The floating clock's place is stored as the screen's centre also with the systray clock chosen:
// a later switch to the floating clock brings it up there.
TEST(FirstRun, ChoosingTheSystrayClockStoresTheCentreAndTheLabelOffset) {
    Desktop* self = nullptr;
    Desktop d(ChoosingAtFirstRun(self, &core::IntroForm::optSystray));
    self = &d;
    ASSERT_TRUE(d.Start());
    EXPECT_TRUE(core::Settings.SystrayClock);
    EXPECT_EQ(core::Settings.PositionY, -3);
    EXPECT_NE(d.ReadFile("Settings.ozrini").find("RunCount=1"), std::string::npos);
    EXPECT_FALSE(IsWindowVisible(core::frmMain().hWnd));  // the systray clock hides the window
    platform::SettingsFile saved;
    ASSERT_EQ(saved.Open(d.PathOf("Settings.ozrini").string()), 1);
    EXPECT_EQ(saved.ReadLongAt("Float Window", "X"), 1280 * 15 / 2);
    EXPECT_EQ(saved.ReadLongAt("Float Window", "Y"), 1024 * 15 / 2);
    d.Advance(3000);
    core::Settings.SystrayClock = false;
    core::frmMain().SwitchClockMode();
    d.Advance(1000);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).left, 640);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).top, 512);
}

TEST(FirstRun, ChoosingTheFloatingClockCentresTheWindow) {
    Desktop* self = nullptr;
    Desktop d(ChoosingAtFirstRun(self, &core::IntroForm::optFloating));
    self = &d;
    ASSERT_TRUE(d.Start());
    EXPECT_FALSE(core::Settings.SystrayClock);
    EXPECT_EQ(core::Settings.PositionY, 0);
    EXPECT_EQ(core::Settings.FloatWindowLeft, 1280 * 15 / 2);
    EXPECT_TRUE(IsWindowVisible(core::frmMain().hWnd));
    // The place is on the disk with the choice, for a run that ends without its Quit.
    platform::SettingsFile saved;
    ASSERT_EQ(saved.Open(d.PathOf("Settings.ozrini").string()), 1);
    EXPECT_EQ(saved.ReadLongAt("Float Window", "X"), 1280 * 15 / 2);
    EXPECT_EQ(saved.ReadLongAt("Float Window", "Y"), 1024 * 15 / 2);
}

// A screen cut into two monitors, the primary one on the right: what the program centres on the
// screen comes up on the primary monitor (at 0,0 in the program's coordinates), never across the seam.
TEST(FirstRun, OnTwoMonitorsTheIntroductionTheClockAndTheSettingsWindowComeUpOnThePrimaryOne) {
    const RECT primary{0, 0, 1280, 1024};
    auto within = [&](const RECT& r) { return IntersectRects(r, primary) == r; };
    Desktop* self = nullptr;
    RECT intro{};
    Desktop d({.monitors = {RECT{1280, 0, 2560, 1024}, RECT{0, 0, 1280, 1024}}, .duringFirstRun = [&] {
                   intro = self->Rect(core::frmIntro().hWnd);
                   self->Click(CentreOf(*self, core::frmIntro().optFloating.hWnd));
                   self->Click(CentreOf(*self, core::frmIntro().cmdNext.hWnd));
               }});
    self = &d;
    ASSERT_TRUE(d.Start());
    EXPECT_EQ(intro.left, (1280 - intro.width()) / 2);
    EXPECT_TRUE(within(intro));
    EXPECT_EQ(core::Settings.FloatWindowLeft, 1280 * 15 / 2);
    d.Advance(3000);
    ASSERT_TRUE(core::TipsShowing);
    EXPECT_TRUE(within(d.Rect(core::frmIntroTips().hWnd)));
    d.Click(CentreOf(*self, core::frmMain().hWnd));
    d.Key(VK_F2);
    d.Advance(50);
    ASSERT_TRUE(core::SettingsWindowHandle());
    EXPECT_EQ(d.Rect(core::SettingsWindowHandle()).left, (1280 - 620) / 2);
}

// Saved places on another monitor are kept; when that monitor goes, the windows on it come onto
// the primary one.
TEST(LaterRun, WindowsOnAnotherMonitorStayThereAndComeBackWhenItGoes) {
    Desktop d({.monitors = {RECT{1280, 0, 2560, 1024}, RECT{0, 0, 1280, 1024}}, .prepare = [](auto& f) {
                   std::ofstream(f / "Settings.ozrini")
                       << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=3\nSplash=0\n"
                          "PX=-15000\nPY=1500\n[Float Window]\nX=-18000\nY=3000\n";
               }});
    ASSERT_TRUE(d.Start());
    d.Key(VK_F2);
    d.Advance(50);
    const HWND clock = core::frmMain().hWnd, settings = core::SettingsWindowHandle();
    ASSERT_TRUE(settings);
    EXPECT_EQ(d.Rect(clock).left, -1200);
    EXPECT_EQ(d.Rect(settings).left, -1000);
    SetMonitorLayout({RECT{0, 0, 1280, 1024}}, 0);
    d.Advance(1100);
    EXPECT_EQ(d.Rect(clock).left, 0);
    EXPECT_EQ(d.Rect(settings).left, 0);
    EXPECT_EQ(core::Settings.FloatWindowLeft, 0) << "the clock's new place is kept";
}

// The tip of the day lies over the middle of the screen, where the first run puts the floating
// clock; only its text band is the tip's own, the rest shows its colour key. A click on the clock
// there is the clock's: its window takes the keys, and F2 closes the greeting and opens the
// settings window on the same press.
TEST(FirstRun, AClickOnTheClockUnderTheTipsClearPartGivesTheClockTheKeys) {
    Desktop* self = nullptr;
    // From :05 on, the clock is not put back on top (at :02 and :32) before the click.
    Desktop d(ChoosingAtFirstRun(self, &core::IntroForm::optFloating, {.clock = "2026-03-01T12:00:05"}));
    self = &d;
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    ASSERT_TRUE(core::TipsShowing);
    const HWND clock = core::frmMain().hWnd, tip = core::frmIntroTips().hWnd;
    const RECT clockRect = d.Rect(clock), tipRect = d.Rect(tip);
    const POINT at = CentreOf(d, clock);
    ASSERT_TRUE(tipRect.contains(at) && clockRect.contains(at)) << "the tip covers the clock";
    bool tipAbove = false;
    for (HWND w = GetWindow(tip, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) tipAbove |= w == clock;
    ASSERT_TRUE(tipAbove) << "the tip stands above the clock";
    EXPECT_EQ(GetTopLevel(WindowFromPoint(at)), clock);
    EXPECT_EQ(WindowFromPoint(POINT{tipRect.left + 4, tipRect.top + 4}), tip) << "its text band is the tip's";

    d.Click(at);
    EXPECT_EQ(GetActiveWindow(), clock);
    d.Key(VK_F2);
    d.Advance(20);
    EXPECT_FALSE(core::IntroShowing || core::TipsShowing);
    EXPECT_TRUE(core::SettingsWindowHandle());
}

// The greeting takes the keyboard; when it ends on its own, the keyboard goes back to the clock, as
// a closing window hands it to the window behind it: F2 works without a click on the clock first.
TEST(LaterRun, WithSplashTheGreetingShowsAndWhenItEndsTheClockHasTheKeys) {
    Desktop d({.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=3\nSplash=1\n";
    }});
    ASSERT_TRUE(d.Start());
    EXPECT_TRUE(core::IntroShowing);
    d.Advance(2000);
    ASSERT_TRUE(core::TipsShowing);  // the tip of the day opened over the splash
    EXPECT_EQ(GetTopLevel(GetFocus()), core::frmIntroTips().hWnd);
    d.Advance(25'000);
    ASSERT_FALSE(core::IntroShowing || core::TipsShowing);
    EXPECT_EQ(GetActiveWindow(), core::frmMain().hWnd);
    d.Key(VK_F2);
    d.Advance(20);
    EXPECT_TRUE(core::SettingsWindowHandle());
}

TEST(LaterRun, WithoutSplashNoIntroWindowShowsButTheRunIsCounted) {
    Desktop d({.prepare = [](auto& f) { WriteLaterRunSettings(f); }});
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    EXPECT_FALSE(core::IntroShowing);
    EXPECT_FALSE(core::TipsShowing);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Main Settings", "RunCount"), 5);
}

}  // namespace

namespace {

// The executable itself, as a user starts it: a missing help file ends it with its message on
// standard error and a non-zero status.
TEST(Executable, AMissingHelpFileEndsTheRunWithItsMessageAndAFailureStatus) {
    Desktop d({.prepare = [](auto& f) {
        WriteLaterRunSettings(f);
        std::filesystem::remove(f / "System/Help/000HelpEnglish.ozrini");
    }});
    std::string command = "cd '" + d.Folder().string() +
                          "' && OZR_PRESENTER=headless OZR_CLOCK=virtual:2026-03-01T12:00:00 OZR_RUN_FOR=5 "
                          "./OZRClock 2>stderr.txt";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_EQ(d.ReadFile("stderr.txt").rfind("MessageBox 16 \"OZR Ruriv - ", 0), 0u);
}

TEST(Executable, AHeadlessRunOfAFreshFolderEndsOnItsOwnAndWritesTheDump) {
    Desktop d;
    std::string command = "cd '" + d.Folder().string() +
                          "' && OZR_PRESENTER=headless OZR_CLOCK=virtual:2026-03-01T12:00:00 OZR_RUN_FOR=5 "
                          "OZR_WINDOW_DUMP=dump.jsonl OZR_SCREENSHOT=screen.png ./OZRClock";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(d.ReadFile("dump.jsonl").find("\"text\":\"OZR Ruriv Main Window\""), std::string::npos);
    EXPECT_EQ(d.ReadFile("screen.png").substr(1, 3), "PNG");
    EXPECT_NE(d.ReadFile("Settings.ozrini").find("RunCount=1"), std::string::npos);
}

}  // namespace
