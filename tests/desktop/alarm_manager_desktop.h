// A desktop for the alarm manager's and the wizard's tests: the alarm files given, Standard colours,
// popup help off, the recording stand-in library unless the real one is wanted; started with its
// alarms loaded and the alarm manager open, the floating clock moved out of the way of the clicks.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "alarm_file_writer.h"
#include "alarmmanager/frm_seti_ram.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "fake_library.h"

namespace desktop {

struct AlarmManagerDesktopOptions {
    std::vector<AlarmEntry> alarms;
    bool fakeLibrary = true;
    std::string missingPicture = "";  // an animation picture taken out of GUI\Warlock
};

// Call with ASSERT_NO_FATAL_FAILURE.
inline void StartAtAlarmManager(std::unique_ptr<Desktop>& d, AlarmManagerDesktopOptions options) {
    d = std::make_unique<Desktop>(DesktopOptions{.prepare = [options](const std::filesystem::path& f) {
        if (!options.missingPicture.empty()) std::filesystem::remove(f / "GUI/Warlock" / options.missingPicture);
        std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\n"
                                                "RunCount=4\nSplash=0\nPopupHelp=0\n[Aspect]\nColorScheme=3\n";
        if (options.fakeLibrary) InstallFakeLibrary(f);
        WriteAlarmFiles(f, options.alarms);
    }});
    ASSERT_TRUE(d->Start());
    d->Advance(100);
    ASSERT_TRUE(core::AlarmsLoaded);
    core::frmMain().Move(0, 0);
    d->Key(platform::VK_F3);
    d->Advance(50);
    ASSERT_TRUE(alarmmanager::frmSetiRAM().IsLoaded());
}

}  // namespace desktop
