// Special behaviours reach the recording services with the arguments the switches choose; the
// platform's own windows are closed by title with a posted WM_CLOSE, all but the clock's main
// window and the shell's.
#include <gtest/gtest.h>

#include "../platform/window/window_test_support.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/alarm_behaviors.h"
#include "platform/services/document_opener.h"
#include "platform/services/other_windows.h"
#include "platform/services/power.h"
#include "platform/window/loop.h"
#include "tests/support/test_services.h"

using namespace platform;
using namespace hooklib;
using testsupport::OpenRequest;
using testsupport::PowerRequest;

namespace {

struct Services : ::testing::Test {
    testsupport::ServiceScope scope;
    testsupport::RecordingDocumentOpener* opener = &testsupport::UseRecordingDocumentOpener();
    testsupport::RecordingPower* power = &testsupport::UseRecordingPower();
    testsupport::RecordingOtherWindows* others = &testsupport::UseRecordingOtherWindows();
};

struct OpenCase {
    int s1, s2, s3, s4;
    int showMode;
};

TEST_F(Services, OpenPassesTheDocumentWithTheShowModeTheSwitchesChoose) {
    const OpenCase cases[] = {
        {0, 0, 0, 0, SW_SHOWNORMAL},      {0, 0, -1, 0, SW_SHOWMINIMIZED},  {0, 0, 0, -1, SW_SHOWMAXIMIZED},
        {0, 0, -1, -1, SW_SHOWMINIMIZED},  // minimised wins over maximised
        {0, -1, -1, -1, SW_HIDE},          {-1, 0, 0, 0, SW_SHOWNOACTIVATE}, {-1, 0, -1, 0, SW_SHOWMINNOACTIVE},
        {-1, 0, 0, -1, SW_SHOWMINNOACTIVE}, {-1, -1, 0, 0, SW_HIDE},          {0x100, 0, 0, 0, SW_SHOWNORMAL},
    };
    for (const OpenCase& c : cases) {
        opener->requests.clear();
        EXPECT_EQ(OZRTriggerSpecialBehavior(0, "/tmp/some file.txt", c.s1, c.s2, c.s3, c.s4, 0), 0);
        ASSERT_EQ(opener->requests.size(), 1u);
        EXPECT_EQ(opener->requests[0], (OpenRequest{"/tmp/some file.txt", c.showMode}))
            << c.s1 << " " << c.s2 << " " << c.s3 << " " << c.s4;
    }
    // An address goes on as it stands, shell characters included: no shell ever reads it.
    OZRTriggerSpecialBehavior(0, "https://example.org/?a=1&b=$(x);", 0, 0, 0, 0, 0);
    EXPECT_EQ(opener->requests.back().target, "https://example.org/?a=1&b=$(x);");
    EXPECT_TRUE(power->requests.empty());
}

TEST_F(Services, ShellExecuteKnowsOnlyAPlainOpen) {
    EXPECT_GT(ShellExecute(HWND{}, "open", "a.txt", nullptr, nullptr, SW_SHOW), 32);
    EXPECT_GT(ShellExecute(HWND{}, nullptr, "b.txt", "", nullptr, SW_SHOW), 32);
    EXPECT_EQ(ShellExecute(HWND{}, "print", "c.txt", nullptr, nullptr, SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute(HWND{}, "open", "d.txt", "--flag", nullptr, SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute(HWND{}, "open", "", nullptr, nullptr, SW_SHOW), SE_ERR_FNF);
    opener->answer = false;
    EXPECT_EQ(ShellExecute(HWND{}, "open", "e.txt", nullptr, nullptr, SW_SHOW), SE_ERR_FNF);
    EXPECT_EQ(opener->requests.size(), 3u);
}

struct PowerCase {
    int s1, s2, option;
    PowerAction action;
    bool forced;
};

TEST_F(Services, PowerAsksTheSessionManagerForTheChosenAction) {
    const PowerCase cases[] = {
        {0, 0, 0, PowerAction::PowerOff, false}, {-1, 0, 0, PowerAction::LogOff, false},
        {0, -1, 0, PowerAction::Restart, false},  {-1, -1, 0, PowerAction::Restart, false},  // restart wins
        {0, 0, 2, PowerAction::PowerOff, true},  {-1, 0, 2, PowerAction::LogOff, true},
        {0, 0, 1, PowerAction::PowerOff, false}, {0, 0, 0x102, PowerAction::PowerOff, true},  // low byte counts
    };
    for (const PowerCase& c : cases) {
        power->requests.clear();
        EXPECT_EQ(OZRTriggerSpecialBehavior(2, "", c.s1, c.s2, 0, 0, c.option), 0);
        ASSERT_EQ(power->requests.size(), 1u);
        EXPECT_EQ(power->requests[0], (PowerRequest{c.action, c.forced}));
    }
    EXPECT_TRUE(opener->requests.empty());
}

TEST(PowerDefault, RefusesEveryRequestAndTheHarnessNeverGetsTheRealOne) {
    testsupport::ServiceScope scope;
    EXPECT_EQ(ExitWindowsEx(EWX_POWEROFF, 12), 0);
    EXPECT_FALSE(RealPowerAllowed(true, false));
    EXPECT_FALSE(RealPowerAllowed(false, true));
    // Every test runs with OZR_POWER=off.
    EXPECT_FALSE(RealPowerAllowed(false, false));
}

TEST(TitleMatching, FoldsOnlyAsciiLettersAndNeedsAText) {
    struct Case {
        const char* title;
        const char* text;
        bool exact, caseSensitive, matches;
    } cases[] = {
        {"My Notes - Editor", "notes", false, false, true},  {"MY NOTES", "notes", false, false, true},
        {"My Notes", "Notes", false, true, true},            {"My notes", "Notes", false, true, false},
        {"Notes", "notes", true, false, true},               {"Notes!", "notes", true, false, false},
        {"Notes", "Notes", true, true, true},                {"notes", "Notes", true, true, false},
        {"ÄRGER", "ärger", false, false, false},             {"anything", "", false, false, false},
        {"", "", true, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TitleMatches(c.title, c.text, c.exact, c.caseSensitive), c.matches) << c.title << " / " << c.text;
}

TEST_F(Services, CloseWindowsPostsACloseToEveryMatchingWindowOfAnyProgram) {
    using namespace wintest;
    Log().clear();
    HWND a = MakeWindow("BehaviorTest", "Daily Report - Viewer");
    HWND b = MakeWindow("BehaviorTest", "report");
    HWND c = MakeWindow("BehaviorTest", "Something else");
    others->windows = {{101, "Weekly REPORT"}, {102, "Music"}, {103, "report"}};

    EXPECT_EQ(OZRTriggerSpecialBehavior(1, "RePort", 0, 0, 0, 0, 0), 0);
    PumpPendingWork();
    auto closes = [](HWND h) {
        int n = 0;
        for (const Received& r : Log())
            if (r.hwnd == h && r.msg == WM_CLOSE) ++n;
        return n;
    };
    EXPECT_EQ(closes(a), 1);
    EXPECT_EQ(closes(b), 1);
    EXPECT_EQ(closes(c), 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_TRUE(IsWindow(c));
    EXPECT_EQ(others->closed, (std::vector<std::uint64_t>{101, 103}));

    // Exact and case-sensitive: only the window titled exactly so.
    others->closed.clear();
    others->windows = {{201, "Music"}, {202, "music"}, {203, "Music Player"}};
    HWND d = MakeWindow("BehaviorTest", "Music");
    HWND e = MakeWindow("BehaviorTest", "MUSIC");
    OZRTriggerSpecialBehavior(1, "Music", -1, -1, 0, 0, 0);
    PumpPendingWork();
    EXPECT_EQ(others->closed, (std::vector<std::uint64_t>{201}));
    EXPECT_FALSE(IsWindow(d));
    EXPECT_TRUE(IsWindow(e));

    // The clock's main window and the shell's windows (its taskbar) keep the clock running: never
    // closed. Its other windows (an alarm's) are.
    HWND mainWindow = MakeWindow("BehaviorTest", "OZR Ruriv Main Window");
    HWND taskbar;
    {
        ContextScope shell(ProcessContext::Shell);
        taskbar = MakeWindow("BehaviorTestShell", "Ruriv taskbar");
    }
    HWND alarm = MakeWindow("BehaviorTest", "Ruriv alarm");
    OZRTriggerSpecialBehavior(1, "ruriv", 0, 0, 0, 0, 0);
    PumpPendingWork();
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_TRUE(IsWindow(taskbar));
    EXPECT_FALSE(IsWindow(alarm));
    DestroyWindow(mainWindow);
    {
        ContextScope shell(ProcessContext::Shell);
        DestroyWindow(taskbar);
    }

    // An empty text closes nothing at all.
    others->closed.clear();
    OZRTriggerSpecialBehavior(1, "", 0, 0, 0, 0, 0);
    OZRTriggerSpecialBehavior(1, nullptr, 0, 0, 0, 0, 0);
    PumpPendingWork();
    EXPECT_TRUE(others->closed.empty());
    EXPECT_TRUE(IsWindow(c));
    EXPECT_TRUE(IsWindow(e));
    DestroyWindow(c);
    DestroyWindow(e);
}

TEST_F(Services, UnknownKindsDoNothingAndLeaveNoRecordBehind) {
    for (int kind : {-1, 3, 99})
        EXPECT_EQ(OZRTriggerSpecialBehavior(kind, "x", -1, -1, -1, -1, 2), 0);
    EXPECT_TRUE(opener->requests.empty());
    EXPECT_TRUE(power->requests.empty());
    EXPECT_TRUE(others->closed.empty());
}

}  // namespace
