// The running-copy bridge between two real processes: a second copy finds the first one's
// window by its title and sends it a plain message over the per-user socket.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/window/loop.h"
#include "platform/window/remote.h"
#include "window_test_support.h"

using namespace platform;
using namespace wintest;

namespace {

constexpr UINT WM_ACTIVATE_COPY = 0x06BE;

std::string UniqueFolder(const char* tag) {
    return std::string("/tmp/ozr-test-folder-") + tag + "-" + std::to_string(getpid());
}

// The first copy: registers, shows its window and answers until the message came or 10 s passed.
[[noreturn]] void RunFirstCopy(const std::string& folder, const char* title) {
    InstallClock(MakeSystemClock());
    SetRunningProgramFolder(folder);
    if (!RegisterRunningCopy(folder)) _exit(3);
    HWND w = MakeWindow("FirstCopy", title);
    bool got = false;
    WPARAM gotParam = 0;
    Reactions()[w.id()] = [&](HWND, UINT msg, WPARAM wp, LPARAM, LRESULT* r) {
        if (msg != WM_ACTIVATE_COPY) return false;
        got = true;
        gotParam = wp;
        *r = 1234;
        return true;
    };
    UINT_PTR giveUp = SetTimer(HWND{}, 0, 10'000, [](HWND, UINT, UINT_PTR, DWORD) { _exit(4); });
    (void)giveUp;
    RunModalLoop([&] { return got; });
    UnregisterRunningCopy();
    _exit(gotParam == 1 ? 0 : 5);
}

bool WaitForCopy(const std::string& folder) {
    for (int i = 0; i < 200; ++i) {
        if (AnotherCopyIsRunning(folder)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

TEST(SecondCopy, FindsTheFirstCopysWindowAndSendsItAMessage) {
    std::string folder = UniqueFolder("a");
    const char* title = "OZR Ruriv Main Window (copy test)";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) RunFirstCopy(folder, title);

    ASSERT_TRUE(WaitForCopy(folder));
    SetRunningProgramFolder(folder);
    HWND remote = FindWindow(nullptr, title);
    ASSERT_TRUE(remote);
    EXPECT_FALSE(IsWindow(remote));  // a handle of the other process, not a local window
    EXPECT_EQ(SendMessage(remote, WM_ACTIVATE_COPY, 1, 0), 1234);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(AnotherCopyIsRunning(folder));
    SetRunningProgramFolder("");
}

TEST(SecondCopy, CopiesOfOtherProgramFoldersAreNotFound) {
    std::string folder = UniqueFolder("b");
    const char* title = "OZR Ruriv Main Window (other folder)";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) RunFirstCopy(folder, title);
    ASSERT_TRUE(WaitForCopy(folder));
    EXPECT_FALSE(AnotherCopyIsRunning(folder + "-elsewhere"));
    SetRunningProgramFolder(folder + "-elsewhere");
    EXPECT_FALSE(FindWindow(nullptr, title));
    // Let the first copy end.
    SetRunningProgramFolder(folder);
    HWND remote = FindWindow(nullptr, title);
    ASSERT_TRUE(remote);
    SendMessage(remote, WM_ACTIVATE_COPY, 1, 0);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    SetRunningProgramFolder("");
}

TEST(SecondCopy, PointerMessagesDoNotCross) {
    std::string folder = UniqueFolder("c");
    const char* title = "OZR Ruriv Main Window (pointers)";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) RunFirstCopy(folder, title);
    ASSERT_TRUE(WaitForCopy(folder));
    SetRunningProgramFolder(folder);
    HWND remote = FindWindow(nullptr, title);
    ASSERT_TRUE(remote);
    EXPECT_EQ(SendMessage(remote, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), 0);
    SendMessage(remote, WM_ACTIVATE_COPY, 1, 0);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    SetRunningProgramFolder("");
}

}  // namespace
