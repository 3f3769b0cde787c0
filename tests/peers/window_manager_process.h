// An EWMH window manager on a test's X server (openbox by default; icewm, which places, raises and
// decorates windows by rules of its own and keeps a panel at the screen's bottom; xfwm4 and mutter,
// which keep new windows from taking the keyboard from the user's work and stack by layers; mutter
// runs in its X11 mode on a D-Bus session bus of its own): started with the system's own
// configuration only (no user files), ready once it announces itself on the root window and
// manages a window mapped after that, and stopped at the end (with its bus).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "xvfb_server.h"

class WindowManagerProcess {
public:
    explicit WindowManagerProcess(const XvfbServer& server, std::string command = "openbox")
        : command_(std::move(command)) {
        home_ = std::filesystem::temp_directory_path() / ("ozr-" + command_ + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(home_);
        // Under load a window manager now and then fails to open a display that was just started and
        // ends at once: it is started again. It may also take seconds (its fonts, its theme)
        // before it takes windows.
        for (int start = 0; start < 3 && !ready_; ++start) {
            Start(server);
            bool ended = pid_ <= 0;
            for (int i = 0; i < 400 && !ready_ && !ended; ++i) {
                ready_ = server.Output("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos;
                if (ready_) break;
                ended = waitpid(pid_, nullptr, WNOHANG) == pid_;
                if (!ended) usleep(50'000);
            }
            if (!ended) break;
            pid_ = -1;
        }
        if (ready_) ready_ = ManagesNewWindows(server);
    }
    ~WindowManagerProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (busPid_ > 0) kill(busPid_, SIGTERM);
        std::filesystem::remove_all(home_);
    }
    WindowManagerProcess(const WindowManagerProcess&) = delete;
    WindowManagerProcess& operator=(const WindowManagerProcess&) = delete;
    bool ready() const { return ready_; }

private:
    void Start(const XvfbServer& server) {
        if (command_ == "mutter" && busPid_ <= 0) StartBus(server);
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            setenv("DISPLAY", server.display().c_str(), 1);
            setenv("HOME", home_.c_str(), 1);
            setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
            setenv("XDG_CACHE_HOME", (home_ / "cache").c_str(), 1);
            if (!busAddress_.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", busAddress_.c_str(), 1);
            if (command_ == "openbox")
                execlp("openbox", "openbox", "--sm-disable", nullptr);
            else if (command_ == "mutter")
                execlp("mutter", "mutter", "--x11", "--replace", "--sm-disable", nullptr);
            else
                execlp(command_.c_str(), command_.c_str(), nullptr);
            _exit(127);
        }
    }

    // A session bus of the window manager's own: its address and its process, read from what the
    // bus prints as it forks.
    void StartBus(const XvfbServer& server) {
        const std::string out = server.Output("dbus-daemon --session --fork --print-address=1 --print-pid=1");
        const auto line = out.find('\n');
        if (line == std::string::npos) return;
        busAddress_ = out.substr(0, line);
        busPid_ = std::atoi(out.c_str() + line + 1);
    }

    // A window manager announces itself before it is done starting: a probe window shows when it manages
    // new ones.
    static bool ManagesNewWindows(const XvfbServer& server) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            pid_t probe = fork();
            if (probe == 0) {
                prctl(PR_SET_PDEATHSIG, SIGTERM);
                int devnull = open("/dev/null", O_RDWR);
                dup2(devnull, STDOUT_FILENO);
                dup2(devnull, STDERR_FILENO);
                setenv("DISPLAY", server.display().c_str(), 1);
                execlp("xmessage", "xmessage", "-title", "ozr-wm-probe", "probe", nullptr);
                _exit(127);
            }
            bool managed = false;
            for (int i = 0; i < 200 && !managed; ++i) {
                managed = server.Output("xprop -root _NET_CLIENT_LIST").find("0x") != std::string::npos;
                if (!managed) usleep(50'000);
            }
            kill(probe, SIGTERM);
            waitpid(probe, nullptr, 0);
            for (int i = 0; i < 40 && server.Output("xprop -root _NET_CLIENT_LIST").find("0x") != std::string::npos; ++i)
                usleep(25'000);
            if (managed) return true;
        }
        return false;
    }

    std::string command_;
    std::filesystem::path home_;
    pid_t pid_ = -1;
    pid_t busPid_ = -1;
    std::string busAddress_;
    bool ready_ = false;
};
