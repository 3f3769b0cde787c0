// The wizard's rules apart from its windows: progress marks, the animation's way to a step's
// resting frame, the days of a month, the duration limit, and the final save's checks in order.
#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "alarmwizard/alarm_save.h"
#include "alarmwizard/wizard_rules.h"
#include "core/date_time.h"

using namespace alarmwizard;

namespace {

TEST(WizardProgress, AStoreRaisesToItsMarkButNeverLowersAnEditOrALaterStep) {
    EXPECT_EQ(RaisedProgress(1, kStep1.mark), 4);
    EXPECT_EQ(RaisedProgress(9, kStep1A.mark), 9) << "after step 3A, step 1A counts as reached";
    EXPECT_EQ(RaisedProgress(kProgressEditing, kStep4.mark), kProgressEditing);
}

TEST(WizardAnimation, FramesRunTowardsTheRestingFrameAndStopThere) {
    EXPECT_EQ(NextAnimationFrame(1, false, 40), 2);
    EXPECT_EQ(NextAnimationFrame(39, false, 40), 40);
    EXPECT_FALSE(NextAnimationFrame(40, false, 40));
    EXPECT_FALSE(NextAnimationFrame(80, false, 40)) << "forwards past the frame: nothing to do";
    EXPECT_EQ(NextAnimationFrame(120, true, 40), 119);
    EXPECT_FALSE(NextAnimationFrame(40, true, 40));
    EXPECT_FALSE(NextAnimationFrame(20, true, 40));
    EXPECT_FALSE(NextAnimationFrame(200, true, kLastAnimationFrame, true)) << "the last step only runs forwards";
    EXPECT_EQ(NextAnimationFrame(200, false, kLastAnimationFrame, true), 201);
}

TEST(WizardAnimation, TheDirectionFollowsTheMoveOnlyWhereTheFrameAllows) {
    EXPECT_FALSE(DirectionGoingForward(40, true, 120));
    EXPECT_TRUE(DirectionGoingForward(200, true, 120)) << "past the target the flag stays";
    EXPECT_TRUE(DirectionGoingBack(80, false, 40));
    EXPECT_FALSE(DirectionGoingBack(30, false, 40));
}

TEST(WizardCalendar, FebruaryHas29DaysOnlyInGregorianLeapYears) {
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(2, 2026), 28);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2400), 29);
    EXPECT_EQ(DaysInMonth(4, 2026), 30);
    EXPECT_EQ(DaysInMonth(12, 2026), 31);
}

TEST(WizardDuration, FiftyYearsIsTheLimitAndTotalsSplitIntoTheLargestUnits) {
    EXPECT_EQ(DurationSeconds({.years = 50}), 1'576'800'000);
    EXPECT_EQ(DurationSeconds({.years = 50, .seconds = 1}), -1);
    EXPECT_EQ(DurationSeconds({.months = 589}), -1) << "a month counts 31 days";
    EXPECT_EQ(DurationSeconds({.seconds = 1'576'800'000}), 1'576'800'000);
    const DurationParts p = SplitDuration(90'061);
    EXPECT_EQ((std::vector<std::int64_t>{p.years, p.months, p.days, p.hours, p.minutes, p.seconds}),
              (std::vector<std::int64_t>{0, 0, 1, 1, 1, 1}));
    const DurationParts y = SplitDuration(403 * 86'400);
    EXPECT_EQ((std::vector<std::int64_t>{y.years, y.months, y.days}), (std::vector<std::int64_t>{1, 1, 7}));
}

core::Alarm Named(const std::string& name, std::uint8_t state = 0) {
    core::Alarm a;
    a.NAME = name;
    a.AlarmState = state;
    return a;
}

TEST(AlarmSaveChecks, NamesClashExactlyUnlessTheOtherIsDeletedOrTheAlarmItself) {
    const std::vector<core::Alarm> list = {Named("Wake"), Named("Gone", core::kAlarmDeleted),
                                           Named("Away", core::kAlarmRemoved)};
    EXPECT_EQ(FirstSaveFault(Named("Wake"), list, 10, 0), kNameTaken);
    EXPECT_EQ(FirstSaveFault(Named("wake"), list, 10, 0), kNothingPending);
    EXPECT_EQ(FirstSaveFault(Named("Wake "), list, 10, 0), kNothingPending);
    EXPECT_EQ(FirstSaveFault(Named("Gone"), list, 10, 0), kNothingPending);
    EXPECT_EQ(FirstSaveFault(Named("Away"), list, 10, 0), kNothingPending);
    EXPECT_EQ(FirstSaveFault(Named("Wake"), list, kProgressEditing, 0), kNothingPending) << "its own old record";
    EXPECT_EQ(FirstSaveFault(Named("Wake"), list, kProgressEditing, 1), kNameTaken);
}

TEST(AlarmSaveChecks, TheChecksRunInOrderAndOnlyTheFirstFaultCounts) {
    const std::vector<core::Alarm> blankLeftByTheLoad = {Named("")};
    EXPECT_EQ(FirstSaveFault(Named(""), blankLeftByTheLoad, 10, 0), kNameEmpty) << "a nameless record is no alarm";
    const std::vector<core::Alarm> blankListed = {Named(" ")};
    EXPECT_EQ(FirstSaveFault(Named(" "), blankListed, 10, 0), kNameTaken) << "the clash check comes first";
    EXPECT_EQ(FirstSaveFault(Named("   "), {}, 10, 0), kNameEmpty);

    core::Alarm a = Named("Tick");
    a.Flags = core::kAlarmRepetitive | core::kAlarmByInterval;
    a.RepeatInterval = 29;
    EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kIntervalTooSmall);
    a.RepeatInterval = 30;
    EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kNothingPending);
    a.RepeatInterval = 0;
    for (std::int32_t flags : {0, core::kAlarmByInterval, core::kAlarmRepetitive}) {
        a.Flags = flags;
        EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kNothingPending) << "only an alarm repeating by interval needs one";
    }

    a.Flags = core::kAlarmSlide;
    a.SlideSettings.SlideInTime = a.SlideSettings.SlideOutTime = 100;
    a.SlideSettings.SlideInDirection = a.SlideSettings.SlideOutDirection = 10;
    EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kNothingPending);
    a.SlideSettings.SlideOutTime = 99;
    EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kSlideInvalid);
    a.SlideSettings.SlideOutTime = 100;
    a.SlideSettings.SlideInDirection = 0;
    EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kSlideInvalid);
    a.Flags = 0;
    EXPECT_EQ(FirstSaveFault(a, {}, 10, 0), kNothingPending) << "slide off skips the check";
}

TEST(AlarmSaveName, TheDefaultNameCarriesTheMomentAndATwoDigitSuffix) {
    EXPECT_EQ(DefaultAlarmName(core::MakeDateTime(2024, 3, 5, 7, 8, 9), 42), "Unnamed-2024-03-05 07:08:09 | 42");
    for (int i = 0; i < 200; ++i) {
        const int n = DrawNameSuffix();
        ASSERT_GE(n, 10);
        ASSERT_LE(n, 99);
    }
}

}  // namespace
