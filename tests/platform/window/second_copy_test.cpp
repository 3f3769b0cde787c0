// The running-copy bridge between two real processes: a second copy finds the first one's
// window by its title and sends it a plain message over the per-user socket.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/services/running_copy.h"
#include "platform/window/loop.h"
#include "platform/window/remote.h"
#include "tests/support/recording_failure_reports.h"
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
    InstallService<Clock>(MakeSystemClock());
    SetRunningProgramFolder(folder);
    if (!RegisterRunningCopy(folder)) _exit(3);
    HWND w = MakeWindow("FirstCopy", title);
    AcceptFromOtherCopies(w, WM_ACTIVATE_COPY);
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
    testsupport::RecordingFailureReports& reports = testsupport::UseRecordingFailureReports();
    RunModalLoop([&] { return got; });
    UnregisterRunningCopy();
    std::ofstream(folder + ".dropped") << [&] {
        std::string lines;
        for (const std::string& line : reports.dropped) lines += line + "\n";
        return lines;
    }();
    _exit(gotParam == 1 ? 0 : 5);
}

bool WaitForCopy(const std::string& folder) {
    for (int i = 0; i < 400; ++i) {
        if (AnotherCopyIsRunning(folder)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

// A first copy in a child process for one test; ends it by the message it waits for.
class FirstCopy {
public:
    FirstCopy(const char* tag, const char* title) : folder_(UniqueFolder(tag)), title_(title) {
        child_ = fork();
        if (child_ == 0) RunFirstCopy(folder_, title_);
    }
    ~FirstCopy() { SetRunningProgramFolder(""); }
    bool Registered() const { return child_ > 0 && WaitForCopy(folder_); }
    // Finds its window as the second copy does (searching only copies of that folder).
    HWND FindFrom(const std::string& folder) const {
        SetRunningProgramFolder(folder);
        return FindWindow(nullptr, title_);
    }
    // Sends the hand-over message and returns the first copy's exit status.
    int HandOver() const {
        HWND remote = FindFrom(folder_);
        if (remote) SendMessage(remote, WM_ACTIVATE_COPY, 1, 0);
        int status = 0;
        waitpid(child_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& folder() const { return folder_; }
    // What the first copy reported dropped, one line each, once it has ended.
    std::string Dropped() const {
        std::ifstream in(folder_ + ".dropped");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::remove((folder_ + ".dropped").c_str());
        return text;
    }
    std::string SocketPath() const { return UserRuntimeFolder() + "/" + std::to_string(child_) + ".sock"; }

private:
    std::string folder_;
    const char* title_;
    pid_t child_ = -1;
};

TEST(SecondCopy, FindsTheFirstCopysWindowAndSendsItAMessage) {
    FirstCopy first("a", "OZR Ruriv Main Window (copy test)");
    ASSERT_TRUE(first.Registered());
    HWND remote = first.FindFrom(first.folder());
    ASSERT_TRUE(remote);
    EXPECT_FALSE(IsWindow(remote));  // a handle of the other process, not a local window
    EXPECT_EQ(SendMessage(remote, WM_ACTIVATE_COPY, 1, 0), 1234);
    EXPECT_EQ(first.HandOver(), 0);
    EXPECT_FALSE(AnotherCopyIsRunning(first.folder()));
}

TEST(SecondCopy, CopiesOfOtherProgramFoldersAreNotFound) {
    FirstCopy first("b", "OZR Ruriv Main Window (other folder)");
    ASSERT_TRUE(first.Registered());
    EXPECT_FALSE(AnotherCopyIsRunning(first.folder() + "-elsewhere"));
    EXPECT_FALSE(first.FindFrom(first.folder() + "-elsewhere"));
    EXPECT_EQ(first.HandOver(), 0);
}

// Programs of the user's that connect and send nothing, more of them than the first copy waits
// for at once, hold up neither the first copy's loop nor a second copy's hand-over.
TEST(SecondCopy, SilentClientsHoldUpNothing) {
    FirstCopy first("d", "OZR Ruriv Main Window (silent client)");
    ASSERT_TRUE(first.Registered());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", first.SocketPath().c_str());
    std::vector<int> silent;
    for (int i = 0; i < 24; ++i) {
        silent.push_back(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        ASSERT_EQ(connect(silent.back(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    EXPECT_TRUE(first.FindFrom(first.folder())) << "the first copy did not answer while clients stayed silent";
    EXPECT_EQ(first.HandOver(), 0);
    for (int fd : silent) close(fd);
}

// Only the hand-over crosses: a message that carries a pointer, one whose made-up lParam a window
// would read as a pointer, and a close are refused (0) and change nothing.
TEST(SecondCopy, OnlyTheHandOverCrosses) {
    FirstCopy first("c", "OZR Ruriv Main Window (pointers)");
    ASSERT_TRUE(first.Registered());
    HWND remote = first.FindFrom(first.folder());
    ASSERT_TRUE(remote);
    EXPECT_EQ(SendMessage(remote, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), 0);
    EXPECT_EQ(SendMessage(remote, WM_WINDOWPOSCHANGED, 0, 0x1234), 0);
    EXPECT_EQ(SendMessage(remote, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(first.HandOver(), 0) << "the first copy lives, with its window, and takes the hand-over";
    // A run of refusals is told in one line and a count.
    EXPECT_TRUE(std::regex_match(first.Dropped(), std::regex("message 0x000C for window \\d+ from another program \\(only a "
                                                             "second start's hand-over is taken\\)\n2 more messages from "
                                                             "other programs \\(only a second start's hand-over is taken\\)\n")));
}

}  // namespace
