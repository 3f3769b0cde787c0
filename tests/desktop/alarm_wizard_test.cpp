// The alarm wizard on the headless desktop with a virtual clock: a new alarm from the alarm
// manager's New through the schedule step and Save Simple to the alarm file and its firing; the
// schedule step's defaults, animation, day clamp and countdown; Cancel, Modify and the settings
// window's OK while a step is shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "alarm_file_writer.h"
#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae2.h"
#include "alarmwizard/frm_seti_rae4.h"
#include "core/alarm_files.h"
#include "core/date_routines.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "wizard_desktop.h"
#include "settings/frm_seti.h"

using namespace platform;
using alarmmanager::frmSetiRAM;
using alarmwizard::frmSetiRAE1;
using desktop::AlarmEntry;
using desktop::CallsStartingWith;
using desktop::Desktop;
using desktop::Wake;
using settings::frmSeti;

namespace {

constexpr const char* kStep1Section = "Alarm Settings Controls - SUB WINDOW WARLOCK STEP 1";

class AlarmWizard : public desktop::WizardDesktop {
protected:
    alarmwizard::frmSetiRAE1Form& step1 = frmSetiRAE1();
};

TEST_F(AlarmWizard, NewShowsTodayWithTimeTickedAndTheAnimationRestsOnItsFrame) {
    Start();
    New();
    EXPECT_EQ(step1.txtHour.Text(), "12");
    EXPECT_EQ(step1.txtMin.Text(), "0");
    EXPECT_EQ(step1.txtDay.Text(), "1");
    EXPECT_EQ(step1.txtMonth.Text(), "3");
    EXPECT_EQ(step1.ddlMonth.ListIndex, 2);
    EXPECT_EQ(step1.txtYear.Text(), "2026");
    EXPECT_EQ(step1.chTime.Value, forms::vbChecked);
    EXPECT_EQ(step1.chCountdown.Value, forms::vbUnchecked);
    EXPECT_FALSE(step1.txtSecs.Enabled);
    EXPECT_FALSE(step1.chStartFrom.Enabled);
    EXPECT_FALSE(step1.lblCustomize.Visible);
    EXPECT_FALSE(step1.cmdOk.Enabled);
    EXPECT_FALSE(step1.cmdPrevious.Enabled);
    EXPECT_TRUE(core::WarlockStepLoaded);

    d->Advance(1800);
    EXPECT_EQ(core::WarlockAnimFrame, 1) << "the first move comes after 2 s";
    d->Advance(200 + 50 * 10);
    EXPECT_GE(core::WarlockAnimFrame, 9);
    EXPECT_LE(core::WarlockAnimFrame, 12);
    d->Advance(5000);
    EXPECT_EQ(core::WarlockAnimFrame, 40);
    EXPECT_FALSE(step1.Animatronic.Enabled) << "the timer stops at the resting frame";
}

TEST_F(AlarmWizard, AMissingAnimationPictureKeepsThePreviousOne) {
    Start({Wake()}, "Anim5.jpg");
    New();
    d->Advance(1990);
    forms::Picture fourth;
    while (core::WarlockAnimFrame < 5) {
        if (core::WarlockAnimFrame == 4) fourth = step1.pctPicture.Picture;
        d->Advance(5);
    }
    ASSERT_TRUE(fourth);
    EXPECT_TRUE(step1.pctPicture.Picture() == fourth);
    d->Advance(2000);
    EXPECT_EQ(core::WarlockAnimFrame, 40) << "the animation goes on";
    EXPECT_FALSE(step1.pctPicture.Picture() == fourth);
    EXPECT_TRUE(d->MessageBoxes().empty());
}

TEST_F(AlarmWizard, AClockTimeSavedSimpleIsListedWrittenOnOkAndFiresWithItsWindow) {
    Start();
    New();
    TypeInto(step1.txtHour, "7");
    TypeInto(step1.txtMin, "30");
    TypeInto(step1.txtSec, "0");
    TypeInto(step1.txtDay, "2");
    Press(step1.cmdSave);

    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_FALSE(core::WarlockStepLoaded);
    EXPECT_EQ(core::AlarmEditProgress, 0);
    EXPECT_EQ(frmSeti().SectionTitle(), core::LanguageFile.ReadText("Program Settings Tree", "2_1"))
        << "the tree follows back to the alarm manager";
    ASSERT_EQ(core::Alarms.size(), 2u);
    const core::Alarm& made = core::Alarms[1];
    EXPECT_TRUE(std::regex_match(made.NAME, std::regex(R"(Unnamed-2026-03-01 12:00:\d\d \| [1-9]\d)"))) << made.NAME;
    EXPECT_EQ(made.Title, made.NAME);
    EXPECT_EQ(made.Text, made.NAME);
    EXPECT_EQ(made.FLAG, core::kAlarmOn);
    EXPECT_EQ(core::FormatDateTimeString(made.FIRE), "2026-03-02 07:30:00");
    auto& grid = frmSetiRAM().flxAlarms;
    ASSERT_EQ(grid.Rows, 4);
    EXPECT_EQ(grid.TextMatrix(2, 2)(), made.NAME);
    EXPECT_TRUE(frmSetiRAM().RowSelected(2));
    EXPECT_TRUE(core::AlarmsChanged);

    Press(frmSeti().cmdOkN);
    EXPECT_FALSE(frmSeti().IsLoaded());
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    const std::string section = desktop::AlarmSection(file, made.AlarmKey);
    ASSERT_NE(section, "");
    EXPECT_NE(section.find("FLAG=1\n"), std::string::npos);
    EXPECT_NE(section.find("NAME=" + made.NAME + "\n"), std::string::npos);
    EXPECT_NE(section.find("Title=" + made.NAME + "\n"), std::string::npos);
    EXPECT_NE(file.find("\n" + made.AlarmKey + "=" + made.NAME + "\n"), std::string::npos) << "the list item";

    desktop::FakeLibrary lib;
    lib.Clear();
    const std::string name = made.NAME;
    auto firings = [&] {
        std::vector<std::string> mine;
        for (const std::string& call : CallsStartingWith(lib, "OZRFireAlarm"))
            if (call.find(name) != std::string::npos) mine.push_back(call);
        return mine;
    };
    d->Advance(((19 * 60 + 29) * 60 + 59) * 1000LL - 60'000);
    EXPECT_TRUE(firings().empty());
    d->Advance(61'000);
    EXPECT_EQ(firings().size(), 1u);
}

// No alarm file at all (a first start, or every file lost) and no server: the list starts empty,
// and the first alarm made writes the files the next start loads.
TEST_F(AlarmWizard, WithoutAlarmFilesTheFirstNewAlarmMakesThem) {
    alarmFiles = false;
    Start();
    EXPECT_TRUE(d->MessageBoxes().empty());
    EXPECT_TRUE(frmSetiRAM().cmdNew.Enabled);
    New();
    TypeInto(step1.txtHour, "7");
    Press(step1.cmdSave);
    ASSERT_EQ(core::Alarms.size(), 2u);
    const std::string name = core::Alarms[1].NAME;
    Press(frmSeti().cmdOkN);
    EXPECT_EQ(d->ReadFile("Alarms/!AlarmMaster.ozrini"), "[Master Playlist]\n1=MyAlarms.ozrini\n");
    core::ProcessAlarms();
    ASSERT_EQ(core::Alarms.size(), 1u);
    EXPECT_EQ(core::Alarms[0].NAME, name);
    EXPECT_TRUE(d->MessageBoxes().empty());
}

TEST_F(AlarmWizard, ACountdownOfNinetySecondsShowsAsAMinuteAndFiresNinetySecondsAfterTheSave) {
    Start();
    New();
    Press(step1.chCountdown);
    EXPECT_EQ(step1.chTime.Value, forms::vbUnchecked);
    EXPECT_TRUE(step1.txtSecs.Enabled);
    EXPECT_FALSE(step1.txtHour.Enabled);
    TypeInto(step1.txtSecs, "90");
    LeaveFor(step1.txtYears);
    EXPECT_EQ(step1.txtMins.Text(), "1");
    EXPECT_EQ(step1.txtSecs.Text(), "30");
    const core::DateTime saved = core::Now();
    Press(step1.cmdSave);
    ASSERT_EQ(core::Alarms.size(), 2u);
    const core::Alarm& made = core::Alarms[1];
    EXPECT_EQ(made.OriginalCountdown, 90);
    EXPECT_LE(core::SecondsBetween(saved, made.OriginalDate), 1) << "the countdown runs from the save";
    EXPECT_EQ(made.Flags & (core::kAlarmCountdown | core::kAlarmRepetitive), core::kAlarmCountdown);
    Press(frmSeti().cmdOkN);

    desktop::FakeLibrary lib;
    lib.Clear();
    d->Advance(85'000);
    EXPECT_TRUE(CallsStartingWith(lib, "OZRFireAlarm").empty());
    d->Advance(7'000);
    EXPECT_EQ(CallsStartingWith(lib, "OZRFireAlarm").size(), 1u);
}

TEST_F(AlarmWizard, ASixthSecondsDigitMovesIntoTheTallTwinAndLeavingItCarriesTheTotalUpwards) {
    Start();
    New();
    Press(step1.chCountdown);
    TypeInto(step1.txtSecs, "10000");
    EXPECT_TRUE(step1.txtSecs.Visible);
    d->Type("0");
    d->Advance(10);
    EXPECT_FALSE(step1.txtSecs.Visible);
    ASSERT_TRUE(step1.txtSecsML.Visible);
    EXPECT_TRUE(step1.txtSecsML.HasFocus());
    EXPECT_EQ(step1.txtSecsML.Text(), "100000");
    EXPECT_EQ(step1.txtSecsML.SelStart, 6);
    EXPECT_FALSE(step1.cmdClear.Visible) << "the tall twin covers Clear";
    d->Type("0");  // 1,000,000 s
    d->Advance(10);
    LeaveFor(step1.txtYears);
    EXPECT_TRUE(step1.txtSecs.Visible);
    EXPECT_FALSE(step1.txtSecsML.Visible);
    EXPECT_TRUE(step1.cmdClear.Visible);
    EXPECT_TRUE(step1.txtYears.HasFocus()) << "the swap back takes no focus from where the user went";
    const std::string shown = step1.txtDays.Text() + " " + step1.txtHours.Text() + " " + step1.txtMins.Text() + " " +
                              step1.txtSecs.Text();
    EXPECT_EQ(shown, "11 13 46 40");
    // Deleting back below six characters in the twin returns to the short box with the focus.
    Press(step1.cmdClear);
    TypeInto(step1.txtSecs, "123456");
    ASSERT_TRUE(step1.txtSecsML.Visible);
    d->Key(VK_BACK, '\b');
    d->Advance(10);
    EXPECT_TRUE(step1.txtSecs.Visible);
    EXPECT_TRUE(step1.txtSecs.HasFocus());
    EXPECT_EQ(step1.txtSecs.Text(), "12345");
    LeaveFor(step1.txtYears);
    EXPECT_EQ(step1.txtHours.Text(), "3");
    EXPECT_EQ(step1.txtMins.Text(), "25");
    EXPECT_EQ(step1.txtSecs.Text(), "45");
}

TEST_F(AlarmWizard, TheModesFollowTheTickBoxesAndTimeOrCountdownCannotBeUnticked) {
    Start();
    New();
    Press(step1.chTime);  // a click cannot untick Time
    EXPECT_EQ(step1.chTime.Value, forms::vbChecked);
    Press(step1.chCountdown);  // countdown mode
    EXPECT_EQ(step1.chTime.Value, forms::vbUnchecked);
    EXPECT_FALSE(step1.txtHour.Enabled);
    Press(step1.chCountdown);
    EXPECT_EQ(step1.chCountdown.Value, forms::vbChecked);
    Press(step1.chStartFrom);  // a countdown from a clock time
    EXPECT_EQ(step1.chTime.Value, forms::vbChecked);
    EXPECT_TRUE(step1.txtHour.Enabled);
    EXPECT_TRUE(step1.txtDay.Enabled);
    EXPECT_TRUE(step1.txtSecs.Enabled);
    EXPECT_EQ(step1.chTime.Caption(), core::LanguageFile.ReadText(kStep1Section, "CheckTimeWhenCountdown"));
    Press(step1.chTime);  // back to a plain clock time; start-from keeps its tick, disabled
    EXPECT_EQ(step1.chCountdown.Value, forms::vbUnchecked);
    EXPECT_EQ(step1.chStartFrom.Value, forms::vbChecked);
    EXPECT_FALSE(step1.chStartFrom.Enabled);
    EXPECT_FALSE(step1.txtSecs.Enabled);
    Press(step1.cmdNext);
    const std::int32_t flags = core::AlarmUnderEdit.Flags;
    EXPECT_EQ(flags & (core::kAlarmCountdown | core::kAlarmStartFrom), core::kAlarmStartFrom);
}

TEST_F(AlarmWizard, TheButtonsStepWithinTheBoundsAndAnEmptyBoxStartsFromItsLeast) {
    Start();
    New();
    TypeInto(step1.txtHour, "23");
    Press(step1.cmdHourP);
    EXPECT_EQ(step1.txtHour.Text(), "23");
    TypeInto(step1.txtHour, "");
    Press(step1.cmdHourM);
    EXPECT_EQ(step1.txtHour.Text(), "0");
    Press(step1.cmdHourP);
    EXPECT_EQ(step1.txtHour.Text(), "1");
    TypeInto(step1.txtYear, "0");
    Press(step1.txtHour);
    EXPECT_EQ(step1.txtYear.Text(), "101");
    Press(step1.txtMin);
    d->Key(VK_UP);  // an arrow key steps like the plus button
    EXPECT_EQ(step1.txtMin.Text(), "1");
}

TEST_F(AlarmWizard, AnIntervalBelowThirtySecondsSentBackFromTheSaveIsShownByTheRepetitionStep) {
    Start();
    New();
    Press(step1.chRepetitive);  // an interval alarm with no interval yet
    Press(step1.cmdSave);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1A");
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text,
              ErrorText("Alarm Settings Controls - SUB WINDOW WARLOCK STEP 1A", "Error Interval Too Small"));
    EXPECT_EQ(core::AlarmWizardPending, 0);
    EXPECT_EQ(core::Alarms.size(), 1u) << "nothing reached the list";
    EXPECT_EQ(core::AlarmEditProgress, 10);
}

TEST_F(AlarmWizard, TheSaveWaitsWhileTheAlarmListIsNotLoaded) {
    Start();
    New();
    core::AlarmsLoaded = false;  // as while the first download is under way
    core::DownloadFinished = false;
    core::frmMain().tmrLoadAlarms.Enabled = true;
    Press(step1.cmdSave);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE4");
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text,
              ErrorText("Alarm Settings Controls - SUB WINDOW ALARM MANAGEMENT", "Error Not Loaded Yet"));
    EXPECT_EQ(core::AlarmEditProgress, 10) << "the named and stored record is kept";
    EXPECT_EQ(core::AlarmUnderEdit.NAME.rfind("Unnamed-", 0), 0u);
    core::AlarmsLoaded = true;
    Press(alarmwizard::frmSetiRAE4().cmdSave);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_EQ(core::Alarms.size(), 2u);
}

TEST_F(AlarmWizard, TheDayFollowsItsMonthAndTheGregorianLeapYears) {
    Start();
    New();
    TypeInto(step1.txtDay, "31");
    TypeInto(step1.txtMonth, "4");
    LeaveFor(step1.txtHour);
    EXPECT_EQ(step1.txtDay.Text(), "30");
    TypeInto(step1.txtMonth, "5");
    LeaveFor(step1.txtHour);
    EXPECT_EQ(step1.txtDay.Text(), "31");
    EXPECT_EQ(step1.ddlMonth.ListIndex, 4);
    TypeInto(step1.txtMonth, "2");
    TypeInto(step1.txtYear, "2100");
    LeaveFor(step1.txtHour);
    EXPECT_EQ(step1.txtDay.Text(), "28") << "2100 is no leap year";
    TypeInto(step1.txtYear, "2000");
    LeaveFor(step1.txtHour);
    EXPECT_EQ(step1.txtDay.Text(), "29");
    Press(step1.cmdDayP);  // the button makes the shown day the requested one
    EXPECT_EQ(step1.txtDay.Text(), "29");
    TypeInto(step1.txtMonth, "3");
    LeaveFor(step1.txtHour);
    EXPECT_EQ(step1.txtDay.Text(), "29");
}

TEST_F(AlarmWizard, FiftyYearsPassAndOneSecondMoreIsRefusedWithTheLastTotalShownAgain) {
    Start();
    New();
    Press(step1.chCountdown);
    TypeInto(step1.txtYears, "50");
    LeaveFor(step1.txtDays);
    EXPECT_EQ(step1.txtYears.Text(), "50");
    EXPECT_TRUE(d->MessageBoxes().empty());
    Press(step1.cmdSecsP);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text, ErrorText(kStep1Section, "Error Countdown Too Big"));
    EXPECT_EQ(d->MessageBoxes()[0].type, 4112u);
    EXPECT_EQ(step1.txtYears.Text(), "50");
    EXPECT_EQ(step1.txtSecs.Text(), "0");
    TypeInto(step1.txtMonths, "589");
    LeaveFor(step1.txtDays);
    EXPECT_EQ(d->MessageBoxes().size(), 2u) << "589 months pass the box but not the total";
}

TEST_F(AlarmWizard, EnterStoresTheFocusedBoxCleanedSoRawTextIsNeverStored) {
    Start();
    New();
    Press(step1.chCountdown);
    TypeInto(step1.txtSecs, "-1x5");
    d->Key(VK_RETURN, '\r');  // Next, while the box keeps the focus
    d->Advance(20);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE2");
    EXPECT_EQ(core::AlarmUnderEdit.OriginalCountdown, 15);
    EXPECT_EQ(core::AlarmEditProgress, 6 - 2) << "step 1 stored; step 2 not yet";
    Press(alarmwizard::frmSetiRAE2().cmdPrevious);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(step1.txtSecs.Text(), "15");
    EXPECT_EQ(step1.chCountdown.Value, forms::vbChecked);
}

TEST_F(AlarmWizard, CancelAsksAndYesLeavesTheListAsItWas) {
    Start();
    New();
    d->AnswerNextMessageBoxes({IDNO});
    Press(step1.cmdCancel);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text, core::LanguageFile.ReadText("General", "MSGBOX Warning Save Alarm"));
    EXPECT_EQ(d->MessageBoxes()[0].type, 4132u);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1");
    d->AnswerNextMessageBoxes({IDYES});
    Press(step1.cmdCancel);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_EQ(core::Alarms.size(), 1u);
    EXPECT_EQ(frmSetiRAM().flxAlarms.Rows, 3);
}

TEST_F(AlarmWizard, ANewAlarmOpenedAgainAfterEscapeStartsWithItsDefaults) {
    Start();
    for (int run = 0; run < 3; ++run) {
        New();
        EXPECT_EQ(step1.txtHour.Text(), "12") << run;
        Press(step1.chRepetitive);
        TypeInto(step1.txtHour, "5");
        d->Key(VK_ESCAPE);  // Cancel, answered Yes
        d->Advance(20);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    }
    EXPECT_EQ(core::Alarms.size(), 1u);
}

TEST_F(AlarmWizard, ModifyThenSaveSimpleKeepsTheNameAndReselectsTheRow) {
    Start();
    auto& grid = frmSetiRAM().flxAlarms;
    const RECT g = d->Rect(grid.hWnd), c = grid.CellRect(1, 2);
    d->Click(POINT{g.left + (c.left + c.right) / 2, g.top + (c.top + c.bottom) / 2});
    d->Advance(20);
    Press(frmSetiRAM().cmdModify);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(step1.txtHour.Text(), "7");
    TypeInto(step1.txtMin, "15");
    Press(step1.cmdSave);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    ASSERT_EQ(core::Alarms.size(), 1u);
    EXPECT_EQ(core::Alarms[0].NAME, "Wake");
    EXPECT_EQ(core::FormatDateTimeString(core::Alarms[0].FIRE), "2026-03-02 07:15:00");
    EXPECT_TRUE(frmSetiRAM().RowSelected(1));
}

TEST_F(AlarmWizard, TheSettingsWindowsOkAsksWhileAStepIsShown) {
    Start();
    New();
    d->AnswerNextMessageBoxes({IDNO});
    Press(frmSeti().cmdOkN);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text,
              core::LanguageFile.ReadText("Program Settings Controls", "Alarm Warlock Close Warning"));
    EXPECT_TRUE(frmSeti().IsLoaded());
    EXPECT_TRUE(step1.IsLoaded());
}

}  // namespace
