// Opening a file that a file of the user's names (a settings, alarm, language or server list): it
// may name anything. A named pipe would hold the program in its open for good, a device or a
// folder never ends or cannot be read; only a regular file is opened, and the open never waits.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A regular file open for reading (close-on-exec, with ordinary waiting reads), or the reason it
// is not: the system's, or "not a regular file". Closed with the object unless handed over.
class RegularFile {
public:
    explicit RegularFile(const std::string& realPath);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    explicit operator bool() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    std::int64_t size() const { return size_; }
    const std::string& why() const { return why_; }
    // Hands the descriptor over to a reader that closes it itself.
    int Release();

private:
    int fd_ = -1;
    std::int64_t size_ = 0;
    std::string why_;
};

}  // namespace platform
