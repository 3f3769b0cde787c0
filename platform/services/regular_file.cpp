#include "platform/services/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

RegularFile::RegularFile(const std::string& realPath) {
    // Without O_NONBLOCK the open of a named pipe waits for a writer that may never come.
    fd_ = ::open(realPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        why_ = std::strerror(errno);
        return;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        why_ = "not a regular file";
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = st.st_size;
    // Readers that are handed the descriptor expect reads that wait, as a plain open gives.
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

int RegularFile::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

}  // namespace platform
