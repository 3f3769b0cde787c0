// The shipped language and help files against what the program looks up in them.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "core/help_sections.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "platform/services/settings_file.h"

using namespace core;

namespace {

std::string ShippedPath(const char* clockPath) {
    std::string path = std::string(OZR_SOURCE_DIR) + "/data" + clockPath;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

platform::SettingsFile Open(const char* clockPath) {
    platform::SettingsFile file;
    file.Open(ShippedPath(clockPath));
    EXPECT_EQ(file.IsLoaded(), 1) << clockPath;
    return file;
}

std::set<std::pair<std::string, std::string>> SectionKeyPairs(const platform::SettingsFile& file) {
    std::set<std::pair<std::string, std::string>> pairs;
    for (const auto& section : file.Content())
        for (const auto& entry : section.entries) pairs.emplace(section.name, entry.key);
    return pairs;
}

TEST(ShippedFiles, AreWrittenExactlyAsTheSettingsFileComponentWritesThem) {
    // A stray line (a note, a lost "=") would be skipped silently when read.
    std::vector<const char*> paths{kHelpFilePath};
    for (const LanguageChoice& choice : kLanguageFiles) paths.push_back(choice.path);
    for (const char* path : paths) {
        std::string bytes = ReadBytes(ShippedPath(path));
        EXPECT_EQ(platform::FormatSettingsText(platform::ParseSettingsText(bytes)), bytes) << path;
    }
}

TEST(ShippedLanguageFiles, HoldEveryTextTheProgramLooksUp) {
    for (const LanguageChoice& choice : kLanguageFiles) {
        platform::SettingsFile file = Open(choice.path);
        for (const LanguageKey& key : kLanguageKeys) {
            EXPECT_TRUE(file.ListItemExists(key.section, key.key)) << choice.path << ": [" << key.section << "] " << key.key;
            EXPECT_NE(file.ReadText(key.section, key.key), "") << choice.path << ": [" << key.section << "] " << key.key;
        }
    }
}

TEST(ShippedLanguageFiles, AllHoldTheSameKeysAndTheTranslationsAreTheirOwn) {
    const platform::SettingsFile english = Open("\\System\\Lang\\000English.ozrini");
    for (const char* other : {"\\System\\Lang\\001EnglishUS.ozrini", "\\System\\Lang\\002Romanian.ozrini", "\\System\\Lang\\003Dutch.ozrini"})
        EXPECT_EQ(SectionKeyPairs(Open(other)), SectionKeyPairs(english)) << other;
    // A text that is only the name of one of the program's services reads the same in every language.
    const std::set<std::string> names{"Atomic Ruriv", "OZR Ruriv Anywhere"};
    for (const char* translated : {"\\System\\Lang\\002Romanian.ozrini", "\\System\\Lang\\003Dutch.ozrini"}) {
        const platform::SettingsFile file = Open(translated);
        for (const LanguageKey& key : kLanguageKeys) {
            if (names.contains(english.ReadText(key.section, key.key))) continue;
            EXPECT_NE(file.ReadText(key.section, key.key), english.ReadText(key.section, key.key))
                << translated << " leaves [" << key.section << "] " << key.key << " in English";
        }
    }
}

TEST(ShippedHelpFile, StartsWithItsHeaderAndTheTipsThenHasEveryPageSectionInOrder) {
    const platform::SettingsFile help = Open(kHelpFilePath);
    std::vector<std::string> names;
    std::int32_t count = 0;
    help.GetSectionNames(names, count);
    std::vector<std::string> expected{kHelpFileHeader, kTipsSection};
    for (const HelpSection& section : kHelpSections) expected.push_back(section.name);
    EXPECT_EQ(names, expected);
}

TEST(ShippedHelpFile, EveryPageSectionBoundsItsIdsAndNoEntryShipsDismissed) {
    platform::SettingsFile help = Open(kHelpFilePath);
    for (const HelpSection& section : kHelpSections) {
        SCOPED_TRACE(section.name);
        ASSERT_TRUE(help.ListItemExists(section.name, kSectionMaxIdKey));
        const std::int32_t bound = help.ReadLongAt(section.name, kSectionMaxIdKey);
        if (section.page != kNoHelpPage) {
            EXPECT_GT(bound, section.page * 100 + 99);
        }
        std::vector<std::string> keys, values;
        help.ReadSection(section.name, keys, values);
        for (const std::string& key : keys) {
            if (key == kSectionMaxIdKey) continue;
            EXPECT_EQ(key.front(), kLiveHelpMark) << key;
            EXPECT_EQ(HelpIdOf(key.substr(1)) / 100, section.page) << key;
            EXPECT_LT(HelpIdOf(key.substr(1)), bound) << key;
        }
    }
}

TEST(ShippedHelpFile, HoldsAnEntryForEveryHelpKeyInItsPagesSection) {
    platform::SettingsFile help = Open(kHelpFilePath);
    for (const char* helpKey : kHelpKeys) {
        const int page = HelpIdOf(helpKey) / 100;
        const HelpSection* section = nullptr;
        for (const HelpSection& s : kHelpSections)
            if (s.page == page) section = &s;
        ASSERT_NE(section, nullptr) << helpKey;
        EXPECT_NE(help.ReadText(section->name, std::string("S") + helpKey), "") << helpKey;
        EXPECT_NE(help.ReadText(section->name, std::string("S") + helpKey + "T"), "") << helpKey;
    }
}

TEST(ShippedHelpFile, HasAHeadingAndEveryTipUpToTheLastNumber) {
    platform::SettingsFile help = Open(kHelpFilePath);
    const std::int32_t last = help.ReadLongAt(kTipsSection, kSectionMaxIdKey);
    EXPECT_GE(last, 11) << "a dozen tips";
    EXPECT_NE(help.ReadText(kTipsSection, kTipHeadingKey), "");
    std::vector<std::string> keys, values;
    help.ReadSection(kTipsSection, keys, values);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(last + 3)) << "the bound, the heading and tips 0 to the last";
    for (int n = 0; n <= last; ++n) EXPECT_NE(help.ReadText(kTipsSection, TipKey(n)), "") << TipKey(n);
}

}  // namespace
