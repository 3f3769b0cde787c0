// The desktop's programs that the clock starts, each replaced by a stand-in on PATH: the date and
// time settings (the first known tool, with the arguments that open its date and time page; without
// any, nothing starts and the answer is false) and the document opener.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/services/date_time_settings.h"
#include "platform/services/document_opener.h"
#include "temp_folder.h"

namespace {

class PathScope {
public:
    explicit PathScope(const std::string& path) {
        const char* old = std::getenv("PATH");
        if (old) saved_ = old;
        setenv("PATH", path.c_str(), 1);
    }
    ~PathScope() { setenv("PATH", saved_.c_str(), 1); }
    PathScope(const PathScope&) = delete;
    PathScope& operator=(const PathScope&) = delete;

private:
    std::string saved_;
};

// A stand-in tool that writes its arguments into a file beside it.
void WriteTool(const TempProgramFolder& folder, const std::string& name) {
    const std::string path = folder / name;
    std::ofstream(path) << "#!/bin/sh\necho \"$0 $*\" > \"" << (folder / "started") << "\"\n";
    chmod(path.c_str(), 0755);
}

// The line the stand-in wrote; the next start writes a new one.
std::string WaitForStart(const TempProgramFolder& folder) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(folder / "started");
        std::string line;
        if (std::getline(in, line) && !line.empty()) {
            std::filesystem::remove(folder / "started");
            return line;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

TEST(DateTimeSettings, StartsTheFirstKnownToolOnThePathWithItsDateAndTimePage) {
    TempProgramFolder folder;
    WriteTool(folder, "time-admin");
    WriteTool(folder, "gnome-control-center");
    PathScope path(folder.Path() + ":/bin:/usr/bin");
    auto tool = platform::DateTimeSettings::MakeReal();
    EXPECT_TRUE(tool->Open());
    EXPECT_EQ(WaitForStart(folder), folder / "gnome-control-center" + " datetime");
}

TEST(DateTimeSettings, WithoutAnyToolNothingStarts) {
    TempProgramFolder folder;
    std::ofstream(folder / "time-admin") << "not executable\n";
    PathScope path(folder.Path());
    EXPECT_FALSE(platform::DateTimeSettings::MakeReal()->Open());
}

// A target that starts with "-" names a file; xdg-open must never read it as an option.
TEST(DocumentOpener, HandsTheTargetToXdgOpenAsAFileOrAddressNeverAsAnOption) {
    TempProgramFolder folder;
    WriteTool(folder, "xdg-open");
    PathScope path(folder.Path() + ":/bin:/usr/bin");
    auto opener = platform::DocumentOpener::MakeReal();
    const std::pair<const char*, const char*> cases[] = {
        {"-x", "./-x"},
        {"--help", "./--help"},
        {"http://127.0.0.1/page", "http://127.0.0.1/page"},
        {"/tmp/notes -x.txt", "/tmp/notes -x.txt"},
    };
    for (const auto& [target, argument] : cases) {
        EXPECT_TRUE(opener->Open(target, 1)) << target;
        EXPECT_EQ(WaitForStart(folder), folder / "xdg-open" + " " + argument) << target;
    }
    EXPECT_FALSE(opener->Open("", 1));
}

}  // namespace
