// The real program, started as its own process on a test's X server from a fresh copy of the
// program folder with the settings the test gives. However the test ends, the clock does not
// outlive it (it would hold the test's output open).
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "xvfb_server.h"

class ClockProcess {
public:
    // prepare, when given, writes more into the program folder before the clock starts.
    ClockProcess(const XvfbServer& server, const std::string& name, const std::string& settings,
                 const std::function<void(const std::filesystem::path&)>& prepare = {})
        : folder_(std::filesystem::temp_directory_path() / ("ozr-" + name + "-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(folder_);
        std::filesystem::copy(OZR_PROGRAM_DIR, folder_, std::filesystem::copy_options::recursive);
        std::ofstream(folder_ / "Settings.ozrini") << settings;
        if (prepare) prepare(folder_);
        Start(server.display());
    }
    ~ClockProcess() {
        if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(folder_);
    }
    ClockProcess(const ClockProcess&) = delete;
    ClockProcess& operator=(const ClockProcess&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // Starts the program again from the same folder, as a user does after it ended.
    void StartAgain(const XvfbServer& server) {
        if (pid_ <= 0) Start(server.display());
    }
    void Signal(int signal) const { kill(pid_, signal); }
    // Waits up to five seconds (or that many tenths of a second) for the clock to end; true with its
    // exit status when it did.
    bool WaitForEnd(int* status, int tenths = 50) {
        for (int i = 0; i <= tenths * 2 && pid_ > 0; ++i) {
            if (waitpid(pid_, status, WNOHANG) == pid_) pid_ = -1;
            else usleep(50'000);
        }
        return pid_ <= 0;
    }

private:
    void Start(const std::string& display) {
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            std::freopen((folder_ / "clock-output.txt").c_str(), "w", stdout);
            std::freopen((folder_ / "clock-output.txt").c_str(), "a", stderr);
            setenv("DISPLAY", display.c_str(), 1);
            unsetenv("OZR_PRESENTER");
            unsetenv("OZR_CLOCK");
            std::string exe = (folder_ / "OZRClock").string();
            execl(exe.c_str(), exe.c_str(), nullptr);
            _exit(127);
        }
    }

    std::filesystem::path folder_;
    pid_t pid_ = -1;
};
