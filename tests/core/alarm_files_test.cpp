#include "core/alarm_files.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "core/alarm_behavior.h"
#include "core/alarm_keys.h"
#include "core/kept_collections.h"
#include "core/next_firing.h"
#include "platform/scoped_value.h"
#include "tests/core/alarm_test_support.h"

using namespace core;

namespace {

const char* const kHeader = "[Dralo Software Development Ruriv - Alarm Playlist File]\n";

// One alarm's section with all 40 keys in their order; `values` replaces some of them.
std::string Section(const std::string& key, std::map<std::string, std::string> values) {
    const std::map<std::string, std::string> defaults = {
        {"FLAG", "1"}, {"FIRE", "2024-01-08 12:00:00"}, {"OriginalDate", "2024-01-08 12:00:00"}, {"Title", "Wake up"},
        {"SlideInTime", "500"}, {"SlideInAlphaTime", "-1"}, {"SlideInAlphaStopValue", "255"}, {"SlideInDirection", "10"},
        {"SlideOutTime", "400"}, {"SlideOutAlphaTime", "300"}, {"SlideOutAlphaStartValue", "255"}, {"SlideOutDirection", "12"},
        {"W", "300"}, {"H", "120"}, {"WindowProperties", "66"}, {"Alpha", "200"}, {"BackColor", "15658734"},
        {"FontInformation", kNewAlarmFontInformation}, {"Loops", "3"}, {"LoopDelay", "5"},
    };
    std::string text = "[ZTVALR: " + key + "]\n";
    for (const AlarmKey& field : AlarmKeys()) {
        auto given = values.find(field.key);
        auto fallback = defaults.find(field.key);
        std::string value = given != values.end() ? given->second : fallback != defaults.end() ? fallback->second : field.missing;
        text += std::string(field.key) + "=" + value + "\n";
    }
    return text;
}

std::string Collection(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items,
                       const std::string& sections) {
    std::string text = std::string(kHeader) + "\n[Collection: " + name + "]\n";
    for (const auto& [key, value] : items) text += key + "=" + value + "\n";
    return text + "\n" + sections;
}

class AlarmFilesTest : public AlarmTest {
protected:
    void WriteMaster(const std::vector<std::string>& collections) {
        std::string text = "[Master Playlist]\n";
        for (std::size_t i = 0; i < collections.size(); ++i) text += std::to_string(i + 1) + "=" + collections[i] + "\n";
        folder.Write("Alarms/!AlarmMaster.ozrini", text);
    }
    // A collection of one alarm of every kind.
    void WriteEveryKind() {
        WriteMaster({"MyAlarms.ozrini"});
        const std::string sections =
            Section("k1", {{"NAME", "Clock time"}, {"Text", "Two\\r\\nlines"}, {"Sound", "\\Alarms\\Sounds\\Ring.wav"}}) + "\n" +
            Section("k2", {{"NAME", "Countdown"}, {"Flags", "2"}, {"OriginalCountdown", "300"}, {"Icon", "C:\\Pictures\\x.ico"}}) +
            "\n" +
            Section("k3", {{"NAME", "Interval"}, {"Flags", "9"}, {"RepeatInterval", "3600"}, {"OriginalDate", "2024-01-08 08:00:00"},
                           {"Instruction", "|1: 0, 1, 0, 0, 0, 0, 0 "}, {"Extra", "|1: http://127.0.0.1/ "}}) +
            "\n" +
            Section("k4", {{"NAME", "Days"}, {"Flags", "1"}, {"RepeatDaily", "128"}, {"OriginalDate", "2023-05-05 07:00:00"}}) +
            "\n" + Section("k5", {{"NAME", "Retroactive"}, {"Flags", "1033"}, {"RepeatInterval", "60"}, {"FIRE", "2024-01-08 09:00:00"}}) +
            "\n" + Section("k6", {{"NAME", "Windowless"}, {"Flags", "512"}, {"FLAG", "0"}, {"Background", ""}});
        folder.Write("Alarms/MyAlarms.ozrini",
                     Collection("MyAlarms.ozrini",
                                {{"k1", "Clock time"}, {"k2", "Countdown"}, {"k3", "Interval"}, {"k4", "Days"}, {"k5", "Retroactive"},
                                 {"k6", "Windowless"}},
                                sections));
    }
    std::string File(const std::string& name = "MyAlarms.ozrini") const { return folder.Read("Alarms/" + name); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Alarm& a : Alarms) names.push_back(a.NAME);
        return names;
    }
};

TEST_F(AlarmFilesTest, EveryKindOfAlarmLoadsIntoItsFields) {
    WriteEveryKind();
    ProcessAlarms();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(AlarmsLoaded);
    ASSERT_EQ(Alarms.size(), 6u) << "the blank element is taken by the first alarm";
    EXPECT_EQ(Names(), (std::vector<std::string>{"Clock time", "Countdown", "Interval", "Days", "Retroactive", "Windowless"}));

    const Alarm& clock = Alarms[0];
    EXPECT_EQ(clock.AlarmKey, "k1");
    EXPECT_EQ(clock.FLAG, kAlarmOn);
    EXPECT_EQ(Text(clock.FIRE), "2024-01-08 12:00:00");
    EXPECT_EQ(clock.Text, "Two\r\nlines");
    EXPECT_EQ(clock.Sound, folder.Path() + "\\Alarms\\Sounds\\Ring.wav") << "the program folder is put in front";
    EXPECT_EQ(clock.CollectionFile, "MyAlarms.ozrini");
    EXPECT_EQ(clock.AlarmState, 0);
    EXPECT_EQ(clock.SlideSettings, (SlideSettings{500, -1, 0, 255, 10, 0, 400, 300, 255, 0, 12, 0}));
    EXPECT_EQ(clock.W, 300);
    EXPECT_EQ(clock.Loops, 3);
    EXPECT_EQ(clock.FontInformation, kNewAlarmFontInformation);
    EXPECT_EQ(Alarms[1].Icon, "C:\\Pictures\\x.ico") << "other paths stay as stored";
    EXPECT_EQ(Alarms[1].OriginalCountdown, 300);
    EXPECT_EQ(Alarms[2].Flags, 9);
    EXPECT_EQ(ParseBehaviors(Alarms[2].Instruction, Alarms[2].Extra),
              (std::vector<SpecialBehavior>{{0, "http://127.0.0.1/", 0, 0, 0, 0, 0}}));
    EXPECT_EQ(Alarms[3].RepeatDaily, 0x80);
    EXPECT_EQ(Alarms[5].Background, "");
    EXPECT_EQ(Alarms[5].FLAG, kAlarmOff);
}

// A save writes what changed and nothing else: a load changes nothing in the file, though the
// records hold every sound stored from the program folder on as its whole path.
TEST_F(AlarmFilesTest, SavingIsStableAndKeepsEveryRecord) {
    WriteEveryKind();
    const std::string stored = File();
    ProcessAlarms();
    SaveAlarms();
    EXPECT_EQ(File(), stored) << "nothing changed, nothing written";
    Alarms[0].FLAG = kAlarmPassed;
    SaveAlarms();
    EXPECT_NE(File().find("[ZTVALR: k1]\nFLAG=2\n"), std::string::npos);
    EXPECT_NE(File().find("Sound=\\Alarms\\Sounds\\Ring.wav\n"), std::string::npos) << "the sound stays as stored";
    Alarms[0].Sound = folder.Path() + "\\Alarms\\Sounds\\Bell.wav";
    SaveAlarms();
    const std::string first = File();
    EXPECT_NE(first.find("Sound=" + folder.Path() + "\\Alarms\\Sounds\\Bell.wav\n"), std::string::npos)
        << "a changed sound is stored as the record holds it";
    EXPECT_NE(first.find("Text=Two\\r\\nlines\n"), std::string::npos);
    const std::vector<Alarm> loaded = Alarms;
    SaveAlarms();
    EXPECT_EQ(File(), first) << "a second save writes the same bytes";
    ProcessAlarms();
    EXPECT_EQ(Alarms, loaded);
    SaveAlarms();
    EXPECT_EQ(File(), first);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(folder.Exists("Alarms/MyAlarms Backup1.ozrini")) << "a save makes no backup";
}

// Loads and saves keep each collection as they last read or wrote it and pass over the alarms it
// holds as they stand. Whatever else happened to the file meanwhile (an edit that kept its size
// and its time, a section added by hand), a save writes what a save that reads the file afresh
// writes, and a load reads what the file holds.
TEST_F(AlarmFilesTest, KeptCollectionsNeverHideAnOutsideEditNorWriteStaleContent) {
    WriteEveryKind();
    ProcessAlarms();
    const std::string path = folder / "Alarms/MyAlarms.ozrini";
    auto saveAsAfresh = [&](bool inListOrder) {
        const std::string before = File();
        const std::vector<Alarm> alarms = Alarms;
        inListOrder ? SaveAlarmsInListOrder() : SaveAlarms();
        const std::string kept = File();
        const std::vector<Alarm> after = Alarms;
        folder.Write("Alarms/MyAlarms.ozrini", before);
        Alarms = alarms;
        KeepOnlyCollections({});
        inListOrder ? SaveAlarmsInListOrder() : SaveAlarms();
        EXPECT_EQ(kept, File());
        EXPECT_EQ(after, Alarms);
        return kept;
    };
    auto editInPlace = [&](const std::string& from, const std::string& to) {
        const auto time = std::filesystem::last_write_time(path);
        std::string text = File();
        text.replace(text.find(from), from.size(), to);
        folder.Write("Alarms/MyAlarms.ozrini", text);
        std::filesystem::last_write_time(path, time);
    };

    Alarms[0].Title = "Changed";
    EXPECT_NE(saveAsAfresh(false).find("Title=Changed\n"), std::string::npos);
    // The list item's name is the file's own; the alarm's name is the alarm's.
    editInPlace("k1=Clock time", "k1=Clock tame");
    editInPlace("NAME=Countdown", "NAME=Countdowm");
    std::string saved = saveAsAfresh(false);
    EXPECT_NE(saved.find("k1=Clock tame\n"), std::string::npos);
    EXPECT_NE(saved.find("NAME=Countdown\n"), std::string::npos);
    folder.Write("Alarms/MyAlarms.ozrini", File() + "\n[ZTVALR: k9]\nNAME=By hand\n");
    Alarms[2].AlarmState = kAlarmDeleted;
    saved = saveAsAfresh(false);
    EXPECT_NE(saved.find("[ZTVALR: k9]\nNAME=By hand\n"), std::string::npos);
    EXPECT_EQ(saved.find("[ZTVALR: k3]"), std::string::npos);
    EXPECT_EQ(saveAsAfresh(false), saved);
    std::reverse(Alarms.begin(), Alarms.end());
    saveAsAfresh(true);

    editInPlace("NAME=Windowless", "NAME=Windowlass");
    ProcessAlarms();
    const std::vector<Alarm> loaded = Alarms;
    EXPECT_EQ(Names(), (std::vector<std::string>{"Windowlass", "Retroactive", "Days", "Countdown", "Clock time"}));
    ProcessAlarms();
    EXPECT_EQ(Alarms, loaded);
    KeepOnlyCollections({});
    ProcessAlarms();
    EXPECT_EQ(Alarms, loaded);
    EXPECT_TRUE(Boxes().empty());

    // A file that has stood unchanged for longer than its times can be coarse is known by its
    // stamp alone, without reading it, once it was read then or checked then in a quiet second; an
    // edit that kept its size and its time is still seen, made before that check or after the
    // load, by a load and by a save (the list item's name is the file's own).
    editInPlace("NAME=Windowlass", "NAME=Windowlast");
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    SettleKeptCollections();
    ProcessAlarms();
    EXPECT_EQ(Names().front(), "Windowlast");
    editInPlace("NAME=Windowlast", "NAME=Windowless");
    ProcessAlarms();
    EXPECT_EQ(Names().front(), "Windowless");
    editInPlace("k6=Windowless\n", "k6=Windowlesz\n");
    EXPECT_NE(saveAsAfresh(false).find("k6=Windowlesz\n"), std::string::npos);
}

TEST_F(AlarmFilesTest, TextsWithLineBreaksAndTypedMarksComeBackAsLineBreaks) {
    WriteEveryKind();
    ProcessAlarms();
    Alarms[0].Text = "one\r\ntwo \\r\\n three";
    Alarms[1].Text = "a lone\nline feed";
    SaveAlarms();
    EXPECT_NE(File().find("Text=one\\r\\ntwo \\r\\n three\n"), std::string::npos);
    ProcessAlarms();
    EXPECT_EQ(Alarms[0].Text, "one\r\ntwo \r\n three");
    EXPECT_EQ(Alarms[1].Text, "a lone\nline feed") << "the file's own escaping keeps it";
}

TEST_F(AlarmFilesTest, AnEmptyPlaylistGivesOneBlankRecordThatNoSaveWrites) {
    WriteMaster({});
    ProcessAlarms();
    EXPECT_TRUE(AlarmsLoaded);
    ASSERT_EQ(Alarms.size(), 1u);
    EXPECT_EQ(Alarms[0], Alarm{});
    SaveAlarms();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(folder.Exists("Alarms/MyAlarms.ozrini"));
}

// With no alarm file at all the list starts empty and loaded; the first save makes the files the
// next load reads. A file that is there but does not load is kept as it is.
TEST_F(AlarmFilesTest, WithoutAnyAlarmFileTheListStartsEmptyAndTheFirstSaveMakesTheFiles) {
    std::filesystem::create_directories(folder.Path() + "/Alarms");
    ProcessAlarms();
    EXPECT_TRUE(AlarmsLoaded);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(Alarms.size(), 1u);
    EXPECT_TRUE(DefaultCollectionLoadProblem().has_value());
    SaveAlarms();
    EXPECT_FALSE(folder.Exists("Alarms/!AlarmMaster.ozrini")) << "nothing to save makes no file";
    Alarm alarm;
    alarm.AlarmKey = "n1";
    alarm.NAME = "New";
    alarm.CollectionFile = "MyAlarms.ozrini";
    Alarms.push_back(alarm);
    ASSERT_TRUE(SaveAlarms());
    EXPECT_EQ(folder.Read("Alarms/!AlarmMaster.ozrini"), "[Master Playlist]\n1=MyAlarms.ozrini\n");
    EXPECT_EQ(DefaultCollectionLoadProblem(), std::nullopt);
    ProcessAlarms();
    EXPECT_EQ(Names(), (std::vector<std::string>{"New"}));

    // A playlist that lacks the collection gets it; one that cannot be read is kept.
    WriteMaster({"Other.ozrini"});
    EXPECT_NE(DefaultCollectionLoadProblem(), std::nullopt);
    EXPECT_EQ(NameInMasterPlaylist("MyAlarms.ozrini"), std::nullopt);
    EXPECT_EQ(folder.Read("Alarms/!AlarmMaster.ozrini"), "[Master Playlist]\n1=Other.ozrini\n2=MyAlarms.ozrini\n");
    std::filesystem::remove(folder.Path() + "/Alarms/!AlarmMaster.ozrini");
    std::filesystem::create_directory(folder.Path() + "/Alarms/!AlarmMaster.ozrini");
    EXPECT_NE(NameInMasterPlaylist("MyAlarms.ozrini"), std::nullopt);
    std::filesystem::remove(folder.Path() + "/Alarms/!AlarmMaster.ozrini");

    // The collection alone, unreadable, with no playlist: the load fails and no save touches it.
    folder.Write("Alarms/MyAlarms.ozrini", Collection("MyAlarms.ozrini", {{"a", "A"}}, Section("a", {{"FLAG", "300"}})));
    const std::string kept = File();
    ProcessAlarms();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error in ProcessAlarms | mdlAlarms."}));
    SaveAlarms();
    EXPECT_EQ(File(), kept);
    EXPECT_FALSE(folder.Exists("Alarms/!AlarmMaster.ozrini"));
}

TEST_F(AlarmFilesTest, LoadFailuresShowTheBoxAndKeepWhatWasRead) {
    folder.Write("Alarms/MyAlarms.ozrini", Collection("MyAlarms.ozrini", {}, ""));
    ProcessAlarms();  // no master playlist
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error in ProcessAlarms | mdlAlarms."}));
    EXPECT_FALSE(AlarmsLoaded);
    EXPECT_EQ(Alarms.size(), 1u);

    messageBoxes.Requests().clear();
    WriteMaster({"A.ozrini", "Missing.ozrini"});
    folder.Write("Alarms/A.ozrini", Collection("A.ozrini", {{"a1", "A"}, {"a2", "B"}, {"a3", "C"}},
                                               Section("a1", {{"NAME", "First"}}) + Section("a2", {{"FLAG", "300"}}) +
                                                   Section("a3", {{"NAME", "Third"}})));
    ProcessAlarms();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error in ProcessAlarms | mdlAlarms."})) << "FLAG 300 does not fit a byte";
    EXPECT_FALSE(AlarmsLoaded);
    ASSERT_EQ(Alarms.size(), 3u);
    EXPECT_EQ(Alarms[0].NAME, "First");
    EXPECT_EQ(Alarms[1], Alarm{}) << "the record that failed stays blank";
    EXPECT_EQ(Alarms[2], Alarm{});

    // A blank record is never written: the alarms that were not read stay in their file.
    SaveAlarms();
    EXPECT_NE(File("A.ozrini").find("[ZTVALR: a2]\nFLAG=300\n"), std::string::npos);
    EXPECT_NE(File("A.ozrini").find("[ZTVALR: a3]"), std::string::npos);

    messageBoxes.Requests().clear();
    folder.Write("Alarms/A.ozrini", Collection("A.ozrini", {{"a1", "A"}}, Section("a1", {{"FIRE", "2024-xx-01 00:00:00"}})));
    ProcessAlarms();
    EXPECT_EQ(Boxes().size(), 1u) << "a date that is not a date";

    messageBoxes.Requests().clear();
    WriteMaster({"A.ozrini", "Missing.ozrini"});
    folder.Write("Alarms/A.ozrini", Collection("A.ozrini", {{"a1", "A"}}, Section("a1", {})));
    AlarmsLoaded = true;
    ProcessAlarms();
    EXPECT_EQ(Boxes().size(), 1u) << "a collection file that is missing";
    EXPECT_TRUE(AlarmsLoaded) << "a failed reload leaves it set";
    EXPECT_EQ(Alarms.size(), 1u);
    EXPECT_EQ(Alarms[0].AlarmKey, "a1");
}

TEST_F(AlarmFilesTest, AListedAlarmWithoutItsSectionReadsAsEmptyValues) {
    WriteMaster({"MyAlarms.ozrini"});
    folder.Write("Alarms/MyAlarms.ozrini", Collection("MyAlarms.ozrini", {{"lost", "Lost"}}, ""));
    ProcessAlarms();
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(Alarms.size(), 1u);
    EXPECT_EQ(Alarms[0].AlarmKey, "lost");
    EXPECT_EQ(Alarms[0].FLAG, 0);
    EXPECT_EQ(Text(Alarms[0].FIRE), "1900-07-02 00:00:00");
}

TEST_F(AlarmFilesTest, DeletedAlarmsLeaveTheirFileOnce) {
    WriteEveryKind();
    ProcessAlarms();
    Alarms[1].AlarmState = kAlarmDeleted;
    Alarms[2].AlarmState = kAlarmDeleted;
    std::string text = File();
    const std::size_t at = text.find("[ZTVALR: k3]");
    text.erase(at, text.find("[ZTVALR: k4]") - at);  // k3's section is already gone
    folder.Write("Alarms/MyAlarms.ozrini", text);
    SaveAlarms();
    EXPECT_EQ(Alarms[1].AlarmState, kAlarmRemoved);
    EXPECT_EQ(Alarms[2].AlarmState, kAlarmRemoved);
    EXPECT_EQ(File().find("k2"), std::string::npos);
    EXPECT_EQ(File().find("k3"), std::string::npos);
    const std::string saved = File();
    SaveAlarms();
    EXPECT_EQ(File(), saved);
    ProcessAlarms();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Clock time", "Days", "Retroactive", "Windowless"}));
}

TEST_F(AlarmFilesTest, HeldBackAlarmsAreNotWrittenAndRenamesKeepTheListValue) {
    WriteEveryKind();
    ProcessAlarms();
    Alarms[0].NAME = "Renamed";
    Alarms[1].NAME = "Held";
    Alarms[1].AlarmState = kAlarmHeldBack;
    SaveAlarms();
    EXPECT_NE(File().find("k1=Clock time\n"), std::string::npos) << "the list item keeps the old name";
    EXPECT_NE(File().find("NAME=Renamed\n"), std::string::npos);
    EXPECT_EQ(File().find("NAME=Held\n"), std::string::npos);
    Alarms[1].AlarmState = 0;  // the settings window's apply
    SaveAlarms();
    EXPECT_NE(File().find("NAME=Held\n"), std::string::npos);
    ProcessAlarms();
    EXPECT_EQ(Alarms[0].NAME, "Renamed");
}

TEST_F(AlarmFilesTest, EarlyYearsAreStoredWithFourDigitsAndNoDateBeyondThemIsWritten) {
    WriteMaster({"MyAlarms.ozrini"});
    const std::string zero = Section("k3", {{"NAME", "Zero"}, {"OriginalDate", "0000-00-00 00:00:00"}});
    folder.Write("Alarms/MyAlarms.ozrini",
                 Collection("MyAlarms.ozrini", {{"k1", "Year 101"}, {"k2", "Year 999"}, {"k3", "Zero"}, {"k4", "Today"}},
                            Section("k1", {{"NAME", "Year 101"}, {"FIRE", "0101-12-09 10:26:25"}, {"OriginalDate", "0101-12-09 10:26:25"}}) +
                                "\n" + Section("k2", {{"NAME", "Year 999"}, {"FLAG", "0"}, {"OriginalDate", "0999-06-01 00:00:00"}}) +
                                "\n" + zero + "\n" + Section("k4", {{"NAME", "Today"}})));
    platform::ScopedValue debugMode(Settings.DebugMode, true);
    DebugOutputOn = 1;
    ProcessAlarms();
    CalculateNextFiring(true);
    EXPECT_EQ(Alarms[2].AlarmState, kAlarmNoNextFiring) << "the year -1 is no firing time";
    SaveAlarms();
    EXPECT_NE(File().find("FIRE=0101-12-09 10:26:25\nOriginalDate=0101-12-09 10:26:25\n"), std::string::npos) << File();
    EXPECT_NE(File().find("OriginalDate=0999-06-01 00:00:00\n"), std::string::npos);
    EXPECT_NE(File().find(zero), std::string::npos) << "the date it cannot write stays as the file has it";
    EXPECT_NE(folder.Read("!debug.dump").find("\"OriginalDate\" of alarm \"k3\" lies in a year that four digits cannot hold"),
              std::string::npos);

    // The next start loads every alarm of the file the save wrote.
    ProcessAlarms();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Year 101", "Year 999", "Zero", "Today"}));
    EXPECT_EQ(Text(Alarms[0].FIRE), "0101-12-09 10:26:25");
    EXPECT_EQ(Alarms[1].OriginalDate.Year(), 999);
}

TEST_F(AlarmFilesTest, AWindowStyleThatMakesNoWindowLoadsAsTheFirstLoggedAndIsSavedSo) {
    WriteMaster({"MyAlarms.ozrini"});
    folder.Write("Alarms/MyAlarms.ozrini",
                 Collection("MyAlarms.ozrini", {{"k1", "A"}, {"k2", "B"}, {"k3", "C"}, {"k4", "D"}},
                            Section("k1", {{"WindowStyle", "3"}}) + Section("k2", {{"WindowStyle", "-1"}}) +
                                Section("k3", {{"WindowStyle", "300"}}) + Section("k4", {{"WindowStyle", "2"}})));
    platform::ScopedValue debugMode(Settings.DebugMode, true);
    DebugOutputOn = 1;
    ProcessAlarms();
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(Alarms.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Alarms[i].WindowStyle, 0) << i;
    EXPECT_EQ(Alarms[3].WindowStyle, 2);
    EXPECT_NE(folder.Read("!debug.dump").find("\"WindowStyle\" of alarm \"k2\" holds -1, which is no window style"), std::string::npos);
    for (Alarm& a : Alarms) a.AlarmState = 0;
    SaveAlarms();
    EXPECT_NE(File().find("[ZTVALR: k1]"), std::string::npos);
    EXPECT_EQ(File().find("WindowStyle=3\n"), std::string::npos) << File();
    EXPECT_NE(File().find("WindowStyle=2\n"), std::string::npos);
}

TEST_F(AlarmFilesTest, NewAlarmsAndCollectionsInAnyOrderAllEndInTheirFiles) {
    WriteMaster({"A.ozrini", "B.ozrini"});
    folder.Write("Alarms/A.ozrini", Collection("A.ozrini", {}, ""));
    folder.Write("Alarms/B.ozrini", Collection("B.ozrini", {}, ""));
    ProcessAlarms();
    Alarms.clear();
    for (auto [key, collection] : {std::pair{"x1", "A.ozrini"}, {"y1", "B.ozrini"}, {"x2", "A.ozrini"}}) {
        Alarm a;
        a.AlarmKey = key;
        a.NAME = std::string("Alarm ") + key;
        a.CollectionFile = collection;
        a.Loops = -2;
        Alarms.push_back(a);
    }
    SaveAlarms();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_NE(File("A.ozrini").find("[Collection: A.ozrini]\nx1=Alarm x1\nx2=Alarm x2\n"), std::string::npos);
    EXPECT_NE(File("B.ozrini").find("[Collection: B.ozrini]\ny1=Alarm y1\n"), std::string::npos);
    ProcessAlarms();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alarm x1", "Alarm x2", "Alarm y1"}));
    EXPECT_EQ(Alarms[0].Loops, -2);
}

TEST_F(AlarmFilesTest, SaveFailuresShowTheBoxAndKeepEarlierCollections) {
    WriteMaster({"A.ozrini", "B.ozrini"});
    folder.Write("Alarms/A.ozrini", Collection("A.ozrini", {{"a1", "A"}}, Section("a1", {})));
    folder.Write("Alarms/B.ozrini", Collection("B.ozrini", {{"b1", "B"}}, Section("b1", {})));
    ProcessAlarms();
    std::filesystem::remove(folder / "Alarms/B.ozrini");
    Alarms[0].NAME = "Saved";
    Alarms[1].AlarmState = kAlarmDeleted;
    SaveAlarms();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error in SaveAlarms | mdlAlarms."}));
    EXPECT_NE(File("A.ozrini").find("NAME=Saved"), std::string::npos);
    EXPECT_EQ(Alarms[1].AlarmState, kAlarmDeleted) << "not removed while its file still holds it";
    EXPECT_FALSE(folder.Exists("Alarms/B.ozrini")) << "no file is made";
}

TEST_F(AlarmFilesTest, ReorderingRebuildsEachCollectionInListOrder) {
    WriteEveryKind();
    ProcessAlarms();
    std::reverse(Alarms.begin(), Alarms.end());
    Alarms[1].AlarmState = kAlarmDeleted;   // "Retroactive", deleted and not saved yet
    Alarms[2].AlarmState = kAlarmHeldBack;  // "Days", held by the wizard
    SaveAlarmsInListOrder();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Alarms[1].AlarmState, kAlarmRemoved) << "a deleted alarm is not brought back";
    const std::string text = File();
    EXPECT_NE(text.find("[Collection: MyAlarms.ozrini]\nk4=Days\nk6=Windowless\nk3=Interval\nk2=Countdown\nk1=Clock time\n"),
              std::string::npos)
        << text;
    EXPECT_LT(text.find("[ZTVALR: k6]"), text.find("[ZTVALR: k3]"));
    EXPECT_LT(text.find("[ZTVALR: k3]"), text.find("[ZTVALR: k1]"));
    Alarms[2].AlarmState = 0;
    ProcessAlarms();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Days", "Windowless", "Interval", "Countdown", "Clock time"}));
}

TEST_F(AlarmFilesTest, BackupsRotateInThreeGenerations) {
    folder.Write("Alarms/MyAlarms.ozrini", "v1");
    BackupAlarms();
    folder.Write("Alarms/MyAlarms.ozrini", "v2");
    BackupAlarms();
    folder.Write("Alarms/MyAlarms.ozrini", "v3");
    BackupAlarms();
    folder.Write("Alarms/MyAlarms.ozrini", "v4");
    BackupAlarms();
    EXPECT_EQ(File("MyAlarms Backup1.ozrini"), "v4");
    EXPECT_EQ(File("MyAlarms Backup2.ozrini"), "v3");
    EXPECT_EQ(File("MyAlarms Backup3.ozrini"), "v2");

    std::filesystem::remove(folder / "Alarms/MyAlarms Backup2.ozrini");
    folder.Write("Alarms/MyAlarms.ozrini", "v5");
    BackupAlarms();
    EXPECT_EQ(File("MyAlarms Backup3.ozrini"), "v2") << "a missing Backup2 leaves Backup3 as it was";
    EXPECT_EQ(File("MyAlarms Backup2.ozrini"), "v4");
    EXPECT_EQ(File("MyAlarms Backup1.ozrini"), "v5");
    EXPECT_TRUE(Boxes().empty());
    for (const auto& entry : std::filesystem::directory_iterator(folder / "Alarms"))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << "no temporary file is left";
}

TEST_F(AlarmFilesTest, NewKeysAreNeverOnesTheListHolds) {
    const DateTime moment = At("2024-03-05 07:08:09");
    std::set<std::string> keys;
    for (int i = 0; i < 200; ++i) {
        Alarm a;
        a.AlarmKey = GenerateAlarmKey(moment);
        EXPECT_TRUE(a.AlarmKey.starts_with("2024-03-05 # 07:08:09 # "));
        EXPECT_TRUE(keys.insert(a.AlarmKey).second) << a.AlarmKey;
        Alarms.push_back(a);
    }
}

// A program killed at any moment of a save leaves a collection file that loads whole.
TEST_F(AlarmFilesTest, KillingTheProgramDuringSavesNeverBreaksTheCollection) {
    WriteEveryKind();
    ProcessAlarms();
    ASSERT_EQ(Alarms.size(), 6u);
    std::mt19937 random(16);
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The child saves for ever: renames, reorders, and grows one alarm's text.
            for (std::uint64_t n = 0;; ++n) {
                Alarms[n % Alarms.size()].NAME = "Name " + std::to_string(n);
                Alarms[0].Text = std::string(n % 5000, 'x');
                if (n % 3 == 0) {
                    std::rotate(Alarms.begin(), Alarms.begin() + 1, Alarms.end());
                    SaveAlarmsInListOrder();
                } else {
                    SaveAlarms();
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child was saving when killed";

        ProcessAlarms();
        ASSERT_TRUE(Boxes().empty()) << "round " << round;
        ASSERT_EQ(Alarms.size(), 6u) << "round " << round;
        std::set<std::string> keys;
        for (const Alarm& a : Alarms) keys.insert(a.AlarmKey);
        ASSERT_EQ(keys, (std::set<std::string>{"k1", "k2", "k3", "k4", "k5", "k6"})) << "round " << round;
    }
}

}  // namespace
