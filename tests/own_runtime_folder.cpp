// Every test process gets a runtime folder of its own, so that the running copies that tests
// register (and their lock files) are never asked by, nor slow down, another test that runs at the
// same time: a second start asks every copy of the user's folder in turn and waits for each. It
// also gets a configuration folder of its own, so that an autostart entry that a first run of the
// real program writes never reaches the user's session. What a test starts (a child, the program)
// inherits both; they go when the process ends.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct OwnRuntimeFolder {
    std::string folder;
    pid_t owner = ::getpid();

    OwnRuntimeFolder() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/ozr-test-runtime-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) return;  // the user's own folder, as before
        folder = pattern;
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        const std::string config = folder + "/config";
        if (::mkdir(config.c_str(), 0700) == 0) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    ~OwnRuntimeFolder() {
        if (folder.empty() || ::getpid() != owner) return;
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const OwnRuntimeFolder ownRuntimeFolder;

}  // namespace
