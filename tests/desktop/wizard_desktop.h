// The alarm wizard's desktop tests share this: the program on the headless desktop with the
// recording library (or the real one), one alarm in the list, the alarm manager shown; New opens step 1; the user's
// clicks and typing.
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
#include "core/language_files.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "platform/forms/label.h"
#include "platform/forms/text_box.h"

namespace desktop {

inline AlarmEntry Wake() {
    return {"A", {{"FLAG", "1"}, {"NAME", "Wake"}, {"FIRE", "2026-03-02 07:00:00"}, {"OriginalDate", "2026-03-02 07:00:00"},
                  {"Title", "Wake"}, {"Text", "Up"}}};
}

inline std::vector<std::string> CallsStartingWith(const FakeLibrary& lib, const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& c : lib.Calls())
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

class WizardDesktop : public testing::Test {
protected:
    // The real library instead of the recording one when fakeLibrary is off.
    void Start(std::vector<AlarmEntry> alarms = {Wake()}, std::string missingPicture = "", bool fakeLibrary = true) {
        d = std::make_unique<Desktop>(DesktopOptions{.screen = screen, .prepare = [this, alarms, missingPicture, fakeLibrary](auto& f) {
            if (!missingPicture.empty()) std::filesystem::remove(f / "GUI/Warlock" / missingPicture);
            std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\n"
                                                    "RunCount=4\nSplash=0\nPopupHelp=0\n[Aspect]\nColorScheme=3\n";
            if (fakeLibrary) InstallFakeLibrary(f);
            WriteAlarmFiles(f, alarms);
            if (!alarmFiles)
                for (const char* file : {"Alarms/!AlarmMaster.ozrini", "Alarms/MyAlarms.ozrini"}) std::filesystem::remove(f / file);
        }});
        ASSERT_TRUE(d->Start());
        d->Advance(100);
        ASSERT_TRUE(core::AlarmsLoaded);
        // The floating clock stays on top: out of the way of the clicks on the settings window.
        core::frmMain().Move(0, 0);
        d->Key(platform::VK_F3);
        d->Advance(50);
        ASSERT_TRUE(alarmmanager::frmSetiRAM().IsLoaded());
    }
    void New() {
        Press(alarmmanager::frmSetiRAM().cmdNew);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    }
    platform::POINT CentreOf(platform::HWND h) { return desktop::CentreOf(d->Rect(h)); }
    void Press(platform::forms::WindowedControl& control) {
        d->Click(CentreOf(control.hWnd));
        d->Advance(20);
    }
    // A label has no window of its own: the click lands on its place in its container.
    void PressLabel(platform::forms::Label& label, platform::HWND container) {
        const platform::RECT c = d->Rect(container), r = label.PixelRect();
        d->Click(platform::POINT{c.left + (r.left + r.right) / 2, c.top + (r.top + r.bottom) / 2});
        d->Advance(20);
    }
    // Types into a box as a user does: click it, replace its text, then leave it by a click on
    // another control (the step's frame).
    void TypeInto(platform::forms::TextBox& box, const std::string& text) {
        Press(box);
        box.Text = "";
        d->Type(text);
        d->Advance(10);
    }
    // Leaves the box with the focus by a click on another one.
    void LeaveFor(platform::forms::TextBox& other) { Press(other); }
    std::string ErrorText(const char* section, const char* key) { return core::LanguageFile.ReadText(section, key); }

    std::unique_ptr<Desktop> d;
    platform::SIZE screen{1280, 1024};  // set before Start
    bool alarmFiles = true;              // off before Start: the Alarms folder holds no alarm file
};

}  // namespace desktop
