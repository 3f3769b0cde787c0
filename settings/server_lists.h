// The two server lists the Internet pages offer: the time servers (one line per server with what
// the last exchanges learned of it) and the alarm-storage servers (one base address per line), and
// which line a stored index selects.
#pragma once

#include <string>
#include <vector>

namespace settings {

inline constexpr const char* kAnywhereServerListPath = "\\System\\OZR Ruriv Anywhere Servers.ozrini";

// "host (IP) Stratum: S @ Location" for each item of the list's "Servers", in the file's order;
// a part without a value is left out.
// A missing file or one without items gives no lines.
std::vector<std::string> TimeServerLines(const std::string& listPath);
// The values of the list's "Servers", in the file's order.
std::vector<std::string> AnywhereServerLines(const std::string& listPath);

// The line a stored index selects: the index itself while it names a line, else the first line;
// -1 (nothing) for a list without lines.
int SelectableIndex(int stored, int lineCount);

// The storage server's line among these: the stored index's (as SelectableIndex) while ServerURL
// is empty or names a line; a ServerURL that names none (set by hand) is added as a line of its
// own and chosen, so that showing the page keeps the server in use.
int StorageServerLine(std::vector<std::string>& lines, const std::string& serverUrl, int stored);

}  // namespace settings
