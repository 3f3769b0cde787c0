#include "platform/services/spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {

bool SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0].empty()) return false;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // Two steps, so the started program is never our child and leaves no zombie behind: an
    // intermediate child starts it and ends at once; the intermediate is reaped here. A pipe
    // tells whether the program itself could be started.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    pid_t middle = fork();
    if (middle < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (middle == 0) {
        close(report[0]);
        setsid();
        pid_t child = 0;
        posix_spawnattr_t attrs;
        posix_spawnattr_init(&attrs);
        int rc = posix_spawnp(&child, args[0], nullptr, &attrs, args.data(), environ);
        posix_spawnattr_destroy(&attrs);
        char ok = rc == 0 ? 1 : 0;
        (void)!write(report[1], &ok, 1);
        _exit(0);
    }
    close(report[1]);
    char ok = 0;
    ssize_t n;
    do {
        n = read(report[0], &ok, 1);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    return n == 1 && ok == 1;
}

}  // namespace platform
