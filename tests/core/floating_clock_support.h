// The floating clock window under test: the main window's layout and placement without its
// start-up (no library, no alarms), on the headless screen with a virtual clock, in a fresh
// program folder that holds the shipped language and help files and the default settings.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/floating_layout.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/settings_load.h"
#include "core/window_placement.h"
#include "platform/present/desktop_screen.h"
#include "platform/services/clock.h"
#include "platform/window/loop.h"
#include "platform/window/message_box.h"
#include "platform/window/screen.h"
#include "tests/support/test_services.h"
#include "tests/platform/services/temp_folder.h"

namespace clocktest {

// frmMain with its start-up and shut-down left out: what is under test is called directly.
class FloatingClock : public core::frmMainForm {
protected:
    void Form_Load() override {}
    void Form_Unload(int&) override {}
};

// Where a label control sits, in twips, and whether it shows.
struct Box {
    int left, top, width, height;
    bool visible;
};

class FloatingClockTest : public testing::Test {
protected:
    void SetUp() override {
        std::int64_t start = 0;
        platform::ParseLocalTimestamp("2026-03-01T13:04:05", &start);
        platform::InstallService<platform::Clock>(platform::MakeVirtualClock(start));
        UseScreen(1280, 1024);
        platform::StartDesktopScreen();
        for (const char* sub : {"System/Lang", "System/Help"}) {
            std::filesystem::path to = std::filesystem::path(folder.Path()) / sub;
            std::filesystem::create_directories(to);
            std::filesystem::copy(std::filesystem::path(OZR_PROGRAM_DIR) / sub, to, std::filesystem::copy_options::recursive);
        }
        messageBoxes.AnswerEveryBoxWith(platform::IDOK);
        messageBoxes.whileShown = [this](const platform::MessageBoxRequest&) {
            if (onBox) onBox();
        };

        core::Settings = core::ProgramSettings{};
        core::SettingsRoutineHooks.GetScreenSize = [this] {
            clock.GetScreenSize();
            return core::ScreenSizeTwips{double(core::ScreenWidthTwips), double(core::ScreenHeightTwips)};
        };
        core::MainSettingsFile = platform::SettingsFile{};
        core::LoadSettings();  // the defaults, with the two default labels
        ASSERT_TRUE(core::LoadLanguageAndHelp());
        // The library reports the default labels' "ac" as centred.
        for (int i = 0; i < core::LabelCount; ++i) core::Labels[static_cast<std::size_t>(i)].LabelFlags = core::kLabelAlignCentre;

        core::DisplayLabelCount = 0;
        core::ResizeLabelDisplays(1);
        core::LabelsRebuilding = false;
        core::LayoutRightEdge = 0;
        core::CentringOffsetY = 0;
        core::FastStartTicks = 0;
        core::ModalWindowOpen = core::SettingsWindowOpen = false;
        // Start-up lies in the past, so the early anchoring of the first seconds is over.
        core::StartTime = core::AddSeconds(core::Now(), -60);

        clock.Load();
        clock.OZRClockEngine.Enabled = false;
        clock.tmrSyncAlarms.Enabled = false;  // no alarms: their load is part of the start-up
        clock.tmrLoadAlarms.Enabled = false;
        clock.Move(3000, 3000);
        clock.Show();
    }

    void TearDown() override {
        clock.Unload();
        platform::ResetServices();
        core::SettingsRoutineHooks = core::SettingsHooks{};
    }

    void UseScreen(int width, int height) {
        platform::SetScreenSize(platform::SIZE{width, height});
        clock.GetScreenSize();
    }

    // The labels' texts as the library reports them, then the layout of one engine tick.
    void ShowTexts(const std::vector<std::string>& texts, bool force = false) {
        for (std::size_t i = 0; i < texts.size(); ++i) clock.SetLabelData(static_cast<std::int16_t>(i), texts[i]);
        clock.UpdateDisplay(force);
    }

    // The passes that follow a resize (the engine's three fast ticks): a label cut against the
    // block's edge while the edge was being found again gets its width back.
    void Settle() {
        for (int pass = 0; pass < 3; ++pass) clock.UpdateDisplay(false);
    }

    // Appends labels copied from the first one until the list holds `count`.
    void UseLabelCount(int count) {
        core::Labels.resize(static_cast<std::size_t>(count) + 1, core::Labels[0]);
        core::LabelCount = static_cast<std::int16_t>(count);
    }

    core::ClockLabel& Record(int i) { return core::Labels[static_cast<std::size_t>(i)]; }

    Box BoxOf(int i) {
        auto& c = clock.Label(i);
        return Box{c.Left, c.Top, c.Width, c.Height, c.Visible};
    }

    FloatingClock clock;
    TempProgramFolder folder;
    testsupport::RecordingMessageBoxes& messageBoxes = testsupport::UseRecordingMessageBoxes();
    std::vector<platform::MessageBoxRequest>& boxes = messageBoxes.Requests();
    std::function<void()> onBox;  // runs while a message box is open
};

}  // namespace clocktest
