#include "platform/services/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <cstdio>
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

// The previous version of a file saved with Replaced::KeptAsSpare: ".<file>.spare" beside it.
std::string SparePath(const std::string& folder, const std::string& name) { return folder + "/." + name + ".spare"; }

// The file a save writes before it takes the target's place, open for writing.
struct Draft {
    std::string path;
    int fd = -1;
};

// The spare that the last save left, to be written over: only a regular file of this user that has
// no other name, since writing over it changes every name it has. Missing or not so: none.
Draft OpenSpare(const std::string& path) {
    // Never waits (a named pipe) and never follows a link.
    int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_uid == ::geteuid()) return {path, fd};
    ::close(fd);
    return {};
}

// A new temporary file beside the target (see TemporaryPrefix).
Draft NewTemporary(const std::string& path, const std::string& folder, const std::string& name, FileReaders readers) {
    static unsigned counter = 0;
    Draft draft;
    for (int attempt = 0; draft.fd < 0; ++attempt) {
        draft.path = folder + "/" + TemporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        draft.fd = ::open(draft.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, readers == FileReaders::OwnerOnly ? 0600 : 0666);
        if (draft.fd < 0 && (errno != EEXIST || attempt > 100)) ThrowSaveError(path, errno);
    }
    return draft;
}

// Puts the written draft in the target's place in one step. Where the previous version is kept,
// the two change places, and the previous version becomes the spare; where the file system cannot
// exchange them, or there is no previous version, the draft simply replaces the target.
int PutInPlace(const Draft& draft, const std::string& path, const std::string& spare, Replaced replaced) {
    if (replaced == Replaced::KeptAsSpare && ::renameat2(AT_FDCWD, draft.path.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        if (draft.path != spare && ::rename(draft.path.c_str(), spare.c_str()) != 0) ::unlink(draft.path.c_str());
        return 0;
    }
    return ::rename(draft.path.c_str(), path.c_str()) == 0 ? 0 : errno;
}

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

std::optional<FileStamp> StampOfFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    auto ns = [](const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; };
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);  // file times are the real clock's, whatever the program's clock
    // A file system that keeps no fraction of a second can keep times two seconds apart; one that
    // keeps fractions takes them from the kernel's clock tick (10 ms at most) or finer units.
    const bool wholeSeconds = st.st_mtim.tv_nsec == 0 || st.st_ctim.tv_nsec == 0;
    const std::int64_t coarsestNs = wholeSeconds ? 2'000'000'000 : 100'000'000;
    const std::int64_t lastChange = std::max(ns(st.st_mtim), ns(st.st_ctim));
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), st.st_size, ns(st.st_mtim),
                     ns(st.st_ctim), ns(now) - lastChange > coarsestNs};
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

// Writes a file beside the target (the spare, or a new temporary one), flushes it to the disk and
// puts it in the target's place, so that a crash or a full disk leaves either the old file or the
// new one.
void WriteFileAtomically(const std::string& path, std::string_view bytes, FileReaders readers, Replaced replaced) {
    const auto [folder, name] = SplitPath(path);
    RefuseProtectedFile(path);

    const std::string spare = SparePath(folder, name);
    Draft draft = replaced == Replaced::KeptAsSpare ? OpenSpare(spare) : Draft{};
    if (draft.fd < 0) draft = NewTemporary(path, folder, name, readers);
    // What failed leaves nothing behind: a spare written in part is no previous version.
    auto fail = [&](int error) {
        ::close(draft.fd);
        ::unlink(draft.path.c_str());
        ThrowSaveError(path, error);
    };
    struct stat existing {};
    if (readers == FileReaders::OwnerOnly)
        ::fchmod(draft.fd, 0600);  // a spare's mode is its last version's
    else if (::stat(path.c_str(), &existing) == 0)
        ::fchmod(draft.fd, existing.st_mode & 07777);  // keep the file's mode
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::pwrite(draft.fd, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(n < 0 ? errno : ENOSPC);
        written += static_cast<std::size_t>(n);
    }
    if (::ftruncate(draft.fd, static_cast<off_t>(bytes.size())) != 0) fail(errno);  // a longer spare's end
    if (::fsync(draft.fd) != 0) fail(errno);
    if (::close(draft.fd) != 0) {
        int error = errno;
        ::unlink(draft.path.c_str());
        ThrowSaveError(path, error);
    }
    if (int error = PutInPlace(draft, path, spare, replaced)) {
        ::unlink(draft.path.c_str());
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
