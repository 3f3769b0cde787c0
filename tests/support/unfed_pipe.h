// A named pipe that nothing writes to: a reader that opens it and waits for a writer would wait
// for good. Should one still wait after a few seconds, a writer comes and goes to let it on, and
// the pipe tells that it had to.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace testsupport {

class UnfedPipe {
public:
    explicit UnfedPipe(std::filesystem::path path) : path_(std::move(path)) {
        ::mkfifo(path_.c_str(), 0600);
        watcher_ = std::thread([this] { Watch(); });
    }
    ~UnfedPipe() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        watcher_.join();
        std::filesystem::remove(path_);
    }
    UnfedPipe(const UnfedPipe&) = delete;
    UnfedPipe& operator=(const UnfedPipe&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // True when a reader waited in its open until the pipe let it on.
    bool HeldAReader() const { return held_; }

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
        while (!wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return done_; })) {
            // A writer's open that does not wait succeeds only while a reader has the pipe open.
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) continue;
            held_ = true;
            ::close(fd);
        }
    }

    std::filesystem::path path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> held_{false};
    std::thread watcher_;
};

}  // namespace testsupport
