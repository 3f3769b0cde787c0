// The label page's quick-insert tokens and predefined scripts, as every shipped language file has
// them, read by the library's own parser: each item gives what its text promises.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "hooklib/label_tokens.h"
#include "platform/services/settings_file.h"
#include "tests/hooklib/label_test_support.h"

using namespace hooklib;

namespace {

const char* const kLanguageFiles[] = {"000English", "001EnglishUS", "002Romanian", "003Dutch"};

struct ListEntries {
    std::vector<std::string> items;  // without the first entry (the list's title) and the headings
};

ListEntries ReadList(const std::string& file, const char* section, std::initializer_list<const char*> headings) {
    platform::SettingsFile language;
    language.Open(std::string(OZR_SOURCE_DIR) + "/data/System/Lang/" + file + ".ozrini");
    EXPECT_EQ(language.IsLoaded(), 1) << file;
    std::vector<std::string> keys, values;
    language.ReadSection(section, keys, values);
    ListEntries list;
    for (std::size_t i = 1; i < values.size(); ++i) {
        bool heading = false;
        for (const char* key : headings) heading = heading || keys[i] == key;
        if (!heading) list.items.push_back(values[i]);
    }
    return list;
}

bool HasLetter(std::string_view text) {
    for (char c : text)
        if (std::isalpha(static_cast<unsigned char>(c))) return true;
    return false;
}

TEST(ShippedQuickInsertItems, EachStartsWithOneTokenOrASeparatorAndABlank) {
    for (const char* file : kLanguageFiles) {
        const ListEntries list = ReadList(file, "Quick Insert", {"Separators", "Time", "Date"});
        EXPECT_GE(list.items.size(), 20u) << file;
        for (const std::string& item : list.items) {
            SCOPED_TRACE(std::string(file) + ": " + item);
            const std::size_t blank = item.find(' ');
            ASSERT_NE(blank, std::string::npos) << "a token, a blank and its meaning";
            const auto label = test::ParsedLabel(item.substr(0, blank));
            ASSERT_EQ(label->TokenCount, 1);
            const LabelToken& token = LabelTokens(*label)[0];
            if (const TokenRow* row = TokenRowOf(token))
                EXPECT_NE(row->Code, TokenCode::None) << "alignment is chosen with the options";
            else
                EXPECT_FALSE(HasLetter(TokenLiteral(*label, token))) << "a separator shows as written";
        }
    }
}

TEST(ShippedPredefinedScripts, EachEndsInAScriptOfTokensAndSeparatorsInBrackets) {
    for (const char* file : kLanguageFiles) {
        const ListEntries list = ReadList(file, "Scripts", {"Predefined", "Time", "Date"});
        EXPECT_GE(list.items.size(), 8u) << file;
        for (const std::string& item : list.items) {
            SCOPED_TRACE(std::string(file) + ": " + item);
            const std::size_t open = item.find('(');
            ASSERT_NE(open, std::string::npos);
            ASSERT_EQ(item.back(), ')');
            const std::string script = item.substr(open + 1, item.size() - open - 2);
            ASSERT_FALSE(script.empty());
            const auto label = test::ParsedLabel(script);
            int shown = 0;
            for (const LabelToken& token : LabelTokens(*label)) {
                if (const TokenRow* row = TokenRowOf(token))
                    shown += row->Code != TokenCode::None;
                else
                    EXPECT_FALSE(HasLetter(TokenLiteral(*label, token))) << "a word would turn into tokens";
            }
            EXPECT_GT(shown, 0);
        }
    }
}

}  // namespace
