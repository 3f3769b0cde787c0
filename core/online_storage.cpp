#include "core/online_storage.h"

#include <algorithm>

#include "platform/services/web_page.h"

namespace core {

std::string EscapeForHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string PercentEncode(std::string_view text) { return platform::PercentEncode(text, "-._~"); }

std::string LinesWithCrLf(std::string_view fileText) {
    std::string out;
    std::size_t start = 0;
    while (start < fileText.size()) {
        const std::size_t end = std::min(fileText.find_first_of("\r\n", start), fileText.size());
        out.append(fileText.substr(start, end - start));
        out += "\r\n";
        start = end + 1;
        if (end + 1 < fileText.size() && fileText[end] == '\r' && fileText[end + 1] == '\n') ++start;
    }
    return out;
}

std::string UploadPage(const UploadFields& f) {
    return "<HTML><HEAD><script> function submit() { document.forms[0].submit(); } </script></HEAD>\r\n"
           "<BODY onload=\"submit();\"><form action=\"" + EscapeForHtml(f.serverUrl) + "Submit.php\" method=\"post\">\r\n"
           "<input type=\"text\" name=\"user\" value=\"" + EscapeForHtml(f.user) +
           "\"/><input type=\"text\" name=\"pass\" value=\"" + EscapeForHtml(f.pass) +
           "\"/><input type=\"text\" name=\"date\" value=\"" + EscapeForHtml(f.date) +
           "\"/><textarea name=\"data\">" + EscapeForHtml(f.data) + "</textarea>";
}

std::string DownloadRequestUrl(const std::string& serverUrl, const std::string& user, const std::string& pass) {
    return serverUrl + "Retrieve.php?user=" + PercentEncode(user) + "&pass=" + PercentEncode(pass);
}

DownloadedList SplitDownloadAnswer(std::string_view answer) {
    const std::size_t crlf = answer.find("\r\n");
    if (crlf == std::string_view::npos) return {"", std::string(answer)};
    return {std::string(answer.substr(0, crlf)), std::string(answer.substr(crlf + 2))};
}

OnlineListChoice ChooseOnlineList(std::int64_t secondsNewer, bool force, std::int32_t confirmation, bool localListLoads) {
    if (secondsNewer > 0 || force) return OnlineListChoice::Restore;
    if (!localListLoads) return confirmation == 1 ? OnlineListChoice::AskToReplaceLost : OnlineListChoice::Restore;
    if (secondsNewer == 0) return OnlineListChoice::Keep;
    switch (confirmation) {
        case 1: return OnlineListChoice::Ask;
        case 3: return OnlineListChoice::Restore;
        default: return OnlineListChoice::Keep;
    }
}

}  // namespace core
