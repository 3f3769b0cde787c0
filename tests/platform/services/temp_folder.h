// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// the test; it is also installed as the program folder while it lives.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/services/paths.h"

class TempProgramFolder {
public:
    TempProgramFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("ozr-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
        platform::SetProgramFolder(path_.string());
    }
    ~TempProgramFolder() {
        platform::SetProgramFolder("");
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    std::string Path() const { return path_.string(); }
    std::string operator/(const std::string& relative) const { return (path_ / relative).string(); }

    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(path_ / relative); }

private:
    std::filesystem::path path_;
};
