#include "core/property_strings.h"

#include <gtest/gtest.h>

#include "core/alarm_behavior.h"

using namespace core;

namespace {
// An entry as the alarm strings write it.
std::string E(const std::string& key, const std::string& value) { return "|" + key + ": " + value + " "; }
}  // namespace

TEST(PropertyStrings, AddAndGetKeepValuesWithTheirInnerBlanks) {
    std::string s;
    AddProperty(s, "1", "2, 0, 1, 0, 0, 0, 1");
    EXPECT_EQ(s, "|1: 2, 0, 1, 0, 0, 0, 1 ");
    AddProperty(s, "1", "other");
    EXPECT_EQ(s, "|1: 2, 0, 1, 0, 0, 0, 1 ") << "a second entry for a key is never added";

    const std::string ab = E("A", "x") + E("B", "y");
    EXPECT_EQ(GetProperty(ab, "A"), "x");
    EXPECT_EQ(GetProperty(ab, "B"), "y");
    EXPECT_EQ(GetProperty(ab, "C"), "");
    EXPECT_EQ(GetProperty("|A: x  |B: y ", "A"), "x ") << "only the one trailing blank is dropped";
    EXPECT_EQ(GetProperty("|A:  15658734  |B: y ", "A"), " 15658734 ");
    EXPECT_EQ(GetProperty("|A: path with blanks\\file.txt ", "A"), "path with blanks\\file.txt");
}

TEST(PropertyStrings, KeysAreMatchedWhole) {
    const std::string s = E("1", "a") + E("11", "b");
    EXPECT_EQ(GetProperty(s, "1"), "a");
    EXPECT_EQ(GetProperty(s, "11"), "b");
    EXPECT_TRUE(HasProperty(s, "1"));
    EXPECT_TRUE(HasProperty(s, "11"));
    EXPECT_FALSE(HasProperty(s, "2"));
    EXPECT_FALSE(HasProperty("", "1"));
    EXPECT_TRUE(HasProperty("1: without a bar", "1")) << "the string's own start counts as an entry's start";
    EXPECT_FALSE(HasProperty("|a1: x ", "1"));
}

TEST(PropertyStrings, ReplaceAndRemoveTouchOnlyTheirEntry) {
    std::string s = E("A", "x") + E("B", "y");
    ReplaceProperty(s, "A", "zz");
    EXPECT_EQ(s, E("A", "zz") + E("B", "y"));
    ReplaceProperty(s, "C", "q");
    EXPECT_EQ(s, E("A", "zz") + E("B", "y"));
    ReplaceProperty(s, "B", "y y");  // the new value holds the old one: replaced once, no loop
    EXPECT_EQ(s, E("A", "zz") + E("B", "y y"));

    std::string r = E("A", "x") + E("B", "y");
    RemoveProperty(r, "A");
    EXPECT_EQ(r, E("B", "y"));
    r = E("A", "x") + E("B", "y");
    RemoveProperty(r, "B");
    EXPECT_EQ(r, E("A", "x"));
    RemoveProperty(r, "Z");
    EXPECT_EQ(r, E("A", "x"));
    std::string bare = "A: no bar";
    RemoveProperty(bare, "A");
    EXPECT_EQ(bare, "A: no bar");
}

TEST(PropertyStrings, NextAndLastKeysWalkTheEntries) {
    const std::string s = E("1", "a") + E("2", "b") + E("5", "c");
    EXPECT_EQ(GetNextPropertyKey(s, "", "-1"), "1");
    EXPECT_EQ(GetNextPropertyKey(s, "1", "-1"), "2");
    EXPECT_EQ(GetNextPropertyKey(s, "2", "-1"), "5");
    for (const char* key : {"5", "7"}) {
        EXPECT_EQ(GetNextPropertyKey(s, key, "-1"), "-1") << key;
        EXPECT_EQ(GetNextPropertyKey(s, key, ""), "NULL") << key;
    }
    EXPECT_EQ(GetNextPropertyKey("no bars here", "", "-1"), "-1");
    EXPECT_EQ(GetNextPropertyKey("", "", ""), "NULL");
    EXPECT_EQ(GetNextPropertyKey(E("1", "a: b") + E("2", "c"), "1", "-1"), "2") << "a value holding \": \"";
    EXPECT_EQ(GetNextPropertyKey("|1: a |broken", "1", "-1"), "-1");

    EXPECT_EQ(GetLastPropertyKey(E("1", "a") + E("2", "b"), "x"), "2");
    EXPECT_EQ(GetLastPropertyKey("", ""), "NULL");
    EXPECT_EQ(GetLastPropertyKey("", "-1"), "-1");
    EXPECT_EQ(GetLastPropertyKey("|1: a |no colon", "-1"), "-1");
}

TEST(PropertyStrings, EntriesAreWalkedByPositionSoRepeatedKeysEnd) {
    const std::string s = E("1", "a") + E("2", "b") + E("1", "c");
    const std::vector<PropertyEntry> expected = {{"1", "a"}, {"2", "b"}, {"1", "c"}};
    EXPECT_EQ(PropertyEntries(s), expected);
    // The key walk the design describes goes round: 1, 2, 1 (the first entry again), 2, ...
    EXPECT_EQ(GetNextPropertyKey(s, "2", "-1"), "1");
    EXPECT_EQ(GetNextPropertyKey(s, "1", "-1"), "2");

    const std::vector<PropertyEntry> skipped = {{"k", "v"}};
    EXPECT_EQ(PropertyEntries("junk |no colon |k: v |"), skipped);
    EXPECT_TRUE(PropertyEntries("").empty());
}

TEST(PropertyStrings, NestedBlocksAreReadAndRewrittenInPlace) {
    const std::string font = kNewAlarmFontInformation;
    const std::string content = GetNestedProperty(font, "Title 0");
    EXPECT_EQ(content,
              "|FontBackColor:  15658734  |FontForeColor: 0 |FontName: Arial |FontSize: 10 |FontBold: 400 "
              "|FontItalic: 0 |FontUnderline: 0 |FontStrikeout: 0 ");
    EXPECT_TRUE(HasNestedProperty(font, "Title 0"));
    EXPECT_FALSE(HasNestedProperty(font, "Title 1"));
    EXPECT_EQ(GetNestedProperty(font, "Title 1"), "");

    // The font step's edit: take the content, replace one value, put the content back.
    std::string edited = content;
    ReplaceProperty(edited, "FontSize", "14");
    std::string s = "before " + font + "after";
    SetNestedProperty(s, "Title 0", edited);
    EXPECT_EQ(GetProperty(GetNestedProperty(s, "Title 0"), "FontSize"), "14");
    EXPECT_TRUE(s.starts_with("before <@Title 0: |FontBackColor:"));
    EXPECT_TRUE(s.ends_with("|FontStrikeout: 0 @> after"));

    std::string unchanged = font;
    SetNestedProperty(unchanged, "Title 1", "|X: 1 ");
    EXPECT_EQ(unchanged, font) << "a block is never added";

    // Blocks do not nest: the content ends at the first close.
    EXPECT_EQ(GetNestedProperty("<@A: |x: 1 <@B: |y: 2 @> |z: 3 @> ", "A"), "|x: 1 <@B: |y: 2 ");
    EXPECT_EQ(GetNestedProperty("<@A: |x: 1 never closed", "A"), "");
    std::string open = "<@A: |x: 1 never closed";
    SetNestedProperty(open, "A", "|y: 2 ");
    EXPECT_EQ(open, "<@A: |x: 1 never closed");
}

TEST(PropertyStrings, MalformedTextNeverFailsOrHangs) {
    const char* texts[] = {"|", "||", "|: ", ": ", "|a", "|a:", "|a: ", "<@", "<@a: ", "@> ", "<@a: @> ", "|a: |b: |"};
    for (const char* t : texts) {
        std::string s = t;
        (void)HasProperty(s, "a");
        (void)GetProperty(s, "a");
        (void)GetNextPropertyKey(s, "a", "");
        (void)GetLastPropertyKey(s, "");
        (void)PropertyEntries(s);
        (void)GetNestedProperty(s, "a");
        ReplaceProperty(s, "a", "b");
        SetNestedProperty(s, "a", "|c: d ");
        RemoveProperty(s, "a");
        AddProperty(s, "a", "e");
    }
    EXPECT_EQ(GetProperty("|a: ", "a"), "");
    EXPECT_EQ(GetProperty("|a:", "a"), "");
    EXPECT_EQ(GetProperty("|a: |b: 1 ", "a"), "");
}

TEST(PropertyStrings, ExtractFileNameTakesWhatFollowsTheLastBackslashOrSlash) {
    EXPECT_EQ(ExtractFileName("C:\\Alarms\\Sounds\\Ring.wav"), "Ring.wav");
    EXPECT_EQ(ExtractFileName("Ring.wav"), "Ring.wav");
    EXPECT_EQ(ExtractFileName("C:\\Alarms\\"), "");
    EXPECT_EQ(ExtractFileName(""), "");
    EXPECT_EQ(ExtractFileName("/home/ana/Music/Ring.wav"), "Ring.wav");
    EXPECT_EQ(ExtractFileName("C:\\Alarms/Sounds\\Ring.wav"), "Ring.wav");
    EXPECT_EQ(ExtractFileName("/tmp/notes/"), "");
}

TEST(Behaviors, ParseBehaviorReadsTheNumberedEntry) {
    const std::string instruction = E("3", "1, 1, 0, 1, 0, 0, 2") + E("5", "2, 0, 1, 0, 0, 0, 1");
    const std::string extra = E("3", "C:\\Docs\\Read me.txt");
    SpecialBehavior b;
    EXPECT_TRUE(ParseBehavior(b, instruction, extra, 3));
    EXPECT_EQ(b, (SpecialBehavior{1, "C:\\Docs\\Read me.txt", 0, -1, 0, 0, 2}));
    EXPECT_TRUE(ParseBehavior(b, instruction, extra, 5));
    EXPECT_EQ(b, (SpecialBehavior{2, "N/A", -1, 0, 0, 0, 1}));
    b.Kind = 9;
    EXPECT_TRUE(ParseBehavior(b, instruction, extra, 4));
    EXPECT_EQ(b, SpecialBehavior{}) << "no entry: a blank record";
}

TEST(Behaviors, MalformedEntriesGiveBlankRecordsAndAreLeftOutOfTheList) {
    struct Case {
        const char* value;
    } bad[] = {{"1, 1, 0"}, {"x, 0, 0, 0, 0, 0, 1"}, {"1, 0, 0, 0, 0, 0, 256"}, {"40000, 0, 0, 0, 0, 0, 0"}, {""},
               {"1,0,0,0,0,0,1"}};
    for (const Case& c : bad) {
        SpecialBehavior b{7, "t", -1, -1, -1, -1, 3};
        EXPECT_FALSE(ParseBehavior(b, E("1", c.value), "", 1)) << c.value;
        EXPECT_EQ(b, SpecialBehavior{}) << c.value;
    }
    const std::string instruction =
        E("1", "0, 1, 0, 0, 0, 0, 0") + E("x", "0, 0, 0, 0, 0, 0, 0") + E("2", "bad") + E("3", " 1 , 0, 1, 1, 1, 1,  2 ") + E("1", "2, 0, 0, 1, 0, 0, 2");
    const std::vector<SpecialBehavior> list = ParseBehaviors(instruction, E("1", "http://127.0.0.1/"));
    const std::vector<SpecialBehavior> expected = {
        {0, "http://127.0.0.1/", 0, 0, 0, 0, 0},
        {1, "N/A", -1, -1, -1, -1, 2},  // blanks around the numbers are read; switches must be exactly "1"
        {2, "N/A", 0, -1, 0, 0, 2},     // the repeated key's own entry, walked by position
    };
    EXPECT_EQ(list, expected);
    EXPECT_TRUE(ParseBehaviors("", "").empty());
}

TEST(FontInformation, TheNewAlarmStringReadsAsItsRecord) {
    AlarmFontRecord font;
    ParseFontInformation(font, kNewAlarmFontInformation, kTitleFontBlock);
    EXPECT_EQ(font, (AlarmFontRecord{15658734, 0, "Arial", 10, 400, 0, 0, 0}));

    const std::string custom =
        "<@Title 0: |FontBackColor: 255 |FontForeColor: 16777215 |FontName: DejaVu Sans Mono |FontSize: 24 "
        "|FontBold: 700 |FontItalic: 1 |FontUnderline: 1 |FontStrikeout: 1 @> ";
    ParseFontInformation(font, custom, kTitleFontBlock);
    EXPECT_EQ(font, (AlarmFontRecord{255, 16777215, "DejaVu Sans Mono", 24, 700, 1, 1, 1}));
}

TEST(FontInformation, MissingOrBadEntriesTakeTheNewAlarmValues) {
    AlarmFontRecord font;
    ParseFontInformation(font, "<@Title 0: |FontSize: big |FontBold: 99999 |FontItalic: 300 |FontName: Serif @> ", kTitleFontBlock);
    EXPECT_EQ(font, (AlarmFontRecord{15658734, 0, "Serif", 10, 400, 0, 0, 0}));
    ParseFontInformation(font, "", kTitleFontBlock);
    EXPECT_EQ(font, (AlarmFontRecord{15658734, 0, "Arial", 10, 400, 0, 0, 0}));
    ParseFontInformation(font, "<@Title 0: |FontSize: 30 ", kTitleFontBlock);  // never closed
    EXPECT_EQ(font.Size, 10);
}

TEST(FontInformation, ASizeWithAFractionIsTheNearestWholePoint) {
    AlarmFontRecord font;
    for (auto [written, points] : {std::pair{"12.5", 12}, {"13.5", 14}, {"10.75", 11}, {" 9,25 ", 9}, {"12.", 12}}) {
        ParseFontInformation(font, std::string("<@Title 0: |FontSize: ") + written + " @> ", kTitleFontBlock);
        EXPECT_EQ(font.Size, points) << written;
    }
    ParseFontInformation(font, "<@Title 0: |FontSize: 40000.5 @> ", kTitleFontBlock);
    EXPECT_EQ(font.Size, 10) << "beyond 16 bits: the new alarm's size";
}
