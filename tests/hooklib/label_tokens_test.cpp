#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "hooklib/label_tokens.h"
#include "tests/hooklib/label_test_support.h"

using namespace hooklib;
using hooklib::test::DescribeTokens;
using hooklib::test::ParsedLabel;
using Tokens = std::vector<std::string>;

namespace {

const std::string kFlag = "|";

std::string Literal(const std::string& run) { return "%s|\"" + run + "\""; }

struct SingleToken {
    const char* script;
    const char* description;
    std::uint32_t flags;
};

// Every token of the vocabulary on its own, with the texts written out rather than taken
// from the library's table.
const SingleToken kEveryToken[] = {
    {"AMPM", "%s|TRR-NRM-TIM-AM1", 0},     {"AmPm", "%s|TRR-NRM-TIM-AM2", 0},
    {"ampm", "%s|TRR-NRM-TIM-AM3", 0},     {"MMMM", "%s|TRR-NRM-DAT-MFN", 0},
    {"MMM", "%s|TRR-NRM-DAT-MAN", 0},      {"MM", "%02li|TRR-NRM-DAT-MON", 0},
    {"M", "%01li|TRR-NRM-DAT-MON", 0},     {"YYYY", "%04li|TRR-NRM-DAT-YER", 0},
    {"YY", "%02li|TRR-NRM-DAT-YER", 0},    {"Y", "%01li|TRR-NRM-DAT-YER", 0},
    {"DDDD", "%s|TRR-NRM-DAT-DFN", 0},     {"DDD", "%s|TRR-NRM-DAT-DAN", 0},
    {"DD", "%02li|TRR-NRM-DAT-DAY", 0},    {"D", "%01li|TRR-NRM-DAT-DAY", 0},
    {"hh", "%02li|TRR-NRM-TIM-HOU", 0},    {"h", "%01li|TRR-NRM-TIM-HOU", 0},
    {"HH", "%02li|TRR-NRM-TIM-HOR", 0},    {"H", "%01li|TRR-NRM-TIM-HOR", 0},
    {"mm", "%02li|TRR-NRM-TIM-MIN", 0},    {"m", "%01li|TRR-NRM-TIM-MIN", 0},
    {"ss", "%02li|TRR-NRM-TIM-SEC", 0},    {"s", "%01li|TRR-NRM-TIM-SEC", 0},
    {"ETA", "%s|TRR-ALR-TIM-ETA", 0},      {"al", "|", 0x2},
    {"ac", "|", 0x4},                      {"ar", "|", 0x8},
    {"!tooltip", "|", 0x80},
};

TEST(LabelTokens, EveryTokenOfTheVocabularyParsesAlone) {
    for (const SingleToken& c : kEveryToken) {
        SCOPED_TRACE(c.script);
        auto label = ParsedLabel(c.script);
        EXPECT_EQ(DescribeTokens(*label), Tokens{c.description});
        EXPECT_EQ(label->LabelFlags, c.flags);
    }
}

struct ScriptCase {
    const char* script;
    Tokens tokens;
    std::uint32_t flags;
};

const std::string kHour = "%02li|TRR-NRM-TIM-HOU";
const std::string kMinute = "%02li|TRR-NRM-TIM-MIN";
const std::string kSecond = "%02li|TRR-NRM-TIM-SEC";

TEST(LabelTokens, ScriptsSplitAtEveryPatternInTableOrder) {
    const ScriptCase cases[] = {
        {"", {}, 0},
        {"-- / --", {Literal("-- / --")}, 0},
        {"achh:mm:ss", {kFlag, kHour, Literal(":"), kMinute, Literal(":"), kSecond}, 0x4},
        // Tokens inside ordinary words.
        {"Time", {Literal("Ti"), "%01li|TRR-NRM-TIM-MIN", Literal("e")}, 0},
        {"Date", {"%01li|TRR-NRM-DAT-DAY", Literal("ate")}, 0},
        {"Total", {Literal("Tot"), kFlag}, 0x2},
        {"am", {Literal("a"), "%01li|TRR-NRM-TIM-MIN"}, 0},
        {"AMP", {Literal("A"), "%01li|TRR-NRM-DAT-MON", Literal("P")}, 0},
        // Adjacent tokens: the longest form that the table lists first wins, the rest follows.
        {"MMMMM", {"%s|TRR-NRM-DAT-MFN", "%01li|TRR-NRM-DAT-MON"}, 0},
        {"YYYYY", {"%04li|TRR-NRM-DAT-YER", "%01li|TRR-NRM-DAT-YER"}, 0},
        {"YYY", {"%02li|TRR-NRM-DAT-YER", "%01li|TRR-NRM-DAT-YER"}, 0},
        {"DDDDD", {"%s|TRR-NRM-DAT-DFN", "%01li|TRR-NRM-DAT-DAY"}, 0},
        {"hhh", {kHour, "%01li|TRR-NRM-TIM-HOU"}, 0},
        {"hH", {"%01li|TRR-NRM-TIM-HOU", "%01li|TRR-NRM-TIM-HOR"}, 0},
        {"hhmmss", {kHour, kMinute, kSecond}, 0},
        {"AMPMampmAmPm", {"%s|TRR-NRM-TIM-AM1", "%s|TRR-NRM-TIM-AM3", "%s|TRR-NRM-TIM-AM2"}, 0},
        {"ETAs", {"%s|TRR-ALR-TIM-ETA", "%01li|TRR-NRM-TIM-SEC"}, 0},
        // Flags anywhere, all of them gathered.
        {"alacar", {kFlag, kFlag, kFlag}, 0xE},
        {"hh!tooltip", {kHour, kFlag}, 0x80},
        {"x!tooltipx", {Literal("x"), kFlag, Literal("x")}, 0x80},
        {"!tooltiP", {Literal("!tooltiP")}, 0},
        // Case matters: "AC" is no flag and "c" no token.
        {"AChh", {Literal("AC"), kHour}, 0},
        {"acYYYY-MM-DDhh:mm:ss",
         {kFlag, "%04li|TRR-NRM-DAT-YER", Literal("-"), "%02li|TRR-NRM-DAT-MON", Literal("-"),
          "%02li|TRR-NRM-DAT-DAY", kHour, Literal(":"), kMinute, Literal(":"), kSecond},
         0x4},
        // Quotes and percent signs are literal text like any other.
        {"\"%d%%\" 5%", {Literal("\"%d%%\" 5%")}, 0},
        {"\xC3\xA9t\xC3\xA9 hh", {Literal("\xC3\xA9t\xC3\xA9 "), kHour}, 0},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        auto label = ParsedLabel(c.script);
        EXPECT_EQ(DescribeTokens(*label), c.tokens);
        EXPECT_EQ(label->LabelFlags, c.flags);
    }
}

TEST(LabelTokens, ParsingAgainReplacesTheTokensAndOnlyAddsFlags) {
    auto label = ParsedLabel("achh:mm:ss");
    SetLabelFormatText(*label, "arm");
    ParseLabelFormat(*label);
    EXPECT_EQ(DescribeTokens(*label), (Tokens{kFlag, "%01li|TRR-NRM-TIM-MIN"}));
    EXPECT_EQ(label->LabelFlags, 0x4u | 0x8u);
    EXPECT_EQ(TokenCodeText(*label, 2), "");
    EXPECT_EQ(TokenFormatText(*label, -1), "");
}

// Over-long scripts are kept within the field, and the token list never outgrows its store.
TEST(LabelTokens, OverlongScriptsAreBoundedToTheFormatField) {
    // "hH" is two tokens of one character each, so every character becomes a token.
    std::string oneCharacterTokens;
    while (oneCharacterTokens.size() < 600) {
        oneCharacterTokens += "hH";
    }
    auto label = ParsedLabel(oneCharacterTokens);
    EXPECT_EQ(label->TokenCount, 499);
    EXPECT_EQ(LabelFormatText(*label).size(), 499u);

    // A record whose format field lost its terminator still parses within the field.
    auto raw = std::make_unique<HookLabel>();
    std::memset(raw->FormatText, 'x', sizeof raw->FormatText);
    ParseLabelFormat(*raw);
    ASSERT_EQ(raw->TokenCount, 1);
    EXPECT_EQ(TokenLiteral(*raw, raw->Tokens[0]), std::string(499, 'x'));

    // Alternating literal and token characters: the literal store holds every run.
    std::string alternating;
    while (alternating.size() < 600) {
        alternating += "xs";
    }
    label = ParsedLabel(alternating);
    EXPECT_EQ(label->TokenCount, 499);
    EXPECT_EQ(TokenCodeText(*label, 498), "\"x\"");
}

// A direct reading of the matching rule, kept slow and simple: at each step find every pattern
// anywhere in the rest of the text, end the literal at the earliest find, take the first pattern
// in table order that stands at the front.
Tokens ReferenceParse(std::string text, std::uint32_t* flags) {
    Tokens tokens;
    while (!text.empty()) {
        std::size_t literalEnd = text.size();
        const TokenRow* front = nullptr;
        for (const TokenRow& row : kTokenTable) {
            const std::size_t found = text.find(row.Pattern);
            if (found != std::string::npos && found < literalEnd) {
                literalEnd = found;
            }
            if (found == 0 && front == nullptr) {
                front = &row;
            }
        }
        if (front != nullptr) {
            tokens.push_back(std::string(TokenFormatName(front->Format)) + "|" + std::string(TokenCodeName(front->Code)));
            *flags |= front->Flag;
            text.erase(0, front->Pattern.size());
        } else {
            tokens.push_back(Literal(text.substr(0, literalEnd)));
            text.erase(0, literalEnd);
        }
    }
    return tokens;
}

std::string RandomScript(std::mt19937& random, std::size_t length) {
    static const std::string kPieces[] = {"A", "M", "P", "m", "p", "a", "Y", "D", "h", "H", "s", "E", "T", "l",
                                          "c", "r", "!", "t", "o", "i", ":", " ", "\"", "%", "\xC3\xA9",
                                          "AMPM", "!tooltip", "ETA", "MMMM"};
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces));
    std::uniform_int_distribution<int> byte(1, 255);
    std::string script;
    while (script.size() < length) {
        const std::size_t pick = piece(random);
        script += pick < std::size(kPieces) ? kPieces[pick] : std::string(1, static_cast<char>(byte(random)));
    }
    return script;
}

TEST(LabelTokens, RandomScriptsParseAsTheMatchingRuleSays) {
    std::mt19937 random(20260307);
    std::uniform_int_distribution<std::size_t> shortLength(0, 40);
    std::uniform_int_distribution<std::size_t> longLength(400, 700);
    auto label = std::make_unique<HookLabel>();
    for (int run = 0; run < 20000; ++run) {
        const std::size_t length = run % 200 == 0 ? longLength(random) : shortLength(random);
        const std::string script = RandomScript(random, length);
        SCOPED_TRACE(script);
        label->LabelFlags = 0;
        SetLabelFormatText(*label, script);
        ParseLabelFormat(*label);

        std::uint32_t flags = 0;
        ASSERT_EQ(DescribeTokens(*label), ReferenceParse(std::string(LabelFormatText(*label)), &flags));
        ASSERT_EQ(label->LabelFlags, flags);
        ASSERT_LE(label->TokenCount, 499);
    }
}

}  // namespace
