// The systray clock's share of the taskbar: its items at the top of the taskbar's menu opened over
// the clock, each choice (by mouse or keyboard) running the program's command, and the two click
// actions on the clock: the date and time to the clipboard, the desktop's date and time settings.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <regex>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/settings_windows.h"
#include "desktop_harness.h"
#include "platform/services/clipboard.h"
#include "platform/shell/popup_menu.h"
#include "platform/shell/taskbar.h"
#include "platform/shell/tray_messages.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;

namespace {

DesktopOptions Systray(const std::string& extra = "") {
    DesktopOptions o;
    o.prepare = [extra](const std::filesystem::path& folder) {
        std::ofstream(folder / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                     "[Main Settings]\nRunCount=4\nSplash=0\nSystrayClock=1\n"
                                                  << extra;
    };
    return o;
}

HWND TrayClock() {
    HWND bar = FindWindow(kTaskbarClass, nullptr);
    HWND notify = FindWindowEx(bar, HWND{}, kTrayNotifyClass, nullptr);
    return FindWindowEx(notify, HWND{}, kTrayClockClass, nullptr);
}

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void RightClick(Desktop& d, POINT at) {
    d.Advance(1000);  // no double click with an earlier press
    InjectMouseMove(at);
    InjectMouseButton(at, MouseButton::Right, true);
    InjectMouseButton(at, MouseButton::Right, false);
    d.Pump();
}

void Press(Desktop& d, int vk) {
    InjectKey(vk, true);
    InjectKey(vk, false);
    d.Pump();
}

std::vector<std::string> MenuTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(TaskbarMenu()); ++i) texts.push_back(GetMenuItemText(TaskbarMenu(), i));
    return texts;
}

// The centre of a menu item on the screen: the items lie right of the 23 px side bar, 20 px each
// (separators 8, the owner-drawn item 0) below a 2 px frame.
POINT ItemOnScreen(int position) {
    RECT menu;
    GetWindowRect(TaskbarMenuWindow(), &menu);
    int top = menu.top + 2;
    for (int i = 0; i < position; ++i) {
        const std::string text = GetMenuItemText(TaskbarMenu(), i);
        const UINT id = GetMenuItemID(TaskbarMenu(), i);
        top += id == 0xFFFFFFFFu ? 8 : text.empty() ? 0 : 20;
    }
    return POINT{menu.left + 23 + 60, top + 10};
}

void CloseOpenWindows(Desktop& d) {
    for (HWND w : {core::SettingsWindowHandle(), core::AboutWindowHandle()})
        if (w) PostMessage(w, WM_CLOSE, 0, 0);
    d.Advance(50);
}

TEST(TaskbarMenu, ARightClickOnTheClockShowsTheProgramsItemsAndEachRunsItsCommand) {
    Desktop d(Systray());
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    const POINT clock = CentreOf(d.Rect(TrayClock()));
    RightClick(d, clock);
    ASSERT_TRUE(TaskbarMenuOpen());
    const std::vector<std::string> expected = {"Program Settings", "Alarm Management", "Synchronize Ruriv", "",
                                               "About OZR Ruriv",  "Exit OZR Ruriv",   "",
                                               "",  // the owner-drawn item
                                               "Move Taskbar to Bottom", "Move Taskbar to Top", "Move Taskbar to Left",
                                               "Move Taskbar to Right"};
    EXPECT_EQ(MenuTexts(), expected);
    EXPECT_EQ(d.Rect(TaskbarMenuWindow()).width(), 180 + 23) << "the side bar widens the menu";

    // By mouse: each item writes its command, which runs on the command timer.
    const struct {
        int position;
        const char* command;
    } kItems[] = {{0, "Program Settings - Program Settings"}, {1, "Program Settings - Alarm Settings"},
                  {2, "Atomic Ruriv Sync"}, {4, "About"}};
    bool first = true;
    for (const auto& item : kItems) {
        if (!first) RightClick(d, clock);
        first = false;
        ASSERT_TRUE(TaskbarMenuOpen());
        core::PendingCommand.clear();
        d.Click(ItemOnScreen(item.position));
        EXPECT_FALSE(TaskbarMenuOpen());
        EXPECT_EQ(core::PendingCommand, item.command);
        EXPECT_TRUE(core::frmMain().Tricker.Enabled);
        d.Advance(20);
        CloseOpenWindows(d);
    }

    // A menu opened elsewhere on the taskbar has only the taskbar's own items.
    RightClick(d, POINT{40, d.Rect(FindWindow(kTaskbarClass, nullptr)).top + 10});
    ASSERT_TRUE(TaskbarMenuOpen());
    EXPECT_EQ(GetMenuItemCount(TaskbarMenu()), 4);
    Press(d, VK_ESCAPE);
    EXPECT_FALSE(TaskbarMenuOpen());
}

TEST(TaskbarMenu, EnterChoosesTheItemHighlightedNow) {
    Desktop d(Systray());
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    const POINT clock = CentreOf(d.Rect(TrayClock()));
    // Nothing highlighted: Enter sends nothing and the menu stays.
    RightClick(d, clock);
    core::PendingCommand.clear();
    Press(d, VK_RETURN);
    EXPECT_TRUE(TaskbarMenuOpen());
    EXPECT_EQ(core::PendingCommand, "");

    // The arrows reach "Alarm Management", then the pointer moves the highlight to "About": Enter
    // takes "About".
    Press(d, VK_DOWN);
    Press(d, VK_DOWN);
    InjectMouseMove(ItemOnScreen(4));
    d.Pump();
    Press(d, VK_RETURN);
    EXPECT_FALSE(TaskbarMenuOpen());
    EXPECT_EQ(core::PendingCommand, "About");
    d.Advance(20);
    CloseOpenWindows(d);

    // By the arrows alone.
    RightClick(d, clock);
    Press(d, VK_DOWN);
    Press(d, VK_DOWN);
    Press(d, VK_DOWN);
    Press(d, VK_RETURN);
    EXPECT_EQ(core::PendingCommand, "Atomic Ruriv Sync");
}

TEST(TaskbarMenu, ExitAsksAndOnlyYesEndsTheProgram) {
    Desktop d(Systray());
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    const POINT clock = CentreOf(d.Rect(TrayClock()));
    d.AnswerNextMessageBoxes({IDNO, IDYES});
    RightClick(d, clock);
    core::PendingCommand.clear();
    d.Click(ItemOnScreen(5));
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].text, "Are you sure you want to exit OZR Ruriv?");
    EXPECT_EQ(d.MessageBoxes()[0].caption, "OZR Ruriv - Question");
    EXPECT_EQ(d.MessageBoxes()[0].type, 0x1024u);
    d.Advance(20);
    EXPECT_EQ(core::PendingCommand, "");
    EXPECT_FALSE(d.Ended());

    RightClick(d, clock);
    d.Click(ItemOnScreen(5));
    EXPECT_EQ(core::PendingCommand, "Quit");
    d.Advance(20);
    EXPECT_TRUE(d.Ended());
}

// The Exit question waits in the taskbar's own context: a session's end request that arrives
// meanwhile still runs the program's Quit, which saves and ends.
TEST(TaskbarMenu, AnEndRequestWhileTheExitQuestionWaitsSavesAndEnds) {
    Desktop d(Systray());
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    std::filesystem::remove(d.PathOf("Settings.ozrini"));
    bool endedMeanwhile = false;
    d.WhileMessageBoxShown([&](const MessageBoxRequest&) {
        std::raise(SIGTERM);
        d.Advance(200);
        endedMeanwhile = d.Ended();
    });
    RightClick(d, CentreOf(d.Rect(TrayClock())));
    d.Click(ItemOnScreen(5));
    d.WhileMessageBoxShown({});
    EXPECT_TRUE(endedMeanwhile);
    EXPECT_EQ(d.ExitCode(), 0);
    EXPECT_TRUE(d.FileExists("Settings.ozrini")) << "the settings were not saved";
}

// The taskbar starts on the edge it was put on last, and an edge chosen in its own menu is kept
// for the next start.
TEST(TaskbarMenu, TheTaskbarStartsOnTheEdgeChosenLast) {
    DesktopOptions o = Systray();
    o.prepare = [prepare = o.prepare](const std::filesystem::path& folder) {
        prepare(folder);
        std::ofstream(folder / "Taskbar.ozrini") << "[Dralo Software Development Ruriv - Taskbar File]\n[Taskbar]\nEdge=Top\n";
    };
    Desktop d(o);
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Top);
    const RECT bar = d.Rect(FindWindow(kTaskbarClass, nullptr));
    EXPECT_TRUE(bar.left == 0 && bar.top == 0 && bar.right == 1280 && bar.height() < 100) << bar.bottom;

    RightClick(d, POINT{40, bar.top + 10});
    ASSERT_TRUE(TaskbarMenuOpen());
    for (int vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) Press(d, vk);  // "Move Taskbar to Left"
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Left);
    EXPECT_NE(d.ReadFile("Taskbar.ozrini").find("\n[Taskbar]\nEdge=Left\n"), std::string::npos) << d.ReadFile("Taskbar.ozrini");
}

TEST(ClockClicks, ASingleClickCopiesTheDateAndTimeAndADoubleClickOpensTheSettings) {
    Desktop d(Systray());
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    const POINT clock = CentreOf(d.Rect(TrayClock()));
    d.Click(clock);
    EXPECT_EQ(UseService<Clipboard>().Text(), "") << "not before the double-click time";
    d.Advance(GetDoubleClickTime() + 20);
    EXPECT_TRUE(std::regex_match(UseService<Clipboard>().Text(), std::regex("2026_03_01_Sun_12_00_0\\d")))
        << UseService<Clipboard>().Text();
    EXPECT_EQ(d.DateTimeSettings()->opened, 0);

    UseService<Clipboard>().SetText("");
    d.Advance(1000);
    d.DoubleClick(clock);
    d.Advance(GetDoubleClickTime() + 20);
    EXPECT_EQ(d.DateTimeSettings()->opened, 1);
    EXPECT_EQ(UseService<Clipboard>().Text(), "");
}

TEST(ClockClicks, TheShortcutSettingSwapsThem) {
    Desktop d(Systray("[Shortcuts]\nOZR=1\n[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\n"
                      "DebugMode=1\nDLLDebugMode=1\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    d.DateTimeSettings()->installed = false;
    const POINT clock = CentreOf(d.Rect(TrayClock()));
    d.Click(clock);
    d.Advance(GetDoubleClickTime() + 20);
    EXPECT_EQ(d.DateTimeSettings()->opened, 1);
    EXPECT_EQ(UseService<Clipboard>().Text(), "");
    EXPECT_EQ(d.CountInDebugLog("{OpenDateTimeSettings}: No date and time settings tool is available."), 1);
    d.Advance(1000);
    d.DoubleClick(clock);
    d.Advance(GetDoubleClickTime() + 20);
    EXPECT_TRUE(std::regex_match(UseService<Clipboard>().Text(), std::regex("2026_03_01_Sun_12_00_0\\d")));
    EXPECT_EQ(d.DateTimeSettings()->opened, 1);
}

}  // namespace
