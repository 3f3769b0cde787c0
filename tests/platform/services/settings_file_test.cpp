#include "platform/services/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>

#include "platform/base.h"
#include "platform/draw/image.h"
#include "platform/services/sound_file.h"
#include "platform/services/whole_file.h"
#include "tests/platform/services/temp_folder.h"
#include "tests/support/unfed_pipe.h"

using platform::FormatSettingsText;
using platform::ParseSettingsText;
using platform::SettingsContent;
using platform::SettingsFile;

namespace platform {
void PrintTo(const SettingsSection& section, std::ostream* out) {
    *out << testing::PrintToString(section.notes) << "[" << testing::PrintToString(section.name) << "]";
    for (const auto& e : section.entries)
        *out << " " << testing::PrintToString(e.notes) << testing::PrintToString(e.key) << "=" << testing::PrintToString(e.value);
}
}  // namespace platform

namespace {

// Names, keys and values that the clock's files hold or that users type.
SettingsContent AwkwardContent() {
    return {
        {"Dralo Software Development Ruriv - Settings File", {{"Minimum OZRClock.exe Module Version", "2.7.17"}}},
        {"ZTVLBL: Tom's #1 - label!", {{"SpawnString", "  achh:mm:ss  "}, {"Face", "\"Arial\""}}},
        {"ZTVALR: 2024-03-05 # 07:08:09 # 417",
         {{"FontInformation", "|Face: Arial |Size: 10 <@Colors|Back: 0 |Fore: 255 @> "},
          {"Text", "Wake up!\\r\\nNow."},
          {"Body", "line one\r\nline two\nthree\rfour"},
          {"Sound", "\\Alarms\\Sounds\\Ring.wav"},
          {"Trailing", "ends with a backslash\\"},
          {"Equation", "a=b==c"},
          {"Hash", "# not a note ; nor this"},
          {"Empty", ""}}},
        {"Awkward keys",
         {{"a=b", "1"},
          {"[bracket", "2"},
          {"close]", "3"},
          {"\\backslash", "4"},
          {"two\nlines", "5"},
          {"", "6"},
          {" spaced ", " 7 "},
          {"\\r\\n", "\\="}}},
        {"", {{"nameless", "section"}}},
        {"]", {}},
        {"[[nested]]", {{"x", "y"}}},
        {"\\starts with backslash", {{"k", "v"}}},
        {"multi\r\nline name", {{"k", "v"}}},
        {"Ünïcödé — ✓", {{"ключ", "значение"}}},
    };
}

}  // namespace

TEST(SettingsText, EveryNameKeyAndValueRoundTripsExactly) {
    SettingsContent content = AwkwardContent();
    std::string text = FormatSettingsText(content);
    EXPECT_EQ(ParseSettingsText(text), content) << text;
    // Through a file on disk as well.
    TempProgramFolder folder;
    SettingsFile file;
    EXPECT_EQ(file.Open("\\Awkward.ozrini"), 0);
    for (const auto& section : content) {
        file.AddSection(section.name);
        for (const auto& entry : section.entries) file.AddString(entry.key, entry.value);
    }
    EXPECT_EQ(file.Save(), 1);
    SettingsFile again;
    ASSERT_EQ(again.Open(folder / "Awkward.ozrini"), 1);
    EXPECT_EQ(again.Content(), content);
}

TEST(SettingsText, IsThePlainIniFormWithEscapesOnlyWhereNeeded) {
    SettingsContent content = {
        {"Dralo Software Development Ruriv - Settings File", {{"Minimum OZRClock.exe Module Version", "2.7.17"}}},
        {"Float Window", {{"X", "7605"}, {"Sound", "\\Alarms\\x.wav"}, {"Note", " a=b # c "}}},
        {"Escaped", {{"a=b", "1"}, {"Text", "one\r\ntwo\\"}, {"[k", ""}}},
        {"\\odd\nname", {}},
    };
    EXPECT_EQ(FormatSettingsText(content),
              "[Dralo Software Development Ruriv - Settings File]\n"
              "Minimum OZRClock.exe Module Version=2.7.17\n"
              "\n"
              "[Float Window]\n"
              "X=7605\n"
              "Sound=\\Alarms\\x.wav\n"
              "Note= a=b # c \n"
              "\n"
              "[Escaped]\n"
              "\\a\\=b=1\n"
              "\\Text=one\\r\\ntwo\\\\\n"
              "\\[k=\n"
              "\n"
              "[\\\\\\odd\\nname]\n");
}

TEST(SettingsText, ALineBreakAnywhereInALongTextIsEscaped) {
    // Long texts are looked through several characters at a time: a break at any place, the last
    // ones included, must still be found.
    for (const std::string breakText : {"\r", "\n"}) {
        for (std::size_t length : {8u, 9u, 15u, 16u, 17u, 23u}) {
            for (std::size_t at = 0; at < length; ++at) {
                std::string text(length, 'x');
                text.replace(at, 1, breakText);
                const SettingsContent content = {{"S", {{"key" + std::string(length, 'k'), text}}}};
                EXPECT_EQ(ParseSettingsText(FormatSettingsText(content)), content) << length << " " << at;
                const SettingsContent inKey = {{"S", {{text, "v"}, {std::string(at, 'k') + "=" + std::string(length, 'k'), "w"}}}};
                EXPECT_EQ(ParseSettingsText(FormatSettingsText(inKey)), inKey) << length << " " << at;
            }
        }
    }
}

TEST(SettingsText, HandWrittenFilesReadAsUsersExpect) {
    const std::string text =
        "\xEF\xBB\xBF"
        "orphan=before any section\r\n"
        "[Servers]\r\n"
        "; a note without an equals sign\r\n"
        "\r\n"
        "1=pool.example.org\r\n"
        "   \n"
        "2=second\n"
        "[Other]\n"
        "k=v\n"
        "PopupHelpDelay = 700\n"
        "\t Face \t=  Arial Black \n"
        "Username= spaced\n"
        "[Servers]\n"
        "1=replaced\n"
        "3=third\n"
        "\\Path\\file=\\x kept\\\n"
        "[not a section] \n"
        "no equals here\n"
        "last=no line end";
    // Blanks around a key are no part of it; lines that are not entries stand before the entry
    // that follows them.
    SettingsContent expected = {
        {"", {{"orphan", "before any section"}}},
        {"Servers",
         {{"1", "replaced", "; a note without an equals sign\n\n"},
          {"2", "second", "   \n"},
          {"3", "third"},
          {"Path\\file", "\\x kept\\"},
          {"last", "no line end", "[not a section] \nno equals here\n"}}},
        {"Other", {{"k", "v"}, {"PopupHelpDelay", "700"}, {"Face", "Arial Black "}, {"Username", " spaced"}}},
    };
    EXPECT_EQ(ParseSettingsText(text), expected);

    // Saved again, every such line stays in its place, the last ones at the end; it follows its
    // entry through a rename and goes with its entry or section.
    TempProgramFolder folder;
    folder.Write("Hand.ozrini",
                 "# mine\r\n[Main]\r\n; the delay\r\nPopupHelpDelay = 700\r\n; skin\r\nSkin=1\r\n; old\r\n[Gone]\r\nx=1\r\n\r\n; end\r\n");
    SettingsFile file;
    ASSERT_EQ(file.Open("\\Hand.ozrini"), 1);
    EXPECT_EQ(file.ReadLongAt("Main", "PopupHelpDelay"), 700);
    file.WriteLongAt("Main", "PopupHelpDelay", 800);
    file.RenameKey("Main", "PopupHelpDelay", "Delay");
    file.WriteLongAt("Main", "Splash", 0);
    file.DeleteListItem("Main", "Skin");
    file.WriteLongAt("Main", "Skin", 2);
    file.DeleteSection("Gone");
    file.WriteLongAt("Gone", "x", 3);
    EXPECT_EQ(file.Save(), 1);
    EXPECT_EQ(folder.Read("Hand.ozrini"), "# mine\n[Main]\n; the delay\nDelay=800\nSplash=0\nSkin=2\n\n[Gone]\nx=3\n\n; end\n");
}

TEST(SettingsText, ReaderNeverFailsAndItsResultIsStable) {
    // Bounded random fuzzing: any bytes read, written and read again give the same content, and
    // any content written reads back as itself.
    std::mt19937 random(20240305);
    const std::string alphabet = "[]=\\\r\n rnab;#:|\"'\xEF\xBB\xBF\x00";
    auto randomText = [&](std::size_t maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s) c = alphabet[random() % (alphabet.size() + 1)];  // +1: the NUL byte
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = randomText(200);
        SettingsContent once = ParseSettingsText(bytes);
        std::string written = FormatSettingsText(once);
        ASSERT_EQ(ParseSettingsText(written), once) << "input: " << testing::PrintToString(bytes);
        ASSERT_EQ(FormatSettingsText(ParseSettingsText(written)), written);
    }
    for (int round = 0; round < 1000; ++round) {
        SettingsContent content;
        for (int s = random() % 5; s > 0; --s) {
            std::string name = randomText(12);
            if (std::any_of(content.begin(), content.end(), [&](const auto& x) { return x.name == name; })) continue;
            content.push_back({name, {}});
            for (int e = random() % 6; e > 0; --e) {
                std::string key = randomText(8);
                auto& entries = content.back().entries;
                if (std::any_of(entries.begin(), entries.end(), [&](const auto& x) { return x.key == key; })) continue;
                entries.push_back({key, randomText(20)});
            }
        }
        ASSERT_EQ(ParseSettingsText(FormatSettingsText(content)), content) << FormatSettingsText(content);
    }
}

TEST(SettingsFileLongs, AreDecimal32BitNumbersAndAnythingElseRaisesAnError) {
    struct Case {
        std::string text;
        std::optional<std::int32_t> number;
    } cases[] = {
        {"0", 0},           {"-1", -1},          {" 42\t", 42},        {"+7", 7},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt},
        {"", std::nullopt}, {"   ", std::nullopt}, {"12a", std::nullopt}, {"1.5", std::nullopt},
        {"+-5", std::nullopt}, {"- 5", std::nullopt}, {"&H10", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::ParseLongText(c.text), c.number) << '"' << c.text << '"';

    SettingsFile file;
    file.NewFile();
    file.AddSection("S");
    file.AddString("Word", "three hundred");
    file.AddLong("Big", 300);
    EXPECT_EQ(file.ReadLong("Big"), 300);
    EXPECT_THROW(file.ReadLong("Word"), platform::Error);
    EXPECT_THROW(file.ReadLongAt("S", "Word"), platform::Error);
    EXPECT_THROW(file.ReadLongDefault("Word", 5, true), platform::Error);
    // A missing key reads as 0 or "" where no default is given.
    EXPECT_EQ(file.ReadLong("Missing"), 0);
    EXPECT_EQ(file.ReadString("Missing"), "");
    EXPECT_EQ(file.ReadText("No such section", "X"), "");
}

TEST(SettingsFileSections, CurrentIsTheSectionLastSelectedFoundOrAdded) {
    SettingsFile file;
    file.NewFile();
    EXPECT_THROW(file.AddString("k", "v"), platform::Error);  // no section chosen yet
    EXPECT_THROW(file.CreateFoundSection(), platform::Error);

    EXPECT_EQ(file.FindSection("Header"), 0);
    EXPECT_EQ(file.GetCurrentSection(), "");
    file.CreateFoundSection();
    EXPECT_EQ(file.GetCurrentSection(), "Header");
    EXPECT_EQ(file.SectionFound(), 1);
    file.AddString("Version", "1");
    file.AddString("Version", "2");  // a key that is there takes the new value in its place

    file.SelectSection("Later");  // not there yet: nothing to read, the first write adds it
    EXPECT_EQ(file.SectionFound(), 0);
    EXPECT_EQ(file.ReadLongDefault("A", 9, false), 9);
    EXPECT_EQ(file.SectionFound(), 0);
    EXPECT_EQ(file.ReadLongDefault("A", 9, true), 9);
    EXPECT_EQ(file.SectionFound(), 1);
    EXPECT_EQ(file.ReadStringDefault("B", "b", true), "b");
    EXPECT_EQ(file.ReadStringDefault("B", "other", true), "b");
    file.WriteLongEx("C", 3, 3, false);  // not added without the flag
    file.WriteStringEx("D", "d", "d", true);
    file.WriteLong("E", 5);  // the plain writes add what is missing

    // Operations that name their section leave the current one alone.
    EXPECT_EQ(file.ReadLongIn("Elsewhere", "N", 4, true), 4);
    file.WriteLongIn("Elsewhere", "M", 1, 1, true);
    file.WriteLongAt("Elsewhere", "O", 2);
    EXPECT_EQ(file.ReadLongAt("Elsewhere", "M"), 1);
    EXPECT_EQ(file.ReadText("Header", "Version"), "2");
    EXPECT_EQ(file.GetCurrentSection(), "Later");

    SettingsContent expected = {
        {"Header", {{"Version", "2"}}},
        {"Later", {{"A", "9"}, {"B", "b"}, {"D", "d"}, {"E", "5"}}},
        {"Elsewhere", {{"N", "4"}, {"M", "1"}, {"O", "2"}}},
    };
    EXPECT_EQ(file.Content(), expected);

    std::vector<std::string> names;
    std::int32_t count = 0;
    file.GetSectionNames(names, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"Header", "Later", "Elsewhere"}));

    EXPECT_EQ(file.FindSection("Header"), 1);
    EXPECT_EQ(file.GetCurrentSection(), "Header");
    file.AddSection("Later");  // already there: made current, not doubled
    EXPECT_EQ(file.GetCurrentSection(), "Later");
    EXPECT_EQ(file.DeleteCurrentSection(), 1);
    EXPECT_EQ(file.DeleteCurrentSection(), 0);
    file.DeleteSection("Header");
    file.GetSectionNames(names, count);
    EXPECT_EQ(names, std::vector<std::string>{"Elsewhere"});
}

TEST(SettingsFileLists, ItemsKeepFileOrderAndFoundItemsCanBeRemoved) {
    SettingsFile file;
    file.NewFile();
    file.AddListItem("Labels", "k2", "Second");
    file.AddListItem("Labels", "k1", "First");
    file.AddListItem("Labels", "k3", "Third");
    file.SetListItem("Labels", "k2", "Renamed");

    std::vector<std::string> keys, values;
    EXPECT_EQ(file.ReadSection("Labels", keys, values), 3);
    EXPECT_EQ(keys, (std::vector<std::string>{"k2", "k1", "k3"}));
    EXPECT_EQ(values, (std::vector<std::string>{"Renamed", "First", "Third"}));
    EXPECT_EQ(file.ReadSection("Nothing", keys, values), 0);
    EXPECT_TRUE(keys.empty() && values.empty());

    EXPECT_EQ(file.ListItemExists("Labels", "k1"), 1);
    EXPECT_EQ(file.DeleteFoundListItem(), 1);
    EXPECT_EQ(file.DeleteFoundListItem(), 0);
    EXPECT_EQ(file.ListItemExists("Labels", "k1"), 0);
    EXPECT_EQ(file.DeleteFoundListItem(), 0);
    file.DeleteListItem("Labels", "k3");
    file.DeleteListItem("Labels", "not there");
    EXPECT_EQ(file.ReadSection("Labels", keys, values), 1);
    EXPECT_EQ(file.GetCurrentSection(), "");  // lists never change the current section
}

TEST(SettingsFileKeys, KeyExistsFindsValuesAndRenameKeepsValueAndPlace) {
    SettingsFile file;
    file.NewFile();
    file.AddSection("Help");
    file.AddString("S0701chRepetitive", "Title");
    file.AddString("S0701chRepetitiveT", "Text");
    file.AddString("H0701chRepetitive", "stale");
    file.AddString("Tail", "t");

    EXPECT_EQ(file.KeyExists("S0701chRepetitiveT"), 1);
    EXPECT_EQ(file.FoundValue(), "Text");
    EXPECT_EQ(file.KeyExists("Nope"), 0);
    EXPECT_EQ(file.FoundValue(), "");

    file.RenameKey("Help", "S0701chRepetitive", "H0701chRepetitive");  // drops the stale one
    file.RenameKey("Help", "S0701chRepetitiveT", "H0701chRepetitiveT");
    file.RenameKey("Help", "Missing", "Other");
    SettingsContent expected = {{"Help", {{"H0701chRepetitive", "Title"}, {"H0701chRepetitiveT", "Text"}, {"Tail", "t"}}}};
    EXPECT_EQ(file.Content(), expected);
}

namespace {

// The component as a plain ordered walk: every look-up goes through the sections and entries in
// file order. The indexed component must give the same answers and the same content.
struct OrderedWalk {
    SettingsContent content;
    std::optional<std::string> current, sought;
    std::optional<std::pair<std::string, std::string>> foundItem;

    platform::SettingsSection* Section(const std::string& name) {
        auto it = std::find_if(content.begin(), content.end(), [&](const auto& s) { return s.name == name; });
        return it == content.end() ? nullptr : &*it;
    }
    platform::SettingsEntry* Entry(const std::string& section, const std::string& key) {
        platform::SettingsSection* s = Section(section);
        if (!s) return nullptr;
        auto it = std::find_if(s->entries.begin(), s->entries.end(), [&](const auto& e) { return e.key == key; });
        return it == s->entries.end() ? nullptr : &*it;
    }
    std::string Read(const std::string& section, const std::string& key) {
        platform::SettingsEntry* e = Entry(section, key);
        return e ? e->value : "";
    }
    void Set(const std::string& section, const std::string& key, const std::string& value, bool add) {
        if (platform::SettingsEntry* e = Entry(section, key)) {
            e->value = value;
        } else if (add) {
            if (!Section(section)) content.push_back({section, {}});
            Section(section)->entries.push_back({key, value});
        }
    }
    void AddSection(const std::string& name) {
        if (!Section(name)) content.push_back({name, {}});
        current = name;
    }
    void DeleteSection(const std::string& name) {
        std::erase_if(content, [&](const auto& s) { return s.name == name; });
    }
    void DeleteItem(const std::string& list, const std::string& key) {
        if (platform::SettingsSection* s = Section(list)) std::erase_if(s->entries, [&](const auto& e) { return e.key == key; });
    }
    void Rename(const std::string& section, const std::string& from, const std::string& to) {
        if (from == to || !Entry(section, from)) return;
        DeleteItem(section, to);
        Entry(section, from)->key = to;
    }
};

}  // namespace

TEST(SettingsFileIndex, AnswersAsAnOrderedWalkUnderEveryOperation) {
    // Few names, so that operations keep meeting sections and keys that are there, were deleted
    // or were renamed away.
    const std::vector<std::string> names = {"", "Main", "ZTVALR: 1", "ZTVALR: 2", "Collection: A"};
    const std::vector<std::string> keys = {"FLAG", "NAME", "k1", "k2", ""};
    std::mt19937 random(38);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    for (int round = 0; round < 200; ++round) {
        SettingsFile file;
        file.NewFile();
        OrderedWalk walk;
        // Every other round, one section large enough for an index of its own.
        for (int i = 0; round % 2 == 1 && i < 60; ++i) {
            file.AddListItem("Collection: A", "p" + std::to_string(i), "v");
            walk.Set("Collection: A", "p" + std::to_string(i), "v", true);
        }
        for (int step = 0; step < 150; ++step) {
            const std::string section = pick(names), key = pick(keys), other = pick(keys), value = std::to_string(random() % 4);
            const int operation = static_cast<int>(random() % 16);
            SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step) + " operation " +
                         std::to_string(operation) + " [" + section + "] " + key + " / " + other);
            switch (operation) {
                case 0: file.AddSection(section); walk.AddSection(section); break;
                case 1: file.SelectSection(section); walk.current = section; break;
                case 2:
                    walk.sought = section;
                    if (walk.Section(section)) walk.current = section;
                    ASSERT_EQ(file.FindSection(section), walk.Section(section) ? 1 : 0);
                    break;
                case 3:
                    if (!walk.sought) break;
                    file.CreateFoundSection();
                    walk.AddSection(*walk.sought);
                    break;
                case 4: file.DeleteSection(section); walk.DeleteSection(section); break;
                case 5: {
                    const bool there = walk.current && walk.Section(*walk.current);
                    if (there) walk.DeleteSection(*walk.current);
                    ASSERT_EQ(file.DeleteCurrentSection(), there ? 1 : 0);
                    break;
                }
                case 6:
                    if (!walk.current) break;
                    file.WriteString(key, value);
                    walk.Set(*walk.current, key, value, true);
                    break;
                case 7:
                    if (!walk.current) break;
                    file.WriteStringEx(key, value, value, false);
                    walk.Set(*walk.current, key, value, false);
                    break;
                case 8: {
                    const bool add = random() % 2 == 0;
                    file.WriteLongIn(section, key, std::stoi(value), 0, add);
                    walk.Set(section, key, value, add);
                    break;
                }
                case 9: file.AddListItem(section, key, value); walk.Set(section, key, value, true); break;
                case 10: file.DeleteListItem(section, key); walk.DeleteItem(section, key); break;
                case 11: {
                    const bool there = walk.Entry(section, key) != nullptr;
                    walk.foundItem = there ? std::optional(std::pair(section, key)) : std::nullopt;
                    ASSERT_EQ(file.ListItemExists(section, key), there ? 1 : 0);
                    break;
                }
                case 12: {
                    auto item = std::exchange(walk.foundItem, std::nullopt);
                    const bool removed = item && walk.Entry(item->first, item->second);
                    if (removed) walk.DeleteItem(item->first, item->second);
                    ASSERT_EQ(file.DeleteFoundListItem(), removed ? 1 : 0);
                    break;
                }
                case 13: file.RenameKey(section, key, other); walk.Rename(section, key, other); break;
                case 14: {
                    const bool there = walk.current && walk.Entry(*walk.current, key);
                    ASSERT_EQ(file.KeyExists(key), there ? 1 : 0);
                    ASSERT_EQ(file.FoundValue(), there ? walk.Read(*walk.current, key) : "");
                    break;
                }
                case 15: {
                    std::vector<std::string> readKeys, readValues;
                    platform::SettingsSection* s = walk.Section(section);
                    ASSERT_EQ(file.ReadSection(section, readKeys, readValues), s ? static_cast<std::int32_t>(s->entries.size()) : 0);
                    break;
                }
            }
            ASSERT_EQ(file.GetCurrentSection(), walk.current.value_or(""));
            ASSERT_EQ(file.SectionFound(), walk.current && walk.Section(*walk.current) ? 1 : 0);
            ASSERT_EQ(file.ReadText(section, key), walk.Read(section, key));
            ASSERT_EQ(file.Content(), walk.content);
        }
        ASSERT_EQ(FormatSettingsText(file.Content()), FormatSettingsText(walk.content));
    }
}

TEST(SettingsFileOpen, ReplacesTheContentAndAFailedOpenKeepsThePathForSave) {
    TempProgramFolder folder;
    folder.Write("A.ozrini", "[A]\nx=1\n");
    folder.Write("sub/b.ozrini", "[B]\ny=2\n");
    SettingsFile file;
    EXPECT_EQ(file.IsLoaded(), 0);
    EXPECT_EQ(file.Save(), 0);  // nothing was ever opened: nothing is written
    ASSERT_EQ(file.Open("\\A.ozrini"), 1);
    ASSERT_EQ(file.Open("\\Sub\\B.ozrini"), 1);  // found without regard to case
    EXPECT_EQ(file.Content(), (SettingsContent{{"B", {{"y", "2"}}}}));
    EXPECT_EQ(file.RealPath(), folder / "sub/b.ozrini");

    EXPECT_EQ(file.Open("\\Settings.ozrini"), 0);
    EXPECT_EQ(file.IsLoaded(), 0);
    EXPECT_TRUE(file.Content().empty());
    EXPECT_EQ(file.Open("\\sub"), 0);  // a folder is not a settings file
    EXPECT_EQ(file.Open("\\Settings.ozrini"), 0);
    file.NewFile();
    EXPECT_EQ(file.IsLoaded(), 1);
    file.AddSection("Dralo Software Development Ruriv - Settings File");
    EXPECT_EQ(file.Save(), 1);
    EXPECT_EQ(folder.Read("Settings.ozrini"), "[Dralo Software Development Ruriv - Settings File]\n");
}

// A stamp trusts a file's times only once a change could no longer keep them: a fraction of a
// second after the change where the times hold fractions, two seconds after it where one does not.
TEST(FileStamps, AreSettledOnlyOnceTheFileHasStoodLongerThanItsTimesCanBeCoarse) {
    TempProgramFolder folder;
    const std::string fine = folder / "Fine", whole = folder / "Whole";
    for (const std::string& path : {fine, whole}) platform::WriteFileAtomically(path, "text");
    const auto time = std::filesystem::last_write_time(whole);
    std::filesystem::last_write_time(whole, std::chrono::floor<std::chrono::seconds>(time));
    EXPECT_FALSE(platform::StampOfFile(fine)->settled);
    usleep(150'000);
    const std::optional<platform::FileStamp> stamp = platform::StampOfFile(fine);
    ASSERT_TRUE(stamp);
    const auto fineTime = std::filesystem::last_write_time(fine);
    if (fineTime != std::chrono::floor<std::chrono::seconds>(fineTime)) {
        EXPECT_TRUE(stamp->settled) << "times with fractions are settled after 100 ms";
    }
    EXPECT_FALSE(platform::StampOfFile(whole)->settled) << "a time of whole seconds can be two seconds coarse";
    EXPECT_TRUE(stamp->SameVersion(*platform::StampOfFile(fine)));
    platform::WriteFileAtomically(fine, "txet");
    EXPECT_FALSE(stamp->SameVersion(*platform::StampOfFile(fine)));
}

// A file that a settings or alarm file names may be anything; a named pipe must never hold the
// program in its open, and what is not a regular file is refused as one that cannot be opened.
TEST(FilesNamedByTheUsersFiles, AreReadOnlyWhenRegularAndANamedPipeNeverHoldsTheReader) {
    TempProgramFolder folder;
    std::filesystem::create_directories(folder / "Folder");
    testsupport::UnfedPipe pipe(folder / "Pipe");
    for (const std::string& path : {folder / "Pipe", folder / "Folder"}) {
        EXPECT_FALSE(platform::ReadWholeFile(path)) << path;
        EXPECT_FALSE(platform::FileHolds(path, ""));
        EXPECT_FALSE(platform::LoadImageFile(path).surface);
        platform::SoundFileInfo info;
        std::string error;
        EXPECT_FALSE(platform::ReadSoundFileInfo(path, &info, &error));
        EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    }
    SettingsFile file;
    EXPECT_EQ(file.Open("\\Pipe"), 0);
    EXPECT_FALSE(pipe.HeldAReader()) << "a reader waited in the open of a named pipe";
}

// While it lasts, a write beyond 4 kB fails part-way, as it does on a full disk.
class FilesOf4kAtMost {
public:
    FilesOf4kAtMost() : handler_(signal(SIGXFSZ, SIG_IGN)) {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved_), 0);
        rlimit small = saved_;
        small.rlim_cur = 4096;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FilesOf4kAtMost() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, handler_);
    }

private:
    sighandler_t handler_;
    rlimit saved_{};
};

TEST(SettingsFileSave, IsAtomicWhenTheDiskIsFullAndRaisesAnError) {
    TempProgramFolder folder;
    const std::string old = "[Old]\nkept=yes\n";
    folder.Write("Settings.ozrini", old);
    SettingsFile file;
    ASSERT_EQ(file.Open("\\Settings.ozrini"), 1);
    file.SelectSection("Big");
    file.AddString("Value", std::string(100000, 'x'));

    // A file-size limit makes the write fail part-way, as a full disk does.
    {
        FilesOf4kAtMost full;
        EXPECT_THROW(file.Save(), platform::Error);
    }

    EXPECT_EQ(folder.Read("Settings.ozrini"), old);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u) << "the temporary file is left behind";

    EXPECT_EQ(file.Save(), 1);  // with room again the same content is written whole
    SettingsFile again;
    ASSERT_EQ(again.Open("\\Settings.ozrini"), 1);
    EXPECT_EQ(again.Content(), file.Content());
}

TEST(SettingsFileSave, ASaveAfterOneThatGrewTheFileKeepsTheTextsRoomAndWritesItWhole) {
    // A text taken anew would be faulted in again, page by page: 9 MB for 10,000 alarms.
    TempProgramFolder folder;
    SettingsFile file;
    file.Open("\\Alarms.ozrini");
    file.SelectSection("Alarms");
    for (int i = 0; i < 200; ++i) file.AddString("Key" + std::to_string(i), "a value of some length");
    ASSERT_EQ(file.Save(), 1);
    // The text as read to be written again, as the alarm files are kept.
    std::string written = *platform::ReadWholeFile(folder / "Alarms.ozrini", nullptr, SIZE_MAX, platform::ReadFor::Rewriting);
    const std::size_t room = written.capacity();
    for (int save = 1; save <= 4; ++save) {
        file.AddString("Grown" + std::to_string(save), "a value grown by " + std::to_string(save));
        ASSERT_EQ(file.Save(written), 1);
        EXPECT_EQ(written.capacity(), room) << "save " << save;
        EXPECT_EQ(folder.Read("Alarms.ozrini"), written);
        SettingsFile again;
        ASSERT_EQ(again.Open("\\Alarms.ozrini"), 1);
        EXPECT_EQ(again.Content(), file.Content());
    }
}

// A file saved again and again keeps its previous version as a hidden spare that the next save writes
// over in place; never a file that the spare is also another name of, nor one a link points to.
TEST(SettingsFileSave, AFileSavedAgainAndAgainWritesOverItsSpareAndKeepsThePreviousVersion) {
    TempProgramFolder folder;
    namespace fs = std::filesystem;
    const std::string spare = ".Alarms.ozrini.spare";
    SettingsFile file;
    file.Open("\\Alarms.ozrini");
    std::string written;
    auto saveVersion = [&](const std::string& version) {
        file.SelectSection("Alarms");
        file.WriteString("Version", version);
        ASSERT_EQ(file.Save(written), 1);
        EXPECT_EQ(folder.Read("Alarms.ozrini"), "[Alarms]\nVersion=" + version + "\n");
    };
    saveVersion("1");
    EXPECT_FALSE(folder.Exists(spare)) << "a new file has no previous version";
    fs::permissions(folder / "Alarms.ozrini", fs::perms(0640));
    saveVersion("2");
    saveVersion("3");
    EXPECT_EQ(folder.Read(spare), "[Alarms]\nVersion=2\n");
    EXPECT_EQ(fs::status(folder / "Alarms.ozrini").permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator{}), 2) << "a temporary file is left";

    // The spare that is another name of a file, or a link to one: that file stays as it was.
    fs::create_hard_link(folder / spare, folder / "Mine.ozrini");
    saveVersion("4");
    EXPECT_EQ(folder.Read("Mine.ozrini"), "[Alarms]\nVersion=2\n");
    EXPECT_EQ(folder.Read(spare), "[Alarms]\nVersion=3\n");
    fs::remove(folder / spare);
    fs::create_symlink(folder / "Mine.ozrini", folder / spare);
    saveVersion("5");
    EXPECT_EQ(folder.Read("Mine.ozrini"), "[Alarms]\nVersion=2\n");
    EXPECT_FALSE(fs::is_symlink(folder / spare));

    // A save that fails as the disk fills leaves the file as it was and no spare written in part.
    file.WriteString("Big", std::string(100000, 'x'));
    {
        FilesOf4kAtMost full;
        EXPECT_THROW(file.Save(written), platform::SaveError);
    }
    EXPECT_EQ(folder.Read("Alarms.ozrini"), "[Alarms]\nVersion=5\n");
    EXPECT_FALSE(folder.Exists(spare));

    // An ordinary save keeps no spare.
    SettingsFile settings;
    settings.Open("\\Settings.ozrini");
    settings.NewFile();
    settings.AddSection("Main");
    ASSERT_EQ(settings.Save(), 1);
    ASSERT_EQ(settings.Save(), 1);
    EXPECT_FALSE(folder.Exists(".Settings.ozrini.spare"));
}

TEST(SettingsFileSave, IntoAFolderThatDoesNotExistRaisesAnError) {
    TempProgramFolder folder;
    SettingsFile file;
    EXPECT_EQ(file.Open("\\Missing\\Folder\\x.ozrini"), 0);
    file.NewFile();
    EXPECT_THROW(file.Save(), platform::Error);
    EXPECT_FALSE(folder.Exists("Missing"));
}

TEST(SettingsFileSave, AFileMadeReadOnlyIsNeverReplaced) {
    TempProgramFolder folder;
    const std::string old = "[Old]\nkept=yes\n";
    folder.Write("Settings.ozrini", old);
    const std::filesystem::path path = folder / "Settings.ozrini";
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);  // 0444, in a writable folder
    SettingsFile file;
    ASSERT_EQ(file.Open("\\Settings.ozrini"), 1);
    file.SelectSection("Old");
    file.WriteString("kept", "no");
    try {
        file.Save();
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const platform::SaveError& e) {
        EXPECT_EQ(e.Path(), path.string());
        EXPECT_EQ(e.Reason(), std::strerror(EACCES));
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos);
    }
    EXPECT_EQ(folder.Read("Settings.ozrini"), old);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, std::filesystem::perms(0444));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator{}), 1);

    // Made writable again, the same content is saved.
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(file.Save(), 1);
    EXPECT_NE(folder.Read("Settings.ozrini").find("kept=no"), std::string::npos);
}

// A process id that no process has now: a child that has ended and been waited for.
static pid_t EndedProcessId() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

TEST(SettingsFileOpen, RemovesTheTemporaryFilesOfKilledSavesOfThatFileOnly) {
    TempProgramFolder folder;
    folder.Write("Settings.ozrini", "[A]\nx=1\n");
    const std::string dead = std::to_string(EndedProcessId());
    const std::string alive = std::to_string(getpid());
    folder.Write(".Settings.ozrini.tmp-" + dead + "-1", "[A]\nx=");       // killed during its save
    folder.Write(".Settings.ozrini.tmp-" + alive + "-7", "[A]\nx=2\n");   // a save under way
    folder.Write(".Other.ozrini.tmp-" + dead + "-1", "[B]\n");            // another file's
    folder.Write(".Settings.ozrini.tmp-notanumber-1", "");               // not one of ours

    SettingsFile file;
    ASSERT_EQ(file.Open("\\Settings.ozrini"), 1);
    EXPECT_FALSE(folder.Exists(".Settings.ozrini.tmp-" + dead + "-1"));
    EXPECT_TRUE(folder.Exists(".Settings.ozrini.tmp-" + alive + "-7"));
    EXPECT_TRUE(folder.Exists(".Other.ozrini.tmp-" + dead + "-1"));
    EXPECT_TRUE(folder.Exists(".Settings.ozrini.tmp-notanumber-1"));
    EXPECT_EQ(file.Content(), (SettingsContent{{"A", {{"x", "1"}}}}));
}
