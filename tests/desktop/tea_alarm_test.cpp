// A new alarm from end to end with the real library: named "Tea", its window "Tea time" at the
// lower right hotspot sliding in vertically for a second and out again, in the toolbox style,
// saved simple and applied. The file holds those fields; at its time the window slides in and
// stops at the screen's lower right corner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae2.h"
#include "alarmwizard/frm_seti_rae2a.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "core/alarm.h"
#include "core/globals.h"
#include "settings/frm_seti.h"
#include "wizard_desktop.h"

using namespace platform;

namespace {

class TeaAlarm : public desktop::WizardDesktop {};

TEST_F(TeaAlarm, SlidesInVerticallyAndStopsAtTheLowerRightCorner) {
    Start({}, "", false);
    New();
    auto& step1 = alarmwizard::frmSetiRAE1();
    TypeInto(step1.txtMin, "5");  // 12:05:00 today
    Press(step1.cmdNext);

    auto& step2 = alarmwizard::frmSetiRAE2();
    TypeInto(step2.txtName, "Tea");
    TypeInto(step2.txtTitle, "Tea time");
    Press(step2.optHotspot);
    step2.ddlHotspot.ChooseFromList(4);
    Press(step2.chSlide);
    PressLabel(step2.lblSlideCustomize, step2.frmPositioning.hWnd);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2A");
    auto& step2a = alarmwizard::frmSetiRAE2A();
    Press(step2a.optInMod1);
    Press(step2a.optOutMod1);
    TypeInto(step2a.txtSlideIn, "1.0");
    TypeInto(step2a.txtSlideOut, "1.0");
    Press(step2a.cmdOk);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2");
    Press(step2.cmdNext);

    auto& step3 = alarmwizard::frmSetiRAE3();
    step3.ddlStyle.ChooseFromList(1);  // toolbox
    d->Advance(10);
    Press(step3.cmdSave);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    ASSERT_TRUE(d->MessageBoxes().empty()) << d->MessageBoxes()[0].text;
    Press(settings::frmSeti().cmdOkN);

    const std::string section = desktop::AlarmSection(d->ReadFile("Alarms/MyAlarms.ozrini"), core::Alarms.back().AlarmKey);
    for (const char* line : {"NAME=Tea\n", "Title=Tea time\n", "CustomPosition=4\n", "SlideInTime=1000\n",
                             "SlideOutTime=1000\n", "SlideInDirection=11\n", "SlideOutDirection=11\n", "WindowStyle=1\n"})
        EXPECT_NE(section.find(line), std::string::npos) << line << section;
    EXPECT_EQ(core::Alarms.back().Flags & 0xF0, core::kAlarmAtHotspot | core::kAlarmSlide | core::kAlarmAutoSize);

    d->Advance(5 * 60'000 - 2'000);
    HWND window{};
    for (int i = 0; i < 40 && !window; ++i) {
        d->Advance(100);
        window = d->FindByTitle("Tea time");
    }
    ASSERT_NE(window, HWND{});
    std::vector<RECT> seen;
    for (int i = 0; i < 16; ++i) {
        seen.push_back(d->Rect(window));
        d->Advance(100);
    }
    const RECT last = d->Rect(window);
    for (const RECT& r : seen) std::printf("  window at %ld,%ld-%ld,%ld\n", long(r.left), long(r.top), long(r.right), long(r.bottom));
    EXPECT_GT(seen.front().top, last.top) << "it came up from below";
    for (const RECT& r : seen) EXPECT_EQ(r.right, last.right) << "a vertical slide keeps its side";
    EXPECT_EQ(last.right, 1280);
    EXPECT_EQ(last.bottom, 1024);
    d->Advance(2'000);
    const RECT still = d->Rect(window);
    EXPECT_EQ(still.top, last.top) << "it stops there";
    if (const char* dump = std::getenv("OZR_KEEP_DUMP")) d->WriteFile(dump, d->WindowDump());
}

}  // namespace
