// The recording stand-in library in a desktop test's program folder.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/services/library_loader.h"
#include "platform/services/paths.h"

namespace desktop {

inline void InstallFakeLibrary(const std::filesystem::path& folder) {
    std::filesystem::copy_file(OZR_FAKE_LIBRARY, folder / "System/libOZRClock.so",
                               std::filesystem::copy_options::overwrite_existing);
}

// The same module the program loaded (a second load gives the same handle).
class FakeLibrary {
public:
    FakeLibrary() : module_(platform::LoadLibrary(platform::MapPath("\\System\\libOZRClock.so").c_str())) {}
    std::vector<std::string> Calls() const {
        auto fn = reinterpret_cast<const char* (*)()>(platform::GetProcAddress(module_, "FakeLibraryCalls"));
        std::vector<std::string> calls;
        std::istringstream in(fn ? fn() : "");
        for (std::string line; std::getline(in, line);) calls.push_back(line);
        return calls;
    }
    void Clear() const {
        if (auto fn = reinterpret_cast<void (*)()>(platform::GetProcAddress(module_, "FakeLibraryClear"))) fn();
    }
    void Answers(bool on) const {
        if (auto fn = reinterpret_cast<void (*)(int)>(platform::GetProcAddress(module_, "FakeLibraryAnswers"))) fn(on);
    }
    bool Loaded() const { return static_cast<bool>(module_); }

private:
    platform::HMODULE module_;
};

}  // namespace desktop
