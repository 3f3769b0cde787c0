#include "platform/services/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/base.h"
#include "platform/services/regular_file.h"
#include "platform/services/settings_file.h"

namespace platform {
namespace {

[[noreturn]] void ThrowSaveError(const std::string& path, int error) { throw SaveError(path, std::strerror(error)); }

// A file its user may not write, or one without any write bit, stays as it is.
void RefuseProtectedFile(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) != 0) return;
    if ((existing.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) ThrowSaveError(path, EACCES);
}

struct FolderAndName {
    std::string folder;
    std::string name;
};

FolderAndName SplitPath(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The temporary files of a save are named ".<file>.tmp-<process id>-<count>" beside the file.
std::string TemporaryPrefix(const std::string& name) { return "." + name + ".tmp-"; }

bool ProcessRuns(pid_t pid) { return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* why, std::size_t maxBytes, ReadFor use) {
    RegularFile file(path);
    auto fail = [why](std::string reason) {
        if (why) *why = std::move(reason);
        return std::nullopt;
    };
    if (!file) return fail(file.why());
    if (static_cast<std::uint64_t>(file.size()) > maxBytes) return fail("the file is too large");
    // Room for the whole file at once: a text grown piece by piece ends with up to twice its room,
    // and a collection of 10,000 alarms is 9 MB, kept for as long as the program runs.
    std::string bytes;
    const auto size = static_cast<std::size_t>(file.size());
    bytes.reserve(use == ReadFor::Rewriting ? RoomToRewrite(size) : size);
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
        if (n == 0) return bytes;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(std::strerror(errno));
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return fail("the file is too large");
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool FileHolds(const std::string& path, std::string_view bytes) {
    RegularFile file(path);
    bool same = file && static_cast<std::size_t>(file.size()) == bytes.size();
    char buffer[65536];
    std::size_t at = 0;
    while (same) {
        ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            same = n == 0 && at == bytes.size();
            break;
        }
        const auto got = static_cast<std::size_t>(n);
        same = got <= bytes.size() - at && std::memcmp(buffer, bytes.data() + at, got) == 0;
        at += got;
    }
    return same;
}

// Removes what saves of the file left behind when their process was killed before the rename.
// Files of a process that still runs may belong to a save under way and stay.
void RemoveStaleTemporaries(const std::string& path) {
    const auto [folder, name] = SplitPath(path);
    const std::string prefix = TemporaryPrefix(name);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view file = entry->d_name;
        if (!file.starts_with(prefix)) continue;
        std::string_view rest = file.substr(prefix.size());
        pid_t pid = 0;
        auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error != std::errc{} || pid <= 0 || end == rest.data() + rest.size() || *end != '-') continue;
        if (!ProcessRuns(pid)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Writes a temporary file beside the target, flushes it to the disk and renames it over the
// target, so that a crash or a full disk leaves either the old file or the new one.
void WriteFileAtomically(const std::string& path, std::string_view bytes, FileReaders readers) {
    const auto [folder, name] = SplitPath(path);
    RefuseProtectedFile(path);

    static unsigned counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = folder + "/" + TemporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, readers == FileReaders::OwnerOnly ? 0600 : 0666);
        if (fd < 0 && (errno != EEXIST || attempt > 100)) ThrowSaveError(path, errno);
    }
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        ThrowSaveError(path, error);
    };
    struct stat existing {};
    if (readers == FileReaders::AsBefore && ::stat(path.c_str(), &existing) == 0)
        ::fchmod(fd, existing.st_mode & 07777);  // keep the file's mode
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

bool FileIsMissing(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool RemoveFile(const std::string& path, std::string* why) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    if (why) *why = std::strerror(errno);
    return false;
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
