// The program folder's own data files read as the clock reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/settings_keys.h"
#include "platform/forms/rich_text.h"
#include "platform/services/settings_file.h"

namespace {

TEST(ProgramFolderData, TheCreditsFileIsRichTextWithItsHeadingsInBoldAndColour) {
    std::ifstream in(std::string(OZR_SOURCE_DIR) + "/data/Chest/Hall Of Fame.richtext", std::ios::binary);
    ASSERT_TRUE(in);
    std::ostringstream text;
    text << in.rdbuf();
    platform::forms::RichDocument doc = platform::forms::ParseRichText(text.str());
    EXPECT_EQ(doc.PlainText().rfind("OZR Ruriv\n", 0), 0u);
    EXPECT_EQ(doc.paragraphs.front().alignment, platform::forms::rtfCenter);
    bool colouredBoldHeading = false;
    for (const auto& p : doc.paragraphs)
        for (const auto& r : p.runs) colouredBoldHeading |= r.bold && r.hasColor && r.text == "Made by";
    EXPECT_TRUE(colouredBoldHeading);
    EXPECT_EQ(doc.PlainText().find('\\'), std::string::npos);  // no control word shows as text
}

TEST(ProgramFolderData, TheTimeServerListNumbersItsServersWithASectionForEach) {
    platform::SettingsFile list;
    ASSERT_EQ(list.Open(std::string(OZR_SOURCE_DIR) + "/data/System/Time Servers.ozrini"), 1);
    std::vector<std::string> keys, hosts;
    ASSERT_GE(list.ReadSection("Servers", keys, hosts), 3);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(hosts[i]);
        EXPECT_EQ(keys[i], std::to_string(i + 1));  // numbered from 1, in order
        EXPECT_FALSE(hosts[i].empty());
        EXPECT_EQ(hosts[i].find_first_of(" \t/:"), std::string::npos);  // a host name, nothing more
        EXPECT_FALSE(list.ReadText(keys[i], "Location").empty());
        EXPECT_TRUE(list.ReadText(keys[i], "IP").empty());  // learnt when the server first answers
    }
}

TEST(ProgramFolderData, TheOnlineStorageServerListStartsWithTheDefaultServer) {
    platform::SettingsFile list;
    ASSERT_EQ(list.Open(std::string(OZR_SOURCE_DIR) + "/data/System/OZR Ruriv Anywhere Servers.ozrini"), 1);
    std::vector<std::string> keys, urls;
    ASSERT_GE(list.ReadSection("Servers", keys, urls), 1);
    EXPECT_EQ(urls[0], core::kDefaultServerURL);
    for (const std::string& url : urls) {
        SCOPED_TRACE(url);
        // "Submit.php" and "Retrieve.php" are appended to it as they stand.
        EXPECT_TRUE(url.starts_with("http://") || url.starts_with("https://"));
        EXPECT_TRUE(url.ends_with("/"));
        // A name of our own that no real server answers for (a reserved top-level domain).
        EXPECT_TRUE(url.find(".example/") != std::string::npos);
    }
}

}  // namespace
