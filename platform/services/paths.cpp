#include "platform/services/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string& FolderOverride() {
    static std::string folder;
    return folder;
}

std::string ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();  // no /proc: the best we can do
    return exe.parent_path().string();
}

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The entry of the folder whose name equals the given one without regard to letter case; the
// first in byte order when several do. Empty when there is none.
std::string FindIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? "/" : folder, ec);
    if (ec) return {};
    std::vector<std::string> matches;
    for (const auto& entry : it) {
        std::string candidate = entry.path().filename().string();
        if (EqualIgnoringAsciiCase(candidate, name)) matches.push_back(candidate);
    }
    if (matches.empty()) return {};
    return *std::min_element(matches.begin(), matches.end());
}

std::vector<std::string> SplitNames(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        std::string_view name = path.substr(start, end - start);
        if (!name.empty() && name != ".") names.emplace_back(name);
        start = end + 1;
    }
    return names;
}

}  // namespace

std::string ProgramFolder() {
    if (!FolderOverride().empty()) return FolderOverride();
    static const std::string executableFolder = WithoutTrailingSlashes(ExecutableFolder());
    return executableFolder;
}

void SetProgramFolder(const std::string& folder) { FolderOverride() = folder.empty() ? folder : WithoutTrailingSlashes(folder); }

std::string MapPath(std::string_view clockPath) {
    std::string path(clockPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    const bool absolute = !clockPath.empty() && clockPath.front() == '/';
    std::string real = absolute ? std::string("/") : ProgramFolder();
    bool found = true;  // every name so far exists; after the first that does not, none can
    for (const std::string& name : SplitNames(path)) {
        std::string asWritten = Join(real, name);
        if (found && !Exists(asWritten) && name != "..") {
            std::string other = FindIgnoringCase(real, name);
            if (!other.empty()) {
                real = Join(real, other);
                continue;
            }
            found = false;
        }
        real = std::move(asWritten);
    }
    if (!path.empty() && path.back() == '/' && real.back() != '/') real += '/';
    return real;
}

}  // namespace platform
