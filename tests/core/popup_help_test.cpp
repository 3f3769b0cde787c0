#include "core/popup_help.h"

#include <gtest/gtest.h>

#include "core/help_sections.h"
#include "tests/core/help_test_support.h"

using namespace core;

namespace {

constexpr const char* kAdvanced = "Popup Help System - Program Settings - Advanced Settings";

class PopupHelpTest : public HelpFilesTest {
protected:
    void SetUp() override {
        HelpFilesTest::SetUp();
        HelpFile.NewFile();
        HelpFile.AddSection("Header");
        HelpFile.AddSection("TOTD");
        HelpFile.AddSection(kAdvanced);
        HelpFile.AddLong("ThisSectionMaxID", 300);
        HelpFile.AddString("S0204txtDelayPopup", "Popup help delay");
        HelpFile.AddString("S0204txtDelayPopupT", "First line\\r\\nsecond line");
        HelpFile.AddString("H0205chSplash", "Splash");
        HelpFile.AddString("H0205chSplashT", "Dismissed text");
        HelpFile.AddString("S0206chTop", "Only a title");
        HelpFile.AddString("S0207chTooltipT", "Only a text");
        HelpFile.SelectSection(kAdvanced);
    }
    const platform::HWND control{42};
};

TEST_F(PopupHelpTest, ALiveEntryReachesTheLibraryWithItsIdDelayAndLineBreaks) {
    Settings.PopupHelpDelay = 1200;
    ShowHelp(control, "0204txtDelayPopup", false);
    ShowHelp(control, "0204txtDelayPopup", true);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (PopupHelpRequest{control, "Popup help delay", "First line\r\nsecond line", 1200, 204, false}));
    EXPECT_TRUE(shown[1].inflate);
    ASSERT_TRUE(LastShownHelpEntry());
    EXPECT_EQ(LastShownHelpEntry()->section, kAdvanced);
    EXPECT_EQ(LastShownHelpEntry()->helpKey, "0204txtDelayPopup");
}

TEST_F(PopupHelpTest, NothingIsShownWithoutBothLiveKeysInTheCurrentSection) {
    const struct {
        const char* what;
        const char* helpKey;
    } cases[] = {
        {"dismissed entry (H keys)", "0205chSplash"},
        {"text key missing", "0206chTop"},
        {"title key missing", "0207chTooltip"},
        {"no entry at all", "0299nothing"},
    };
    for (const auto& c : cases) {
        ShowHelp(control, c.helpKey, false);
        EXPECT_TRUE(shown.empty()) << c.what;
    }
    HelpFile.SelectSection("Popup Help System - Program Settings - Aspect");
    ShowHelp(control, "0204txtDelayPopup", false);
    EXPECT_TRUE(shown.empty()) << "the entry is in another section than the current one";
    EXPECT_FALSE(LastShownHelpEntry());
}

TEST_F(PopupHelpTest, SwitchedOffHelpShowsNothing) {
    Settings.PopupHelp = false;
    ShowHelp(control, "0204txtDelayPopup", false);
    EXPECT_TRUE(shown.empty());
}

TEST_F(PopupHelpTest, WithoutTheLibraryHookAnEntryIsFoundButNotRemembered) {
    testsupport::UseRecordingPopupHelp().takes = false;
    ShowHelp(control, "0204txtDelayPopup", false);
    EXPECT_FALSE(LastShownHelpEntry());
    EXPECT_TRUE(FindHelpEntry(control, "0204txtDelayPopup", false));
}

TEST(HelpIds, AreTheNumberOfTheKeysFirstFourCharacters) {
    const struct {
        const char* helpKey;
        std::int16_t id;
    } cases[] = {
        {"0204txtDelayPopup", 204}, {"0701chRepetitive", 701}, {"0809optDaily", 809},
        {"1001txtYears", 1001},     {"0001treeO", 1},          {"12ab", 12},
        {"17", 17},                 {"", 0},                   {"x123", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HelpIdOf(c.helpKey), c.id) << c.helpKey;
}

TEST(TipKeys, AreTheNumberInThreeDigitsAndT) {
    EXPECT_EQ(TipKey(0), "000T");
    EXPECT_EQ(TipKey(7), "007T");
    EXPECT_EQ(TipKey(42), "042T");
    EXPECT_EQ(TipKey(123), "123T");
}

}  // namespace
