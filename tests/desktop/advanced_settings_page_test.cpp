// The advanced settings page on the headless desktop: the time boxes, the clock's fixed size and
// label offset, the splash advice, the popup help reset and the autostart entry on Apply.
#include <gtest/gtest.h>

#include <string>

#include "core/clock_label.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "settings_page_support.h"
#include "platform/forms/constants.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_av.h"
#include "tests/support/recording_popup_help.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;
using settings::frmSeti;
using settings::frmSetiAV;

namespace {

class AdvancedSettingsPage : public testing::Test {
public:
    explicit AdvancedSettingsPage(DesktopOptions options = desktop::LaterRunWith("")) : d(std::move(options)) {}

    void SetUp() override {
        ASSERT_TRUE(d.Start());
        d.Advance(1500);
        d.Key(VK_F2);
        d.Advance(50);
        ASSERT_TRUE(frmSeti().IsLoaded());
        d.Key(VK_DOWN);
        d.Key(VK_DOWN);
        d.Advance(50);
        ASSERT_EQ(core::CurrentPageName, "frmSetiAV");
    }
    void ClickOn(forms::WindowedControl& control) { desktop::ClickOn(d, control); }
    // Types into a box and leaves it, as a user would.
    void Enter(forms::TextBox& box, const std::string& text, forms::WindowedControl& next) {
        box.SetFocus();
        box.Text = text;
        next.SetFocus();
        d.Advance(30);
    }
    void Apply() { desktop::ApplySettings(d); }
    std::string Saved(const std::string& key) const { return desktop::SavedSetting(d, key); }

    Desktop d;
};

TEST_F(AdvancedSettingsPage, TimeBoxesShowOneDecimalAndClampToTenSeconds) {
    auto& page = frmSetiAV();
    EXPECT_EQ(page.txtDelayPopup.Text, "0.5");
    EXPECT_EQ(page.txtDelay.Text, "0.3");
    EXPECT_EQ(page.txtFadeOut.Text, "1.0");
    Enter(page.txtDelay, "12", page.txtFadeIn);
    EXPECT_EQ(page.txtDelay.Text, "10.0");
    EXPECT_EQ(core::Settings.TooltipDelay, 10000);
    ClickOn(page.cmdDelayP);
    EXPECT_EQ(page.txtDelay.Text, "10.0");
    Apply();
    EXPECT_EQ(Saved("TooltipDelay"), "10000");
    Enter(page.txtFadeIn, "0", page.txtDelay);
    ClickOn(page.cmdFadeInM);
    EXPECT_EQ(page.txtFadeIn.Text, "0.0");
    ClickOn(page.cmdFadeInP);
    ClickOn(page.cmdFadeInP);
    ClickOn(page.cmdFadeInP);
    ClickOn(page.cmdFadeInM);
    EXPECT_EQ(page.txtFadeIn.Text, "0.2");
    EXPECT_EQ(core::Settings.TooltipFadeIn, 200);
}

TEST_F(AdvancedSettingsPage, AFixedSizeStaysWithinTheScreenAndTheClockTakesItAtOnce) {
    auto& page = frmSetiAV();
    ASSERT_EQ(page.chAutoSize.Value, forms::vbChecked);
    EXPECT_FALSE(page.txtWidth.Enabled);
    ClickOn(page.chAutoSize);
    EXPECT_FALSE(core::Settings.AutoSize);
    EXPECT_TRUE(page.txtWidth.Enabled);
    EXPECT_TRUE(page.cmdHeightP.Enabled);
    Enter(page.txtWidth, "5000", page.txtHeight);
    EXPECT_EQ(page.txtWidth.Text, "1152");
    EXPECT_EQ(core::Settings.ClockWidth, 1152);
    Enter(page.txtWidth, "3", page.txtHeight);
    EXPECT_EQ(page.txtWidth.Text, "10");
    Enter(page.txtWidth, "300", page.txtHeight);
    Enter(page.txtHeight, "120", page.txtWidth);
    d.Advance(1100);
    const RECT clock = d.Rect(core::frmMain().hWnd);
    // The size is the labels' room; the border lies around it.
    EXPECT_EQ(clock.width(), 300 + 2 * core::Settings.BorderLeft);
    EXPECT_EQ(clock.height(), 120 + 2 * core::Settings.BorderTop);
}

TEST_F(AdvancedSettingsPage, TheLabelOffsetMovesEveryLabelByItsChangeOnce) {
    auto& page = frmSetiAV();
    d.Advance(1100);
    auto offsets = [] {
        std::vector<int> x;
        for (int i = 0; i < core::LabelCount; ++i) x.push_back(core::Labels[static_cast<std::size_t>(i)].X);
        return x;
    };
    const std::vector<int> before = offsets();
    ASSERT_FALSE(before.empty());
    const int firstLeft = core::frmMain().Label(0).Left;
    Enter(page.txtPosX, "25", page.txtPosY);
    d.Advance(1100);
    const std::vector<int> after = offsets();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i] - before[i], 25 * 15) << i;  // twips
    EXPECT_GT(core::frmMain().Label(0).Left, firstLeft) << "the clock shows the labels further right";
    // Leaving the box again without a change moves nothing.
    Enter(page.txtPosX, "25", page.txtPosY);
    d.Advance(1100);
    EXPECT_EQ(offsets(), after);
    EXPECT_EQ(core::Settings.PositionX, 25);
    Enter(page.txtPosX, "0", page.txtPosY);
    EXPECT_EQ(offsets(), before);
}

TEST_F(AdvancedSettingsPage, UntickingTheSplashAsksAndNoSwitchesItOff) {
    auto& page = frmSetiAV();
    // Settings say Splash=0: tick it first (ticking asks nothing).
    ClickOn(page.chSplash);
    EXPECT_TRUE(core::Settings.Splash);
    EXPECT_TRUE(d.MessageBoxes().empty());
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(page.chSplash);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 4132u);
    EXPECT_NE(d.MessageBoxes()[0].text.find("tip of the day"), std::string::npos);
    EXPECT_EQ(page.chSplash.Value, forms::vbChecked);
    EXPECT_TRUE(core::Settings.Splash);
    d.AnswerNextMessageBoxes({IDNO});
    ClickOn(page.chSplash);
    EXPECT_EQ(page.chSplash.Value, forms::vbUnchecked);
    EXPECT_FALSE(core::Settings.Splash);
    Apply();
    EXPECT_EQ(Saved("Splash"), "0");
}

TEST_F(AdvancedSettingsPage, PopupHelpAndTooltipBoxesEnableTheirRows) {
    auto& page = frmSetiAV();
    ClickOn(page.chPopupHelp);
    EXPECT_FALSE(core::Settings.PopupHelp);
    EXPECT_FALSE(page.txtDelayPopup.Enabled);
    EXPECT_FALSE(page.cmdReset.Enabled);
    ClickOn(page.chPopupHelp);
    EXPECT_TRUE(page.cmdReset.Enabled);
    ClickOn(page.chTooltip);
    EXPECT_FALSE(core::Settings.Tooltip);
    for (forms::InteractiveControl* c : std::initializer_list<forms::InteractiveControl*>{
             &page.txtDelay, &page.txtFadeIn, &page.txtFadeOut, &page.lblSeconds, &page.lblOpacity, &page.scrOpacity})
        EXPECT_FALSE(c->Enabled) << c->Name();
}

TEST_F(AdvancedSettingsPage, ResetWithYesBringsEveryDismissedHelpBackAndNoLeavesIt) {
    auto& page = frmSetiAV();
    // Two entries dismissed, in two sections.
    const std::string path = "System/Help/000HelpEnglish.ozrini";
    std::string help = d.ReadFile(path);
    for (const char* key : {"S0305optNormal=", "S0305optNormalT=", "S0213txtWidth=", "S0213txtWidthT="}) {
        const std::size_t at = help.find(std::string("\n") + key);
        ASSERT_NE(at, std::string::npos) << key;
        help[at + 1] = 'H';
    }
    d.WriteFile(path, help);
    ASSERT_EQ(core::HelpFile.Open(d.PathOf(path).string()), 1);
    core::HelpFile.SelectSection(settings::kAdvancedSettingsHelpSection);

    d.AnswerNextMessageBoxes({IDNO});
    ClickOn(page.cmdReset);
    EXPECT_EQ(d.ReadFile(path), help);
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(page.cmdReset);
    const std::string reset = d.ReadFile(path);
    EXPECT_EQ(reset.find("\nH0"), std::string::npos);
    EXPECT_NE(reset.find("\nS0305optNormalT="), std::string::npos);
    EXPECT_NE(reset.find("\nS0213txtWidth="), std::string::npos);
    EXPECT_EQ(core::HelpFile.GetCurrentSection(), settings::kAdvancedSettingsHelpSection);
}

TEST_F(AdvancedSettingsPage, UntickingStartWithTheSessionRemovesTheEntryOnApply) {
    auto& page = frmSetiAV();
    ASSERT_EQ(page.chStartupRun.Value, forms::vbChecked);
    ClickOn(page.chStartupRun);
    EXPECT_FALSE(core::Settings.AutoStart);
    EXPECT_TRUE(d.Autostart().requests.empty()) << "nothing is written before Apply";
    Apply();
    ASSERT_FALSE(d.Autostart().requests.empty());
    EXPECT_EQ(d.Autostart().requests.back(), "disable");
    EXPECT_FALSE(d.Autostart().enabled);
    EXPECT_EQ(Saved("AutoStart"), "0");
}

TEST_F(AdvancedSettingsPage, EveryControlRaisesItsOwnPopupHelpAndABoxsButtonsShareItsEntry) {
    auto& page = frmSetiAV();
    auto& help = testsupport::UseRecordingPopupHelp();
    struct Pointed {
        forms::WindowedControl& control;
        int id;
    };
    const Pointed pointed[] = {
        {page.chStartupRun, 201}, {page.chPopupHelp, 202}, {page.cmdReset, 203},   {page.txtDelayPopup, 204},
        {page.cmdDelayPopupM, 204}, {page.cmdDelayPopupP, 204}, {page.chSplash, 205}, {page.chTop, 206},
        {page.chTooltip, 207},    {page.txtDelay, 208},    {page.cmdFadeInP, 209}, {page.txtFadeOut, 210},
        {page.chAutoSize, 212},   {page.cmdWidthM, 213},   {page.txtHeight, 214},  {page.chCenter, 215},
        {page.txtPosX, 216},      {page.cmdPosYP, 217},    {page.txtLeft, 218},    {page.cmdTopM, 219},
    };
    for (const Pointed& p : pointed) {
        p.control.MouseMove(0, 0, 1, 1);
        ASSERT_FALSE(help.shown.empty()) << p.control.Name();
        EXPECT_EQ(help.shown.back().helpId, p.id) << p.control.Name();
        EXPECT_NE(help.shown.back().title, "");
    }
    page.scrOpacity.GotFocus();
    EXPECT_EQ(help.shown.back().helpId, 211);
    EXPECT_TRUE(help.shown.back().inflate);
}

class AdvancedSettingsWithFakeLibrary : public AdvancedSettingsPage {
public:
    AdvancedSettingsWithFakeLibrary() : AdvancedSettingsPage(desktop::LaterRunWith("TooltipMaxOpacity=5\n", true)) {}
};

TEST_F(AdvancedSettingsWithFakeLibrary, TooltipChangesReachTheLibraryAndAnOpacityBelowTheSliderWaits) {
    auto& page = frmSetiAV();
    desktop::FakeLibrary lib;
    EXPECT_EQ(page.scrOpacity.Value, 15);
    EXPECT_EQ(core::Settings.TooltipMaxOpacity, 5) << "written only when the slider moves";
    lib.Clear();
    ClickOn(page.chTooltip);
    EXPECT_EQ(lib.Calls(), std::vector<std::string>{"OZRSetClockTooltip"});
    ClickOn(page.chTooltip);
    page.scrOpacity.Value = 100;
    EXPECT_EQ(core::Settings.TooltipMaxOpacity, 100);
    EXPECT_EQ(lib.Calls().size(), 3u);
}

}  // namespace
