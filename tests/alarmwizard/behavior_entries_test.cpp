// The behaviours step's rules apart from its window: the entries' format and numbers, the list
// lines, the check-box rules, and the shipped kinds in every language file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarmwizard/behavior_entries.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/property_strings.h"
#include "platform/services/settings_file.h"

using namespace alarmwizard;
using core::SpecialBehavior;

namespace {

const std::vector<std::string> kKinds{"Open a file", "Close windows", "Shut down"};

TEST(BehaviorEntries, AValueIsTheSevenFieldsJoinedByCommaAndBlank) {
    EXPECT_EQ(BehaviorValue({kOpenFileKind, true, {false, false, true, false}, 0}), "0, 1, 0, 0, 1, 0, 0");
    EXPECT_EQ(BehaviorValue({kShutDownKind, false, {true, false, false, false}, 2}), "2, 0, 1, 0, 0, 0, 2");
    EXPECT_EQ(BehaviorValue({-1, false, {}, 0}), "-1, 0, 0, 0, 0, 0, 0") << "no kinds at all";

    // What is written reads back as it was meant.
    std::string instruction, extra;
    core::AddProperty(instruction, "0", BehaviorValue({kOpenFileKind, true, {true, true, true, true}, 1}));
    core::AddProperty(extra, "0", "/home/ana/notes.txt");
    SpecialBehavior read;
    ASSERT_TRUE(core::ParseBehavior(read, instruction, extra, 0));
    EXPECT_EQ(read, (SpecialBehavior{0, "/home/ana/notes.txt", -1, -1, -1, -1, 1}));
}

TEST(BehaviorEntries, NumbersFollowTheLastEntryAndReuseOnlyAFreedLastNumber) {
    EXPECT_EQ(NextBehaviorNumber(""), 0);
    EXPECT_EQ(NextBehaviorNumber("|0: 0, 1, 0, 0, 0, 0, 0 "), 1);
    const std::string three = "|0: 1, 1, 0, 0, 0, 0, 0 |1: 1, 1, 0, 0, 0, 0, 0 |2: 1, 1, 0, 0, 0, 0, 0 ";
    std::string withoutMiddle = three;
    core::RemoveProperty(withoutMiddle, "1");
    EXPECT_EQ(withoutMiddle, "|0: 1, 1, 0, 0, 0, 0, 0 |2: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(NextBehaviorNumber(withoutMiddle), 3);
    std::string withoutLast = three;
    core::RemoveProperty(withoutLast, "2");
    EXPECT_EQ(NextBehaviorNumber(withoutLast), 2);
    // The order of the entries counts, not the size of the numbers.
    EXPECT_EQ(NextBehaviorNumber("|7: 0, 0, 0, 0, 0, 0, 0 |3: 0, 0, 0, 0, 0, 0, 0 "), 4);
    EXPECT_EQ(NextBehaviorNumber("|40000: 0, 0, 0, 0, 0, 0, 0 "), 40001) << "no 16-bit bound";
}

TEST(BehaviorEntries, ANumberThatCannotFollowTheLastIsTheLowestFreeOne) {
    // Damaged or hand-made files: a new behaviour never lands on a number that is taken.
    EXPECT_EQ(NextBehaviorNumber("|0: 0, 0, 0, 0, 0, 0, 0 |x: 0, 0, 0, 0, 0, 0, 0 "), 1);
    EXPECT_EQ(NextBehaviorNumber("|1: 0, 0, 0, 0, 0, 0, 0 |0: 0, 0, 0, 0, 0, 0, 0 "), 2);
    EXPECT_EQ(NextBehaviorNumber("|0: 0, 0, 0, 0, 0, 0, 0 |2147483647: 0, 0, 0, 0, 0, 0, 0 "), 1);
    EXPECT_EQ(NextBehaviorNumber("|-1: 0, 0, 0, 0, 0, 0, 0 "), 0);
}

TEST(BehaviorEntries, TheListHoldsEachNumberOnceInTheOrderOfTheEntries) {
    EXPECT_EQ(BehaviorNumbers(""), std::vector<std::int32_t>{});
    EXPECT_EQ(BehaviorNumbers("|3: a |0: b |12: c "), (std::vector<std::int32_t>{3, 0, 12}));
    // Keys no behaviour is written under are left out, and a repeated one counts once.
    EXPECT_EQ(BehaviorNumbers("|1: a |01: b |+2: c |x: d |1: e |-4: f |5: g "), (std::vector<std::int32_t>{1, 5}));
}

TEST(BehaviorEntries, ListLinesNameTheKindAndWhatTellsTheBehaviourApart) {
    EXPECT_EQ(DescribeBehavior({0, "C:\\Tools\\notes.txt"}, kKinds), "Open a file: notes.txt");
    EXPECT_EQ(DescribeBehavior({0, "/home/ana/Music/wake up.mp3"}, kKinds), "Open a file: wake up.mp3");
    EXPECT_EQ(DescribeBehavior({0, "notes.txt"}, kKinds), "Open a file: notes.txt");
    EXPECT_EQ(DescribeBehavior({1, "OZR target"}, kKinds), "Close windows: OZR target");
    EXPECT_EQ(DescribeBehavior({2, "N/A", -1, 0, 0, 0, 2}, kKinds), "Shut down: Force, Log off");
    EXPECT_EQ(DescribeBehavior({2, "N/A", 0, -1, 0, 0, 2}, kKinds), "Shut down: Force, Restart");
    EXPECT_EQ(DescribeBehavior({2, "N/A", 0, 0, 0, 0, 1}, kKinds), "Shut down: Standard");
    EXPECT_EQ(DescribeBehavior({2, "N/A", -1, -1, 0, 0, 0}, kKinds), "Shut down: , Log off, Restart");
    // Kind 3 shows its text; kinds the list does not hold give an empty line.
    EXPECT_EQ(DescribeBehavior({3, "note"}, {"a", "b", "c", "Note"}), "Note: note");
    EXPECT_EQ(DescribeBehavior({3, "note"}, kKinds), "");
    EXPECT_EQ(DescribeBehavior({4, "x"}, {"a", "b", "c", "d", "e"}), "");
    EXPECT_EQ(DescribeBehavior({-1, ""}, kKinds), "");
    EXPECT_EQ(DescribeBehavior({0, ""}, {}), "");
}

TEST(BehaviorEntries, OnlyATextWithoutTheSeparatorCanBeStored) {
    EXPECT_TRUE(StorableBehaviorText(""));
    EXPECT_TRUE(StorableBehaviorText("C:\\a b\\c: d, e.txt"));
    EXPECT_FALSE(StorableBehaviorText("left|right"));
    EXPECT_FALSE(StorableBehaviorText("|"));
}

TEST(BehaviorEntries, CheckBoxRulesOfOpeningAFileAndOfShuttingDown) {
    auto clears = [](std::int16_t kind, int box) { return CheckBoxRuleOf(kind, box).clears; };
    // Opening: maximized (4) excludes without-activating (1) and minimized (3); hidden (2) locks.
    EXPECT_EQ(clears(kOpenFileKind, 1), 0b1000);
    EXPECT_EQ(clears(kOpenFileKind, 3), 0b1000);
    EXPECT_EQ(clears(kOpenFileKind, 4), 0b0101);
    EXPECT_EQ(clears(kOpenFileKind, 2), 0);
    EXPECT_TRUE(CheckBoxRuleOf(kOpenFileKind, 2).disablesOthers);
    // Shutting down: log off and restart exclude each other.
    EXPECT_EQ(clears(kShutDownKind, 1), 0b0010);
    EXPECT_EQ(clears(kShutDownKind, 2), 0b0001);
    // Closing windows and any other kind: independent boxes.
    for (std::int16_t kind : {std::int16_t{kCloseWindowsKind}, std::int16_t{3}, std::int16_t{-1}})
        for (int box = 1; box <= 4; ++box) {
            EXPECT_EQ(clears(kind, box), 0) << kind << " " << box;
            EXPECT_FALSE(CheckBoxRuleOf(kind, box).disablesOthers);
        }
    for (int box : {1, 3, 4}) EXPECT_FALSE(CheckBoxRuleOf(kOpenFileKind, box).disablesOthers);
}

// Every language offers the three kinds the library acts on and no other, each with all nine of
// its parameter keys: "NULL" exactly where the library reads nothing.
TEST(ShippedBehaviorKinds, AreTheThreeTheLibraryRunsWithTheirParametersInEveryLanguage) {
    const char* parameters[] = {"Textbox Title", "Textbox Default", "Command Caption", "CH1", "CH2",
                                "CH3",           "CH4",             "OPT1",            "OPT2"};
    const std::vector<std::vector<bool>> used{
        {true, true, true, true, true, true, true, false, false},     // open a file
        {true, true, false, true, true, false, false, false, false},  // close windows
        {false, false, false, true, true, false, false, true, true},  // shut down
    };
    for (const core::LanguageChoice& choice : core::kLanguageFiles) {
        SCOPED_TRACE(choice.path);
        std::string path = std::string(OZR_SOURCE_DIR) + "/data" + choice.path;
        for (char& c : path)
            if (c == '\\') c = '/';
        platform::SettingsFile file;
        ASSERT_EQ(file.Open(path), 1);
        file.SelectSection(core::kWizardStep3ASection);
        for (int kind = 1; kind <= 3; ++kind) {
            ASSERT_EQ(file.KeyExists("B" + std::to_string(kind)), 1) << kind;
            for (int p = 0; p < 9; ++p) {
                const std::string key = "B" + std::to_string(kind) + " " + parameters[p];
                ASSERT_EQ(file.KeyExists(key), 1) << key;
                const bool isNull = file.FoundValue() == "NULL";
                EXPECT_EQ(!isNull, used[kind - 1][p]) << key;
                if (!isNull && p != 1) {
                    EXPECT_NE(file.FoundValue(), "") << key;
                }
            }
        }
        EXPECT_EQ(file.KeyExists("B4"), 0);
        EXPECT_EQ(file.ReadText(core::kWizardStep3ASection, "B1 Textbox Default"), "");
        EXPECT_EQ(file.ReadText(core::kWizardStep3ASection, "B2 Textbox Default"), "");
    }
}

}  // namespace
