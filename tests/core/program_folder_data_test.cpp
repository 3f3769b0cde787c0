// The program folder's own data files read as the clock reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/forms/rich_text.h"

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

}  // namespace
