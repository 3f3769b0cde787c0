#include "core/debug_log.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/program_settings.h"
#include "platform/services/clock.h"
#include "tests/platform/services/temp_folder.h"

using namespace core;

namespace {

// A program folder of its own and a virtual clock at 2026-03-01 09:05:07 local time.
class DebugLogTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        std::int64_t start = 0;
        ASSERT_TRUE(platform::ParseLocalTimestamp("2026-03-01T09:05:07", &start));
        platform::InstallService<platform::Clock>(platform::MakeVirtualClock(start));
        Settings.DebugMode = true;
        DebugOutputOn = 1;
    }
    void TearDown() override {
        platform::InstallService<platform::Clock>(platform::MakeSystemClock());
        Settings.DebugMode = false;
        DebugOutputOn = 0;
    }
    TempProgramFolder folder;
};

}  // namespace

TEST_F(DebugLogTest, AppendsQuotedDateTimeAndTextLinesEndedByCrLf) {
    DebugLog("[frmMain]: OZR Ruriv successfully started.");
    DebugLog("");
    platform::CurrentClock().Advance(61'000);
    DebugLog("{PaintClock}: said \"hello\"");
    EXPECT_EQ(folder.Read("!debug.dump"),
              "\"2026-03-01 - 09:05:07 > [frmMain]: OZR Ruriv successfully started.\"\r\n"
              "\"2026-03-01 - 09:05:07 > \"\r\n"
              "\"2026-03-01 - 09:06:08 > {PaintClock}: said \"hello\"\"\r\n");
}

TEST_F(DebugLogTest, WritesOnlyWhenDebugModeIsOnNowAndWasOnAtStartUp) {
    struct Case {
        bool debugMode;
        std::uint8_t outputOn;
        bool written;
    } cases[] = {{false, 0, false}, {true, 0, false}, {false, 1, false}, {true, 2, false}, {true, 1, true}};
    for (const Case& c : cases) {
        Settings.DebugMode = c.debugMode;
        DebugOutputOn = c.outputOn;
        std::filesystem::remove(folder / "!debug.dump");
        DebugLog("line");
        EXPECT_EQ(folder.Exists("!debug.dump"), c.written) << c.debugMode << " " << int(c.outputOn);
    }
}

TEST_F(DebugLogTest, ALogThatCannotBeWrittenDropsTheLineAndSaysSoOnStderr) {
    platform::SetProgramFolder(folder / "no such folder");
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(DebugLog("lost line"));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("lost line"), std::string::npos) << said;
    EXPECT_FALSE(folder.Exists("no such folder"));
}
