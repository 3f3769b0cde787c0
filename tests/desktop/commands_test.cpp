// Commands on the whole program: keys, the clock's popup menu, the library's notices and a second
// copy write a command that the one-shot command timer runs; the settings and about windows open
// once, come forward when asked again, and Quit saves and ends.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "core/commands.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/main_window_proc.h"
#include "core/settings_windows.h"
#include "desktop_harness.h"
#include "platform/window/window_manager.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;

namespace {

DesktopOptions LaterRun(const std::string& extra = "") {
    DesktopOptions o;
    o.prepare = [extra](const std::filesystem::path& folder) {
        std::ofstream(folder / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                     "[Main Settings]\nRunCount=4\nSplash=0\n"
                                                  << extra;
    };
    return o;
}

using desktop::CentreOf;

// A right press on the clock opens its menu; the keys queued behind it pick an item.
void ChooseFromClockMenu(Desktop& d, int downs) {
    d.Advance(1000);  // not a double click with the press before
    const POINT at = CentreOf(d.Rect(core::frmMain().hWnd));
    InjectMouseButton(at, MouseButton::Right, true);
    for (int i = 0; i < downs; ++i) {
        InjectKey(VK_DOWN, true);
        InjectKey(VK_DOWN, false);
    }
    InjectKey(VK_RETURN, true, '\r');
    InjectKey(VK_RETURN, false);
    InjectMouseButton(at, MouseButton::Right, false);
    d.Pump();
}

// The first window of the ordinary band (below the topmost windows).
HWND FrontOrdinaryWindow(HWND any) {
    for (HWND w = GetWindow(any, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w) && !(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) return w;
    return HWND{};
}

void CloseWindow(Desktop& d, HWND hwnd) {
    PostMessage(hwnd, WM_CLOSE, 0, 0);
    d.Advance(20);
}

TEST(Commands, EachKeyWritesItsCommandAndTheCommandTimerRunsItOnce) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    HWND main = core::frmMain().hWnd;
    SetFocus(main);

    // F2: written now, run by the timer after the key was answered.
    d.Key(VK_F2);
    EXPECT_EQ(core::PendingCommand, "Program Settings - Program Settings");
    EXPECT_TRUE(core::frmMain().Tricker.Enabled);
    EXPECT_FALSE(core::SettingsWindowHandle());
    d.Advance(20);
    EXPECT_FALSE(core::frmMain().Tricker.Enabled);
    HWND settings = core::SettingsWindowHandle();
    ASSERT_TRUE(settings);
    EXPECT_EQ(d.Text(settings), "OZR Ruriv Program Settings");
    EXPECT_TRUE(core::SettingsWindowOpen && core::ModalWindowOpen);
    EXPECT_EQ(core::SettingsWindowSelectedNode(), 1);
    EXPECT_EQ(core::TreeExpandNode, -1);
    EXPECT_EQ(core::PendingCommand, "Program Settings - Program Settings") << "the slot is not cleared";

    // Keys on the clock do nothing while the window is open; the taskbar menu's notice brings the
    // open window forward without opening another.
    SetFocus(main);
    d.Key(VK_F3);
    d.Advance(20);
    EXPECT_EQ(core::SettingsWindowSelectedNode(), 1);
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessage(main, core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, 0);
    d.Advance(20);
    EXPECT_EQ(core::SettingsWindowHandle(), settings);
    EXPECT_EQ(FrontOrdinaryWindow(main), settings) << "the settings window comes to the front";
    // A second copy asks the clock to the front: nothing while the settings window is open.
    SendMessage(main, core::WM_CLOCKACTIVATE, 1, 0);
    d.Advance(20);
    EXPECT_EQ(FrontOrdinaryWindow(main), settings);

    CloseWindow(d, settings);
    EXPECT_FALSE(core::SettingsWindowHandle());
    EXPECT_FALSE(core::SettingsWindowOpen || core::ModalWindowOpen);

    // F3 opens the alarm section on the alarm manager's node.
    SetFocus(main);
    d.Key(VK_F3);
    d.Advance(20);
    ASSERT_TRUE(core::SettingsWindowHandle());
    EXPECT_EQ(core::SettingsWindowSelectedNode(), 8);
    CloseWindow(d, core::SettingsWindowHandle());

    // F6: the about window, with the focus on its close button, which ends the modal state.
    SetFocus(main);
    d.Key(VK_F6);
    d.Advance(20);
    HWND about = core::AboutWindowHandle();
    ASSERT_TRUE(about);
    EXPECT_TRUE(core::ModalWindowOpen);
    EXPECT_EQ(d.Text(GetFocus()), "Close");
    d.Key(VK_ESCAPE);
    d.Advance(20);
    EXPECT_FALSE(core::AboutWindowHandle());
    EXPECT_FALSE(core::ModalWindowOpen);

    // Ctrl+Alt+F4 writes no command, yet the timer runs (and runs nothing).
    SetFocus(main);
    InjectKey(VK_CONTROL, true);
    d.KeyWithModifier(VK_MENU, VK_F4);
    InjectKey(VK_CONTROL, false);
    EXPECT_EQ(core::PendingCommand, "");
    EXPECT_TRUE(core::frmMain().Tricker.Enabled);
    d.Advance(20);
    EXPECT_FALSE(d.Ended());
    EXPECT_FALSE(core::frmMain().Tricker.Enabled);
}

TEST(Commands, AltF4SavesTheSettingsAndEnds) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    core::Settings.PopupHelpDelay = 1234;
    SetFocus(core::frmMain().hWnd);
    d.KeyWithModifier(VK_MENU, VK_F4);
    EXPECT_EQ(core::PendingCommand, "Quit");
    EXPECT_FALSE(d.Ended()) << "the key is answered before the command runs";
    d.Advance(20);
    EXPECT_TRUE(d.Ended());
    EXPECT_NE(d.ReadFile("Settings.ozrini").find("PopupHelpDelay=1234"), std::string::npos);
}

// The window manager's close request (its own Alt+F4 or close button) is the window's Alt+F4:
// nothing on the clock while the settings window is open, which it cancels and closes; then Quit.
TEST(Commands, TheWindowManagersCloseRequestIsTheWindowsAltF4) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    HWND main = core::frmMain().hWnd;
    SendMessage(main, core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, 0);
    d.Advance(20);
    ASSERT_TRUE(core::SettingsWindowHandle());
    WindowManagerClose(main);
    d.Advance(20);
    EXPECT_FALSE(d.Ended());
    WindowManagerClose(core::SettingsWindowHandle());
    d.Advance(20);
    EXPECT_FALSE(core::SettingsWindowHandle());
    EXPECT_FALSE(core::ModalWindowOpen);

    core::Settings.PopupHelpDelay = 1234;
    WindowManagerClose(main);
    d.Advance(20);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.ExitCode(), 0);
    EXPECT_NE(d.ReadFile("Settings.ozrini").find("PopupHelpDelay=1234"), std::string::npos);
}

TEST(Commands, QuitWhileASettingsWindowIsOpenEndsWithoutSaving) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    SendMessage(core::frmMain().hWnd, core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, 0);
    d.Advance(20);
    ASSERT_TRUE(core::ModalWindowOpen);
    const std::string before = d.ReadFile("Settings.ozrini");
    core::Settings.PopupHelpDelay = 1234;
    SendMessage(core::frmMain().hWnd, core::WM_CLOCKNOTIFY, core::CN_EXIT, 0);
    d.Advance(20);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.ReadFile("Settings.ozrini"), before);
}

TEST(Commands, TheClockMenuWritesEachItemsCommand) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    // The items top to bottom: settings, alarms, synchronise, the underscore line, about, exit.
    const struct {
        int downs;
        const char* command;
    } kItems[] = {{1, "Program Settings - Program Settings"}, {2, "Program Settings - Alarm Settings"},
                  {5, "About"}, {3, "Atomic Ruriv Sync"}};
    for (const auto& item : kItems) {
        core::PendingCommand.clear();
        ChooseFromClockMenu(d, item.downs);
        EXPECT_EQ(core::PendingCommand, item.command) << item.downs;
        EXPECT_TRUE(core::frmMain().Tricker.Enabled);
        d.Advance(20);
        if (HWND w = core::SettingsWindowHandle()) CloseWindow(d, w);
        if (HWND w = core::AboutWindowHandle()) CloseWindow(d, w);
        EXPECT_FALSE(core::ModalWindowOpen);
    }
    // The underscore line only looks like a separator: choosing it writes nothing.
    core::PendingCommand = "untouched";
    ChooseFromClockMenu(d, 4);
    EXPECT_EQ(core::PendingCommand, "untouched");
    EXPECT_FALSE(core::frmMain().Tricker.Enabled);

    // Exit asks first; No leaves the slot and the timer alone.
    d.AnswerNextMessageBoxes({IDNO});
    ChooseFromClockMenu(d, 6);
    ASSERT_FALSE(d.MessageBoxes().empty());
    EXPECT_EQ(d.MessageBoxes().back().text, "Are you sure you want to exit OZR Ruriv?");
    EXPECT_EQ(d.MessageBoxes().back().caption, "OZR Ruriv - Question");
    EXPECT_EQ(d.MessageBoxes().back().type, 4132u);
    EXPECT_EQ(core::PendingCommand, "untouched");
    EXPECT_FALSE(core::frmMain().Tricker.Enabled);
    d.Advance(20);
    EXPECT_FALSE(d.Ended());

    d.AnswerNextMessageBoxes({IDYES});
    ChooseFromClockMenu(d, 6);
    EXPECT_EQ(core::PendingCommand, "Quit");
    d.Advance(20);
    EXPECT_TRUE(d.Ended());
}

TEST(Commands, AnUnknownCommandRunsNothingAndIsLogged) {
    Desktop d(LaterRun("[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    core::PendingCommand = "Debug";
    core::frmMain().Tricker.Enabled = true;
    d.Advance(20);
    EXPECT_FALSE(d.Ended());
    EXPECT_FALSE(core::ModalWindowOpen);
    EXPECT_EQ(d.CountInDebugLog("[frmMain]: Unknown command \"Debug\" ignored."), 1);
    // A key with no command leaves the slot empty, which is no command and no log line.
    const std::string log = d.DebugLogText();
    SetFocus(core::frmMain().hWnd);
    d.Key(VK_F12);
    d.Advance(20);
    EXPECT_EQ(d.DebugLogText(), log);
}

}  // namespace
