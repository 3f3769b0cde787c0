// Program folders where a save cannot succeed: a read-only folder and a full filesystem. Each is
// undone when its object ends, also when the test fails halfway.
//
// As root nothing is read-only by its mode, so root tests mount: the folder is bound read-only
// onto itself, or a tmpfs is mounted in its place and filled. A full filesystem needs such a
// mount; without root its test is skipped.
#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace desktop {

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// The test's mounts go into a mount namespace of its process alone, so that none outlasts the
// process and leaves a later test's folder of the same name read-only. Taken before the program
// starts its threads (a process of several threads cannot take one); where it cannot be had, the
// mounts are the machine's and are undone as before.
inline void KeepMountsToThisProcess() {
    static const bool own =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    (void)own;
}

// The folder made read-only by Block, until Unblock or the end of the object.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        if (RunningAsRoot()) KeepMountsToThisProcess();
    }
    ~ReadOnlyFolder() { Unblock(); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Blocked() const { return blocked_; }
    void Block() {
        if (blocked_) return;
        const char* at = folder_.c_str();
        if (RunningAsRoot()) {
            if (::mount(at, at, nullptr, MS_BIND, nullptr) != 0) return;
            if (::mount(nullptr, at, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
                ::umount2(at, MNT_DETACH);
                return;
            }
        } else if (::chmod(at, 0555) != 0) {
            return;
        }
        blocked_ = true;
    }
    void Unblock() {
        if (!blocked_) return;
        if (RunningAsRoot()) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        } else {
            ::chmod(folder_.c_str(), 0755);
        }
        blocked_ = false;
    }

private:
    std::filesystem::path folder_;
    bool blocked_ = false;
};

// A tmpfs put in the folder's place with the folder's files copied onto it (root only). Fill takes
// every free block; Free gives them back. The mount goes when the object ends.
class SmallFilesystem {
public:
    SmallFilesystem() = default;
    ~SmallFilesystem() {
        if (folder_.empty()) return;
        ::umount2(folder_.c_str(), MNT_DETACH);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    // Empty when mounted; otherwise why not.
    std::string MountOn(const std::filesystem::path& folder) {
        namespace fs = std::filesystem;
        if (!RunningAsRoot()) return "mounting a small filesystem needs root";
        KeepMountsToThisProcess();
        fs::path aside = folder.string() + ".aside";
        fs::rename(folder, aside);
        fs::create_directory(folder);
        // Room for the folder's own files (the program grows) and a little more to fill.
        std::uintmax_t bytes = 0;
        for (const auto& entry : fs::recursive_directory_iterator(aside))
            if (entry.is_regular_file()) bytes += entry.file_size();
        const std::string options = "size=" + std::to_string(bytes / (1 << 20) + 16) + "m,mode=0755";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            std::string why = std::strerror(errno);
            fs::remove(folder);
            fs::rename(aside, folder);
            return "cannot mount a tmpfs: " + why;
        }
        folder_ = folder;
        fs::copy(aside, folder, fs::copy_options::recursive);
        fs::remove_all(aside);
        return "";
    }
    void Fill() {
        std::ofstream filler(folder_ / "filler", std::ios::binary);
        const std::string block(1 << 16, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }
    void Free() { std::filesystem::remove(folder_ / "filler"); }

private:
    std::filesystem::path folder_;
};

}  // namespace desktop
