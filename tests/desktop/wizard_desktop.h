// A desktop test of the alarm wizard: the program on the headless desktop with an empty alarm
// list, the alarm manager open and its New pressed, and the user's clicks and typing.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "alarm_file_writer.h"
#include "alarmmanager/frm_seti_ram.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "platform/forms/text_box.h"

namespace desktop {

class WizardDesktop : public testing::Test {
protected:
    // `settings` is added to the settings file's main section (whole sections may follow it).
    void StartAtNewAlarm(const std::string& settings = "") {
        d = std::make_unique<Desktop>(DesktopOptions{.prepare = [settings](auto& f) {
            std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\n"
                                                    "RunCount=4\nSplash=0\nPopupHelp=0\n"
                                                 << settings;
            InstallFakeLibrary(f);
            WriteAlarmFiles(f, {});
        }});
        ASSERT_TRUE(d->Start());
        d->Advance(100);
        ASSERT_TRUE(core::AlarmsLoaded);
        core::frmMain().Move(0, 0);  // the floating clock stays on top: out of the way
        d->Key(platform::VK_F3);
        d->Advance(50);
        Press(alarmmanager::frmSetiRAM().cmdNew);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    }
    void Press(platform::forms::WindowedControl& control) {
        d->Click(CentreOf(d->Rect(control.hWnd)));
        d->Advance(20);
    }
    // Types into a box as a user does, leaving the focus in it.
    void TypeInto(platform::forms::TextBox& box, const std::string& text) {
        Press(box);
        box.Text = "";
        d->Type(text);
        d->Advance(10);
    }

    std::unique_ptr<Desktop> d;
};

}  // namespace desktop
