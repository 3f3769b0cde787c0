// The online alarm storage's texts and its one decision, apart from the main window that uses
// them (the exchange itself is frmMain's UploadAlarms and DownloadAlarms).
//
// Upload: a page "transfer.html" in the program folder whose script posts a form with the fields
// user, pass (the password's MD5 digest), date ("LastSave") and data (the collection file) to
// ServerURL + "Submit.php" as it loads; the web-browser control runs it.
// Download: an HTTP GET of ServerURL + "Retrieve.php?user=...&pass=...", answered by exactly
// "Invalid credentials" or by the stored list's date (YYYY-MM-DD hh:mm:ss), CR LF, and the stored
// collection file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

inline constexpr const char* kUploadPagePath = "\\transfer.html";
inline constexpr const char* kDownloadedListPath = "\\z.alarms";
inline constexpr const char* kInvalidCredentials = "Invalid credentials";

// The text with "&", "<", ">" and '"' written as character references, so that a value put into
// the page reaches the server exactly as it is, whatever it holds.
std::string EscapeForHtml(std::string_view text);

// Every byte but the letters, digits and "-._~" as %XX: a value put into an address.
std::string PercentEncode(std::string_view text);

// The file's lines, each followed by CR LF (a line ends at CR LF, LF or CR; a last line without
// an end gets one too).
std::string LinesWithCrLf(std::string_view fileText);

struct UploadFields {
    std::string serverUrl;
    std::string user;
    std::string pass;
    std::string date;
    std::string data;  // the collection file's lines, each followed by CR LF
};

// The upload page, exactly as the server's form expects it, the values escaped.
std::string UploadPage(const UploadFields& fields);

// ServerURL + "Retrieve.php?user=" + user + "&pass=" + pass, the values percent-encoded.
std::string DownloadRequestUrl(const std::string& serverUrl, const std::string& user, const std::string& pass);

// The answer split at its first CR LF: the date line before it, the body after it. An answer
// without a CR LF has an empty date line and all of it as the body.
struct DownloadedList {
    std::string dateLine;
    std::string body;
};
DownloadedList SplitDownloadAnswer(std::string_view answer);

// What a checked download does with the online list, from how many seconds it is newer than the
// local one (negative: older), whether the caller forces it, "Confirmation" (1 ask, 2 keep the
// local list, 3 take the online list; any other value keeps the local list) and whether the local
// list loads. A local list that is gone or does not load is no list to keep, whatever the dates:
// the online one takes its place, asked first (Yes takes it) where Confirmation asks.
enum class OnlineListChoice { Restore, Keep, Ask, AskToReplaceLost };
OnlineListChoice ChooseOnlineList(std::int64_t secondsNewer, bool force, std::int32_t confirmation, bool localListLoads);

}  // namespace core
