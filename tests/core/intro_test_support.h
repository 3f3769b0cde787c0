// The greeting windows under test: a fresh program folder with the intro pictures, settings loaded
// with their defaults, a help file with tips, the desktop screen and a virtual clock. Tests drive
// the first-run window themselves.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/debug_log.h"
#include "core/frm_intro.h"
#include "core/frm_intro_tips.h"
#include "core/intro_flags.h"
#include "core/language_files.h"
#include "core/program_settings.h"
#include "core/settings_load.h"
#include "platform/draw/surface.h"
#include "platform/present/desktop_screen.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"
#include "tests/platform/services/temp_folder.h"
#include "tests/platform/window/window_test_support.h"
#include "tests/support/recording_autostart.h"

namespace introtest {
using namespace platform;

inline const char* const kPictures[] = {"Splash.jpg", "OZRClockSystray.jpg", "OZRClockFloating.jpg",
                                        "OZRClockSystrayM.jpg", "OZRClockFloatingM.jpg"};

class IntroTest : public testing::Test {
protected:
    void SetUp() override {
        wintest::UseVirtualClock();
        autostart = &testsupport::UseRecordingAutostart();
        StartDesktopScreen();
        for (const char* name : kPictures) {
            std::ifstream in(std::string(OZR_PROGRAM_DIR) + "/GUI/Misc/" + name, std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            folder.Write(std::string("GUI/Misc/") + name, bytes.str());
        }
        core::Settings = core::ProgramSettings{};
        core::MainSettingsFile = SettingsFile{};
        core::HelpFile = SettingsFile{};
        core::SettingsRoutineHooks = core::SettingsHooks{};
        core::DebugOutputOn = 0;
        core::LoadSettings();
        WriteHelpFile(20);
        core::IntroDrivenByTest = true;
    }
    void TearDown() override {
        core::frmIntroTips().Unload();
        core::frmIntro().Unload();
        core::IntroDrivenByTest = false;
        core::DebugOutputOn = 0;
        core::Settings = core::ProgramSettings{};
        core::MainSettingsFile = SettingsFile{};
        core::HelpFile = SettingsFile{};
        InstallService<Clock>(MakeSystemClock());
    }

    // A help file whose tips 0 to last read "Tip n", opened on HelpFile.
    void WriteHelpFile(int last, const std::string& extra = "") {
        std::string text = "[Dralo Software Development Ruriv - Help File]\n\n[TOTD]\nThisSectionMaxID=" +
                           std::to_string(last) + "\nTip Of The Day=Did you know?\n";
        for (int n = 0; n <= last; ++n) {
            char key[16];
            std::snprintf(key, sizeof key, "%03dT", n);
            text += key + ("=Tip " + std::to_string(n)) + "\n";
        }
        folder.Write("System/Help/000HelpEnglish.ozrini", text + extra);
        core::HelpFile = SettingsFile{};
        ASSERT_EQ(core::HelpFile.Open(folder.Path() + "/System/Help/000HelpEnglish.ozrini"), 1);
    }

    // A key of the settings file as saved on disk; "" when it is not there.
    std::string Saved(const std::string& section, const std::string& key) const {
        SettingsFile saved;
        saved.Open(folder.Path() + "/Settings.ozrini");
        return saved.ReadText(section, key);
    }

    void TurnDebugLogOn() {
        core::Settings.DebugMode = true;
        core::DebugOutputOn = 1;
    }
    std::string DebugLogText() const { return folder.Read("!debug.dump"); }

    TempProgramFolder folder;
    testsupport::RecordingAutostart* autostart = nullptr;
};

// A press and release of the left button now, handled before it returns (no time passes).
inline void ClickNow(POINT screen) {
    InjectMouseMove(screen);
    InjectMouseButton(screen, MouseButton::Left, true);
    InjectMouseButton(screen, MouseButton::Left, false);
    PumpPendingWork();
}

inline POINT CentreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A click on a window's centre, a while after any earlier click so that the two are no double-click.
inline void Click(HWND hwnd) {
    RunFor(600);
    ClickNow(CentreOf(hwnd));
}

inline RECT WindowRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// The opacity a layered window is drawn with; -1 when it has none.
inline int Opacity(HWND hwnd) {
    BYTE alpha = 0;
    if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, nullptr)) return -1;
    return alpha;
}

inline bool SamePixels(const forms::Picture& shown, const std::string& fileName) {
    forms::Picture expected = forms::LoadPicture("\\GUI\\Misc\\" + fileName);
    if (!shown || !expected) return false;
    const Surface& a = *shown.Pixels();
    const Surface& b = *expected.Pixels();
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

}  // namespace introtest
