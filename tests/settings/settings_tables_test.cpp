// The settings windows' tables: colour schemes, title-bar zones, the window kept on the screen,
// the about window's heights, the tree's section pictures and the new-alarm values.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/language_keys.h"
#include "platform/services/settings_file.h"
#include "settings/frm_about.h"
#include "settings/page_palette.h"
#include "settings/settings_tree.h"
#include "settings/title_bar.h"

namespace {

using namespace settings;

TEST(ColourSchemes, GiveEachWindowItsColoursAndGradientAndNothingForOtherValues) {
    struct Case {
        int scheme;
        platform::COLORREF back, text, button;
        const char* gradient;
    };
    const Case cases[] = {
        {1, 0x000000, 0x00FF00, 0x00FF00, "\\GUI\\Settings\\GradientBlack.bmp"},
        {2, 0x4C3C19, 0xFFFFFF, 0xFFFFFF, "\\GUI\\Settings\\GradientBlue.bmp"},
        {3, 0xC8D0D4, 0x000000, 0xC8D0D4, "\\GUI\\Settings\\GradientGray.bmp"},
    };
    for (const Case& c : cases) {
        auto palette = SchemePalette(c.scheme);
        ASSERT_TRUE(palette) << c.scheme;
        EXPECT_EQ(palette->back, c.back);
        EXPECT_EQ(palette->text, c.text);
        EXPECT_EQ(palette->button, c.button);
        EXPECT_EQ(GradientFileForScheme(c.scheme), c.gradient);
    }
    for (int other : {0, 4, 255}) {
        EXPECT_FALSE(SchemePalette(other)) << other;
        EXPECT_EQ(GradientFileForScheme(other), "") << other;
    }
    // Black text would vanish on the dark gradients: the title is white then.
    EXPECT_EQ(TitleTextColor(0x000000), 0xFFFFFFu);
    EXPECT_EQ(TitleTextColor(0x00FF00), 0x00FF00u);
}

TEST(ColourSchemes, AnOpacityBelowTheSlidersMinimumCountsAs200) {
    EXPECT_EQ(EffectiveMenusAlpha(0), 200);
    EXPECT_EQ(EffectiveMenusAlpha(14), 200);
    EXPECT_EQ(EffectiveMenusAlpha(15), 15);
    EXPECT_EQ(EffectiveMenusAlpha(255), 255);
}

TEST(TitleBarZones, ExcludeTheirBoundsOnBothBars) {
    struct Case {
        const TitleBarLayout& bar;
        double x;
        TitleZone zone;
    };
    const Case cases[] = {
        {kSettingsTitleBar, 8400, TitleZone::None},     {kSettingsTitleBar, 8401, TitleZone::Minimize},
        {kSettingsTitleBar, 8909, TitleZone::Minimize}, {kSettingsTitleBar, 8910, TitleZone::None},
        {kSettingsTitleBar, 8911, TitleZone::Close},    {kSettingsTitleBar, 9269, TitleZone::Close},
        {kSettingsTitleBar, 9270, TitleZone::None},     {kSettingsTitleBar, 100, TitleZone::None},
        {kAboutTitleBar, 6600, TitleZone::None},        {kAboutTitleBar, 6601, TitleZone::Minimize},
        {kAboutTitleBar, 7110, TitleZone::None},        {kAboutTitleBar, 7111, TitleZone::Close},
        {kAboutTitleBar, 7470, TitleZone::None},
    };
    for (const Case& c : cases) EXPECT_EQ(ZoneAt(c.bar, c.x), c.zone) << c.x;
}

TEST(WindowPlacement, KeepsTheWholeWindowOnItsMonitorOnAllFourEdges) {
    const int w = 9300, h = 6900, sw = 1280 * 15, sh = 1024 * 15;
    const platform::RECT left{0, 0, sw, sh}, right{sw, 0, 2 * sw, sh};
    struct Case {
        platform::POINT saved, kept;
        platform::RECT monitor;
    };
    const Case cases[] = {
        {{4950, 4230}, {4950, 4230}, left},        {{sw, sh}, {sw - w, sh - h}, left},
        {{-3000, -45}, {0, 0}, left},              {{sw - w + 1, 10}, {sw - w, 10}, left},
        {{100, sh - h + 15}, {100, sh - h}, left}, {{sw + 4950, 4230}, {sw + 4950, 4230}, right},
        {{sw - 15, 10}, {sw, 10}, right},          {{2 * sw, 10}, {2 * sw - w, 10}, right},
    };
    for (const Case& c : cases) {
        const platform::POINT p = KeptOnScreen(c.saved, w, h, c.monitor);
        EXPECT_EQ(p.x, c.kept.x) << c.saved.x;
        EXPECT_EQ(p.y, c.kept.y) << c.saved.y;
    }
    // A screen smaller than the window: its top-left corner stays on the screen.
    const platform::POINT small = KeptOnScreen({500, 500}, w, h, platform::RECT{0, 0, 600 * 15, 400 * 15});
    EXPECT_EQ(small.x, 0);
    EXPECT_EQ(small.y, 0);
}

TEST(AboutWindow, Is550650Or850PixelsHighByTheScreen) {
    const std::pair<int, int> cases[] = {{600, 550}, {700, 550}, {701, 650}, {900, 650}, {901, 850}, {1440, 850}};
    for (auto [screen, pixels] : cases) EXPECT_EQ(AboutWindowHeight(screen), pixels * 15) << screen;
}

TEST(SectionPictures, AreFoundByTheSectionsKey) {
    EXPECT_EQ(SectionPictureOf("1_3"), "\\GUI\\Settings\\MainSettingsAS.bmp");
    EXPECT_EQ(SectionPictureOf("4_2"), "\\GUI\\Settings\\MainAnywhere.bmp");
    EXPECT_EQ(SectionPictureOf("r2"), "\\GUI\\Settings\\MainAlarm.bmp");
    EXPECT_EQ(SectionPictureOf("2_1"), "\\GUI\\Settings\\MainAlarmAM.bmp");
    EXPECT_EQ(SectionPictureOf("r6"), kNoSectionPicture);
    EXPECT_EQ(SectionPictureOf(""), kNoSectionPicture);
}

TEST(SectionTree, HasItsThirteenNodesInTheirFixedOrder) {
    const char* keys[] = {"root1", "1_1", "1_2", "1_3", "1_4", "1_5", "root2", "2_1", "2_2", "root4", "4_1", "4_2", "root6"};
    for (std::size_t i = 0; i < kTreeNodes.size(); ++i) EXPECT_STREQ(kTreeNodes[i].key, keys[i]);
    EXPECT_STREQ(kTreeNodes[kLanguageNodeIndex - 1].key, "1_5");
    EXPECT_STREQ(kTreeNodes[kNewAlarmNodeIndex - 1].key, "2_2");
    EXPECT_EQ(NodeIndexOfPage("frmSetiAS"), 4);
    EXPECT_EQ(NodeIndexOfPage("frmSetiRAE1"), 9);
    EXPECT_EQ(NodeIndexOfPage("frmNothing"), 0);
    // Every node's picture is one of the image list's.
    for (const TreeNodeEntry& node : kTreeNodes) {
        bool found = false;
        for (const TreePicture& p : kTreePictures) found = found || std::string(p.key) == node.pictureKey;
        EXPECT_TRUE(found) << node.key;
    }
}

TEST(NewAlarm, StartsFromTheNewAlarmValues) {
    core::AlarmUnderEdit.NAME = "an alarm under edit";
    core::AlarmUnderEdit.Sound = "\\Alarms\\Sounds\\Ring.wav";
    core::AlarmUnderEdit.SlideSettings.SlideInTime = 300;
    core::AlarmEditProgress = 4;
    core::WarlockAnimFrame = 9;
    core::StartNewAlarm();
    const core::Alarm& a = core::AlarmUnderEdit;
    EXPECT_EQ(a.NAME, "");
    EXPECT_EQ(a.Sound, "");
    EXPECT_EQ(a.SlideSettings, core::SlideSettings{});
    EXPECT_EQ(a.WindowProperties, 70);
    EXPECT_EQ(a.Alpha, 200);
    EXPECT_EQ(a.BackColor, 0xEEEEEE);
    EXPECT_EQ(a.TextColor, 0);
    EXPECT_EQ(a.Flags, 96);
    EXPECT_EQ(a.FontInformation,
              "<@Title 0: |FontBackColor:  15658734  |FontForeColor: 0 |FontName: Arial |FontSize: 10 |FontBold: 400 "
              "|FontItalic: 0 |FontUnderline: 0 |FontStrikeout: 0 @> ");
    EXPECT_EQ(a.FIRE.SerialSeconds(), 0);
    EXPECT_EQ(core::AlarmEditProgress, 1);
    EXPECT_EQ(core::WarlockAnimFrame, 1);
}

}  // namespace
