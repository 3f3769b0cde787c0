// Becoming the running copy of a program folder is one atomic step between real processes: the
// lock is held while its process lives, only for its own folder, and is free once it ends.
#include "platform/services/running_copy.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/platform/services/temp_folder.h"

using platform::RunningCopy;

namespace {

// A process that becomes the running copy of the folder and then waits for a byte on a pipe.
class OtherCopy {
public:
    explicit OtherCopy(const std::string& folder) {
        int ready[2], quit[2];
        EXPECT_EQ(pipe(ready), 0);
        EXPECT_EQ(pipe(quit), 0);
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(quit[1]);
            char answer = RunningCopy::MakeReal()->BecomeRunningCopy(folder) ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            char c;
            (void)!read(quit[0], &c, 1);
            _exit(0);
        }
        close(ready[1]);
        close(quit[0]);
        quit_ = quit[1];
        EXPECT_EQ(read(ready[0], &became_, 1), 1);
        close(ready[0]);
    }
    ~OtherCopy() { End(); }
    bool Became() const { return became_ == 'y'; }
    void End() {
        if (pid_ <= 0) return;
        close(quit_);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int quit_ = -1;
    char became_ = '?';
};

TEST(RunningCopy, OneProcessHoldsAFolderUntilItEndsAndOtherFoldersAreFree) {
    TempProgramFolder folder;
    const std::string other = folder / "elsewhere";
    std::filesystem::create_directory(other);

    OtherCopy first(folder.Path());
    ASSERT_TRUE(first.Became());
    auto here = RunningCopy::MakeReal();
    EXPECT_FALSE(here->BecomeRunningCopy(folder.Path()));
    EXPECT_FALSE(here->BecomeRunningCopy(folder.Path() + "/./"));  // the same folder spelt otherwise
    EXPECT_TRUE(here->BecomeRunningCopy(other));
    {
        OtherCopy second(other);
        EXPECT_FALSE(second.Became()) << "this process holds that folder now";
    }
    first.End();
    EXPECT_TRUE(here->BecomeRunningCopy(folder.Path()));
    EXPECT_TRUE(here->BecomeRunningCopy(folder.Path())) << "asking again keeps it";
}

}  // namespace
