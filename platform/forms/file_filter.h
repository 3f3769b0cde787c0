// The Filter of the file dialog: "Icons (*.ico)|*.ico|Sounds (*.wav;*.mp3)|*.wav;*.mp3" pairs a
// description with patterns ("*" any run of characters, "?" one character, letter case ignored).
#pragma once

#include <string>
#include <vector>

namespace platform::forms {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
    bool Matches(const std::string& fileName) const;
};

// A description without patterns matches every file; an empty filter gives no entries.
std::vector<FileFilter> ParseFileFilter(const std::string& filter);
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace platform::forms
