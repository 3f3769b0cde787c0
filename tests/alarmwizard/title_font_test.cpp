// The media step's title font: reading the block "Title 0" whatever an alarm file holds, the
// preview line, and writing a chosen font the same way in every locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "alarmwizard/title_font.h"
#include "core/alarm_behavior.h"
#include "core/property_strings.h"

using alarmwizard::FontPreviewText;
using alarmwizard::RepairTitleFont;
using alarmwizard::SetChosenFont;
using alarmwizard::SetTitleFontEntry;
using alarmwizard::TitleFont;

namespace {

std::string Entry(const std::string& information, const char* key) {
    return core::GetProperty(core::GetNestedProperty(information, "Title 0"), key);
}

const TitleFont kNewAlarm{};

TEST(TitleFont, TheNewAlarmsBlockReadsAsItsValuesAndStaysByteForByte) {
    std::string information = core::kNewAlarmFontInformation;
    EXPECT_EQ(RepairTitleFont(information), (TitleFont{0xEEEEEE, 0, "Arial", 10, 400, false, false, false}));
    EXPECT_EQ(information, core::kNewAlarmFontInformation) << "the blanks around 15658734 are kept";
}

TEST(TitleFont, MissingOrNonNumberEntriesShowAndKeepTheNewAlarmsValuesWhileTheOthersStay) {
    std::string information =
        "<@Title 0: |FontBackColor: red |FontName: Verdana |FontSize: 12.5 |FontBold: heavy |FontItalic: 1 @> ";
    const TitleFont font = RepairTitleFont(information);
    EXPECT_EQ(font, (TitleFont{0xEEEEEE, 0, "Verdana", 12.5F, 400, true, false, false}));
    EXPECT_EQ(Entry(information, "FontBackColor"), "15658734");
    EXPECT_EQ(Entry(information, "FontForeColor"), "0");
    EXPECT_EQ(Entry(information, "FontBold"), "400");
    EXPECT_EQ(Entry(information, "FontStrikeout"), "0");
    EXPECT_EQ(Entry(information, "FontSize"), "12.5");
    EXPECT_EQ(Entry(information, "FontName"), "Verdana");
    EXPECT_EQ(RepairTitleFont(information), font) << "read again, the kept values are the shown ones";

    // A block that is not there, or never closed, is written afresh; an empty face is no face.
    for (std::string broken : {std::string(), std::string("<@Title 0: |FontName: Verdana "), std::string("junk")}) {
        EXPECT_EQ(RepairTitleFont(broken), kNewAlarm) << broken;
        EXPECT_EQ(RepairTitleFont(broken), kNewAlarm) << broken;
        EXPECT_EQ(Entry(broken, "FontName"), "Arial") << broken;
    }
    std::string emptyFace = "<@Title 0: |FontName:  |FontSize: 9 @> ";
    EXPECT_EQ(RepairTitleFont(emptyFace).name, "Arial");
}

TEST(TitleFont, ThePreviewListsFaceSizeAndTheEffectsInTheirOrder) {
    EXPECT_EQ(FontPreviewText(kNewAlarm), "Arial, 10");
    EXPECT_EQ(FontPreviewText(TitleFont{0, 0, "Arial", 10, 700, false, true, false}), "Arial, 10, B, U");
    EXPECT_EQ(FontPreviewText(TitleFont{0, 0, "Tahoma", 10.5F, 700, true, true, true}), "Tahoma, 10.5, B, I, U, S");
    // Bold from a weight above 400.
    EXPECT_EQ(FontPreviewText(TitleFont{0, 0, "Arial", 8, 401, false, false, false}), "Arial, 8, B");
    EXPECT_EQ(FontPreviewText(TitleFont{0, 0, "Arial", 8, 400, false, false, false}), "Arial, 8");
}

TEST(TitleFont, AChosenFontIsWrittenWithAPointInEveryLocaleAndTheColoursStay) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const bool comma = std::setlocale(LC_ALL, "fr_FR") != nullptr || std::setlocale(LC_ALL, "nl_NL.utf8") != nullptr;
    std::string information = core::kNewAlarmFontInformation;
    SetTitleFontEntry(information, "FontForeColor", "255");
    SetChosenFont(information, {.name = "Tahoma", .size = 10.5, .bold = true, .italic = true, .underline = false,
                                .strikethru = true});
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_TRUE(comma) << "no locale with a decimal comma to try";
    EXPECT_EQ(information,
              "<@Title 0: |FontBackColor:  15658734  |FontForeColor: 255 |FontName: Tahoma |FontSize: 10.5 |FontBold: 700 "
              "|FontItalic: 1 |FontUnderline: 0 |FontStrikeout: 1 @> ");
    // A size written by a computer with a decimal comma still reads.
    std::string written = "<@Title 0: |FontSize: 10,5 @> ";
    EXPECT_EQ(RepairTitleFont(written).size, 10.5F);
}

}  // namespace
