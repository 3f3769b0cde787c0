#include "platform/services/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/base.h"

namespace platform {
namespace {

[[noreturn]] void ThrowSaveError(const std::string& path, int error) {
    throw Error("Cannot save the settings file \"" + path + "\": " + std::strerror(error));
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.emplace();
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0) break;
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                bytes.reset();
                break;
            }
            bytes->append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);

    static unsigned counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = folder + "/." + name + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt > 100)) ThrowSaveError(path, errno);
    }
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        ThrowSaveError(path, error);
    };
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);  // keep the file's mode
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(n < 0 ? errno : ENOSPC);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        ThrowSaveError(path, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        ThrowSaveError(path, error);
    }
    int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);  // makes the rename itself lasting; the file is complete either way
        ::close(folderFd);
    }
}

bool CopyFileAtomically(const std::string& fromPath, const std::string& toPath) {
    std::optional<std::string> bytes = ReadWholeFile(fromPath);
    if (!bytes) return false;
    try {
        WriteFileAtomically(toPath, *bytes);
    } catch (const Error&) {
        return false;
    }
    return true;
}

}  // namespace platform
