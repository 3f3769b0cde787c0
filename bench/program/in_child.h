// A process holds one program: a benchmark that starts one does it in a child process of its own
// and reads the child's measurements back through a pipe; the benchmark process itself never
// starts it. Also the fresh program folder that each child runs in.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <type_traits>

namespace benchsupport {

// Runs measure() in a child process and gives back what it returned (a plain record); false when
// the child failed.
template <class Measure, class Result = std::invoke_result_t<Measure>>
bool MeasureInChild(Measure measure, Result& result) {
    static_assert(std::is_trivially_copyable_v<Result>, "the record crosses a pipe");
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(pipeEnds[0]);
        const Result measured = measure();
        const bool written = write(pipeEnds[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
        _exit(written ? 0 : 1);  // the program is not ended: nothing of it is needed any more
    }
    close(pipeEnds[1]);
    const bool read = ::read(pipeEnds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A fresh copy of the build's program folder under this name in the temporary folder.
inline std::filesystem::path FreshProgramFolder(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path built = fs::read_symlink("/proc/self/exe").parent_path().parent_path().parent_path() / "program";
    const fs::path folder = fs::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::copy(built, folder, fs::copy_options::recursive);
    return folder;
}

}  // namespace benchsupport
