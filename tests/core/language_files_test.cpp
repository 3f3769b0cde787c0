#include "core/language_files.h"

#include <gtest/gtest.h>

#include "core/language_text.h"
#include "tests/core/help_test_support.h"

using namespace core;

namespace {

using LanguageFilesTest = HelpFilesTest;

TEST_F(LanguageFilesTest, EveryLanguageOpensItsOwnFileAndTheOneHelpFile) {
    WriteAllFiles();
    const struct {
        std::int16_t language;
        const char* file;
    } cases[] = {
        {-1, "\\System\\Lang\\001EnglishUS.ozrini"},
        {0, "\\System\\Lang\\000English.ozrini"},
        {1, "\\System\\Lang\\002Romanian.ozrini"},
        {2, "\\System\\Lang\\003Dutch.ozrini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        Settings.Language = c.language;
        ASSERT_TRUE(LoadLanguageAndHelp());
        EXPECT_EQ(LanguageFile.ReadText("General", "MSGBOX Error"), c.file);
        EXPECT_EQ(HelpFile.RealPath(), folder / "System/Help/000HelpEnglish.ozrini");
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LanguageFilesTest, AMissingLanguageOrHelpFileShowsTheFixedBoxAndFails) {
    const struct {
        const char* what;
        std::int16_t language;
        const char* removed;
    } cases[] = {
        {"Dutch file missing", 2, "System/Lang/003Dutch.ozrini"},
        {"help file missing", 0, "System/Help/000HelpEnglish.ozrini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAllFiles();
        std::filesystem::remove(folder / c.removed);
        boxes.clear();
        Settings.Language = c.language;
        EXPECT_FALSE(LoadLanguageAndHelp());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "OZR Ruriv - Error!");
        EXPECT_EQ(boxes[0].type, 16u);
        EXPECT_EQ(boxes[0].text.rfind("Error in LoadLanguageAndHelp | mdlRoutines.\r\n\r\nPossible reasons:\r\n"
                                      "   - Corruption/infection/deletion of program files.\r\n"
                                      "   - Internal algorithm error.\r\n\r\nWe are sorry",
                                      0),
                  0u);
        EXPECT_TRUE(boxes[0].text.ends_with("The contact e-mail addresses are in the \"About\" section (F6) of the program."));
    }
}

TEST_F(LanguageFilesTest, ALanguageValueOfNoLanguageKeepsTheFilesOpenedBefore) {
    WriteAllFiles();
    Settings.Language = 5;
    EXPECT_FALSE(LoadLanguageAndHelp()) << "nothing was ever loaded";
    EXPECT_EQ(boxes.size(), 1u);

    boxes.clear();
    Settings.Language = 1;
    ASSERT_TRUE(LoadLanguageAndHelp());
    Settings.Language = 5;
    EXPECT_TRUE(LoadLanguageAndHelp());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(LanguageFile.ReadText("General", "MSGBOX Error"), "\\System\\Lang\\002Romanian.ozrini");
}

TEST_F(LanguageFilesTest, AReloadReadsTheFilesAgain) {
    WriteAllFiles();
    ASSERT_TRUE(LoadLanguageAndHelp());
    WriteClockFile("\\System\\Lang\\000English.ozrini", "[General]\nMSGBOX Error=Changed\n");
    ASSERT_TRUE(LoadLanguageAndHelp());
    EXPECT_EQ(LanguageFile.ReadText("General", "MSGBOX Error"), "Changed");
}

TEST(LineBreakMarks, BecomeCrLfWhereTheFourCharactersStand) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"no breaks", "no breaks"},
        {"one\\r\\ntwo", "one\r\ntwo"},
        {"\\r\\nfirst and last\\r\\n", "\r\nfirst and last\r\n"},
        {"a\\r\\n\\r\\nb", "a\r\n\r\nb"},
        {"\\r\\r\\n", "\\r\r\n"},
        {"upper \\R\\N and \\r\\N stay", "upper \\R\\N and \\r\\N stay"},
        {"half \\r or \\n stays", "half \\r or \\n stays"},
        {"C:\\Alarms\\r\\nSounds", "C:\\Alarms\r\nSounds"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExpandLineBreaks(c.stored), c.shown) << c.stored;
}

}  // namespace
