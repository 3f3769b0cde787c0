// Many copies of the program started at once in one program folder: exactly one runs, and every
// other one ends with status 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "desktop_harness.h"

using namespace desktop;

namespace {

TEST(RunningCopies, OfTwentyStartedAtOnceInOneFolderExactlyOneRuns) {
    Desktop folder({.prepare = [](const std::filesystem::path& f) {
        std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";
    }});  // only its program folder is used; it is not started in this process
    const std::string executable = (folder.Folder() / "OZRClock").string();

    // Every copy waits on one pipe, so that all of them start the moment it is closed.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::set<pid_t> copies;
    for (int i = 0; i < 20; ++i) {
        pid_t child = fork();
        if (child == 0) {
            close(gate[1]);
            char c;
            (void)!read(gate[0], &c, 1);
            setenv("OZR_PRESENTER", "headless", 1);
            unsetenv("OZR_CLOCK");
            setenv("OZR_RUN_FOR", "60", 1);
            execl(executable.c_str(), executable.c_str(), nullptr);
            _exit(127);
        }
        ASSERT_GT(child, 0);
        copies.insert(child);
    }
    close(gate[0]);
    close(gate[1]);

    // The others end on their own; the running copy stays until it is ended below.
    int endedWithZero = 0, endedOtherwise = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(50);
    while (copies.size() > 1 && std::chrono::steady_clock::now() < giveUp) {
        int status = 0;
        pid_t ended = waitpid(-1, &status, WNOHANG);
        if (ended > 0 && copies.erase(ended)) {
            (WIFEXITED(status) && WEXITSTATUS(status) == 0 ? endedWithZero : endedOtherwise) += 1;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // a second runner would still be here
    int status = 0;
    for (pid_t copy : copies)
        if (waitpid(copy, &status, WNOHANG) == copy) ++endedOtherwise;
    EXPECT_EQ(copies.size(), 1u);
    EXPECT_EQ(endedWithZero, 19);
    EXPECT_EQ(endedOtherwise, 0);
    for (pid_t copy : copies) {
        kill(copy, SIGKILL);
        waitpid(copy, &status, 0);
    }
}

}  // namespace
