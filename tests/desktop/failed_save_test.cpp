// A save of the settings file that fails (a read-only program folder, a full disk) never ends the
// clock: it goes on with its settings in memory, the old file stays as it was, the user is told
// once in the run, and the next save tries again. Quit with a failed save says so and still ends.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "blocked_folder.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "settings/frm_seti.h"

using namespace platform;
using namespace desktop;

namespace {

const char* kLaterRun = "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";

void WriteLaterRunSettings(const std::filesystem::path& folder) { std::ofstream(folder / "Settings.ozrini") << kLaterRun; }

HWND MainWindow(const Desktop& d) { return d.FindByTitle("OZR Ruriv Main Window"); }

// Drags the floating clock by its middle; the engine saves the new place within a second.
void MoveTheClock(Desktop& d, int dx) {
    RECT r = d.Rect(MainWindow(d));
    POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    d.Drag(middle, POINT{middle.x + dx, middle.y});
    ASSERT_EQ(d.Rect(MainWindow(d)).left, r.left + dx) << "the clock was not dragged";
    d.Advance(1500);
}

bool TemporaryFilesLeft(const Desktop& d) {
    for (const auto& entry : std::filesystem::directory_iterator(d.Folder()))
        if (entry.path().filename().string().starts_with(".Settings.ozrini.tmp")) return true;
    return false;
}

// The whole course of a run whose saves fail while block() holds, with the reason the box names.
template <class Block, class Unblock>
void SavesFailWhileBlocked(Desktop& d, Block block, Unblock unblock) {
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    const std::string before = d.ReadFile("Settings.ozrini");
    const std::string settingsPath = d.PathOf("Settings.ozrini").string();

    block();
    MoveTheClock(d, -100);
    MoveTheClock(d, -100);
    EXPECT_FALSE(d.Ended());
    ASSERT_EQ(d.MessageBoxes().size(), 1u) << "one box for the run, not one per save";
    const MessageBoxRequest& box = d.MessageBoxes()[0];
    EXPECT_NE(box.text.find(settingsPath), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("could not save"), std::string::npos) << box.text;
    EXPECT_EQ(d.ReadFile("Settings.ozrini"), before) << "the old file stays as it was";
    EXPECT_FALSE(TemporaryFilesLeft(d));
    d.Advance(60'000);
    EXPECT_FALSE(d.Ended());
    EXPECT_EQ(d.MessageBoxes().size(), 1u);

    unblock();
    MoveTheClock(d, 50);  // the next save tries again, and now succeeds
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Float Window", "X"), d.Rect(MainWindow(d)).left * 15);
    EXPECT_NE(d.ReadFile("Settings.ozrini").find("X=" + std::to_string(d.Rect(MainWindow(d)).left * 15)), std::string::npos);
    const std::string saved = d.ReadFile("Settings.ozrini");

    block();
    MoveTheClock(d, 50);
    SendMessage(MainWindow(d), core::WM_CLOCKQUIT, 0, 0);
    d.Advance(100);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.ExitCode(), 0);
    ASSERT_EQ(d.MessageBoxes().size(), 2u) << "Quit tells its failure even after the box of the run";
    EXPECT_NE(d.MessageBoxes()[1].text.find(settingsPath), std::string::npos);
    EXPECT_NE(d.MessageBoxes()[1].text.find("will now close"), std::string::npos) << d.MessageBoxes()[1].text;
    unblock();
    EXPECT_EQ(d.ReadFile("Settings.ozrini"), saved);
}

TEST(FailedSave, AReadOnlyProgramFolderKeepsTheClockRunningAndTellsOnce) {
    Desktop d({.prepare = WriteLaterRunSettings});
    ReadOnlyFolder readOnly(d.Folder());
    SavesFailWhileBlocked(
        d,
        [&] {
            readOnly.Block();
            ASSERT_TRUE(readOnly.Blocked());
        },
        [&] { readOnly.Unblock(); });
}

TEST(FailedSave, AFullDiskKeepsTheClockRunningAndTellsOnce) {
    SmallFilesystem disk;  // outlives the desktop, which removes the folder's files first
    std::string why;
    Desktop d({.prepare = [&](const std::filesystem::path& folder) {
        WriteLaterRunSettings(folder);
        why = disk.MountOn(folder);
    }});
    if (!why.empty()) GTEST_SKIP() << "no full-disk test: " << why;
    SavesFailWhileBlocked(d, [&] { disk.Fill(); }, [&] { disk.Free(); });
    EXPECT_NE(d.MessageBoxes()[0].text.find(std::strerror(ENOSPC)), std::string::npos) << d.MessageBoxes()[0].text;
}

// The box of a save that failed at Apply blocks the settings window: a click on its Cancel and a
// key reach nothing until the box is answered; then the window works again.
TEST(FailedSave, TheBoxOfAFailedApplyBlocksTheSettingsWindowUntilItIsAnswered) {
    Desktop d({.prepare = WriteLaterRunSettings});
    ReadOnlyFolder readOnly(d.Folder());
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    d.Key(VK_F2);
    d.Advance(50);
    auto& window = settings::frmSeti();
    ASSERT_TRUE(window.IsLoaded());
    readOnly.Block();
    ASSERT_TRUE(readOnly.Blocked());
    bool enabledMeanwhile = true;
    d.WhileMessageBoxShown([&](const MessageBoxRequest&) {
        enabledMeanwhile = IsWindowEnabled(window.hWnd);
        d.Click(CentreOf(d.Rect(window.cmdCancelN.hWnd)));
        d.Key(VK_ESCAPE);
        d.Advance(50);
    });
    d.Click(CentreOf(d.Rect(window.cmdApply.hWnd)));
    d.Advance(50);
    d.WhileMessageBoxShown({});
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(window.IsLoaded()) << "the Cancel click while the box waited reached nothing";
    readOnly.Unblock();
    d.Click(CentreOf(d.Rect(window.cmdCancelN.hWnd)));
    d.Advance(50);
    EXPECT_FALSE(window.IsLoaded());
}

TEST(FailedSave, AFirstRunInAReadOnlyFolderRunsWithItsChoiceAndTellsOnce) {
    Desktop d;
    ReadOnlyFolder readOnly(d.Folder());
    readOnly.Block();
    ASSERT_TRUE(readOnly.Blocked());
    ASSERT_TRUE(d.Start());
    d.Advance(5000);
    EXPECT_FALSE(d.Ended());
    EXPECT_EQ(core::Settings.RunCount, 0);
    EXPECT_FALSE(d.FileExists("Settings.ozrini"));
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_NE(d.MessageBoxes()[0].text.find(d.PathOf("Settings.ozrini").string()), std::string::npos);
}

}  // namespace
