// The tip of the day: which tip a start shows, what it stores for the next start, and the text.
#include "intro_test_support.h"
#include "tests/support/recording_message_boxes.h"

namespace introtest {
namespace {

using core::frmIntroTips;

class Tips : public IntroTest {
protected:
    // Loads the tip window as the splash does, after TipCount was stored as given ("" for none).
    std::string ShowTip(const std::string& storedCount) {
        if (!storedCount.empty()) {
            core::MainSettingsFile.SelectSection("Main Settings");
            core::MainSettingsFile.WriteString("TipCount", storedCount);
        }
        core::IntroTipsForm& tips = frmIntroTips();
        tips.Load();
        std::string caption = tips.lblTip.Caption;
        tips.Unload();
        return caption;
    }
};

TEST_F(Tips, EachStartShowsTheNextTipAndStoresItsNumber) {
    struct Case {
        const char* stored;
        int last;  // ThisSectionMaxID
        const char* shownKey;
        const char* storedAfter;
    };
    const Case cases[] = {
        {"0", 20, "001T", "1"},     {"20", 20, "000T", "0"},  {"19", 20, "020T", "20"},
        {"", 20, "001T", "1"},      // no count yet
        {"6", 200, "007T", "7"},    {"41", 200, "042T", "42"}, {"122", 200, "123T", "123"},
        {"35", 20, "000T", "0"},    // the help file has fewer tips than before
        {"-4", 20, "000T", "0"},    // a count below 0 starts again
        {"0", 0, "000T", "0"},      // a single tip
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " of " + std::to_string(c.last));
        WriteHelpFile(c.last);
        core::MainSettingsFile.WriteLongIn("Main Settings", "TipCount", 0, 0, true);
        std::string stored = c.stored;
        if (stored.empty()) {
            core::MainSettingsFile.SelectSection("Main Settings");
            core::MainSettingsFile.WriteString("TipCount", "");
        }
        std::string caption = ShowTip(stored);
        EXPECT_EQ(caption, "Did you know?\r\n" + core::HelpFile.ReadText("TOTD", c.shownKey));
        EXPECT_EQ(Saved("Main Settings", "TipCount"), c.storedAfter);
        EXPECT_FALSE(core::TipsShowing);
    }
}

TEST_F(Tips, ALineBreakMarkInATipBreaksTheLine) {
    folder.Write("System/Help/000HelpEnglish.ozrini",
                 "[Header]\n\n[TOTD]\nThisSectionMaxID=1\nTip Of The Day=Tip\n001T=Press F2\\r\\nor F3.\n");
    core::HelpFile = SettingsFile{};
    ASSERT_EQ(core::HelpFile.Open(folder.Path() + "/System/Help/000HelpEnglish.ozrini"), 1);
    EXPECT_EQ(ShowTip("0"), "Tip\r\nPress F2\r\nor F3.");
}

TEST_F(Tips, CountsThatAreNotNumbersCountAsZeroAndAreLogged) {
    TurnDebugLogOn();
    EXPECT_EQ(ShowTip("seven"), "Did you know?\r\nTip 1");
    EXPECT_EQ(Saved("Main Settings", "TipCount"), "1");
    EXPECT_NE(DebugLogText().find("\"TipCount\" of \"Main Settings\" holds \"seven\""), std::string::npos);

    folder.Write("System/Help/000HelpEnglish.ozrini", "[Header]\n\n[TOTD]\nThisSectionMaxID=many\n000T=Tip 0\n");
    core::HelpFile = SettingsFile{};
    ASSERT_EQ(core::HelpFile.Open(folder.Path() + "/System/Help/000HelpEnglish.ozrini"), 1);
    EXPECT_EQ(ShowTip("3"), "\r\nTip 0");
    EXPECT_EQ(Saved("Main Settings", "TipCount"), "0");
    EXPECT_NE(DebugLogText().find("ThisSectionMaxID"), std::string::npos);
}

TEST_F(Tips, ATipCountThatCannotBeSavedStillShowsTheTipAndIsToldAndLogged) {
    TurnDebugLogOn();
    std::filesystem::create_directory(folder / "Settings.ozrini");
    auto& boxes = testsupport::UseRecordingMessageBoxes().Requests();
    EXPECT_EQ(ShowTip("4"), "Did you know?\r\nTip 5");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_NE(DebugLogText().find("[SaveProgramFile]: Cannot save the settings file"), std::string::npos);
}

}  // namespace
}  // namespace introtest
