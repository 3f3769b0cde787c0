// Time servers for the peer tests, on loopback only, started and stopped by the test: chronyd with
// a configuration of its own that never touches this machine's clock, and the scripted responder
// of wrong answers. Each ends with the test process even when the test dies.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace peers {

// A child process that dies with the test; its standard output goes to a pipe or to a file.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Stop(); }

    bool Start(const std::vector<std::string>& argv, const std::string& outputFile = "") {
        int out[2] = {-1, -1};
        if (outputFile.empty() && pipe(out) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            int target = outputFile.empty() ? out[1] : open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(target, STDOUT_FILENO);
            dup2(target, STDERR_FILENO);
            std::vector<char*> args;
            for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execvp(args[0], args.data());
            _exit(127);
        }
        if (!outputFile.empty()) return pid_ > 0;
        close(out[1]);
        output_ = out[0];
        return pid_ > 0;
    }
    // The first line the child writes, waiting at most 30 s for it (a busy machine is slow).
    std::string FirstLine() {
        std::string line;
        auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        fcntl(output_, F_SETFL, O_NONBLOCK);
        while (std::chrono::steady_clock::now() < limit) {
            char c;
            ssize_t n = read(output_, &c, 1);
            if (n == 1 && c == '\n') return line;
            if (n == 1) line += c;
            if (n == 0) break;
            if (n < 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return line;
    }
    // Ends the process with SIGTERM, or SIGKILL when it has not ended 5 s later.
    void Stop(pid_t pid = 0) {
        if (pid_ <= 0) return;
        if (pid != pid_) pid = pid_;  // only ever the process this test started
        kill(pid, SIGTERM);
        for (int i = 0; i < 500; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        if (output_ >= 0) close(output_);
        output_ = -1;
    }
    bool Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Asks 127.0.0.1:port once; true when a 48-byte answer comes within 500 ms.
inline bool AnswersOn(std::uint16_t port) {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    timeval wait{0, 500'000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::uint8_t request[48] = {0x1B};
    request[47] = 1;
    sendto(fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    std::uint8_t answer[128];
    ssize_t n = recv(fd, answer, sizeof answer, 0);
    close(fd);
    return n >= 48;
}

// 123 when this process may bind it on 127.0.0.1 now, otherwise a free port.
inline std::uint16_t TimeServerPortToUse() {
    for (std::uint16_t wanted : {std::uint16_t{123}, std::uint16_t{0}}) {
        int fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(wanted);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        bool bound = bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                     getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n) == 0;
        close(fd);
        if (bound) return ntohs(a.sin_port);
    }
    return 0;
}

// chronyd on 127.0.0.1 with its own configuration, pid file and log in a folder of its own. With
// `local`, it serves this machine's time as a stratum-3 server; without, it is unsynchronised
// (leap indicator 3). -x: it never sets the machine's clock. cmdport 0: no control socket.
class ChronyServer {
public:
    explicit ChronyServer(bool local) {
        folder_ = std::filesystem::temp_directory_path() / ("ozr-chrony-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder_);  // no pid file of an earlier process of this number
        std::filesystem::create_directories(folder_);
        for (int attempt = 0; attempt < 3 && !port_; ++attempt) {
            std::uint16_t port = TimeServerPortToUse();
            std::ofstream(folder_ / "chrony.conf") << (local ? "local stratum 3\n" : "") << "allow 127.0.0.1\n"
                                                   << "bindaddress 127.0.0.1\n"
                                                   << "port " << port << "\ncmdport 0\n"
                                                   << "pidfile " << (folder_ / "chronyd.pid").string() << "\n";
            process_.Start({"chronyd", "-d", "-x", "-u", "root", "-L", "0", "-f", (folder_ / "chrony.conf").string()},
                           (folder_ / "chronyd.log").string());
            for (int i = 0; i < 40 && process_.Running(); ++i)
                if (AnswersOn(port)) {
                    port_ = port;
                    break;
                }
            if (!port_) process_.Stop();  // another server took the port meanwhile: try again
        }
    }
    ~ChronyServer() {
        Stop();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    // Stops the server named by its pid file.
    void Stop() {
        std::ifstream pidFile(folder_ / "chronyd.pid");
        pid_t pid = 0;
        pidFile >> pid;
        process_.Stop(pid);
    }
    std::uint16_t port() const { return port_; }
    std::string Log() const {
        std::ifstream in(folder_ / "chronyd.log");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path folder_;
    ChildProcess process_;
    std::uint16_t port_ = 0;
};

// The scripted responder: every answer wrong in the one way kind names (ntp_responder.py).
class WrongAnswerServer {
public:
    explicit WrongAnswerServer(const std::string& kind) {
        if (process_.Start({"/usr/bin/python3", std::string(OZR_SOURCE_DIR) + "/tests/peers/ntp_responder.py", kind})) {
            std::string line = process_.FirstLine();
            if (!line.empty()) port_ = static_cast<std::uint16_t>(std::stoi(line));
        }
    }
    std::uint16_t port() const { return port_; }

private:
    ChildProcess process_;
    std::uint16_t port_ = 0;
};

}  // namespace peers
