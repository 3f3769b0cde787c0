#include "core/settings_load.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "core/debug_log.h"
#include "platform/services/clock.h"
#include "tests/platform/services/temp_folder.h"

using namespace core;

namespace {

// A fresh program folder, a 1024 x 768 screen and a virtual clock; every global starts afresh.
class SettingsLoadTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        std::int64_t start = 0;
        ASSERT_TRUE(platform::ParseLocalTimestamp("2026-03-01T09:05:07", &start));
        platform::InstallService<platform::Clock>(platform::MakeVirtualClock(start));
        Settings = ProgramSettings{};
        Labels.assign(1, ClockLabel{});
        LabelCount = 0;
        MainSettingsFile = platform::SettingsFile{};
        SettingsLoadNotes.clear();
        DebugOutputOn = 0;
        SettingsRoutineHooks = SettingsHooks{};
        SettingsRoutineHooks.GetScreenSize = [this] { return screen; };
        SettingsRoutineHooks.UpdateLabelKerning = [this](std::int16_t dx, std::int16_t dy) {
            ++kerningCalls;
            ShiftLabelOffsets(dx, dy);
        };
        SettingsRoutineHooks.ModalWindowOpen = [this] { return modalWindowOpen; };
        SettingsRoutineHooks.ResendLabels = [this] { ++resends; };
    }
    void TearDown() override {
        platform::InstallService<platform::Clock>(platform::MakeSystemClock());
        DebugOutputOn = 0;
        Settings = ProgramSettings{};
    }

    std::string SettingsText() const { return folder.Read("Settings.ozrini"); }

    TempProgramFolder folder;
    ScreenSizeTwips screen{1024 * 15, 768 * 15};
    bool modalWindowOpen = false;
    int kerningCalls = 0;
    int resends = 0;
};

const char* const kDefaultKeys =
    "[Dralo Software Development Ruriv - Settings File]\n"
    "Minimum OZRClock.exe Module Version=2.7.17\n\n"
    "[Float Window]\nX=7605\nY=5735\nAnchor=0\nAlwaysOnTop=1\nAlwaysOnTopFS=0\nWindowType=0\nAlpha=0\n"
    "TransparencyColor=0\nBackColor=0\n\n"
    "[Systray Window]\nTransparentMode=1\n\n"
    "[Main Settings]\nRunCount=0\nAutoStart=1\nPopupHelp=1\nPopupHelpDelay=500\nSplash=1\nAlwaysOnTopWindows=1\n"
    "Tooltip=1\nTooltipDelay=300\nTooltipFadeIn=500\nTooltipFadeOut=1000\nTooltipMaxOpacity=255\nSystrayClock=0\n"
    "AutoSize=1\nWidth=150\nHeight=50\nCenter=0\nX=0\nY=0\nLeft=1\nTop=1\nPX=3030\nPY=2310\n\n"
    "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=0\nDLLDebugMode=0\nRefresh=100\n"
    "PaintThreshold=20\nOSBugFixer=1\n\n"
    "[Aspect]\nInterfaceStyle=4\nInterfaceSound=1\nMenusTranslucent=0\nMenusAlpha=0\nContextsTranslucent=0\n"
    "ColorScheme=3\nLanguage=0\n\n"
    "[Atomic Ruriv]\nEvery=1\nEveryMinutes=240\nAtomicStartup=1\nServer=0\nTryNext=1\nRemember=1\nRetries=10\n"
    "Ahead=1\nAtomicPlus=0\nAtomicMinus=0\n\n"
    "[OZR Ruriv Anywhere]\nServer=0\nServerURL=http://anywhere.ozr-ruriv.example/\nUsername=\nPassword=\n"
    "Confirmation=1\nLastSave=\n\n"
    "[Shortcuts]\nOZR=0\n\n";

const char* const kDefaultLabelSections =
    "[ZTVLBL: Precise Time]\nX=0\nY=0\nFace=Arial\nSize=10\nBold=700\nItalic=0\nUnderline=0\nStrikeOut=0\n"
    "Back=0\nFore=16777215\nSpawnString=achh:mm:ss\nVisible=1\n\n"
    "[ZTVLBL: Japanese Date]\nX=0\nY=0\nFace=Arial\nSize=10\nBold=400\nItalic=0\nUnderline=0\nStrikeOut=0\n"
    "Back=16777215\nFore=0\nSpawnString=acYYYY-MM-DD\nVisible=1\n";

}  // namespace

TEST_F(SettingsLoadTest, AFreshFolderGetsEveryKeyWithItsDefaultAndTheTwoDefaultLabels) {
    LoadSettings();
    EXPECT_FALSE(folder.Exists("Settings.ozrini")) << "loading never writes the file";
    EXPECT_TRUE(SettingsLoadNotes.empty());

    EXPECT_EQ(Settings.FloatWindowLeft, 7605);
    EXPECT_EQ(Settings.FloatWindowTop, 5735);
    EXPECT_EQ(Settings.PX, 3030);
    EXPECT_EQ(Settings.PY, 2310);
    EXPECT_TRUE(Settings.FloatAlwaysOnTop);
    EXPECT_EQ(Settings.TooltipMaxOpacity, 255);
    EXPECT_EQ(Settings.ServerURL, kDefaultServerURL);
    EXPECT_EQ(Settings.RunCount, 0);

    ASSERT_EQ(LabelCount, 2);
    ASSERT_EQ(Labels.size(), 3u);
    // Both keys are made in the same second, yet differ.
    const std::regex keyForm(R"(2026-03-01 # 09:05:07 # \d{1,3})");
    EXPECT_TRUE(std::regex_match(Labels[0].LabelKey, keyForm)) << Labels[0].LabelKey;
    EXPECT_TRUE(std::regex_match(Labels[1].LabelKey, keyForm)) << Labels[1].LabelKey;
    EXPECT_NE(Labels[0].LabelKey, Labels[1].LabelKey);
    EXPECT_EQ(Labels[0].LabelName, "Precise Time");
    EXPECT_EQ(Labels[1].SpawnString, "acYYYY-MM-DD");
    EXPECT_EQ(kerningCalls, 1);

    SaveSettings(true);
    const std::string expected = std::string(kDefaultKeys) + "[Labels]\n" + Labels[0].LabelKey + "=Precise Time\n" +
                                 Labels[1].LabelKey + "=Japanese Date\n\n" + kDefaultLabelSections;
    EXPECT_EQ(SettingsText(), expected);
    EXPECT_EQ(resends, 0);

    // The next start finds every key: nothing is added and the same file is written again.
    MainSettingsFile = platform::SettingsFile{};
    LoadSettings();
    SaveSettings(true);
    EXPECT_EQ(SettingsText(), expected);
    EXPECT_TRUE(SettingsLoadNotes.empty());
}

TEST_F(SettingsLoadTest, ScreenDefaultsRoundHalvesToEven) {
    screen = {1023 * 15, 767 * 15};  // 15345 x 11505 twips
    LoadSettings();
    EXPECT_EQ(Settings.FloatWindowLeft, 7598);  // 7597.5
    EXPECT_EQ(Settings.FloatWindowTop, 5728);   // 5727.5
    EXPECT_EQ(Settings.PX, 3022);               // 3022.5
    EXPECT_EQ(Settings.PY, 2302);               // 2302.5
}

TEST_F(SettingsLoadTest, BadOrOutOfRangeValuesLoadAsTheDefaultAndTheLogSaysSo) {
    folder.Write("Settings.ozrini",
                 "[Float Window]\nAnchor=300\nAlwaysOnTop=abc\nTransparencyColor=99999999999\n"
                 "[Main Settings]\nPopupHelpDelay=40000\nSplash=5\nTooltipMaxOpacity=-1\nWidth=-32768\nHeight=-5\n"
                 "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"
                 "[Aspect]\nColorScheme=0\nLanguage=-1\n"
                 "[OZR Ruriv Anywhere]\nUsername= spaced | odd=name \n");
    Settings.DebugMode = true;  // on at start-up
    DebugOutputOn = 1;
    LoadSettings();

    EXPECT_EQ(Settings.Anchor, 0);
    EXPECT_TRUE(Settings.FloatAlwaysOnTop);
    EXPECT_EQ(Settings.TransparencyColor, 0);
    EXPECT_EQ(Settings.PopupHelpDelay, 500);
    EXPECT_EQ(Settings.TooltipMaxOpacity, 255);
    EXPECT_TRUE(Settings.Splash);
    EXPECT_EQ(Settings.Language, -1);
    EXPECT_EQ(Settings.Username, " spaced | odd=name ");
    EXPECT_EQ(Settings.ClockWidth, 150) << "a clock of no size would not be seen";
    EXPECT_EQ(Settings.ClockHeight, 50);
    EXPECT_EQ(Settings.ColorScheme, 3) << "a scheme the settings windows cannot draw in";

    ASSERT_EQ(SettingsLoadNotes.size(), 8u);
    EXPECT_EQ(SettingsLoadNotes[0],
              "[LoadSettings]: \"Anchor\" in section \"Float Window\" holds \"300\", not a whole number from 0 to 255; the default 0 is used.");
    for (const char* key : {"AlwaysOnTop", "TransparencyColor", "PopupHelpDelay", "TooltipMaxOpacity", "Width", "Height", "ColorScheme"}) {
        bool told = std::any_of(SettingsLoadNotes.begin(), SettingsLoadNotes.end(),
                                [&](const std::string& note) { return note.find(std::string("\"") + key + "\"") != std::string::npos; });
        EXPECT_TRUE(told) << key;
    }
    const std::string log = folder.Read("!debug.dump");
    EXPECT_NE(log.find("holds \"300\""), std::string::npos) << log;
    EXPECT_NE(log.find("holds \"abc\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"Height\" in section \"Main Settings\" holds \"-5\", not a whole number from 10 to 32767; the default 50 is used."),
              std::string::npos)
        << log;

    SaveSettings(true);
    const std::string saved = SettingsText();
    for (const char* line : {"\nAnchor=0\n", "\nAlwaysOnTop=1\n", "\nTransparencyColor=0\n", "\nPopupHelpDelay=500\n", "\nSplash=1\n",
                             "\nWidth=150\n", "\nHeight=50\n", "\nColorScheme=3\n",
                             "\nLanguage=-1\n", "\nUsername= spaced | odd=name \n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
}

TEST_F(SettingsLoadTest, LabelsCarryTheGlobalOffsetInMemoryButNotInTheFile) {
    folder.Write("Settings.ozrini",
                 "[Main Settings]\nX=2\nY=-1\n"
                 "[Labels]\nk1=Clock\n"
                 "[ZTVLBL: Clock]\nX=30\nY=45\nFace=Verdana\nSize=12\nBold=700\nItalic=-1\nUnderline=1\nStrikeOut=0\n"
                 "Back=255\nFore=65280\nSpawnString=|hh|\nVisible=-1\n");
    LoadSettings();
    ASSERT_EQ(LabelCount, 1);
    const ClockLabel& label = Labels[0];
    EXPECT_EQ(label.LabelKey, "k1");
    EXPECT_EQ(label.X, 60);
    EXPECT_EQ(label.BaseX, 30);
    EXPECT_EQ(label.Y, 30);
    EXPECT_EQ(label.BaseY, -15);
    EXPECT_TRUE(label.Italic && label.Underline && !label.StrikeOut && label.Visible);
    EXPECT_EQ(label.SpawnString, "|hh|");

    // Reloading (the settings window's cancel) must not count the offset twice.
    LoadSettings();
    EXPECT_EQ(Labels[0].X, 60);
    EXPECT_EQ(Labels[0].BaseX, 30);

    SaveSettings(true);
    const std::string saved = SettingsText();
    EXPECT_NE(saved.find("[ZTVLBL: Clock]\nX=30\nY=45\nFace=Verdana\nSize=12\nBold=700\nItalic=-1\nUnderline=-1\nStrikeOut=0\n"
                         "Back=255\nFore=65280\nSpawnString=|hh|\nVisible=1\n"),
              std::string::npos)
        << saved;
}

TEST_F(SettingsLoadTest, BadOrMissingLabelEntriesLoadAsZeroAndAreLogged) {
    folder.Write("Settings.ozrini", "[Labels]\nk1=Broken\n[ZTVLBL: Broken]\nX=30\nSize=huge\nBold=99999\nFace=Arial\n");
    LoadSettings();
    ASSERT_EQ(LabelCount, 1);
    EXPECT_EQ(Labels[0].X, 30);
    EXPECT_EQ(Labels[0].Size, 0);
    EXPECT_EQ(Labels[0].Bold, 0);
    EXPECT_EQ(Labels[0].Face, "Arial");
    // Size and Bold hold bad values; Y, the font switches, colours, script and Visible are missing.
    EXPECT_EQ(SettingsLoadNotes.size(), 2u + 8u);
    EXPECT_EQ(SettingsLoadNotes[0], "[LoadSettings]: \"Y\" in section \"ZTVLBL: Broken\" is missing; the label takes 0.");
}

TEST_F(SettingsLoadTest, AnEmptyLabelListLeavesOnlyTheSpareWithSizeMinusOne) {
    folder.Write("Settings.ozrini", "[Labels]\n");
    LoadSettings();
    EXPECT_EQ(LabelCount, 0);
    ASSERT_EQ(Labels.size(), 1u);
    EXPECT_EQ(Labels[0].Size, -1);
    EXPECT_EQ(kerningCalls, 0);
}

TEST_F(SettingsLoadTest, SaveWaitsForModalWindowsUnlessForcedAndNeverWritesRunCount) {
    folder.Write("Settings.ozrini", "[Main Settings]\nRunCount=7\n");
    LoadSettings();
    EXPECT_EQ(Settings.RunCount, 7);
    Settings.RunCount = 99;
    Settings.ClockWidth = 321;

    modalWindowOpen = true;
    SaveSettings(false);
    EXPECT_EQ(SettingsText(), "[Main Settings]\nRunCount=7\n");
    SaveSettings(true);
    EXPECT_NE(SettingsText().find("\nWidth=321\n"), std::string::npos);
    EXPECT_NE(SettingsText().find("\nRunCount=7\n"), std::string::npos);

    // Start-up counts the run in the file content; the next save takes it to the disk.
    modalWindowOpen = false;
    MainSettingsFile.WriteLongIn("Main Settings", "RunCount", Settings.RunCount + 1, Settings.RunCount + 1, true);
    SaveSettings(false);
    EXPECT_NE(SettingsText().find("\nRunCount=100\n"), std::string::npos);
    EXPECT_EQ(MainSettingsFile.ReadText(kSettingsHeader, kVersionKey), "2.7.17");
}

TEST_F(SettingsLoadTest, TheFloatingWindowsPositionIsTakenRoundedHalvesToEven) {
    LoadSettings();
    SettingsRoutineHooks.MainWindowTopLeft = [] { return TwipsPoint{100.5, 101.5}; };
    SaveSettings(true);
    EXPECT_EQ(Settings.FloatWindowLeft, 100);
    EXPECT_EQ(Settings.FloatWindowTop, 102);
    EXPECT_NE(SettingsText().find("[Float Window]\nX=100\nY=102\n"), std::string::npos);
}

TEST_F(SettingsLoadTest, ARenamedLabelKeepsItsKeyAndANewLabelIsAddedAndSentAgain) {
    folder.Write("Settings.ozrini", "[Main Settings]\nX=2\n[Labels]\nk1=Old\n[ZTVLBL: Old]\nX=30\nY=0\nVisible=1\n");
    LoadSettings();
    Labels[0].LabelName = "New";
    Labels[0].LabelFlags = 0x4;

    ClockLabel added;
    added.LabelName = "Added";
    added.LabelKey = "k2";
    added.X = 45 + 30;  // a new label carries the global offset like the others
    added.BaseX = 30;
    added.Visible = true;
    Labels.insert(Labels.begin() + 1, added);
    LabelCount = 2;

    SaveSettings(true);
    EXPECT_EQ(resends, 1);
    std::vector<std::string> keys, values;
    EXPECT_EQ(MainSettingsFile.ReadSection(kLabelList, keys, values), 2);
    EXPECT_EQ(keys, (std::vector<std::string>{"k1", "k2"}));
    EXPECT_EQ(values, (std::vector<std::string>{"New", "Added"}));
    EXPECT_EQ(MainSettingsFile.ReadLongAt("ZTVLBL: New", "X"), 30);
    EXPECT_EQ(MainSettingsFile.ReadLongAt("ZTVLBL: Added", "X"), 45);

    // Read back after the addition: the offsets stay consistent, and the library's flags stay.
    ASSERT_EQ(LabelCount, 2);
    EXPECT_EQ(Labels[0].X - Labels[0].BaseX, 30);
    EXPECT_EQ(Labels[1].X - Labels[1].BaseX, 45);
    EXPECT_EQ(Labels[0].LabelFlags, 0x4);
    SaveSettings(true);
    EXPECT_EQ(MainSettingsFile.ReadLongAt("ZTVLBL: New", "X"), 30);
    EXPECT_EQ(MainSettingsFile.ReadLongAt("ZTVLBL: Added", "X"), 45);
    EXPECT_EQ(resends, 1);
}
