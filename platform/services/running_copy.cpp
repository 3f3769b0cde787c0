#include "platform/services/running_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace platform {
namespace {

// A stable name for a folder: FNV-1a of its real path, so that two spellings of one folder share
// one lock.
std::string LockNameFor(const std::string& programFolder) {
    char real[PATH_MAX];
    const std::string path = ::realpath(programFolder.c_str(), real) ? real : programFolder;
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.lock", static_cast<unsigned long long>(hash));
    return name;
}

class FileLockRunningCopy final : public RunningCopy {
public:
    bool BecomeRunningCopy(const std::string& programFolder) override {
        const std::string folder = UserRuntimeFolder();
        if (folder.empty()) return true;
        const std::string path = folder + "/" + LockNameFor(programFolder);
        if (held_.count(path)) return true;
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return true;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            const bool another = errno == EWOULDBLOCK;
            ::close(fd);
            return !another;
        }
        held_[path] = fd;  // kept open, and so locked, until the process ends
        return true;
    }

private:
    std::map<std::string, int> held_;
};

}  // namespace

std::unique_ptr<RunningCopy> RunningCopy::MakeReal() { return std::make_unique<FileLockRunningCopy>(); }

std::string UserRuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = (runtime && *runtime) ? runtime : "/tmp";
    std::string folder = base + "/ozr-ruriv-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    // Only a real folder of our own, closed to others, is trusted.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077)) return "";
    return folder;
}

}  // namespace platform
