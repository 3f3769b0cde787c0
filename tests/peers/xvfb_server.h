// A private Xvfb server for one test process: started on a free display number, stopped at the end.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

class XvfbServer {
public:
    // screen: the size of its one screen, WIDTHxHEIGHT.
    explicit XvfbServer(const std::string& screen = "1280x1024") {
        for (int attempt = 0; attempt < 20 && pid_ <= 0; ++attempt) {
            int number = 100 + static_cast<int>((getpid() * 7 + attempt * 13) % 800);
            std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
            if (std::filesystem::exists(socket) || std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock"))
                continue;
            display_ = ":" + std::to_string(number);
            pid_t pid = fork();
            if (pid == 0) {
                // The server ends with the test process, and keeps none of its output open.
                prctl(PR_SET_PDEATHSIG, SIGTERM);
                int devnull = open("/dev/null", O_RDWR);
                dup2(devnull, STDOUT_FILENO);
                dup2(devnull, STDERR_FILENO);
                // No reset when the last client leaves: what a test set up on the server (its
                // monitors) stays until the next client comes.
                execlp("Xvfb", "Xvfb", display_.c_str(), "-screen", "0", (screen + "x24").c_str(), "-nolisten", "tcp",
                       "-noreset", nullptr);
                _exit(127);
            }
            for (int i = 0; i < 100; ++i) {
                // The socket may be another test's server that took the number first: ours holds
                // the lock file with its own process id.
                if (std::filesystem::exists(socket) && LockHolder(number) == pid) {
                    pid_ = pid;
                    break;
                }
                int status = 0;
                if (waitpid(pid, &status, WNOHANG) == pid) break;  // it failed: try another number
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            if (pid_ <= 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
        if (pid_ > 0) setenv("DISPLAY", display_.c_str(), 1);
    }
    ~XvfbServer() { Stop(); }
    // Ends the server, and with it every connection to it.
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    bool running() const { return pid_ > 0; }
    const std::string& display() const { return display_; }
    // Runs a command against this display; returns its exit status. A command that hangs is
    // stopped after 30 s, so a test fails instead of waiting forever.
    int Run(const std::string& command) const {
        return std::system(("DISPLAY=" + display_ + " timeout 30 " + command + " >/dev/null 2>&1").c_str());
    }

    // Runs a command against this display (stopped after 10 s) and gives its standard output.
    std::string Output(const std::string& command) const {
        std::string out;
        if (FILE* p = popen(("DISPLAY=" + display_ + " timeout 10 " + command + " 2>/dev/null").c_str(), "r")) {
            char buffer[4096];
            while (std::size_t n = fread(buffer, 1, sizeof(buffer), p)) out.append(buffer, n);
            pclose(p);
        }
        return out;
    }

private:
    static pid_t LockHolder(int number) {
        FILE* lock = std::fopen(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), "r");
        if (!lock) return -1;
        long holder = -1;
        if (std::fscanf(lock, "%ld", &holder) != 1) holder = -1;
        std::fclose(lock);
        return static_cast<pid_t>(holder);
    }

    pid_t pid_ = -1;
    std::string display_;
};
