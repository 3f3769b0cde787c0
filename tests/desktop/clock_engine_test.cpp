// The clock engine's upkeep on the headless desktop: a moved window is saved at the next tick, a
// tick asked for from inside a tick returns at once, and the rescan count stops at its top while
// the alarms are not loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "platform/window/message_box.h"
#include "tests/support/recording_message_boxes.h"

using namespace platform;
using desktop::Desktop;

namespace {

void WriteLaterRunSettings(const std::filesystem::path& folder) {
    std::ofstream(folder / "Settings.ozrini")
        << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";
}

class ClockEngine : public ::testing::Test {
protected:
    // 12:00:00.000: the half-minute upkeep runs at 12:00:02.
    Desktop d{{.clock = "2026-03-01T12:00:00", .prepare = [](auto& f) { WriteLaterRunSettings(f); }}};
    void SetUp() override {
        ASSERT_TRUE(d.Start());
        d.Advance(500);
    }
};

TEST_F(ClockEngine, AWindowMovedByAnyMeansIsSavedAtTheNextTick) {
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    SetWindowPos(main, HWND{}, 37, 61, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_NE(core::Settings.FloatWindowLeft, 37 * 15);
    d.Advance(1000);
    EXPECT_EQ(core::Settings.FloatWindowLeft, 37 * 15);
    EXPECT_EQ(core::Settings.FloatWindowTop, 61 * 15);
    std::string settings = d.ReadFile("Settings.ozrini");
    EXPECT_NE(settings.find("X=555\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Y=915\n"), std::string::npos);
}

TEST_F(ClockEngine, ATickAskedForFromInsideATickReturnsAtOnce) {
    // The resolution warning is shown from the tick of second 2; while it is open, the command
    // timer may run GoTimer. That tick must not run inside the first: here it would save the
    // window's new place at once.
    core::Settings.ClockWidth = 32000;
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    const std::int32_t leftBefore = core::Settings.FloatWindowLeft;
    auto& boxes = testsupport::UseRecordingMessageBoxes();
    boxes.whileShown = [&](const MessageBoxRequest&) {
        SetWindowPos(main, HWND{}, 11, 13, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        core::frmMain().GoTimer();
        EXPECT_EQ(core::Settings.FloatWindowLeft, leftBefore);
    };
    d.Advance(2000);
    EXPECT_EQ(boxes.Requests().size(), 1u);
    // Once the first tick has ended, ticks run again.
    core::frmMain().GoTimer();
    EXPECT_EQ(core::Settings.FloatWindowLeft, 11 * 15);
}

TEST_F(ClockEngine, TheRescanCountStopsAtItsTopWhileTheAlarmsAreNotLoaded) {
    core::AlarmsLoaded = false;  // as while the alarm files wait for the online download
    core::RescanCounter = 32760;
    d.Advance(20'000);
    EXPECT_EQ(core::RescanCounter, 32767);
    EXPECT_FALSE(d.Ended());
    // Asking for a rescan puts it back to the value that rescans at the next tick.
    core::frmMain().RescanImmediateAlarms();
    EXPECT_EQ(core::RescanCounter, 2100);
}

}  // namespace
