#include "core/help_dismissal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/help_sections.h"
#include "tests/core/help_test_support.h"

using namespace core;

namespace {

constexpr const char* kStep1 = "Popup Help System - Alarm Settings - Alarm Warlock Step 1";
constexpr const char* kStep1A = "Popup Help System - Alarm Settings - Alarm Warlock Step 1A";

// A help file on disk: header, tips, then help sections.
constexpr const char* kHelpText =
    "[Help Header]\n"
    "S0701header=not help\n"
    "\n"
    "[TOTD]\n"
    "ThisSectionMaxID=1\n"
    "S0701tip=not help either\n"
    "\n"
    "[Popup Help System - Program Settings - Advanced Settings]\n"
    "ThisSectionMaxID=300\n"
    "S0701lookalike=below the id: never searched\n"
    "S0701lookalikeT=text\n"
    "\n"
    "[Popup Help System - Alarm Settings - Alarm Warlock Step 1]\n"
    "ThisSectionMaxID=800\n"
    "S0701chRepetitive=Repetitive alarm\n"
    "S0701chRepetitiveT=It repeats\n"
    "S0702chTime=Time\n"
    "S0702chTimeT=At a time\n"
    "\n"
    "[Popup Help System - Alarm Settings - Alarm Warlock Step 1A]\n"
    "ThisSectionMaxID=900\n"
    "S0809cmdClear=Clear\n"
    "S0809cmdClearT=Boxes to 0\n"
    "S0809optDaily=Every day\n"
    "S0809optDailyT=Each day\n";

class HelpDismissalTest : public HelpFilesTest {
protected:
    void SetUp() override {
        HelpFilesTest::SetUp();
        WriteAllFiles();
        WriteClockFile(kHelpFilePath, kHelpText);
        ASSERT_TRUE(LoadLanguageAndHelp());
    }
    std::string OnDisk() const { return folder.Read("System/Help/000HelpEnglish.ozrini"); }
    bool Shows(const char* section, const char* helpKey) {
        HelpFile.SelectSection(section);
        shown.clear();
        ShowHelp(platform::HWND{7}, helpKey, false);
        return !shown.empty();
    }
    std::vector<std::string> KeysOf(const char* section) const {
        std::vector<std::string> keys, values;
        HelpFile.ReadSection(section, keys, values);
        return keys;
    }
};

TEST_F(HelpDismissalTest, TheEntryIsRenamedInTheFirstSectionThatMayHoldItAndSavedOnce) {
    HelpFile.SelectSection("somewhere else");
    EXPECT_TRUE(HideHelpEntry(701));
    EXPECT_EQ(KeysOf(kStep1), (std::vector<std::string>{"ThisSectionMaxID", "H0701chRepetitive", "H0701chRepetitiveT",
                                                        "S0702chTime", "S0702chTimeT"}));
    EXPECT_EQ(HelpFile.GetCurrentSection(), "somewhere else");
    EXPECT_EQ(KeysOf("Popup Help System - Program Settings - Advanced Settings")[1], "S0701lookalike");
    EXPECT_EQ(HelpFile.ReadText("Help Header", "S0701header"), "not help");
    EXPECT_EQ(HelpFile.ReadText("TOTD", "S0701tip"), "not help either");
    EXPECT_NE(OnDisk().find("H0701chRepetitiveT=It repeats\n"), std::string::npos) << "saved at once";
    EXPECT_FALSE(Shows(kStep1, "0701chRepetitive"));
    EXPECT_TRUE(Shows(kStep1, "0702chTime"));
}

TEST_F(HelpDismissalTest, AnIdThatNoLiveEntryHasChangesAndSavesNothing) {
    folder.Write("System/Help/000HelpEnglish.ozrini", "replaced on disk after loading");
    EXPECT_FALSE(HideHelpEntry(7777));
    EXPECT_FALSE(HideHelpEntry(850)) << "only the Step 1A section may hold 850, and it does not";
    EXPECT_EQ(OnDisk(), "replaced on disk after loading");
}

TEST_F(HelpDismissalTest, OfTwoEntriesWithOneIdTheOneTheUserSawIsHidden) {
    ASSERT_TRUE(Shows(kStep1A, "0809optDaily"));
    EXPECT_TRUE(HideHelpEntry(809));
    EXPECT_FALSE(Shows(kStep1A, "0809optDaily"));
    EXPECT_TRUE(Shows(kStep1A, "0809cmdClear"));
}

TEST_F(HelpDismissalTest, WithoutAShownEntryEachDismissalHidesTheNextLiveEntryWithTheId) {
    EXPECT_TRUE(HideHelpEntry(809));
    EXPECT_EQ(KeysOf(kStep1A)[1], "H0809cmdClear");
    EXPECT_EQ(KeysOf(kStep1A)[3], "S0809optDaily");
    EXPECT_TRUE(HideHelpEntry(809)) << "the hidden entry does not stop the search";
    EXPECT_EQ(KeysOf(kStep1A)[3], "H0809optDaily");
    EXPECT_FALSE(HideHelpEntry(809));
}

TEST_F(HelpDismissalTest, ASectionWithoutABoundGetsZeroAndOneWithABadBoundIsSkipped) {
    HelpFile.AddSection("No Bound");
    HelpFile.AddString("S0950x", "title");
    HelpFile.AddString("S0950xT", "text");
    HelpFile.AddSection("Bad Bound");
    HelpFile.AddString("ThisSectionMaxID", "lots");
    HelpFile.AddString("S0950y", "title");
    HelpFile.AddString("S0950yT", "text");
    EXPECT_FALSE(HideHelpEntry(950));
    EXPECT_EQ(HelpFile.ReadText("No Bound", "ThisSectionMaxID"), "0");
    EXPECT_EQ(KeysOf("Bad Bound")[1], "S0950y");
}

TEST_F(HelpDismissalTest, ResetBringsEveryDismissedEntryBackAndKeepsTheCurrentSection) {
    ASSERT_TRUE(HideHelpEntry(701));
    ASSERT_TRUE(HideHelpEntry(809));
    HelpFile.SelectSection(kStep1A);
    ResetPopupHelp();
    EXPECT_EQ(HelpFile.GetCurrentSection(), kStep1A);
    EXPECT_EQ(OnDisk(), kHelpText) << "the file is back as it was shipped";
    EXPECT_TRUE(Shows(kStep1, "0701chRepetitive"));
}

TEST_F(HelpDismissalTest, ResetLeavesTheHeaderAndTheTipsAlone) {
    HelpFile.AddSection("TOTD");
    HelpFile.AddString("Hint", "a tip key that happens to begin with H");
    ResetPopupHelp();
    EXPECT_EQ(HelpFile.ReadText("TOTD", "Hint"), "a tip key that happens to begin with H");
}

}  // namespace

namespace {

TEST_F(HelpFilesTest, TheShippedHelpFileComesBackUnchangedAfterDismissalsAndAReset) {
    std::ifstream in(std::string(OZR_SOURCE_DIR) + "/data/System/Help/000HelpEnglish.ozrini", std::ios::binary);
    std::stringstream shipped;
    shipped << in.rdbuf();
    WriteAllFiles();
    WriteClockFile(kHelpFilePath, shipped.str());
    ASSERT_TRUE(LoadLanguageAndHelp());
    for (int id : {204, 701, 809, 809}) EXPECT_TRUE(HideHelpEntry(id)) << id;
    const std::string dismissed = folder.Read("System/Help/000HelpEnglish.ozrini");
    for (const char* key : {"H0204txtDelayPopupT=", "H0701chRepetitiveT=", "H0809cmdClearT=", "H0809optDailyT="})
        EXPECT_NE(dismissed.find(key), std::string::npos) << key;
    ResetPopupHelp();
    EXPECT_EQ(folder.Read("System/Help/000HelpEnglish.ozrini"), shipped.str());
}

}  // namespace
