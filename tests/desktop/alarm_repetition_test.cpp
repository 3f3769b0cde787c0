// The wizard's repetition step on the headless desktop with a virtual clock (Sunday 2026-03-01
// 12:00:00): reached through the schedule step's Customize link, its interval and days of the
// week, its checks, the retroactive question, and a daily alarm saved and fired.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "alarm_file_writer.h"
#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae1a.h"
#include "core/date_routines.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "settings/frm_seti.h"
#include "wizard_desktop.h"

using namespace platform;
using alarmmanager::frmSetiRAM;
using alarmwizard::frmSetiRAE1;
using alarmwizard::frmSetiRAE1A;
using desktop::Desktop;
using settings::frmSeti;

namespace {

constexpr const char* kSection = "Alarm Settings Controls - SUB WINDOW WARLOCK STEP 1A";

class RepetitionStep : public desktop::WizardDesktop {
protected:
    void SetUp() override {
        Start({});
        New();
    }
    // Repetitive, then its Customize link.
    void Customize() {
        Press(step1.chRepetitive);
        ClickCustomize();
    }
    void ClickCustomize() {
        ASSERT_TRUE(step1.lblCustomize.Visible);
        const RECT frame = d->Rect(step1.frmWarlock.hWnd);
        d->Click(POINT{frame.left + (step1.lblCustomize.Left + 300) / 15, frame.top + (step1.lblCustomize.Top + 120) / 15});
        d->Advance(20);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1A");
    }
    std::string Text(const char* key) { return core::LanguageFile.ReadText(kSection, key); }
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : d->MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    alarmwizard::frmSetiRAE1Form& step1 = frmSetiRAE1();
    alarmwizard::frmSetiRAE1AForm& step = frmSetiRAE1A();
};

TEST_F(RepetitionStep, ANewAlarmStartsByIntervalAndTheDailyChoiceTicksEveryDay) {
    EXPECT_EQ(core::AlarmUnderEdit.Flags & core::kAlarmByInterval, 0);
    Press(step1.chRepetitive);
    EXPECT_NE(core::AlarmUnderEdit.Flags & core::kAlarmByInterval, 0) << "Repetitive alone makes an interval alarm";
    Press(step1.chRepetitive);
    EXPECT_NE(core::AlarmUnderEdit.Flags & core::kAlarmByInterval, 0) << "unticking keeps the kind";
    Customize();
    EXPECT_TRUE(step.optIntervalAlarm.Value);
    EXPECT_TRUE(step.txtSecs.Enabled);
    EXPECT_FALSE(step.optDaily.Enabled);
    EXPECT_FALSE(step.optDaily.Value);
    EXPECT_EQ(step.txtSecs.Text(), "0");
    Press(step.optDailyAlarm);
    EXPECT_TRUE(step.optDaily.Value);
    EXPECT_FALSE(step.txtSecs.Enabled);
    for (auto* day : {&step.chMonday, &step.chSunday}) {
        EXPECT_EQ(day->Value, forms::vbChecked);
        EXPECT_FALSE(day->Enabled);
    }
    Press(step.optCustom);
    EXPECT_EQ(step.chMonday.Value, forms::vbUnchecked) << "no custom day chosen yet";
    EXPECT_TRUE(step.chMonday.Enabled);
}

TEST_F(RepetitionStep, AnIntervalOf29SecondsIsRefusedAnd30Accepted) {
    Customize();
    TypeInto(step.txtSecs, "29");
    Press(step.cmdOk);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Text("Error Interval Too Small")});
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1A");
    EXPECT_EQ(core::AlarmEditProgress, 4);
    TypeInto(step.txtSecs, "30");
    d->Key(VK_RETURN, '\r');  // Ok, while the box keeps the focus
    d->Advance(20);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(core::AlarmUnderEdit.RepeatInterval, 30);
    EXPECT_EQ(core::AlarmEditProgress, 5);
}

TEST_F(RepetitionStep, MoreThanAWeekAsksRetroactiveOnceOnANewAlarm) {
    Customize();
    TypeInto(step.txtDays, "7");
    d->Key(VK_RETURN, '\r');
    d->Advance(20);
    EXPECT_TRUE(Boxes().empty()) << "exactly a week asks nothing";
    EXPECT_EQ(core::AlarmUnderEdit.RepeatInterval, 604'800);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(core::AlarmEditProgress, 5);

    // A second visit has stored the step: it asks no more.
    ClickCustomize();
    EXPECT_EQ(step.txtDays.Text(), "7");
    TypeInto(step.txtSecs, "1");
    d->Key(VK_RETURN, '\r');
    d->Advance(20);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(core::AlarmUnderEdit.RepeatInterval, 604'801);
}

TEST_F(RepetitionStep, TheFirstStoreOfMoreThanAWeekAsksAndYesMakesTheAlarmRetroactive) {
    Customize();
    TypeInto(step.txtSecs, "604801");
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdOk);
    ASSERT_EQ(Boxes(), std::vector<std::string>{Text("Warning Retroactive")});
    EXPECT_EQ(d->MessageBoxes()[0].type, 4132u);
    EXPECT_NE(core::AlarmUnderEdit.Flags & core::kAlarmRetroactive, 0);
    EXPECT_EQ(core::AlarmUnderEdit.RepeatInterval, 604'801);
}

TEST_F(RepetitionStep, ChosenDaysMondayAndFridayStore145AndTheAlarmFiresOnMonday) {
    TypeInto(step1.txtHour, "7");
    TypeInto(step1.txtMin, "30");
    TypeInto(step1.txtSec, "0");
    Customize();
    Press(step.optDailyAlarm);
    Press(step.optCustom);
    Press(step.cmdOk);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Text("Error No Days")});
    Press(step.chMonday);
    Press(step.chFriday);
    Press(step.optWeekends);
    Press(step.optCustom);
    EXPECT_EQ(step.chMonday.Value, forms::vbChecked) << "the chosen days come back";
    EXPECT_EQ(step.chSaturday.Value, forms::vbUnchecked);
    Press(step.cmdOk);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(core::AlarmUnderEdit.RepeatDaily, 145);
    EXPECT_EQ(core::AlarmUnderEdit.Flags & core::kAlarmByInterval, 0);
    // Back on step 1: a daily alarm has a time of day only.
    EXPECT_EQ(step1.chRepetitive.Value, forms::vbChecked);
    EXPECT_TRUE(step1.txtHour.Enabled);
    EXPECT_FALSE(step1.txtDay.Enabled);
    EXPECT_FALSE(step1.chCountdown.Enabled);
    EXPECT_EQ(step1.chTime.Caption(), core::LanguageFile.ReadText("Alarm Settings Controls - SUB WINDOW WARLOCK STEP 1",
                                                                  "CheckTimeWhenRepetitiveDaily"));
    Press(step1.cmdSave);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    ASSERT_EQ(core::Alarms.size(), 2u);  // the blank record and the new alarm
    EXPECT_EQ(core::FormatDateTimeString(core::Alarms[1].FIRE), "2026-03-02 07:30:00");
    Press(frmSeti().cmdOkN);

    desktop::FakeLibrary lib;
    lib.Clear();
    d->Advance(((19 * 60 + 30) * 60 + 1) * 1000LL);
    int fired = 0;
    for (const std::string& call : lib.Calls()) fired += call.rfind("OZRFireAlarm", 0) == 0;
    EXPECT_EQ(fired, 1);
}

TEST_F(RepetitionStep, CancelStoresNothingAndEscapePressesIt) {
    Customize();
    TypeInto(step.txtSecs, "45");
    d->Key(VK_ESCAPE);
    d->Advance(20);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(core::AlarmUnderEdit.RepeatInterval, 0);
    EXPECT_EQ(core::AlarmEditProgress, 4);
}

TEST_F(RepetitionStep, StoredDaysOpenAsTheirChoiceWithTheStoredDaysTicked) {
    struct Case {
        std::uint8_t days;
        forms::OptionButton alarmwizard::frmSetiRAE1AForm::*option;
        const char* ticked;  // Monday to Sunday
    };
    const Case cases[] = {
        {128, &alarmwizard::frmSetiRAE1AForm::optDaily, "1111111"},
        {31, &alarmwizard::frmSetiRAE1AForm::optBusiness, "1111100"},
        {96, &alarmwizard::frmSetiRAE1AForm::optWeekends, "0000011"},
        {145, &alarmwizard::frmSetiRAE1AForm::optCustom, "1000100"},
        {5, &alarmwizard::frmSetiRAE1AForm::optBusiness, "1010000"},
        {65, &alarmwizard::frmSetiRAE1AForm::optWeekends, "1000001"},
    };
    for (const Case& c : cases) {
        // A stored daily alarm: step 1 shows it, and its link opens the repetition step filled.
        core::AlarmUnderEdit.Flags = core::kAlarmRepetitive;
        core::AlarmUnderEdit.RepeatDaily = c.days;
        core::AlarmUnderEdit.RepeatInterval = 90'061;
        core::AlarmEditProgress = 5;
        frmSeti().ShowSubWindow(&step1, true);
        d->Advance(20);
        ClickCustomize();
        EXPECT_TRUE((step.*c.option).Value) << int{c.days};
        EXPECT_TRUE(step.optDailyAlarm.Value);
        std::string shown;
        for (auto* day : {&step.chMonday, &step.chTuesday, &step.chWednesday, &step.chThursday, &step.chFriday,
                          &step.chSaturday, &step.chSunday})
            shown += day->Value == forms::vbChecked ? '1' : '0';
        EXPECT_EQ(shown, c.ticked) << int{c.days};
        EXPECT_EQ(step.txtDays.Text() + step.txtHours.Text() + step.txtMins.Text() + step.txtSecs.Text(), "1111");
        d->Key(VK_ESCAPE);
        d->Advance(20);
    }
}

}  // namespace
