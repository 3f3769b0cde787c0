// What the program does with a settings file that a crash, the user or an editor left in a state
// of its own: a save's temporary file, a file made read-only, a value out of its range.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/program_settings.h"
#include "desktop_harness.h"

using namespace platform;
using namespace desktop;
namespace fs = std::filesystem;

namespace {

const char* kLaterRun = "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";

DesktopOptions LaterRun(const std::string& more = "", std::function<void(const fs::path&)> alsoPrepare = {}) {
    return {.prepare = [=](const fs::path& folder) {
        std::ofstream(folder / "Settings.ozrini") << kLaterRun << more;
        if (alsoPrepare) alsoPrepare(folder);
    }};
}

pid_t EndedProcessId() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

TEST(SettingsFileFaults, TheTemporaryFileOfAKilledSaveIsGoneAfterTheNextStart) {
    const std::string stale = ".Settings.ozrini.tmp-" + std::to_string(EndedProcessId()) + "-1";
    Desktop d(LaterRun("", [&](const fs::path& folder) { std::ofstream(folder / stale) << "[Dralo Software"; }));
    ASSERT_TRUE(d.Start());
    EXPECT_FALSE(d.FileExists(stale));
    EXPECT_EQ(core::Settings.RunCount, 4);
}

TEST(SettingsFileFaults, ASettingsFileMadeReadOnlyIsNeverReplaced) {
    Desktop d(LaterRun("", [](const fs::path& folder) {
        fs::permissions(folder / "Settings.ozrini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }));
    const std::string before = d.ReadFile("Settings.ozrini");
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    SendMessage(main, core::WM_CLOCKQUIT, 0, 0);
    d.Advance(100);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.ExitCode(), 0);
    EXPECT_EQ(d.ReadFile("Settings.ozrini"), before);
    EXPECT_EQ(fs::status(d.PathOf("Settings.ozrini")).permissions() & fs::perms::all, fs::perms(0444));
    ASSERT_FALSE(d.MessageBoxes().empty());
    EXPECT_NE(d.MessageBoxes().back().text.find(std::strerror(EACCES)), std::string::npos) << d.MessageBoxes().back().text;
}

TEST(SettingsFileFaults, ALanguageOutOfRangeStartsInEnglishAndTheLogSaysSo) {
    Desktop d(LaterRun("[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n[Aspect]\nLanguage=7\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    EXPECT_FALSE(d.Ended());
    EXPECT_TRUE(d.MessageBoxes().empty());
    EXPECT_EQ(core::Settings.Language, 0);
    EXPECT_EQ(core::LanguageFile.RealPath(), d.PathOf("System/Lang/000English.ozrini").string());
    const std::string log = d.ReadFile("!debug.dump");
    EXPECT_NE(log.find("\"Language\" in section \"Aspect\" holds \"7\", not a whole number from -1 to 2"), std::string::npos) << log;
}

}  // namespace
