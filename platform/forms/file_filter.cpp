#include "platform/forms/file_filter.h"

#include <cctype>

namespace platform::forms {

namespace {
std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

std::string Trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}
}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    // Iterative wildcard matching with one backtrack point for the last "*".
    std::size_t n = 0, p = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && same(pattern[p], name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool FileFilter::Matches(const std::string& fileName) const {
    if (patterns.empty()) return true;
    for (const std::string& p : patterns)
        if (MatchesPattern(fileName, p)) return true;
    return false;
}

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilter> out;
    if (filter.empty()) return out;
    auto parts = Split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        FileFilter f;
        f.description = parts[i];
        if (i + 1 < parts.size())
            for (const std::string& p : Split(parts[i + 1], ';'))
                if (!Trim(p).empty()) f.patterns.push_back(Trim(p));
        out.push_back(std::move(f));
    }
    return out;
}

}  // namespace platform::forms
