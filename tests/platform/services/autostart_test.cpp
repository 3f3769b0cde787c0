// The autostart entry: what it holds, the quoting of the program's path, where it goes, and a
// folder that cannot be written.
#include "platform/services/autostart.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/services/whole_file.h"
#include "temp_folder.h"

namespace {

using namespace platform;

TEST(AutostartEntry, QuotesTheProgramAsTheDesktopEntryRulesAsk) {
    struct Case {
        const char* program;
        const char* exec;
    };
    const Case cases[] = {
        {"/opt/ruriv/OZRClock", "/opt/ruriv/OZRClock"},
        {"/home/ann/My Clock/OZRClock", "\"/home/ann/My Clock/OZRClock\""},
        {"/tmp/a\"b$c`d/OZRClock", "\"/tmp/a\\\\\"b\\\\$c\\\\`d/OZRClock\""},
        {"/tmp/back\\slash/OZRClock", "\"/tmp/back\\\\\\\\slash/OZRClock\""},
        {"/tmp/100%/OZRClock", "/tmp/100%%/OZRClock"},
    };
    for (const Case& c : cases) EXPECT_EQ(QuoteExecArgument(c.program), c.exec) << c.program;
    EXPECT_EQ(AutostartEntryText("/opt/ruriv/OZRClock"),
              "[Desktop Entry]\nType=Application\nName=Dralo Software Development Ruriv\nExec=/opt/ruriv/OZRClock\n");
}

TEST(AutostartEntry, IsWrittenIntoTheFolderAndRemovedAgain) {
    TempProgramFolder config;
    auto autostart = MakeAutostartIn(config.Path());
    const std::string entry = config / "autostart/dralo-ozr-ruriv.desktop";
    ASSERT_TRUE(autostart->Disable()) << "no entry yet: nothing to remove";
    ASSERT_TRUE(autostart->Enable("/opt/ruriv/OZRClock"));
    EXPECT_EQ(ReadWholeFile(entry), AutostartEntryText("/opt/ruriv/OZRClock"));
    ASSERT_TRUE(autostart->Enable("/opt/other/OZRClock"));
    EXPECT_EQ(ReadWholeFile(entry), AutostartEntryText("/opt/other/OZRClock"));
    ASSERT_TRUE(autostart->Disable());
    EXPECT_FALSE(std::filesystem::exists(entry));
}

TEST(AutostartEntry, GoesToXdgConfigHomeOrElseDotConfig) {
    TempProgramFolder folder;
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
    setenv("XDG_CONFIG_HOME", (folder / "xdg").c_str(), 1);
    setenv("HOME", (folder / "home").c_str(), 1);
    EXPECT_TRUE(Autostart::MakeReal()->Enable("/p/OZRClock"));
    EXPECT_TRUE(std::filesystem::exists(folder / "xdg/autostart/dralo-ozr-ruriv.desktop"));
    setenv("XDG_CONFIG_HOME", "relative/not/used", 1);
    EXPECT_TRUE(Autostart::MakeReal()->Enable("/p/OZRClock"));
    EXPECT_TRUE(std::filesystem::exists(folder / "home/.config/autostart/dralo-ozr-ruriv.desktop"));
    oldXdg ? setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    oldHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}

TEST(AutostartEntry, AFolderThatCannotBeWrittenFailsWithAReason) {
    TempProgramFolder config;
    // A file where the autostart folder should be: no entry can go there, whoever runs the test.
    std::filesystem::create_directories(config / "blocked");
    { std::ofstream(config / "blocked/autostart") << "a file"; }
    auto autostart = MakeAutostartIn(config / "blocked");
    EXPECT_FALSE(autostart->Enable("/opt/ruriv/OZRClock"));
    EXPECT_NE(autostart->LastError(), "");
}

}  // namespace
